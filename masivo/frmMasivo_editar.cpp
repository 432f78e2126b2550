// Correcting the grid: one input cell through an input box, inserting and
// removing rows, and the rule that follows the grid's row count. Every edit
// turns the unsaved-results marker on; none recalculates, so a corrected
// cell empties its row's results rather than leave the old ones beside it.

#include "masivo/frmMasivo.h"
#include "masivo/rejilla.h"
#include "platform/dialogos.h"
#include "reglas/texto.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

namespace vaviviv {

void frmMasivo::grdMasivo_DblClick() {
    const int fila = grdMasivo->Row();
    const int columna = grdMasivo->Col();
    // Titles and the two result columns are not typed in.
    if (fila < 1 || columna >= grdMasivo->Cols() - 2) return;
    const QString indicacion = QStringLiteral("Ingrese el valor ") +
                               RecortarEspacios(grdMasivo->TextMatrix(0, columna)).toString() + QStringLiteral(" :");
    const std::optional<QString> valor =
        PedirTexto(indicacion, kTituloDato,
                   RecortarEspacios(grdMasivo->TextMatrix(fila, columna)).toString());
    // Cancel gives no text: an input box cannot empty a cell.
    if (!valor || valor->isEmpty()) return;
    grdMasivo->setTextMatrix(fila, columna, *valor);
    // Stored or printed, they would pass for the result of the new value.
    grdMasivo->setTextMatrix(fila, grdMasivo->Cols() - 2, QString());
    grdMasivo->setTextMatrix(fila, grdMasivo->Cols() - 1, QString());
    cmdGuardar->setEnabled(true);
    cmdCalcular->setEnabled(true);
}

void frmMasivo::grdMasivo_MouseDown(int Button, int, int X, int Y) {
    if (Button == kBotonDerecho) MenuDeFila(X, Y);
}

// The right button, the context-menu key and Shift+F10 open it.
void frmMasivo::MenuDeFila(int X, int Y) {
    if (grdMasivo->Row() > 0) mnuEditar->popup(grdMasivo->mapToGlobal(QPoint(X, Y)));
}

void frmMasivo::grdMasivo_RowColChange() {
    const bool hayDatos = grdMasivo->Rows() > 1;
    grdMasivo->setFixedRows(hayDatos ? 1 : 0);
    for (QAction* informe : {mnuArchivoPreliminar, mnuArchivoImprimir}) informe->setEnabled(hayDatos);
    cmdImprimir->setEnabled(hayDatos);
    cmdCalcular->setEnabled(hayDatos);
}

// With the title row current the edit commands have no row to work on.
void frmMasivo::mnuEditarInsertar_Click() {
    const int fila = grdMasivo->Row();
    if (fila < 1) return;
    // The current cell keeps its number, and so lands on the new empty row.
    if (grdMasivo->Rows() - 1 < kMaximoRegistros) grdMasivo->AddItem(QString(), fila);
    cmdGuardar->setEnabled(true);
    cmdCalcular->setEnabled(true);
}

void frmMasivo::mnuEditarBorrar_Click() {
    const int fila = grdMasivo->Row();
    if (fila < 1) return;
    // The last data row stays.
    if (grdMasivo->Rows() - 1 > 1) grdMasivo->RemoveItem(fila);
    cmdGuardar->setEnabled(true);
    cmdCalcular->setEnabled(true);
}

}  // namespace vaviviv
