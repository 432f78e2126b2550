// The smaller commands: printing, help, the bulk window, closing, and the
// menu entries that lead to them.

#include "principal/frmPrincipal.h"

#include <QPushButton>

namespace vaviviv {

// Not implemented yet: printing the window, the help viewer, the bulk
// window and the about box. Their buttons and menu entries are in place.
void frmPrincipal::cmdImprime_Click() {}
void frmPrincipal::cmndAyuda_Click() {}
void frmPrincipal::cmndMasivo_Click() {}
void frmPrincipal::mnuAyudaAcerca_Click() {}

// Only this window closes; nothing is asked or saved.
void frmPrincipal::cmdSalir_Click() { close(); }

// The menu prints even while the print button is disabled.
void frmPrincipal::mnuArchivoImprimir_Click() { cmdImprime_Click(); }
void frmPrincipal::mnuArchivoAbrir_Click() { cmndMasivo_Click(); }
void frmPrincipal::mnuArchivoSalir_Click() { cmdSalir->click(); }

}  // namespace vaviviv
