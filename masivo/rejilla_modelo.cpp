#include "masivo/rejilla_modelo.h"

#include <algorithm>
#include <iterator>

namespace vaviviv {

namespace {

const QString kVacio;

}  // namespace

RejillaModelo::RejillaModelo(QObject* parent) : QAbstractTableModel(parent), celdas_(1) {}

void RejillaModelo::setRows(int filas) {
    filas = std::max(filas, 1);
    if (filas > filas_) {
        beginInsertRows({}, filas_ - 1, filas - 2);
        celdas_.resize(std::size_t(filas) * std::size_t(columnas_));
        filas_ = filas;
        endInsertRows();
    } else if (filas < filas_) {
        beginRemoveRows({}, filas - 1, filas_ - 2);
        celdas_.resize(std::size_t(filas) * std::size_t(columnas_));
        filas_ = filas;
        endRemoveRows();
    }
}

void RejillaModelo::setCols(int columnas) {
    columnas = std::max(columnas, 1);
    if (columnas == columnas_) return;
    const bool crecen = columnas > columnas_;
    if (crecen)
        beginInsertColumns({}, columnas_, columnas - 1);
    else
        beginRemoveColumns({}, columnas, columnas_ - 1);
    std::vector<QString> nuevas(std::size_t(filas_) * std::size_t(columnas));
    const int comunes = std::min(columnas, columnas_);
    for (int f = 0; f < filas_; ++f)
        for (int c = 0; c < comunes; ++c)
            nuevas[std::size_t(f) * std::size_t(columnas) + std::size_t(c)] = std::move(celdas_[indice(f, c)]);
    celdas_ = std::move(nuevas);
    columnas_ = columnas;
    if (crecen)
        endInsertColumns();
    else
        endRemoveColumns();
    if (!crecen) emit headerDataChanged(Qt::Horizontal, 0, columnas_ - 1);
}

const QString& RejillaModelo::TextMatrix(int fila, int columna) const {
    return valida(fila, columna) ? celdas_[indice(fila, columna)] : kVacio;
}

void RejillaModelo::setTextMatrix(int fila, int columna, const QString& texto) {
    if (!valida(fila, columna)) return;
    celdas_[indice(fila, columna)] = texto;
    if (fila == 0)
        emit headerDataChanged(Qt::Horizontal, columna, columna);
    else
        emit dataChanged(index(fila - 1, columna), index(fila - 1, columna));
}

void RejillaModelo::AddItem(const QString& texto, int fila) {
    if (fila < 0) fila = filas_;
    if (fila < 1 || fila > filas_) return;
    std::vector<QString> nueva(static_cast<std::size_t>(columnas_));
    const QStringList partes = texto.split(u'\t');
    for (int c = 0; c < columnas_ && c < partes.size(); ++c) nueva[std::size_t(c)] = partes[c];
    beginInsertRows({}, fila - 1, fila - 1);
    celdas_.insert(celdas_.begin() + std::ptrdiff_t(indice(fila, 0)), std::make_move_iterator(nueva.begin()),
                   std::make_move_iterator(nueva.end()));
    ++filas_;
    endInsertRows();
}

void RejillaModelo::RemoveItem(int fila) {
    if (fila < 1 || fila >= filas_) return;
    beginRemoveRows({}, fila - 1, fila - 1);
    const auto desde = celdas_.begin() + std::ptrdiff_t(indice(fila, 0));
    celdas_.erase(desde, desde + columnas_);
    --filas_;
    endRemoveRows();
}

void RejillaModelo::Clear() {
    for (QString& celda : celdas_) celda.clear();
    emit headerDataChanged(Qt::Horizontal, 0, columnas_ - 1);
    if (filas_ > 1) emit dataChanged(index(0, 0), index(filas_ - 2, columnas_ - 1));
}

void RejillaModelo::AgregarFilas(std::vector<QString>&& celdas) {
    const int nuevas = int(celdas.size() / std::size_t(columnas_));
    if (nuevas == 0) return;
    beginInsertRows({}, filas_ - 1, filas_ + nuevas - 2);
    celdas.resize(std::size_t(nuevas) * std::size_t(columnas_));
    if (filas_ == 1) {
        // Only the titles here: the new rows' vector becomes the store, the titles moved in ahead of
        // them, rather than every cell moved into a second vector as large while the first is alive.
        celdas.insert(celdas.begin(), std::make_move_iterator(celdas_.begin()), std::make_move_iterator(celdas_.end()));
        celdas_.swap(celdas);
    } else {
        celdas_.insert(celdas_.end(), std::make_move_iterator(celdas.begin()), std::make_move_iterator(celdas.end()));
    }
    filas_ += nuevas;
    endInsertRows();
    celdas.clear();
}

void RejillaModelo::InsertarFilas(int fila, std::vector<QString>&& celdas) {
    if (fila == filas_) return AgregarFilas(std::move(celdas));
    const int nuevas = int(celdas.size() / std::size_t(columnas_));
    if (nuevas == 0 || fila < 1 || fila > filas_) return;
    beginInsertRows({}, fila - 1, fila + nuevas - 2);
    celdas_.insert(celdas_.begin() + std::ptrdiff_t(indice(fila, 0)), std::make_move_iterator(celdas.begin()),
                   std::make_move_iterator(celdas.begin() + std::ptrdiff_t(nuevas) * columnas_));
    filas_ += nuevas;
    endInsertRows();
    celdas.clear();
}

void RejillaModelo::AvisarCambios(int filaDesde, int filaHasta, int columnaDesde, int columnaHasta) {
    filaDesde = std::max(filaDesde, 1);
    filaHasta = std::min(filaHasta, filas_ - 1);
    columnaDesde = std::max(columnaDesde, 0);
    columnaHasta = std::min(columnaHasta, columnas_ - 1);
    if (filaDesde > filaHasta || columnaDesde > columnaHasta) return;
    emit dataChanged(index(filaDesde - 1, columnaDesde), index(filaHasta - 1, columnaHasta));
}

int RejillaModelo::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : filas_ - 1; }

int RejillaModelo::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columnas_; }

QVariant RejillaModelo::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return TextMatrix(index.row() + 1, index.column());
}

QVariant RejillaModelo::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return TextMatrix(0, section);
    return section + 1;
}

Qt::ItemFlags RejillaModelo::flags(const QModelIndex& index) const {
    // Cells change only through the window's edit box.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace vaviviv
