#include "platform/lista_algoritmos.h"

#include "engine/catalogo.h"

#include <QComboBox>

namespace vaviviv {

void LlenarAlgoritmos(QComboBox& cbo) {
    cbo.clear();
    for (const Algoritmo& algoritmo : Catalogo()) {
        cbo.addItem(TextoDeCatalogo(algoritmo.texto));
        cbo.setItemData(cbo.count() - 1, algoritmo.codigo);
    }
    // Adding to an empty list selects the first entry; the window starts
    // with none chosen.
    cbo.setCurrentIndex(-1);
}

std::optional<int> CodigoSeleccionado(const QComboBox& cbo) {
    if (cbo.currentIndex() < 0) return std::nullopt;
    bool esNumero = false;
    const int codigo = cbo.currentData().toInt(&esNumero);
    if (!esNumero) return std::nullopt;
    return codigo;
}

}  // namespace vaviviv
