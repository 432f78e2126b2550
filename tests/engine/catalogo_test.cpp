#include "engine/catalogo.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

namespace {

using namespace vaviviv;

constexpr std::string_view k19 = "1 Dígito verificador con Referencia de 1 a 19 dígitos.";
constexpr std::string_view k18 = "2 Dígitos verificadores con Referencia de 1 a 18 dígitos.";
constexpr std::string_view k06 =
    "2 Dígitos verificadores con Referencia de 1 a 18 dígitos; Sucursal de 1 a 18 dígitos y Cuenta de 1 a 8 dígitos.";
constexpr std::string_view kAlfa = "1 Dígito verificador con Referencia de 1 a 19 caracteres alfanumércos.";
constexpr std::string_view kAlfaM = "1 Dígito verificador con Referencia de 1 a 19 caractéres alfanuméricos.";

// Texts as the windows show them, typos included; the entries sorted by text.
const Algoritmo kEsperado[] = {
    {0, "Algoritmo Vorantis 00", k19, k19, Entradas::Referencia, 19, 1},
    {2, "Algoritmo Vorantis 02",
     "1 Dígito verificador con Referencia de 6 a 19 caracteres alfanumércos, anteponiendo la Fecha con formato (AAMMDD).",
     "1 Dígito verificador con Referencia de 6 a 19 caractéres alfanuméricos, anteponiendo la Fecha con formato (AAMMDD).",
     Entradas::Referencia, 19, 1},
    {3, "Algoritmo Vorantis 03", k19, k19, Entradas::Referencia, 19, 1},
    {4, "Algoritmo Vorantis 04", k18, k18, Entradas::Referencia, 18, 2},
    {6, "Algoritmo Vorantis 06", k06, k06, Entradas::SucursalCuenta, 18, 2},
    {10, "Algoritmo Vorantis 10",
     "8 Dígitos verificadores considernado la referencia de 1 a 12 dígitos; el importe y la fecha con formato (DD/MM/AAAA)",
     "8 Dígitos verificadores considerando la referencia de 1 a 12 dígitos; el importe y la fecha con formato (DD/MM/AAAA).",
     Entradas::ImporteFecha, 12, 8},
    {35, "Algoritmo Vorantis 35", kAlfa, kAlfaM, Entradas::Referencia, 19, 1},
    {36, "Algoritmo Vorantis 36", kAlfa, kAlfaM, Entradas::Referencia, 19, 1},
    {37, "Algoritmo Vorantis 37", "2 Dígitos verificadores con Referencia de 1 a 18 caracteres alfanumércos.",
     "2 Dígitos verificadores con Referencia de 1 a 18 caracteres alfanuméricos.", Entradas::Referencia, 18, 2},
};

TEST(Catalogo, NueveEntradasEnOrdenYBusquedaPorCodigo) {
    const auto campos = [](const Algoritmo& a) {
        return std::tie(a.codigo, a.texto, a.descripcionPrincipal, a.descripcionMasivo, a.entradas, a.longitudMaxima,
                        a.anchoResultado);
    };
    const auto catalogo = Catalogo();
    ASSERT_EQ(catalogo.size(), std::size(kEsperado));
    for (std::size_t k = 0; k < catalogo.size(); ++k) {
        EXPECT_EQ(campos(catalogo[k]), campos(kEsperado[k])) << kEsperado[k].texto;
        if (k > 0) { EXPECT_LT(catalogo[k - 1].texto, catalogo[k].texto); }
        EXPECT_EQ(BuscarAlgoritmo(catalogo[k].codigo), &catalogo[k]);
    }
    for (int codigo : {1, 5, 11, 38, -1}) EXPECT_EQ(BuscarAlgoritmo(codigo), nullptr) << codigo;
    EXPECT_EQ(kAlgoritmoNoDisponible, "Algoritmo No Disponible");
}

}  // namespace
