#pragma once
// Writing the bulk results file: a header chosen by the algorithm, then one
// line per grid row with every cell followed by a tab; CR LF; Windows-1252.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringView>
#include <span>
#include <string_view>

#include "reglas/codificacion.h"

namespace vaviviv {

QString CabeceraResultados(int codigo);

// The shape of a results line: each cell followed by a tab, then CR LF.
inline constexpr char kTrasCelda = '\t';
inline constexpr std::string_view kFinDeLinea = "\r\n";

// The lines of a results file, appended to bytes in the file's code page.
class LineasResultados {
public:
    explicit LineasResultados(QByteArray& destino) : destino_(destino) {}

    void cabecera(int codigo);
    void cabecera(QStringView titulos);  // tab-separated, as CabeceraResultados gives them
    void fila(std::span<const QString> celdas);
    void fila(std::span<const QStringView> celdas);

private:
    template <typename Celda>
    void agregar(std::span<const Celda> celdas);

    QByteArray& destino_;
    CodificadorWindows1252 codificador_;
};

class EscritorResultados {
public:
    explicit EscritorResultados(QIODevice& salida);

    void escribirCabecera(int codigo);
    void escribirCabecera(QStringView titulos);
    void escribirFila(std::span<const QString> celdas);
    void escribirFila(std::span<const QStringView> celdas);
    // Whole lines already in the code page.
    void escribirLineas(QByteArrayView lineas);
    // Flushes what is buffered; false (see error()) if the device refused it.
    bool terminar();
    QString error() const { return error_; }
    int numero() const { return numero_; }  // errno of the failed write; 0 if none was left

private:
    void tras();
    bool escribir(QByteArrayView bytes);

    QIODevice& salida_;
    QByteArray buffer_;
    LineasResultados lineas_{buffer_};
    QString error_;
    int numero_ = 0;
};

}  // namespace vaviviv
