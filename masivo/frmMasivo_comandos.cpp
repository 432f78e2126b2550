// The open and store commands, which hand over to the file explorer, the
// printing and help commands, closing, and the way in from the main window.

#include "masivo/frmMasivo.h"
#include "masivo/informe_masivo.h"
#include "masivo/rejilla.h"
#include "reglas/calcular_referencia.h"
#include "platform/dialogos.h"
#include "platform/lista_algoritmos.h"
#include "platform/menu_ayuda.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <utility>

namespace vaviviv {

void frmMasivo::MostrarExplorador(const QString& accion) {
    if (!frmArchivo_) frmArchivo_ = new frmArchivo(*this, this);
    // A second command while it is open only changes its mode.
    if (!frmArchivo_->isVisible()) frmArchivo_->Form_Load();
    frmArchivo_->setAccion(accion);
    frmArchivo_->show();
    frmArchivo_->raise();
    frmArchivo_->activateWindow();
}

// Kept or cleared, the rows in the grid stay until the dialog loads a file;
// the file's rows are then appended.
void frmMasivo::cmdAbrir_Click() {
    PreguntarConservarDatos();
    MostrarExplorador(kModoAbrir);
}

// Until an algorithm is chosen the files wait, the keyboard in the list of
// algorithms; the window's indication already asks for one first.
void frmMasivo::AbrirAlElegir(const QStringList& rutas) {
    pendientes_ << rutas;
    AbrirPendientes();
    if (!pendientes_.isEmpty()) cboAlgoritmo->setFocus();
}

void frmMasivo::AbrirPendientes() {
    if (!cmdAbrir->isEnabled()) return;  // no algorithm, or one whose grid takes no file
    for (const QString& ruta : std::exchange(pendientes_, {})) {
        PreguntarConservarDatos();
        AbrirArchivo(*this, ruta);
    }
}

// The titles go too; the dialog writes them again before it loads. Results
// not yet stored are not wiped without asking: No leaves everything as it is.
void frmMasivo::mnuArchivoAbrir_Click() {
    if (grdMasivo->Rows() > 1 && !ContinuarSinSalvar()) return;
    grdMasivo->Clear();
    grdMasivo->setRows(1);
    grdMasivo_RowColChange();
    MostrarExplorador(kModoAbrir);
}

// Without an algorithm there is no header to write: said before a name is asked for.
void frmMasivo::cmdGuardar_Click() {
    if (!CodigoSeleccionado(*cboAlgoritmo)) {
        MostrarMensaje(MensajeSinAlgoritmo(), Icono::Critico);
        return;
    }
    MostrarExplorador(kModoAlmacenar);
}

// Always enabled: it also stores rows stored before, or not yet calculated.
void frmMasivo::mnuArchivoGuardar_Click() { cmdGuardar_Click(); }

// The report in a preview, from which the user prints it or not.
void frmMasivo::cmdImprimir_Click() {
    ImprimirInformeMasivo(*grdMasivo, *grdCriterios, cboAlgoritmo->currentText(), lblDigito->text());
}
void frmMasivo::mnuArchivoPreliminar_Click() { cmdImprimir_Click(); }
void frmMasivo::mnuArchivoImprimir_Click() {
    ImprimirInformeMasivo(*grdMasivo, *grdCriterios, cboAlgoritmo->currentText(), lblDigito->text(),
                          /*enImpresora=*/true);
}

void frmMasivo::cmdAyuda_Click() { MostrarAyudaAlgoritmo(*cboAlgoritmo, kTemaVentana); }

// Every way out (this button, Archivo > Salir, the title bar's close box)
// goes through closeEvent, which asks before unsaved results are lost.
void frmMasivo::cmdCerrar_Click() { close(); }

void frmMasivo::mnuArchivoSalir_Click() { cmdCerrar->click(); }

void frmMasivo::closeEvent(QCloseEvent* event) {
    if (!ContinuarSinSalvar()) {
        event->ignore();  // the window stays, and the main window waits with it
        return;
    }
    // The dialog works on this window's grid; it goes with it.
    if (frmArchivo_) frmArchivo_->close();
    if (principal_) principal_->setEnabled(true);
    event->accept();
}

frmMasivo* MostrarMasivo(QWidget* principal) {
    static QPointer<frmMasivo> unica;
    // A window closed a moment ago may still await its deletion.
    if (!unica || !unica->isVisible()) {
        unica = new frmMasivo(principal);
        // Closing it unloads it: a later call starts afresh.
        unica->setAttribute(Qt::WA_DeleteOnClose);
    }
    unica->show();
    unica->raise();
    unica->activateWindow();
    return unica;
}

}  // namespace vaviviv
