#include "masivo/rejilla.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>

namespace vaviviv {

Rejilla::Rejilla(QWidget* parent) : QTableView(parent), modelo_(new RejillaModelo(this)), anchos_(1, -1) {
    setModel(modelo_);
    // Several cells at once, for copying.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // The window shows its own menu on the right button (MouseDown) and the
    // menu keys (MenuTeclado).
    setContextMenuPolicy(Qt::PreventContextMenu);
    // Tab leaves the grid like any other control; the arrows move between cells.
    setTabKeyNavigation(false);
    // One height for every row: 30,000 rows are laid out without measuring any.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);

    connect(this, &QAbstractItemView::doubleClicked, this, [this] { emit DblClick(); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int columna, int, int ancho) {
        // A width the user dragged; the ones set in twips are already recorded.
        if (porCodigo_ || columna < 0 || columna >= int(anchos_.size())) return;
        anchos_[std::size_t(columna)] = int(std::lround(ancho / pixelesPorTwip_));
    });
}

void Rejilla::setRows(int filas) {
    {
        QScopedValueRollback guardia(porCodigo_, true);
        modelo_->setRows(filas);
    }
    seguirVista();
}

void Rejilla::setCols(int columnas) {
    {
        QScopedValueRollback guardia(porCodigo_, true);
        modelo_->setCols(columnas);
        anchos_.resize(std::size_t(modelo_->Cols()), -1);
        ajustarAnchos();
    }
    seguirVista();
}

void Rejilla::AddItem(const QString& texto, int fila) {
    {
        QScopedValueRollback guardia(porCodigo_, true);
        modelo_->AddItem(texto, fila);
    }
    seguirVista();
}

void Rejilla::RemoveItem(int fila) {
    {
        QScopedValueRollback guardia(porCodigo_, true);
        modelo_->RemoveItem(fila);
    }
    seguirVista();
}

void Rejilla::AgregarFilas(std::vector<QString>&& celdas) {
    {
        QScopedValueRollback guardia(porCodigo_, true);
        modelo_->AgregarFilas(std::move(celdas));
    }
    seguirVista();
}

void Rejilla::InsertarFilas(int fila, std::vector<QString>&& celdas) {
    {
        QScopedValueRollback guardia(porCodigo_, true);
        modelo_->InsertarFilas(fila, std::move(celdas));
    }
    seguirVista();
}

void Rejilla::setRowCol(int fila, int columna) {
    if (fila < 0 || fila >= Rows() || columna < 0 || columna >= Cols()) return;
    if (fila == fila_ && columna == columna_) return;
    fila_ = fila;
    columna_ = columna;
    seguirVista();
    emit RowColChange();
}

int Rejilla::ColWidth(int columna) const {
    return columna >= 0 && columna < int(anchos_.size()) ? anchos_[std::size_t(columna)] : -1;
}

void Rejilla::setColWidth(int columna, int twips) {
    if (columna < 0 || columna >= int(anchos_.size())) return;
    anchos_[std::size_t(columna)] = twips;
    QScopedValueRollback guardia(porCodigo_, true);
    ajustarAnchos();
}

void Rejilla::setPixelesPorTwip(double escala) {
    pixelesPorTwip_ = escala;
    QScopedValueRollback guardia(porCodigo_, true);
    ajustarAnchos();
}

void Rejilla::ajustarAnchos() {
    for (std::size_t c = 0; c < anchos_.size(); ++c)
        if (anchos_[c] >= 0) horizontalHeader()->resizeSection(int(c), int(std::lround(anchos_[c] * pixelesPorTwip_)));
}

// The rows or columns changed under the current cell: it keeps its numbers
// while they exist, and the view shows it there.
void Rejilla::seguirVista() {
    const int fila = std::clamp(fila_, 0, Rows() - 1);
    const int columna = std::clamp(columna_, 0, Cols() - 1);
    const bool movida = fila != fila_ || columna != columna_;
    fila_ = fila;
    columna_ = columna;
    {
        QScopedValueRollback guardia(porCodigo_, true);
        if (fila_ > 0) {
            // Moves made by the window bring the row into view but leave the
            // columns where the user had them: the reference column stays in
            // sight after a calculation ends on the last column.
            const bool seguir = hasAutoScroll();
            setAutoScroll(false);
            selectionModel()->setCurrentIndex(modelo_->index(fila_ - 1, columna_),
                                              QItemSelectionModel::ClearAndSelect);
            setAutoScroll(seguir);
            const int primeraVisible = columnAt(0);
            scrollTo(modelo_->index(fila_ - 1, primeraVisible >= 0 ? primeraVisible : columna_));
        } else {
            selectionModel()->clearSelection();
            selectionModel()->clearCurrentIndex();
        }
    }
    if (movida) emit RowColChange();
}

void Rejilla::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (porCodigo_) return;
    // The user moved it (mouse or keys).
    const int fila = current.isValid() ? current.row() + 1 : 0;
    const int columna = current.isValid() ? current.column() : std::clamp(columna_, 0, Cols() - 1);
    if (fila == fila_ && columna == columna_) return;
    fila_ = fila;
    columna_ = columna;
    emit RowColChange();
}

// A text cut short by its column is shown whole under the pointer.
bool Rejilla::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QTableView::viewportEvent(event);
    const auto* ayuda = static_cast<QHelpEvent*>(event);
    const QModelIndex celda = indexAt(ayuda->pos());
    const QString texto = celda.data().toString();
    const int margen = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    if (celda.isValid() && fontMetrics().horizontalAdvance(texto) + margen > visualRect(celda).width())
        QToolTip::showText(ayuda->globalPos(), texto, viewport(), visualRect(celda));
    else
        QToolTip::hideText();
    return true;
}

void Rejilla::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers teclas = event->modifiers() & ~Qt::KeypadModifier;
    const int tecla = event->key();
    if (teclas == Qt::NoModifier && (tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_F2)) {
        emit DblClick();
    } else if (tecla == Qt::Key_Menu || (tecla == Qt::Key_F10 && teclas == Qt::ShiftModifier)) {
        // Where the platform also sends a context-menu event for the key, the
        // grid refuses it (PreventContextMenu): the menu opens once.
        const QRect celda = visualRect(currentIndex());
        const QPoint punto = celda.isValid() ? viewport()->mapTo(this, celda.center()) : rect().center();
        emit MenuTeclado(punto.x(), punto.y());
    } else {
        QTableView::keyPressEvent(event);
    }
}

void Rejilla::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    int boton = 0;
    switch (event->button()) {
        case Qt::LeftButton: boton = kBotonIzquierdo; break;
        case Qt::RightButton: boton = kBotonDerecho; break;
        case Qt::MiddleButton: boton = kBotonCentral; break;
        default: return;
    }
    const Qt::KeyboardModifiers teclas = event->modifiers();
    const int shift = (teclas & Qt::ShiftModifier ? 1 : 0) + (teclas & Qt::ControlModifier ? 2 : 0) +
                      (teclas & Qt::AltModifier ? 4 : 0);
    const QPoint punto = viewport()->mapTo(this, event->position().toPoint());
    emit MouseDown(boton, shift, punto.x(), punto.y());
}

}  // namespace vaviviv
