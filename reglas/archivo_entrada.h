#pragma once
// Reading the bulk input file: one record per line, up to three tab-separated
// fields. CR LF, CR and a lone LF each end a line (LF then CR is two ends); a
// line end at the very end adds no record. A file that starts with the UTF-8
// byte-order mark is UTF-8; every other one is Windows-1252. Streams: memory
// holds one read and the line being read, whatever the file size; a line
// longer than kLineaMaxima characters is no record, and reading stops there.
//
// Lines and fields are found on the bytes (a tab, CR or LF byte is never
// part of a longer character in either encoding); only fields holding a byte
// of 0x80 or more need decoding.
//
// A CSV file (its name ends in ".csv") is the same but for its records: the
// first says the separator (';' if it holds one outside quotes, else ','); a
// field that opens with a double quote runs to the quote that closes it, a
// doubled quote inside standing for one and line ends inside kept in the
// field (what follows the closing quote up to the separator is kept as it
// stands). The limit counts a record's characters as they stand in the file.

#include <QIODevice>
#include <QString>
#include <QStringDecoder>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace vaviviv {

// A record is a few dozen characters. The limit is the longest line whose
// characters, and a tab after them, a 16-bit signed count can number.
inline constexpr qsizetype kLineaMaxima = 32766;
inline constexpr qsizetype kBloqueEntrada = qsizetype(1) << 16;

// Why reading stopped early: a line past the limit (the one after those read).
QString MensajeLineaLarga(qint64 linea);

// Whether the file of that name is read as CSV.
bool EsArchivoCsv(QStringView ruta);

// The input as blocks of whole lines; the last line of the input may lack its end.
class LectorBloques {
public:
    // `lectura`: bytes a read asks for; `lineas`: at most so many lines (CSV:
    // records) a block.
    explicit LectorBloques(QIODevice& entrada, qsizetype lectura = kBloqueEntrada,
                           qsizetype lineas = std::numeric_limits<qsizetype>::max(), bool csv = false);

    // The next block (replaces `bloque`'s bytes, keeps its storage); false at
    // the end of the input or when reading failed, once every line before the
    // failure has been handed out.
    bool siguiente(QByteArray& bloque);
    bool utf8() const { return utf8_; }  // known once the first block is out
    char separador() const { return separador_; }  // '\t', or a CSV file's; known as utf8()
    // Why reading failed, once siguiente() has said so, `lineas` being the
    // lines handed out: the device's reason, or the line after them past the
    // limit; empty otherwise.
    QString error(qint64 lineas) const;

private:
    void leer();
    bool siguienteCsv(QByteArray& bloque);
    // The next `bytes` pending into `bloque`, handed out.
    bool entregar(QByteArray& bloque, qsizetype bytes);

    QIODevice& entrada_;
    qsizetype lectura_;
    qsizetype lineas_;
    QByteArray pendiente_;     // bytes read and not handed out, from entregados_ on
    qsizetype entregados_ = 0;
    qsizetype enteras_ = 0;    // pendiente_ holds whole lines up to here
    bool inicio_ = true;
    bool parado_ = false;      // nothing more to read: the end of the input, a failed read or a line too long
    bool agotado_ = false;     // siguiente() has returned false
    bool utf8_ = false;
    bool lineaLarga_ = false;
    char separador_;           // 0: a CSV file's, not yet known
    QString errorDispositivo_;
};

// One line's first three fields (past the third, fields are dropped) and
// whether they are all ASCII.
struct LineaBytes {
    std::array<std::string_view, 3> campos;
    bool ascii = true;
};

namespace detalle {
// Where the first byte below 0x0E (tab, LF, CR or another control) lies in
// the eight bytes at `p`, 8 if none; `alto` gathers the bytes before it. A
// field is a dozen bytes: looking at eight at a time halves a bulk run's
// splitting. Exact for the lowest such byte (the borrow of the subtraction
// only reaches upwards), and bytes of 0x80 or more are never taken for one.
inline std::size_t OchoSinControl(const char* p, std::uint64_t& alto) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    constexpr std::uint64_t kUnos = ~std::uint64_t(0) / 255;
    const std::uint64_t bajos = (w - kUnos * 0x0E) & ~w & (kUnos * 0x80);
    if (bajos == 0) {
        alto |= w;
        return 8;
    }
    const auto k = std::size_t(std::countr_zero(bajos) / 8);
    alto |= w & ((std::uint64_t(1) << (8 * k)) - 1);  // k < 8 here
    return k;
}
}  // namespace detalle

// The line that starts at `p` (p < fin); leaves `p` past its end.
inline LineaBytes PartirLinea(const char*& p, const char* const fin) {
    LineaBytes linea;
    std::uint64_t alto = 0;
    std::size_t campo = 0;
    const char* inicio = p;
    while (p < fin) {
        if constexpr (std::endian::native == std::endian::little) {
            std::size_t k = 8;
            while (k == 8 && fin - p >= 8) p += (k = detalle::OchoSinControl(p, alto));
            if (p == fin) break;
        }
        const auto c = static_cast<unsigned char>(*p);
        if (c > '\r') {
            alto |= c;
        } else if (c == '\t') {
            linea.campos[campo++] = {inicio, std::size_t(p - inicio)};
            inicio = p + 1;
            if (campo == 3) {
                while (p < fin && *p != '\n' && *p != '\r') ++p;
                break;
            }
        } else if (c == '\n' || c == '\r') {
            break;
        }
        ++p;
    }
    if (campo < 3) linea.campos[campo] = {inicio, std::size_t(p - inicio)};
    if (p < fin) p += (*p == '\r' && p + 1 < fin && p[1] == '\n') ? 2 : 1;
    linea.ascii = (alto & ~std::uint64_t(0) / 255 * 0x80) == 0;
    return linea;
}

// A CSV record's first three fields, its quotes undone, as PartirLinea: a
// quoted field's text is kept here, up to the next record.
class PartidorCsv {
public:
    explicit PartidorCsv(char separador) : separador_(separador) {}
    LineaBytes operator()(const char*& p, const char* fin);

private:
    char separador_;
    std::array<std::string, 3> citados_;
};

// A field's text in the file's encoding.
class DecodificadorCampos {
public:
    explicit DecodificadorCampos(bool utf8);
    QString operator()(std::string_view campo, bool ascii);

private:
    bool utf8_;
    QStringDecoder windows1252_;
};

struct Registro {
    std::array<QString, 3> campos;  // fields past the third are dropped
};

// Record by record, decoded.
class LectorEntrada {
public:
    explicit LectorEntrada(QIODevice& entrada, bool csv = false);

    // The next record; false at the end of the input or when reading failed.
    bool siguiente(Registro& registro);
    // Why reading failed (the device's error text, or a line too long), once
    // siguiente() has said so; empty otherwise.
    QString error() const;

private:
    LectorBloques bloques_;
    QByteArray bloque_;
    const char* siguiente_ = nullptr;  // the lines of bloque_ not handed out yet
    const char* fin_ = nullptr;
    std::optional<DecodificadorCampos> decodificador_;
    std::optional<PartidorCsv> csv_;
    qint64 lineas_ = 0;
};

}  // namespace vaviviv
