#include "platform/lista_algoritmos.h"

#include "reglas/catalogo_textos.h"

#include <QComboBox>

namespace vaviviv {

void LlenarAlgoritmos(QComboBox& cbo) {
    cbo.clear();
    for (const EntradaAlgoritmo& entrada : EntradasAlgoritmos()) cbo.addItem(entrada.texto, entrada.codigo);
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
