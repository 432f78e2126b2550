#pragma once
// The cells of the bulk grid: the one store of the bulk window's data. Row 0
// holds the column titles and is shown as the view's header; rows 1 onward
// are the records, shown as the model's rows (grid row r is model row r - 1).
//
// Cells live in one flat vector, row after row, so that 30,000 records cost
// one string per cell and nothing per row. Loading and calculating work on
// the cells in bulk and tell the view once (AgregarFilas, AvisarCambios).

#include <QAbstractTableModel>
#include <QString>
#include <vector>

namespace vaviviv {

class RejillaModelo final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit RejillaModelo(QObject* parent = nullptr);

    // Row count, title row included (at least 1), and column count (at least 1).
    int Rows() const { return filas_; }
    int Cols() const { return columnas_; }
    // Fewer rows drop the last ones; more append empty ones. Same for columns.
    void setRows(int filas);
    void setCols(int columnas);

    const QString& TextMatrix(int fila, int columna) const;
    void setTextMatrix(int fila, int columna, const QString& texto);

    // `texto` holds the new row's cells separated by tabs. Without a row (-1)
    // the row is appended; with one, inserted there and the rows from there
    // move down. Rows 1 to Rows() are valid places.
    void AddItem(const QString& texto, int fila = -1);
    // Removes a data row; the rows below move up.
    void RemoveItem(int fila);
    // Erases every cell's text, titles included; the counts stay.
    void Clear();

    // Appends whole rows at once: `celdas` holds Cols() cells per row.
    void AgregarFilas(std::vector<QString>&& celdas);
    // Inserts whole rows at once before data row `fila` (1 to Rows()); the
    // rows from there move down.
    void InsertarFilas(int fila, std::vector<QString>&& celdas);
    // Direct access for bulk work; the view learns of changes through
    // AvisarCambios.
    QString& Celda(int fila, int columna) { return celdas_[indice(fila, columna)]; }
    void AvisarCambios(int filaDesde, int filaHasta, int columnaDesde, int columnaHasta);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::size_t indice(int fila, int columna) const {
        return std::size_t(fila) * std::size_t(columnas_) + std::size_t(columna);
    }
    bool valida(int fila, int columna) const {
        return fila >= 0 && fila < filas_ && columna >= 0 && columna < columnas_;
    }

    int filas_ = 1;
    int columnas_ = 1;
    std::vector<QString> celdas_;
};

}  // namespace vaviviv
