// The smaller commands: printing, help, the bulk window, closing, and the
// menu entries that lead to them.

#include "principal/frmPrincipal.h"

#include "masivo/frmMasivo.h"

#include "platform/dialogos.h"
#include "platform/impresion.h"
#include "platform/menu_ayuda.h"

#include <QComboBox>
#include <QPushButton>

namespace vaviviv {

namespace {

const QString kTituloImpresion = QStringLiteral("Digito KIV");

}  // namespace

// An image of the window on the default printer. An error is offered for
// retry until it prints or the user cancels.
void frmPrincipal::cmdImprime_Click() {
    for (;;) {
        const std::optional<ErrorImpresion> error = ImprimirVentana(*this);
        if (!error) break;
        if (MostrarMensaje(TextoDeError(error->numero, error->descripcion), Icono::Ninguno, Botones::ReintentarCancelar, kTituloImpresion) !=
            Respuesta::Reintentar)
            return;
    }
    MostrarMensaje(QString::fromUtf8("Impresión Terminada !!!"), Icono::Exclamacion, Botones::Aceptar,
                   kTituloImpresion);
}

void frmPrincipal::cmndAyuda_Click() { MostrarAyudaAlgoritmo(*cboAlgoritmo, kTemaVentana); }

// Not modal, one instance: a second press brings it forward.
void frmPrincipal::cmndMasivo_Click() { MostrarMasivo(this); }
void frmPrincipal::AbrirArchivos(const QStringList& rutas) { MostrarMasivo(this)->AbrirAlElegir(rutas); }

// Only this window closes; nothing is asked or saved.
void frmPrincipal::cmdSalir_Click() { close(); }

// The menu prints even while the print button is disabled.
void frmPrincipal::mnuArchivoImprimir_Click() { cmdImprime_Click(); }
void frmPrincipal::mnuArchivoAbrir_Click() { cmndMasivo_Click(); }
void frmPrincipal::mnuArchivoSalir_Click() { cmdSalir->click(); }

}  // namespace vaviviv
