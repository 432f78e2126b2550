#pragma once
// The nine algorithms the tool offers, in display order. Both windows fill
// their algorithm lists from this table and branch on the code.

#include <span>
#include <string_view>

namespace vaviviv {

// Which texts an algorithm takes besides the reference.
enum class Entradas { Referencia, SucursalCuenta, ImporteFecha };

struct Algoritmo {
    int codigo;                          // the AlgorithmCode, not the position
    std::string_view texto;              // entry text of the combo boxes
    std::string_view descripcionPrincipal;
    std::string_view descripcionMasivo;
    Entradas entradas;
    int longitudMaxima;                  // reference length the main window allows
    int anchoResultado;                  // number of check digits
};

std::span<const Algoritmo> Catalogo();

// nullptr for a code that is not in the catalogue.
const Algoritmo* BuscarAlgoritmo(int codigo);

// Shown by the bulk window for a code without a layout.
inline constexpr std::string_view kAlgoritmoNoDisponible = "Algoritmo No Disponible";

}  // namespace vaviviv
