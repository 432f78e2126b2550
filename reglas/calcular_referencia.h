#pragma once
// The main window's calculate command without the window: the field checks in
// their fixed order per algorithm, the date preparation for algorithm 10, the
// call of the routine and the reading of its answer. The window shows the
// messages (critical icon, OK, application title) one after another, then puts
// the focus on `foco`, and writes the results only when `correcto()`.

#include <QString>
#include <QStringList>
#include <optional>

namespace vaviviv {

// The entry fields, as the user left them (nothing trimmed).
struct DatosPrincipal {
    QString referencia;  // txtReferenciaaCalcular
    QString sucursal;    // txtSucursal
    QString cuenta;      // txtCuenta
    QString importe;     // mskImporte
    QString fecha;       // mskFecha
};

enum class Campo { Ninguno, Referencia, Sucursal, Cuenta, Importe, Fecha };

struct Validacion {
    QStringList mensajes;        // in the order shown; code 02 can show two
    Campo foco = Campo::Ninguno;
    bool valido() const { return mensajes.isEmpty(); }
};

// The checks of one algorithm, run after "an algorithm is chosen" and "the
// reference is not empty" (codes other than 06) have passed.
Validacion ValidarDatos(int codigo, const DatosPrincipal& datos);

// Algorithm 10's date made DD/MM/AAAA for the routine; nullopt when the text
// cannot be brought to that shape.
std::optional<QString> PrepararFecha(const QString& fecha);

struct CalculoPrincipal {
    QStringList mensajes;         // to show, in order (empty on success)
    Campo foco = Campo::Ninguno;  // where the focus goes afterwards; Ninguno: unchanged
    QString referenciaCompleta;   // reference as typed + digits
    QString digitos;              // empty unless the calculation succeeded
    bool correcto() const { return !digitos.isEmpty(); }
};

// The whole command: `codigo` is the chosen algorithm, nullopt when none is.
// A code outside the catalogue, once a non-empty reference is there, does
// nothing (no message, no result).
CalculoPrincipal CalcularReferencia(std::optional<int> codigo, const DatosPrincipal& datos);

// Every command that needs an algorithm says this when none is chosen.
QString MensajeSinAlgoritmo();

// Text of the box for a character routines 35, 36 and 37 cannot use.
QString MensajeCaracterNoValido(const QString& caracter);

}  // namespace vaviviv
