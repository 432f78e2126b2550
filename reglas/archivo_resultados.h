#pragma once
// Writing the bulk results file: a header chosen by the algorithm, then one
// line per grid row with every cell followed by a tab; CR LF; Windows-1252.

#include <QByteArray>
#include <QFileDevice>
#include <QIODevice>
#include <QString>
#include <QStringView>
#include <memory>
#include <span>

#include "reglas/codificacion.h"

namespace vaviviv {

QString CabeceraResultados(int codigo);

class EscritorResultados {
public:
    explicit EscritorResultados(QIODevice& salida);

    void escribirCabecera(int codigo);
    void escribirFila(std::span<const QString> celdas);
    void escribirFila(std::span<const QStringView> celdas);
    // Flushes what is buffered; false (see error()) if the device refused it.
    bool terminar();
    QString error() const { return error_; }
    int numero() const { return numero_; }  // errno of the failed write; 0 if none was left

private:
    void finDeLinea();
    bool volcar();

    QIODevice& salida_;
    CodificadorWindows1252 codificador_;
    QString texto_;  // lines not yet encoded
    QByteArray buffer_;
    QString error_;
    int numero_ = 0;
};

// Where a results file goes. A regular file (or a new name) is written to a
// temporary file and put in place only by confirmar(), so a failure leaves the
// earlier file intact and no partial file; a device or pipe is written directly
// (replacing it would destroy it), and so is an existing file in a folder that
// refuses new entries (the file itself may still be writable).
class DestinoResultados {
public:
    explicit DestinoResultados(const QString& ruta);
    ~DestinoResultados();

    bool abrir();  // false: see error()
    QIODevice& dispositivo() { return *archivo_; }
    bool confirmar();
    QString error() const;
    int numero() const { return numero_; }  // errno of the failed step; 0 if it left none

private:
    std::unique_ptr<QFileDevice> archivo_;
    QString error_;  // the reason of a failed confirmar()
    int numero_ = 0;
};

}  // namespace vaviviv
