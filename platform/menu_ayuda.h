#pragma once
// The help menu of both windows, "A&yuda" on the menu bar, and what their
// help buttons show. The entries carry their names as objectName.

#include <QString>

class QComboBox;
class QMainWindow;

namespace vaviviv {

// Adds the help menu to `ventana`'s menu bar, its entries wired to the help
// file: contents, using help, editing, the window's own topic
// (`temaVentana`), the topic of the algorithm chosen in `algoritmo`, and the
// about box. `contenido` captions the contents entry.
void CrearMenuAyuda(QMainWindow& ventana, const QComboBox& algoritmo, int temaVentana, const QString& contenido);

// The topic of the algorithm chosen in `algoritmo`; the window's own
// (`temaVentana`) when none is chosen.
void MostrarAyudaAlgoritmo(const QComboBox& algoritmo, int temaVentana);

}  // namespace vaviviv
