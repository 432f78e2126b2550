#pragma once
// Where a results file goes, and how it gets there without losing the file
// that was there before.
//
// - A regular file or a new name: the results go to a temporary file beside
//   it, which takes the earlier file's mode and owner and replaces it by
//   rename only once every byte is written and synced. Until then the earlier
//   file stays as it was; a kill leaves it too.
// - A regular file whose folder refuses new entries (the file itself may
//   still be writable): the whole results are made first in the system's
//   temporary folder; then, holding an advisory lock on the file (runs take
//   turns), its final size is reserved (a full disk fails here, with the file
//   untouched) and only then is it overwritten and cut to size. A failure
//   after that point is told: sobrescrito().
// - A device, FIFO or socket is written as it is: replacing it would destroy
//   it. So is a name for an open descriptor (/dev/stdout, /dev/fd/N,
//   /proc/self/fd/N): the caller's descriptor, at its current offset.
// - A name ending in .xlsx gets a workbook (reglas/libro_resultados.h) made
//   from what is written, by the same steps as a regular file; a device or a
//   descriptor is refused for it.
//
// Paths are bytes: a name need not be valid UTF-8.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

#include "reglas/libro_resultados.h"

namespace vaviviv {

enum class TipoDestino {
    Archivo,      // a regular file or a name not taken yet (or anything open() will refuse)
    Descriptor,   // a name for a descriptor of this process
    Dispositivo,  // a character or block device, a FIFO, a socket
};

struct Destino {
    TipoDestino tipo = TipoDestino::Archivo;
    int descriptor = -1;  // Descriptor: its number
    QByteArray ruta;      // Archivo: the file itself once links are followed; otherwise the name given
};

Destino ClasificarDestino(const QByteArray& ruta);

// A file whose bytes are sent on to the disk every few megabytes as they are
// written, so that the sync before a rename waits for the last stretch alone,
// not for the whole results after the calculation is over.
class ArchivoAlDisco : public QFile {
public:
    void enviarAlEscribir(bool si) { enviar_ = si; }

protected:
    qint64 writeData(const char* datos, qint64 n) override;

private:
    bool enviar_ = false;
    qint64 escritos_ = 0;
    qint64 enviados_ = 0;
};

class DestinoResultados {
public:
    // esperarBloqueo: whether an in-place rewrite waits for another holder
    // of the file's lock (a command line does) or fails at once as busy (a
    // window must not freeze).
    explicit DestinoResultados(const QByteArray& ruta, bool esperarBloqueo = true);
    explicit DestinoResultados(const QString& ruta, bool esperarBloqueo = true);
    ~DestinoResultados();
    DestinoResultados(const DestinoResultados&) = delete;
    DestinoResultados& operator=(const DestinoResultados&) = delete;

    bool abrir();  // false: see numero() and error()
    QIODevice& dispositivo() { return libro_ ? static_cast<QIODevice&>(*libro_) : archivo_; }
    bool confirmar();
    QString error() const { return error_; }
    int numero() const { return numero_; }  // errno of the failed step; 0 if it left none
    // After a failed confirmar(): the earlier file was already partly overwritten.
    bool sobrescrito() const { return sobrescrito_; }
    bool enSitio() const { return destinoFd_ >= 0; }
    Destino destino() const { return destino_; }
    // The named temporary file until confirmar() renames it; empty if there is none.
    const QByteArray& temporal() const { return temporal_; }

private:
    bool fallo(int numero);
    bool fallo(const QString& texto, int numero = 0);
    bool abrirTemporal();
    bool abrirEnSitio();
    bool reemplazar();
    bool sobrescribir();

    Destino destino_;
    bool esLibro_;
    bool esperarBloqueo_;
    int fd_ = -1;         // where the results are written
    int destinoFd_ = -1;  // in place: the file to overwrite
    QByteArray temporal_;  // a named temporary file not yet renamed
    ArchivoAlDisco archivo_;
    std::unique_ptr<LibroResultados> libro_;  // a workbook: what is written goes through it to fd_
    QString error_;
    int numero_ = 0;
    bool sobrescrito_ = false;
};

// What a message adds when a failed store had already overwritten part of the earlier file.
QString AvisoArchivoSobrescrito();

}  // namespace vaviviv
