#include "engine/catalogo.h"

#include <array>

namespace vaviviv {

namespace {

using E = Entradas;

// The two windows word some descriptions differently; each keeps its own.
constexpr std::array<Algoritmo, 9> kCatalogo{{
    {0, "Algoritmo Vorantis 00",
     "1 Dígito verificador con Referencia de 1 a 19 dígitos.",
     "1 Dígito verificador con Referencia de 1 a 19 dígitos.", E::Referencia, 19, 1},
    {2, "Algoritmo Vorantis 02",
     "1 Dígito verificador con Referencia de 6 a 19 caracteres alfanumércos, anteponiendo la Fecha con formato (AAMMDD).",
     "1 Dígito verificador con Referencia de 6 a 19 caractéres alfanuméricos, anteponiendo la Fecha con formato (AAMMDD).",
     E::Referencia, 19, 1},
    {3, "Algoritmo Vorantis 03",
     "1 Dígito verificador con Referencia de 1 a 19 dígitos.",
     "1 Dígito verificador con Referencia de 1 a 19 dígitos.", E::Referencia, 19, 1},
    {4, "Algoritmo Vorantis 04",
     "2 Dígitos verificadores con Referencia de 1 a 18 dígitos.",
     "2 Dígitos verificadores con Referencia de 1 a 18 dígitos.", E::Referencia, 18, 2},
    {6, "Algoritmo Vorantis 06",
     "2 Dígitos verificadores con Referencia de 1 a 18 dígitos; Sucursal de 1 a 18 dígitos y Cuenta de 1 a 8 dígitos.",
     "2 Dígitos verificadores con Referencia de 1 a 18 dígitos; Sucursal de 1 a 18 dígitos y Cuenta de 1 a 8 dígitos.",
     E::SucursalCuenta, 18, 2},
    {10, "Algoritmo Vorantis 10",
     "8 Dígitos verificadores considernado la referencia de 1 a 12 dígitos; el importe y la fecha con formato (DD/MM/AAAA)",
     "8 Dígitos verificadores considerando la referencia de 1 a 12 dígitos; el importe y la fecha con formato (DD/MM/AAAA).",
     E::ImporteFecha, 12, 8},
    {35, "Algoritmo Vorantis 35",
     "1 Dígito verificador con Referencia de 1 a 19 caracteres alfanumércos.",
     "1 Dígito verificador con Referencia de 1 a 19 caractéres alfanuméricos.", E::Referencia, 19, 1},
    {36, "Algoritmo Vorantis 36",
     "1 Dígito verificador con Referencia de 1 a 19 caracteres alfanumércos.",
     "1 Dígito verificador con Referencia de 1 a 19 caractéres alfanuméricos.", E::Referencia, 19, 1},
    {37, "Algoritmo Vorantis 37",
     "2 Dígitos verificadores con Referencia de 1 a 18 caracteres alfanumércos.",
     "2 Dígitos verificadores con Referencia de 1 a 18 caracteres alfanuméricos.", E::Referencia, 18, 2},
}};

}  // namespace

std::span<const Algoritmo> Catalogo() { return kCatalogo; }

const Algoritmo* BuscarAlgoritmo(int codigo) {
    for (const auto& a : kCatalogo)
        if (a.codigo == codigo) return &a;
    return nullptr;
}

}  // namespace vaviviv
