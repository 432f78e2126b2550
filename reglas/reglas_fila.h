#pragma once
// The bulk rules for one grid row (engine/fila.h) on the grid's text: the
// bulk window and vaviviv-cli reach them through CalcularFila, and the bulk
// calculation of a file calls CalcularFilaUtf8 on the bytes of an ASCII row as
// they stand.

#include <QString>
#include <QStringView>

#include "engine/fila.h"

namespace vaviviv {

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
