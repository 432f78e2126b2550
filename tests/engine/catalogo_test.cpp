#include "engine/catalogo.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using namespace vaviviv;

constexpr std::string_view kDigitos1a19 = "1 Dígito verificador con Referencia de 1 a 19 dígitos.";
constexpr std::string_view kDigitos1a18 = "2 Dígitos verificadores con Referencia de 1 a 18 dígitos.";
constexpr std::string_view kSucursalCuenta =
    "2 Dígitos verificadores con Referencia de 1 a 18 dígitos; Sucursal de 1 a 18 dígitos y Cuenta de 1 a 8 dígitos.";

const Algoritmo kEsperado[] = {
    {0, "Algoritmo Vorantis 00", kDigitos1a19, kDigitos1a19, Entradas::Referencia, 19, 1},
    {2, "Algoritmo Vorantis 02",
     "1 Dígito verificador con Referencia de 6 a 19 caracteres alfanumércos, anteponiendo la Fecha con formato (AAMMDD).",
     "1 Dígito verificador con Referencia de 6 a 19 caractéres alfanuméricos, anteponiendo la Fecha con formato (AAMMDD).",
     Entradas::Referencia, 19, 1},
    {3, "Algoritmo Vorantis 03", kDigitos1a19, kDigitos1a19, Entradas::Referencia, 19, 1},
    {4, "Algoritmo Vorantis 04", kDigitos1a18, kDigitos1a18, Entradas::Referencia, 18, 2},
    {6, "Algoritmo Vorantis 06", kSucursalCuenta, kSucursalCuenta, Entradas::SucursalCuenta, 18, 2},
    {10, "Algoritmo Vorantis 10",
     "8 Dígitos verificadores considernado la referencia de 1 a 12 dígitos; el importe y la fecha con formato (DD/MM/AAAA)",
     "8 Dígitos verificadores considerando la referencia de 1 a 12 dígitos; el importe y la fecha con formato (DD/MM/AAAA).",
     Entradas::ImporteFecha, 12, 8},
    {35, "Algoritmo Vorantis 35", "1 Dígito verificador con Referencia de 1 a 19 caracteres alfanumércos.",
     "1 Dígito verificador con Referencia de 1 a 19 caractéres alfanuméricos.", Entradas::Referencia, 19, 1},
    {36, "Algoritmo Vorantis 36", "1 Dígito verificador con Referencia de 1 a 19 caracteres alfanumércos.",
     "1 Dígito verificador con Referencia de 1 a 19 caractéres alfanuméricos.", Entradas::Referencia, 19, 1},
    {37, "Algoritmo Vorantis 37", "2 Dígitos verificadores con Referencia de 1 a 18 caracteres alfanumércos.",
     "2 Dígitos verificadores con Referencia de 1 a 18 caracteres alfanuméricos.", Entradas::Referencia, 18, 2},
};

TEST(Catalogo, NueveEntradasEnOrdenConSusTextos) {
    const auto catalogo = Catalogo();
    ASSERT_EQ(catalogo.size(), std::size(kEsperado));
    for (std::size_t k = 0; k < catalogo.size(); ++k) {
        const Algoritmo& a = catalogo[k];
        const Algoritmo& e = kEsperado[k];
        SCOPED_TRACE(e.texto);
        EXPECT_EQ(a.codigo, e.codigo);
        EXPECT_EQ(a.texto, e.texto);
        EXPECT_EQ(a.descripcionPrincipal, e.descripcionPrincipal);
        EXPECT_EQ(a.descripcionMasivo, e.descripcionMasivo);
        EXPECT_EQ(a.entradas, e.entradas);
        EXPECT_EQ(a.longitudMaxima, e.longitudMaxima);
        EXPECT_EQ(a.anchoResultado, e.anchoResultado);
    }
}

TEST(Catalogo, TextosYaOrdenados) {
    // A sorted list must show the same order as the table.
    const auto catalogo = Catalogo();
    for (std::size_t k = 1; k < catalogo.size(); ++k) EXPECT_LT(catalogo[k - 1].texto, catalogo[k].texto);
}

TEST(Catalogo, BuscarPorCodigoNoPorPosicion) {
    const auto catalogo = Catalogo();
    for (const Algoritmo& a : catalogo) EXPECT_EQ(BuscarAlgoritmo(a.codigo), &a) << a.codigo;
    ASSERT_NE(BuscarAlgoritmo(10), nullptr);
    EXPECT_EQ(BuscarAlgoritmo(10)->texto, "Algoritmo Vorantis 10");
    EXPECT_EQ(BuscarAlgoritmo(6)->texto, "Algoritmo Vorantis 06");
}

TEST(Catalogo, CodigoDesconocido) {
    for (int codigo : {1, 5, 7, 8, 9, 11, 34, 38, 100, -1, -10}) EXPECT_EQ(BuscarAlgoritmo(codigo), nullptr) << codigo;
    EXPECT_EQ(kAlgoritmoNoDisponible, "Algoritmo No Disponible");
}

}  // namespace
