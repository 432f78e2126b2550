#pragma once
// The algorithm combo box of both windows: the catalogue in display order,
// each entry carrying its code as item data.

#include <QString>
#include <optional>

class QComboBox;

namespace vaviviv {

// Rebuilds the list from the catalogue; no entry is selected afterwards.
void LlenarAlgoritmos(QComboBox& cbo);

// The code of the selected entry; nullopt when none is selected.
std::optional<int> CodigoSeleccionado(const QComboBox& cbo);

}  // namespace vaviviv
