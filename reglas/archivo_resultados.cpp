#include "reglas/archivo_resultados.h"

#include <cerrno>

#include "reglas/catalogo_textos.h"

namespace vaviviv {

namespace {

constexpr qsizetype kVolcado = 1 << 16;

}  // namespace

QString CabeceraResultados(int codigo) {
    // A code outside the catalogue gets the columns of a reference alone.
    const Algoritmo* algoritmo = BuscarAlgoritmo(codigo);
    QStringList columnas{QStringLiteral("Referencia")};
    columnas << NombresCampos(algoritmo ? algoritmo->entradas : Entradas::Referencia);
    columnas << QStringLiteral("Referencia Completa") << QStringLiteral("Dígito Verif");
    return columnas.join(u'\t');
}

void LineasResultados::cabecera(int codigo) { cabecera(CabeceraResultados(codigo)); }

void LineasResultados::cabecera(QStringView titulos) {
    codificador_.codificar(titulos, destino_);
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

void EscritorResultados::escribirCabecera(int codigo) { escribirCabecera(CabeceraResultados(codigo)); }

void EscritorResultados::escribirCabecera(QStringView titulos) {
    lineas_.cabecera(titulos);
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

}  // namespace vaviviv
