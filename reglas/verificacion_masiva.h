#pragma once
// Bulk verification: each line of an input file holds a complete reference
// (the reference followed by its check digits; then branch and account, or
// amount and date, as the bulk calculation's files hold them). The reference
// without its check digits goes through the bulk row rules, and the complete
// reference they give is compared with the one in the file. A file streams
// through the bulk calculation's blocks and threads, encodings and line ends.
//
// Results file: Windows-1252, CR LF, a tab after each cell: the reference as
// it stands in the file, "válida", "no válida" or the row's error text, and
// the complete reference the rules give (empty when they give none).

#include <QIODevice>
#include <QString>
#include <string>
#include <string_view>

#include "engine/fila.h"
#include "reglas/calculo_masivo.h"

namespace vaviviv {

inline constexpr std::string_view kValida = "válida";
inline constexpr std::string_view kNoValida = "no válida";

// What a complete reference of no more characters than the algorithm's check
// digits is told (lives as long as the program); nothing for a code outside
// the catalogue.
std::string_view TextoCompletaCorta(int codigo);

// The engine's verification of one record (c0: the complete reference as it
// stands in the file; c1, c2: the next two cells; valid UTF-8), a complete
// reference too short to hold the check digits told by TextoCompletaCorta.
Verificacion VerificarFilaUtf8(int codigo, std::string_view c0, std::string_view c1, std::string_view c2);
inline Verificacion VerificarFilaUtf8(const Algoritmo& algoritmo, std::string_view c0, std::string_view c1,
                                      std::string_view c2) {
    // Told as the one-reference command tells it, not as an empty reference.
    // A character takes one to four bytes: only a few lengths need counting.
    const std::string_view completa = RecortarEspacios(c0);
    const auto ancho = std::size_t(algoritmo.anchoResultado);
    if (completa.size() <= ancho || (completa.size() <= 4 * ancho && ContarCaracteres(completa) <= ancho)) {
        Verificacion corta;
        corta.estado = Verificacion::Estado::Error;
        corta.error = TextoCompletaCorta(algoritmo.codigo);
        return corta;
    }
    return Verificar(algoritmo, completa, c1, c2);
}

QString CabeceraVerificacion();

// Header and every record of `entrada` to `salida`, as CalcularArchivo does;
// cuentas.errores counts the rows with an error text.
ResumenMasivo VerificarArchivo(int codigo, QIODevice& entrada, QIODevice& salida, int hilos = -1, bool csv = false);

}  // namespace vaviviv
