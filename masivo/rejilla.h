#pragma once
// The bulk window's grid control: a table view over RejillaModelo that
// offers what the window relies on of a grid: row and column counts, the
// current cell (Row, Col, Text), fixed rows, column widths in twips, adding,
// removing and clearing rows, and the events RowColChange, DblClick,
// MouseDown and MenuTeclado.
//
// The title row (row 0) is drawn as the header; the user cannot select it,
// but the window can make it current (then no data cell is current in the
// view). Data rows carry their number in a row header, which is drawn only:
// it is no column of the grid.

#include "masivo/rejilla_modelo.h"

#include <QTableView>
#include <vector>

namespace vaviviv {

// Mouse buttons as MouseDown reports them.
inline constexpr int kBotonIzquierdo = 1;
inline constexpr int kBotonDerecho = 2;
inline constexpr int kBotonCentral = 4;

class Rejilla final : public QTableView {
    Q_OBJECT

public:
    explicit Rejilla(QWidget* parent = nullptr);

    // Cell access for bulk work (Celda, AvisarCambios). Rows and columns are
    // added and removed through the grid, which keeps the current cell.
    RejillaModelo& modelo() { return *modelo_; }
    const RejillaModelo& modelo() const { return *modelo_; }

    int Rows() const { return modelo_->Rows(); }
    void setRows(int filas);
    int Cols() const { return modelo_->Cols(); }
    void setCols(int columnas);

    // The current cell. Setting it raises RowColChange when it moves.
    int Row() const { return fila_; }
    int Col() const { return columna_; }
    void setRow(int fila) { setRowCol(fila, columna_); }
    void setCol(int columna) { setRowCol(fila_, columna); }
    void setRowCol(int fila, int columna);

    QString Text() const { return modelo_->TextMatrix(fila_, columna_); }
    void setText(const QString& texto) { modelo_->setTextMatrix(fila_, columna_, texto); }
    const QString& TextMatrix(int fila, int columna) const { return modelo_->TextMatrix(fila, columna); }
    void setTextMatrix(int fila, int columna, const QString& texto) {
        modelo_->setTextMatrix(fila, columna, texto);
    }

    int FixedRows() const { return filasFijas_; }
    void setFixedRows(int filas) { filasFijas_ = filas; }

    // Widths in twips; -1 for a column whose width was never set.
    int ColWidth(int columna) const;
    void setColWidth(int columna, int twips);
    // Pixels per twip of the window the grid sits in.
    void setPixelesPorTwip(double escala);

    void AddItem(const QString& texto, int fila = -1);
    void RemoveItem(int fila);
    void Clear() { modelo_->Clear(); }
    // Appends whole rows at once (Cols() cells per row); the view is told once.
    void AgregarFilas(std::vector<QString>&& celdas);
    // Inserts whole rows before row `fila`; the current cell keeps its numbers.
    void InsertarFilas(int fila, std::vector<QString>&& celdas);

signals:
    void RowColChange();
    // A double click, or Enter or F2: the keyboard's way to the same edit.
    void DblClick();
    // Button: kBotonIzquierdo, kBotonDerecho or kBotonCentral; Shift: 1 Shift,
    // 2 Ctrl, 4 Alt, added up; X, Y: pixels within the grid.
    void MouseDown(int Button, int Shift, int X, int Y);
    // The context-menu key or Shift+F10; X, Y: the current cell's centre
    // within the grid, where the menu belongs.
    void MenuTeclado(int X, int Y);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void seguirVista();
    void ajustarAnchos();

    RejillaModelo* modelo_;
    int fila_ = 0;
    int columna_ = 0;
    int filasFijas_ = 0;
    std::vector<int> anchos_;  // twips, per column
    double pixelesPorTwip_ = 96.0 / 1440.0;
    bool porCodigo_ = false;   // a change made by code: not the user moving or resizing
};

}  // namespace vaviviv
