#pragma once
// The bulk rules for one grid row: trim, check in the fixed order per
// algorithm, call the routine, form the two result cells. Shared by the bulk
// window and the command-line tool so both give the same outcome text.

#include <QString>
#include <QStringView>

namespace vaviviv {

struct ResultadoFila {
    QString resultado;  // "Referencia Completa" cell: reference + digits, or an error text
    QString digitos;    // "Dígito Verificador" cell
    // Non-empty when routine 35, 36 or 37 rejected a character: both cells are
    // empty and the caller tells the user (MensajeCaracterNoValido).
    QString caracterNoValido;
};

// col0..col2: the row's first three cells as they stand (reference, then
// branch/account or amount/date). `codigo` must be a catalogue code; any other
// gives two empty cells.
ResultadoFila CalcularFila(int codigo, QStringView col0, QStringView col1, QStringView col2);

}  // namespace vaviviv
