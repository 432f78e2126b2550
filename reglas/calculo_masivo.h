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
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

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
    qint64 errores = 0;  // rows without check digits
    std::vector<AvisoCaracter> avisos;
};

// A row's results take at most twice its input line (code 02 repeats a
// reference of any length in full) and this many bytes more: an error text
// and its character, the check digits, the tabs and CR LF.
inline constexpr qsizetype kMasPorFila = 96;

// One block of whole input lines into results lines.
class CalculoBloque {
public:
    CalculoBloque(int codigo, bool utf8);
    // Appends the block's results lines to `salida`; the rows are numbered on
    // from `cuentas.registros`.
    void calcular(std::string_view bloque, QByteArray& salida, CuentasMasivo& cuentas);

private:
    void filaGeneral(const LineaBytes& linea, CuentasMasivo& cuentas);
    std::string_view errorEnCodigo(std::string_view error);

    int codigo_;
    bool cincoColumnas_;
    DecodificadorCampos decodificador_;
    LineasResultados lineas_;
    CodificadorWindows1252 codificador_;
    QByteArray generales_;  // what lineas_ writes, moved to the block's output
    std::vector<std::pair<std::string_view, QByteArray>> errores_;  // error texts in the code page
};

struct ResumenMasivo {
    CuentasMasivo cuentas;    // avisos are handed to the caller as they are written, not kept
    QString errorLectura;     // empty: the input was read to its end
    QString errorEscritura;   // empty: every byte was written
    int numeroEscritura = 0;  // errno of the failed write
};

// Header and every record of `entrada` to `salida`, in order. `aviso` runs
// on the calling thread, in record order, once the rows before it are
// written. Stops at the first read or write failure, with everything before
// it written. `hilos`: threads that calculate while this one reads and writes
// (0: this one calculates too; -1: one per core beyond the first).
ResumenMasivo CalcularArchivo(int codigo, QIODevice& entrada, QIODevice& salida,
                              const std::function<void(const AvisoCaracter&)>& aviso, int hilos = -1);

}  // namespace vaviviv
