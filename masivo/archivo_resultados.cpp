#include "masivo/archivo_resultados.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/codificacion.h"

namespace vaviviv {

namespace {

constexpr qsizetype kVolcado = 1 << 16;

}  // namespace

QString CabeceraResultados(int codigo) {
    switch (codigo) {
    case 6: return QStringLiteral("Referencia\tSucursal\tCuenta\tReferencia Completa\tDígito Verif");
    case 10: return QStringLiteral("Referencia\tImporte\tFecha\tReferencia Completa\tDígito Verif");
    default: return QStringLiteral("Referencia\tReferencia Completa\tDígito Verif");
    }
}

EscritorResultados::EscritorResultados(QIODevice& salida) : salida_(salida) { buffer_.reserve(kVolcado + 4096); }

void EscritorResultados::escribirCabecera(int codigo) {
    CodificarWindows1252(CabeceraResultados(codigo), buffer_);
    buffer_.append("\r\n");
    volcarSiLleno();
}

void EscritorResultados::escribirFila(std::span<const QString> celdas) {
    for (const QString& c : celdas) {
        CodificarWindows1252(c, buffer_);
        buffer_.append('\t');
    }
    buffer_.append("\r\n");
    volcarSiLleno();
}

void EscritorResultados::escribirFila(std::span<const QStringView> celdas) {
    for (QStringView c : celdas) {
        CodificarWindows1252(c, buffer_);
        buffer_.append('\t');
    }
    buffer_.append("\r\n");
    volcarSiLleno();
}

void EscritorResultados::volcarSiLleno() {
    if (buffer_.size() >= kVolcado) volcar();
}

bool EscritorResultados::volcar() {
    if (!error_.isEmpty()) return false;
    if (!buffer_.isEmpty() && salida_.write(buffer_) != buffer_.size()) {
        error_ = salida_.errorString();
        if (error_.isEmpty()) error_ = QStringLiteral("No se pudo escribir el archivo");
    }
    buffer_.clear();
    return error_.isEmpty();
}

bool EscritorResultados::terminar() { return volcar(); }

DestinoResultados::DestinoResultados(const QString& ruta) {
    const QFileInfo info(ruta);
    if (info.exists() && !info.isFile() && !info.isDir())
        archivo_ = std::make_unique<QFile>(ruta);
    else
        archivo_ = std::make_unique<QSaveFile>(ruta);
}

DestinoResultados::~DestinoResultados() = default;

bool DestinoResultados::abrir() { return archivo_->open(QIODevice::WriteOnly); }

bool DestinoResultados::confirmar() {
    if (auto* guardado = dynamic_cast<QSaveFile*>(archivo_.get())) return guardado->commit();
    const bool escrito = archivo_->flush();
    archivo_->close();
    return escrito && archivo_->error() == QFileDevice::NoError;
}

}  // namespace vaviviv
