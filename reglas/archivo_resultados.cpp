#include "reglas/archivo_resultados.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>


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

void LineasResultados::cabecera(int codigo) {
    codificador_.codificar(CabeceraResultados(codigo), destino_);
    destino_.append(kFinDeLinea.data(), qsizetype(kFinDeLinea.size()));
}

template <typename Celda>
void LineasResultados::agregar(std::span<const Celda> celdas) {
    for (const Celda& c : celdas) {
        codificador_.codificar(c, destino_);
        destino_.append(kTrasCelda);
    }
    destino_.append(kFinDeLinea.data(), qsizetype(kFinDeLinea.size()));
}

void LineasResultados::fila(std::span<const QString> celdas) { agregar(celdas); }
void LineasResultados::fila(std::span<const QStringView> celdas) { agregar(celdas); }

EscritorResultados::EscritorResultados(QIODevice& salida) : salida_(salida) { buffer_.reserve(kVolcado + 4096); }

void EscritorResultados::escribirCabecera(int codigo) {
    lineas_.cabecera(codigo);
    tras();
}

void EscritorResultados::escribirFila(std::span<const QString> celdas) {
    lineas_.fila(celdas);
    tras();
}

void EscritorResultados::escribirFila(std::span<const QStringView> celdas) {
    lineas_.fila(celdas);
    tras();
}

void EscritorResultados::tras() {
    if (buffer_.size() >= kVolcado) terminar();
}

void EscritorResultados::escribirLineas(QByteArrayView lineas) {
    if (buffer_.size() + lineas.size() < kVolcado) {
        buffer_.append(lineas);
        return;
    }
    if (terminar()) escribir(lineas);
}

bool EscritorResultados::escribir(QByteArrayView bytes) {
    if (!error_.isEmpty()) return false;
    // A short write is not a failure yet: the rest is offered again, and the
    // write that does fail comes with the system's reason (a full disk first
    // shows as a short write, with no reason at all).
    for (qsizetype escritos = 0; escritos < bytes.size();) {
        errno = 0;
        const qint64 n = salida_.write(bytes.data() + escritos, bytes.size() - escritos);
        if (n <= 0) {
            numero_ = errno;
            error_ = salida_.errorString();
            if (error_.isEmpty()) error_ = QStringLiteral("No se pudo escribir el archivo");
            return false;
        }
        escritos += n;
    }
    return true;
}

bool EscritorResultados::terminar() {
    const bool escrito = escribir(buffer_);
    buffer_.truncate(0);
    return escrito;
}

DestinoResultados::DestinoResultados(const QString& ruta) {
    const QFileInfo info(ruta);
    if (info.exists() && !info.isFile() && !info.isDir())
        archivo_ = std::make_unique<QFile>(ruta);
    else {
        auto guardado = std::make_unique<QSaveFile>(ruta);
        guardado->setDirectWriteFallback(true);
        archivo_ = std::move(guardado);
    }
}

DestinoResultados::~DestinoResultados() = default;

// Unbuffered: the writer keeps its own buffer and offers a short write again,
// so that a failing write comes with the system's reason; Qt's buffer would
// meet the short write at flush and lose it.
// errno is read before anything else runs: Qt keeps only its own category.
bool DestinoResultados::abrir() {
    errno = 0;
    const bool abierto = archivo_->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    numero_ = abierto ? 0 : errno;
    return abierto;
}

bool DestinoResultados::confirmar() {
    // Flushed first, so that a failure keeps its reason: commit() and close()
    // forget it.
    errno = 0;
    if (!archivo_->flush()) {
        numero_ = errno;
        error_ = archivo_->errorString();
        return false;
    }
    if (auto* guardado = dynamic_cast<QSaveFile*>(archivo_.get())) {
        if (guardado->commit()) return true;
        numero_ = errno;
        error_ = guardado->errorString();
        return false;
    }
    archivo_->close();
    numero_ = errno;
    error_ = archivo_->error() == QFileDevice::NoError ? QString() : archivo_->errorString();
    return error_.isEmpty();
}

QString DestinoResultados::error() const { return error_.isEmpty() ? archivo_->errorString() : error_; }

}  // namespace vaviviv
