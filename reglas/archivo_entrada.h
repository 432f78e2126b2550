#pragma once
// Reading the bulk input file: one record per line, up to three tab-separated
// fields. CR LF, CR and a lone LF each end a line (LF then CR is two ends); a
// line end at the very end adds no record. A file that starts with the UTF-8
// byte-order mark is UTF-8; every other one is Windows-1252. Streams: memory
// holds one chunk and the current line, whatever the file size; a line longer
// than kLineaMaxima characters is no record, and reading stops there.

#include <QIODevice>
#include <QString>
#include <QStringDecoder>
#include <array>

namespace vaviviv {

inline constexpr qsizetype kLineaMaxima = qsizetype(1) << 23;  // 8,388,608

struct Registro {
    std::array<QString, 3> campos;  // fields past the third are dropped
};

class LectorEntrada {
public:
    explicit LectorEntrada(QIODevice& entrada);

    // The next record; false at the end of the input or when reading failed.
    bool siguiente(Registro& registro);
    // Why reading failed (the device's error text, or a line too long); empty otherwise.
    QString error() const { return error_; }

private:
    bool rellenar();
    bool demasiadoLarga(qsizetype largo);
    void partir(QStringView linea, Registro& registro) const;

    QIODevice& entrada_;
    QStringDecoder decodificador_;  // Windows-1252 files
    bool utf8_ = false;
    QByteArray arrastre_;           // UTF-8: an incomplete sequence at the end of the last chunk
    bool inicio_ = true;
    bool fin_ = false;
    bool crPendiente_ = false;  // last chunk ended in CR: a following LF belongs to it
    QString pendiente_;         // decoded text not yet handed out
    qsizetype posicion_ = 0;   // start of the next line in pendiente_
    qsizetype explorado_ = 0;  // pendiente_ holds no line end before this
    qsizetype pares_ = 0;      // surrogate pairs in the current line up to explorado_
    qint64 lineas_ = 0;        // records handed out so far
    QString error_;
};

}  // namespace vaviviv
