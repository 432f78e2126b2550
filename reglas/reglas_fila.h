#pragma once
// The bulk rules for one grid row: trim, check in the fixed order per
// algorithm, call the routine, form the two result cells. One implementation
// on UTF-8 text: the bulk window and vaviviv-cli reach it through
// CalcularFila, and the bulk calculation of a file calls it on the bytes of
// an ASCII row as they stand.

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

namespace vaviviv {

struct FilaCalculada {
    enum class Desenlace {
        Calculada,         // cells: referencia + digitos, digitos
        Error,             // cells: error + caracter, empty
        CaracterNoValido,  // routines 35-37 refused `caracter`: both cells empty, the user is told
        Vacia,             // not a catalogue code: both cells empty
    };
    Desenlace desenlace = Desenlace::Vacia;
    std::string_view referencia;  // the first cell trimmed (a view into it)
    std::string_view error;       // lives as long as the program
    std::string caracter;         // one character, UTF-8 (code 02's is part of its error text)
    std::string digitos;
};

// c0..c2: the row's first three cells as they stand (reference, then
// branch/account or amount/date), valid UTF-8.
FilaCalculada CalcularFilaUtf8(int codigo, std::string_view c0, std::string_view c1, std::string_view c2);

struct ResultadoFila {
    QString resultado;  // "Referencia Completa" cell: reference + digits, or an error text
    QString digitos;    // "Dígito Verificador" cell
    // Non-empty when routine 35, 36 or 37 rejected a character: both cells are
    // empty and the caller tells the user (MensajeCaracterNoValido).
    QString caracterNoValido;
};

// The same rules on a grid row's text.
ResultadoFila CalcularFila(int codigo, QStringView col0, QStringView col1, QStringView col2);

}  // namespace vaviviv
