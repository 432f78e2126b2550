// The grid and the clipboard, in the form spreadsheets paste into cells and
// copy out of them; files dropped on the window.

#include "masivo/frmMasivo.h"
#include "masivo/rejilla.h"
#include "platform/dialogos.h"
#include "reglas/calcular_referencia.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <set>

namespace vaviviv {

namespace {

// A cell that holds a tab or a line end would split on pasting: quoted, as
// spreadsheets quote it, inner quotes doubled.
QString CeldaCopiada(const QString& celda) {
    const bool partiria = celda.contains(u'\t') || celda.contains(u'\n') || celda.contains(u'\r') ||
                          celda.startsWith(u'"');
    if (!partiria) return celda;
    QString citada = celda;
    citada.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + citada + u'"';
}

// The names the file explorer lists, matched as it matches them (case aside).
bool EsArchivoDeEntrada(const QString& ruta) {
    const QFileInfo archivo(ruta);
    if (!archivo.isFile()) return false;
    for (const QString& patron : kPatronArchivos.split(u';', Qt::SkipEmptyParts)) {
        const QRegularExpression comodin(QRegularExpression::wildcardToRegularExpression(patron.trimmed()),
                                         QRegularExpression::CaseInsensitiveOption);
        if (comodin.match(archivo.fileName()).hasMatch()) return true;
    }
    return false;
}

}  // namespace

// Selected cells go out as the rectangle of their rows and columns, any
// cell of it not selected left empty; with none selected, the current row.
void frmMasivo::mnuEditarCopiar_Click() {
    std::set<int> filas;
    std::set<int> columnas;
    std::set<std::pair<int, int>> elegidas;
    for (const QModelIndex& celda : grdMasivo->selectionModel()->selectedIndexes()) {
        // Model rows are the grid's data rows, one lower.
        filas.insert(celda.row() + 1);
        columnas.insert(celda.column());
        elegidas.emplace(celda.row() + 1, celda.column());
    }
    if (elegidas.empty()) {
        if (grdMasivo->Row() < 1) return;  // the titles only: no data to copy
        filas.insert(grdMasivo->Row());
        for (int columna = 0; columna < grdMasivo->Cols(); ++columna) {
            columnas.insert(columna);
            elegidas.emplace(grdMasivo->Row(), columna);
        }
    }
    QString texto;
    for (const int fila : filas) {
        QStringList celdas;
        for (const int columna : columnas)
            celdas << (elegidas.count({fila, columna}) ? CeldaCopiada(grdMasivo->TextMatrix(fila, columna)) : QString());
        texto += celdas.join(u'\t') + QStringLiteral("\r\n");
    }
    QGuiApplication::clipboard()->setText(texto);
}

// The lines become rows before the current one, split as the input file's
// lines are, while the grid has room; never over rows there.
void frmMasivo::mnuEditarPegar_Click() {
    if (!cmdAbrir->isEnabled()) {  // no algorithm, or one whose grid takes no rows
        MostrarMensaje(MensajeSinAlgoritmo(), Icono::Critico);
        return;
    }
    const QString texto = QGuiApplication::clipboard()->text();
    if (texto.isEmpty()) {
        MostrarMensaje(QStringLiteral("El portapapeles no contiene texto para pegar."), Icono::Informacion);
        return;
    }
    // The reader's rules, one splitter for files and the clipboard: the text as a UTF-8 file.
    QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF") + texto.toUtf8();
    QBuffer entrada(&bytes);
    entrada.open(QIODevice::ReadOnly);
    const int libres = kMaximoRegistros - (grdMasivo->Rows() - 1);
    Lectura lectura = LeerRegistros(entrada, libres, /*contarSobrantes=*/true);
    if (!lectura.error.isEmpty()) {
        MostrarMensaje(lectura.error, Icono::Critico);
        return;
    }
    const int fila = std::max(grdMasivo->Row(), 1);
    if (lectura.registros > 0) {
        grdMasivo->InsertarFilas(fila, std::move(lectura.celdas));
        cmdGuardar->setEnabled(true);
        IrACelda(fila, grdMasivo->Col());  // the first row pasted, and the row-count rule
        cmdCalcular->setEnabled(true);
    }
    if (lectura.sobrantes > 0)
        MostrarMensaje(QStringLiteral("No se pegaron %1 renglones: la tabla admite hasta 30,000 Registros.")
                           .arg(lectura.sobrantes),
                       Icono::Informacion);
}

// Whatever is dragged in is taken, so that what cannot be opened is refused
// with a message rather than in silence.
void frmMasivo::dragEnterEvent(QDragEnterEvent* event) { event->acceptProposedAction(); }
void frmMasivo::dragMoveEvent(QDragMoveEvent* event) { event->acceptProposedAction(); }

// The drop is answered at once; the questions and the loading come after it,
// so that no box holds the program the files were dragged from.
void frmMasivo::dropEvent(QDropEvent* event) {
    QStringList rutas;
    QStringList rechazados;
    const QMimeData* datos = event->mimeData();
    for (const QUrl& url : datos->urls()) {
        const QString ruta = url.toLocalFile();
        if (!ruta.isEmpty() && EsArchivoDeEntrada(ruta))
            rutas << ruta;
        else
            rechazados << (ruta.isEmpty() ? url.toDisplayString() : QFileInfo(ruta).fileName());
    }
    const bool nadaQueAbrir = !datos->hasUrls();
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, rutas, rechazados, nadaQueAbrir] {
        if (nadaQueAbrir || !rechazados.isEmpty()) {
            QString mensaje = QStringLiteral("Solo se pueden abrir archivos de texto (%1).").arg(kPatronArchivos);
            if (!rechazados.isEmpty()) mensaje += QStringLiteral("\nNo se abre: ") + rechazados.join(QStringLiteral(", "));
            MostrarMensaje(mensaje, Icono::Exclamacion);
        }
        if (!rutas.isEmpty()) AbrirAlElegir(rutas);
    });
}

}  // namespace vaviviv
