// What the entry fields let through as the user types, and what a change of
// their text does to the rest of the window.

#include "platform/teclas.h"
#include "reglas/texto.h"
#include "principal/frmPrincipal.h"

#include <QLineEdit>
#include <QPushButton>

namespace vaviviv {

namespace {

bool EsDigitoTecleado(int KeyAscii) { return KeyAscii >= '0' && KeyAscii <= '9'; }

}  // namespace

// Enter in any entry field presses the calculate button, focus unmoved.
bool frmPrincipal::EnterCalcula(int& KeyAscii) {
    if (KeyAscii != kTeclaEnter) return false;
    KeyAscii = 0;
    cmdCalcularReferencia->click();
    return true;
}

void frmPrincipal::txtReferenciaaCalcular_KeyPress(int& KeyAscii) { EnterCalcula(KeyAscii); }
void frmPrincipal::txtSucursal_KeyPress(int& KeyAscii) { EnterCalcula(KeyAscii); }
void frmPrincipal::txtCuenta_KeyPress(int& KeyAscii) { EnterCalcula(KeyAscii); }

void frmPrincipal::mskImporte_KeyPress(int& KeyAscii) {
    if (EnterCalcula(KeyAscii)) return;
    if (!EsDigitoTecleado(KeyAscii) && KeyAscii != '.' && KeyAscii != kTeclaRetroceso) KeyAscii = 0;
}

void frmPrincipal::mskFecha_KeyPress(int& KeyAscii) {
    if (EnterCalcula(KeyAscii)) return;
    if (!EsDigitoTecleado(KeyAscii) && KeyAscii != '/' && KeyAscii != kTeclaRetroceso) KeyAscii = 0;
}

// The result stays while only the reference changes; printing needs something
// other than spaces in it.
void frmPrincipal::txtReferenciaaCalcular_Change() {
    cmdImprime->setEnabled(!RecortarEspacios(txtReferenciaaCalcular->text()).isEmpty());
}

void frmPrincipal::txtSucursal_Change() { LimpiarResultados(); }
void frmPrincipal::txtCuenta_Change() { LimpiarResultados(); }
void frmPrincipal::mskImporte_Change() { LimpiarResultados(); }

}  // namespace vaviviv
