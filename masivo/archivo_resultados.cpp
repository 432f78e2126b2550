#include "masivo/archivo_resultados.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>


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

EscritorResultados::EscritorResultados(QIODevice& salida) : salida_(salida) { texto_.reserve(kVolcado + 4096); }

void EscritorResultados::escribirCabecera(int codigo) {
    texto_.append(CabeceraResultados(codigo));
    finDeLinea();
}

void EscritorResultados::escribirFila(std::span<const QString> celdas) {
    for (const QString& c : celdas) texto_.append(c).append(u'\t');
    finDeLinea();
}

void EscritorResultados::escribirFila(std::span<const QStringView> celdas) {
    for (QStringView c : celdas) texto_.append(c).append(u'\t');
    finDeLinea();
}

void EscritorResultados::finDeLinea() {
    texto_.append(u"\r\n");
    if (texto_.size() >= kVolcado) volcar();
}

bool EscritorResultados::volcar() {
    if (!error_.isEmpty()) return false;
    buffer_.truncate(0);
    codificador_.codificar(texto_, buffer_);
    texto_.truncate(0);
    if (!buffer_.isEmpty() && salida_.write(buffer_) != buffer_.size()) {
        error_ = salida_.errorString();
        if (error_.isEmpty()) error_ = QStringLiteral("No se pudo escribir el archivo");
    }
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
