#pragma once
// The bulk calculation of a whole input file into a results file, as
// vaviviv-cli runs it, for files of any size: blocks of whole lines are
// calculated on every core and written in their order; memory holds a few
// blocks of bounded size, whatever the file.
//
// An ASCII row (most rows: references are digits and letters) goes from the
// bytes of the file to the bytes of the results without decoding, encoding
// or allocating; any other row is decoded and written as the bulk window
// would. Both call the same row rules, and both give the same bytes.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/catalogo.h"
#include "reglas/archivo_entrada.h"
#include "reglas/archivo_resultados.h"

namespace vaviviv {

// A row whose reference routine 35, 36 or 37 refused: its number (the first
// record is 1) and the character, to tell the user.
struct AvisoCaracter {
    qint64 registro;
    QString caracter;
};

struct CuentasMasivo {
    qint64 registros = 0;
    qint64 errores = 0;    // rows without check digits (verification: rows with an error text)
    qint64 noValidas = 0;  // verification: rows whose check digits are not the calculated ones
    std::vector<AvisoCaracter> avisos;
};

// A row's results take at most twice its input line (code 02 repeats a
// reference of any length in full) and this many bytes more: an error text
// and its character, the check digits, the tabs and CR LF.
inline constexpr qsizetype kMasPorFila = 96;

// Blocks of whole input lines into results lines: each calculating thread
// makes its own, for the file's encoding.
class CalculoDeBloques {
public:
    virtual ~CalculoDeBloques() = default;
    // Appends the block's results lines to `salida`; the rows are numbered on
    // from `cuentas.registros`.
    virtual void calcular(std::string_view bloque, QByteArray& salida, CuentasMasivo& cuentas) = 0;
};

// A calculation for a file: utf8 says whether the file is UTF-8, separador
// is '\t' or a CSV file's.
using FabricaCalculo = std::function<std::unique_ptr<CalculoDeBloques>(bool utf8, char separador)>;

// Splits a block's records as its file's separator says.
class PartidorBloque {
public:
    explicit PartidorBloque(char separador) {
        if (separador != '\t') csv_.emplace(separador);
    }
    // Each record of `bloque` to `fila`; the tab-separated loop stays apart,
    // as fast as it ever was.
    template <typename Fila>
    void recorrer(std::string_view bloque, Fila&& fila) {
        const char* p = bloque.data();
        const char* const fin = p + bloque.size();
        if (csv_)
            while (p < fin) fila((*csv_)(p, fin));
        else
            while (p < fin) fila(PartirLinea(p, fin));
    }

private:
    std::optional<PartidorCsv> csv_;
};

// Texts that live as long as the program (the error texts), each put in the
// results' code page once.
class TextosEnCodigo {
public:
    std::string_view operator()(std::string_view texto);

private:
    CodificadorWindows1252 codificador_;
    std::vector<std::pair<std::string_view, QByteArray>> textos_;
};

// The bulk calculation's blocks.
class CalculoBloque final : public CalculoDeBloques {
public:
    CalculoBloque(int codigo, bool utf8, char separador = '\t');
    void calcular(std::string_view bloque, QByteArray& salida, CuentasMasivo& cuentas) override;

private:
    void filaGeneral(const LineaBytes& linea, CuentasMasivo& cuentas);

