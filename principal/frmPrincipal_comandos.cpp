// The smaller commands: printing, help, the bulk window, closing, and the
// menu entries that lead to them.

#include "principal/frmPrincipal.h"

#include "masivo/frmMasivo.h"

#include "platform/ayuda.h"
#include "platform/dialogos.h"
#include "platform/impresion.h"
#include "platform/lista_algoritmos.h"

#include <QComboBox>
#include <QPushButton>

namespace vaviviv {

namespace {

const QString kTituloImpresion = QStringLiteral("Digito KIV");
constexpr int kTemaVentanaPrincipal = 101;
constexpr int kTemaEdicion = 102;

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

// The viewer opens beside the window; nothing waits for it.
void frmPrincipal::cmndAyuda_Click() {
    MostrarAyudaVentana(kAyudaTema, ContextoDeAlgoritmo(CodigoSeleccionado(*cboAlgoritmo), kTemaVentanaPrincipal));
}

// Not modal, one instance: a second press brings it forward.
void frmPrincipal::cmndMasivo_Click() { MostrarMasivo(this); }

void frmPrincipal::mnuAyudaContenido_Click() { MostrarAyudaVentana(kAyudaContenido); }
void frmPrincipal::mnuAyudaUso_Click() { MostrarAyudaVentana(kAyudaUso); }
void frmPrincipal::mnuAyudaEdicion_Click() { MostrarAyudaVentana(kAyudaTema, kTemaEdicion); }
void frmPrincipal::mnuAyudaDespliegue_Click() { MostrarAyudaVentana(kAyudaTema, kTemaVentanaPrincipal); }
void frmPrincipal::mnuAyudaCalculo_Click() { cmndAyuda_Click(); }

// A modal box: the window is usable again as soon as it closes.
void frmPrincipal::mnuAyudaAcerca_Click() { MostrarAcercaDe(); }

// Only this window closes; nothing is asked or saved.
void frmPrincipal::cmdSalir_Click() { close(); }

// The menu prints even while the print button is disabled.
void frmPrincipal::mnuArchivoImprimir_Click() { cmdImprime_Click(); }
void frmPrincipal::mnuArchivoAbrir_Click() { cmndMasivo_Click(); }
void frmPrincipal::mnuArchivoSalir_Click() { cmdSalir->click(); }

}  // namespace vaviviv
