#pragma once
// The nine algorithms the tool offers, in display order. Both windows fill
// their algorithm lists from this table and branch on the code; every
// length limit of the rules and the windows is read from here.

#include <array>
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
    int longitudMaxima;                  // longest reference, in characters
    int anchoResultado;                  // number of check digits
};

// The one code whose reference starts with a date, AAMMDD: its shortest reference.
inline constexpr int kCodigoFechaEnReferencia = 2;
inline constexpr int kLongitudFecha02 = 6;
// Branch and account of code 06, in digits.
inline constexpr int kLongitudSucursal = 8;
inline constexpr int kLongitudCuenta = 8;

// The two windows word some descriptions differently; each keeps its own.
inline constexpr std::array<Algoritmo, 9> kCatalogo{{
    {0, "Algoritmo Vorantis 00",
     "1 Dígito verificador con Referencia de 1 a 19 dígitos.",
     "1 Dígito verificador con Referencia de 1 a 19 dígitos.", Entradas::Referencia, 19, 1},
    {2, "Algoritmo Vorantis 02",
     "1 Dígito verificador con Referencia de 6 a 19 caracteres alfanumércos, anteponiendo la Fecha con formato (AAMMDD).",
     "1 Dígito verificador con Referencia de 6 a 19 caractéres alfanuméricos, anteponiendo la Fecha con formato (AAMMDD).",
     Entradas::Referencia, 19, 1},
    {3, "Algoritmo Vorantis 03",
     "1 Dígito verificador con Referencia de 1 a 19 dígitos.",
     "1 Dígito verificador con Referencia de 1 a 19 dígitos.", Entradas::Referencia, 19, 1},
    {4, "Algoritmo Vorantis 04",
     "2 Dígitos verificadores con Referencia de 1 a 18 dígitos.",
     "2 Dígitos verificadores con Referencia de 1 a 18 dígitos.", Entradas::Referencia, 18, 2},
    {6, "Algoritmo Vorantis 06",
     "2 Dígitos verificadores con Referencia de 1 a 18 dígitos; Sucursal de 1 a 18 dígitos y Cuenta de 1 a 8 dígitos.",
     "2 Dígitos verificadores con Referencia de 1 a 18 dígitos; Sucursal de 1 a 18 dígitos y Cuenta de 1 a 8 dígitos.",
     Entradas::SucursalCuenta, 18, 2},
    {10, "Algoritmo Vorantis 10",
     "8 Dígitos verificadores considernado la referencia de 1 a 12 dígitos; el importe y la fecha con formato (DD/MM/AAAA)",
     "8 Dígitos verificadores considerando la referencia de 1 a 12 dígitos; el importe y la fecha con formato (DD/MM/AAAA).",
     Entradas::ImporteFecha, 12, 8},
    {35, "Algoritmo Vorantis 35",
     "1 Dígito verificador con Referencia de 1 a 19 caracteres alfanumércos.",
     "1 Dígito verificador con Referencia de 1 a 19 caractéres alfanuméricos.", Entradas::Referencia, 19, 1},
    {36, "Algoritmo Vorantis 36",
     "1 Dígito verificador con Referencia de 1 a 19 caracteres alfanumércos.",
     "1 Dígito verificador con Referencia de 1 a 19 caractéres alfanuméricos.", Entradas::Referencia, 19, 1},
    {37, "Algoritmo Vorantis 37",
     "2 Dígitos verificadores con Referencia de 1 a 18 caracteres alfanumércos.",
     "2 Dígitos verificadores con Referencia de 1 a 18 caracteres alfanuméricos.", Entradas::Referencia, 18, 2},
}};

constexpr std::span<const Algoritmo> Catalogo() { return kCatalogo; }

// nullptr for a code that is not in the catalogue.
constexpr const Algoritmo* BuscarAlgoritmo(int codigo) {
    for (const auto& a : kCatalogo)
        if (a.codigo == codigo) return &a;
    return nullptr;
}

// The longest reference of a catalogue code.
constexpr std::size_t LongitudMaxima(int codigo) { return std::size_t(BuscarAlgoritmo(codigo)->longitudMaxima); }

// A catalogue code that takes two fields besides the reference (branch and
// account, or amount and date).
constexpr bool TomaDosCamposMas(int codigo) {
    const Algoritmo* a = BuscarAlgoritmo(codigo);
    return a && a->entradas != Entradas::Referencia;
}

// Shown by the bulk window for a code without a layout.
inline constexpr std::string_view kAlgoritmoNoDisponible = "Algoritmo No Disponible";

}  // namespace vaviviv