    int codigo_;
    const Algoritmo* algoritmo_;  // null for a code outside the catalogue: empty rows
    bool cincoColumnas_;
    DecodificadorCampos decodificador_;
    PartidorBloque partidor_;
    LineasResultados lineas_;
    QByteArray generales_;  // what lineas_ writes, moved to the block's output
    TextosEnCodigo enCodigo_;
};

struct ResumenMasivo {
    CuentasMasivo cuentas;    // avisos are handed to the caller as they are written, not kept
    QString errorLectura;     // empty: the input was read to its end
    QString errorEscritura;   // empty: every byte was written
    int numeroEscritura = 0;  // errno of the failed write
};

// The most results bytes a block can give, for any calculation that keeps
// to kMasPorFila.
qsizetype CotaResultados(std::string_view bloque);

// Bytes appended through a pointer: a row costs no bookkeeping of the array.
class Cursor {
public:
    Cursor(QByteArray& destino, qsizetype previsto) : destino_(destino), usado_(destino.size()) {
        destino_.reserve(usado_ + previsto);  // just that: resize() alone may take up to twice
        destino_.resize(usado_ + previsto);
        p_ = destino_.data() + usado_;
        fin_ = destino_.data() + destino_.size();
    }
    ~Cursor() { destino_.truncate(p_ - destino_.data()); }
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    void asegurar(std::size_t n) {
        if (std::size_t(fin_ - p_) >= n) return;
        const qsizetype usado = p_ - destino_.data();
        destino_.resize(std::max(2 * destino_.size(), usado + qsizetype(n)));
        p_ = destino_.data() + usado;
        fin_ = destino_.data() + destino_.size();
    }
    void poner(std::string_view s) {
        const std::size_t n = s.size();
        const char* o = s.data();
        // Cells are a few bytes: two overlapping words, not a call, copy them.
        if (n >= 8 && n <= 16) {
            Palabra<std::uint64_t>(o, n);
        } else if (n >= 4 && n < 8) {
            Palabra<std::uint32_t>(o, n);
        } else if (n > 0 && n < 4) {
            p_[0] = o[0];
            p_[n / 2] = o[n / 2];
            p_[n - 1] = o[n - 1];
        } else if (n > 16) {  // an empty view's data may be null, which memcpy may not take
            std::memcpy(p_, o, n);
        }
        p_ += n;
    }
    void poner(char c) { *p_++ = c; }
    // Check digits or a character, a few bytes, one at a time: a word-wide
    // copy would read past the small text that holds them.
    void ponerCorto(std::string_view s) {
        for (const char c : s) *p_++ = c;
    }

private:
    // The n bytes at o (sizeof(T) <= n <= 2 sizeof(T)) as the first and last word.
    template <typename T>
    void Palabra(const char* o, std::size_t n) {
        T a, b;
        std::memcpy(&a, o, sizeof a);
        std::memcpy(&b, o + n - sizeof b, sizeof b);
        std::memcpy(p_, &a, sizeof a);
        std::memcpy(p_ + n - sizeof b, &b, sizeof b);
    }

    QByteArray& destino_;
    qsizetype usado_;
    char* p_;
    char* fin_;
};

// Each record of `bloque` onto `salida`, counted: a row with anything but
// ASCII is written by `general` into a buffer of its own, which is copied; an
// ASCII row by `ascii`, straight onto the cursor.
template <typename General, typename Ascii>
void EscribirBloque(PartidorBloque& partidor, std::string_view bloque, QByteArray& salida, CuentasMasivo& cuentas,
                    General&& general, Ascii&& ascii) {
    // Room for the most the block can give, taken once: the cursor grows only
    // for a block of more lines than the reader hands out.
    Cursor cursor(salida, CotaResultados(bloque));
    partidor.recorrer(bloque, [&](const LineaBytes& linea) {
        ++cuentas.registros;
        if (!linea.ascii) {
            const QByteArray& escrito = general(linea);
            cursor.asegurar(std::size_t(escrito.size()));
            cursor.poner(std::string_view(escrito.constData(), std::size_t(escrito.size())));
            return;
        }
        ascii(linea, cursor);
    });
}

// `cabecera` and every record of `entrada`, as `fabrica`'s calculations make
// them, to `salida` in order; the blocks, threads, failures, `aviso` and
// `csv` as CalcularArchivo below.
ResumenMasivo ProcesarArchivo(QIODevice& entrada, QIODevice& salida, const QString& cabecera, const FabricaCalculo& fabrica,
                              const std::function<void(const AvisoCaracter&)>& aviso, int hilos = -1, bool csv = false);

// Header and every record of `entrada` to `salida`, in order. `aviso` runs
// on the calling thread, in record order, once the rows before it are
// written. Stops at the first read or write failure, with everything before
// it written. `hilos`: threads that calculate while this one reads and writes
// (0: this one calculates too; -1: one per core beyond the first). `csv`:
// the input is a CSV file.
ResumenMasivo CalcularArchivo(int codigo, QIODevice& entrada, QIODevice& salida,
                              const std::function<void(const AvisoCaracter&)>& aviso, int hilos = -1, bool csv = false);

}  // namespace vaviviv
