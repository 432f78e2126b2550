// The report's arithmetic: the widths the bulk window hands over, the columns
// spread on the page and the rows laid in pages.

#include "masivo/informe_masivo.h"
#include "platform/informe.h"

#include <gtest/gtest.h>

using namespace vaviviv;

TEST(AnchoParaInforme, UnidadesDe6000TwipsConMediasAlPar) {
    const struct {
        int twips, ancho;
    } casos[] = {{-1, 0},    {0, 0},     {1800, 0},  {2999, 0},  {3000, 0},  {3001, 1},  {6000, 1},
                 {8999, 1},  {9000, 2},  {9001, 2},  {15000, 2}, {15001, 3}, {21000, 4}, {21001, 4}};
    for (const auto& c : casos) EXPECT_EQ(AnchoParaInforme(c.twips), c.ancho) << c.twips << " twips";
}

TEST(AnchosColumnas, LoQueNecesitanRepartidoEnLaPagina) {
    const struct {
        const char* caso;
        std::vector<double> natural;
        std::vector<int> factores;
        double margen, punto;
        std::vector<double> anchos;  // on a page of 100
    } casos[] = {
        {"iguales", {10, 10}, {0, 0}, 0, 0, {50, 50}},
        {"con sus márgenes", {10, 30}, {0, 0}, 5, 0, {100 / 3.0, 200 / 3.0}},
        {"un texto largo no pasa de 45 de 100", {1000, 10}, {0, 0}, 0, 0, {45 / 0.55, 10 / 0.55}},
        {"cada unidad del factor, otra vez su ancho", {10, 10}, {2, 0}, 0, 0, {75, 25}},
        {"un factor negativo, como 0", {10, 10}, {-3, 0}, 0, 0, {50, 50}},
        {"vacía: sus márgenes y un punto", {0, 10}, {0, 0}, 1, 2, {25, 75}},
        {"una sola, toda la página", {5}, {0}, 1, 1, {100}},
    };
    for (const auto& c : casos) {
        const std::vector<double> anchos = AnchosColumnas(c.natural, c.factores, 100, c.margen, c.punto);
        ASSERT_EQ(anchos.size(), c.anchos.size()) << c.caso;
        for (std::size_t i = 0; i < anchos.size(); ++i) EXPECT_NEAR(anchos[i], c.anchos[i], 1e-9) << c.caso << ", columna " << i;
    }
}

TEST(Paginar, RenglonesMientrasCabenAlMenosUnoPorPagina) {
    const struct {
        const char* caso;
        std::vector<double> altos;
        double primera, siguientes;
        std::vector<int> inicios;
    } casos[] = {
        {"sin renglones, una página", {}, 10, 10, {0, 0}},
        {"caben en la primera", {1, 1, 1}, 3, 1, {0, 3}},
        {"justo lo que cabe", {1.5, 1.5, 1.5}, 3, 3, {0, 2, 3}},
        {"la primera, con su encabezado, lleva menos", {1, 1, 1, 1, 1}, 1, 2, {0, 1, 3, 5}},
        {"uno más alto que la página, solo en la suya", {1, 5, 1}, 2, 2, {0, 1, 2, 3}},
        {"el primero más alto que la primera página", {5, 1}, 2, 2, {0, 1, 2}},
        {"alturas distintas", {2, 0.5, 1, 3, 0.5}, 3, 3.5, {0, 2, 3, 5}},
    };
    for (const auto& c : casos) EXPECT_EQ(Paginar(c.altos, c.primera, c.siguientes), c.inicios) << c.caso;
}
