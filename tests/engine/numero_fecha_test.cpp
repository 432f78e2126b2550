#include "engine/fecha.h"
#include "engine/numero.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace {

using namespace vaviviv;

TEST(LeerNumero, Aceptados) {
    struct Caso { std::string texto; bool menos; std::string entero, fraccion; };
    const Caso casos[] = {
        {"0", false, "", ""},          {"5", false, "5", ""},         {"  5  ", false, "5", ""},
        {"+5", false, "5", ""},        {"-5", true, "5", ""},         {".5", false, "", "5"},
        {"5.", false, "5", ""},        {"007.50", false, "7", "5"},   {" -123.450 ", true, "123", "45"},
        {"0.000", false, "", ""},      {"-0.05", true, "", "05"},     {"999999999.99", false, "999999999", "99"},
        {"12345678901234567890123.4", false, "12345678901234567890123", "4"}};
    for (const auto& c : casos) {
        const auto n = LeerNumero(c.texto);
        ASSERT_TRUE(n) << "'" << c.texto << "'";
        EXPECT_EQ(n->signoMenos, c.menos) << c.texto;
        EXPECT_EQ(n->entero, c.entero) << c.texto;
        EXPECT_EQ(n->fraccion, c.fraccion) << c.texto;
    }
    const auto menosCero = LeerNumero("-0.0");
    ASSERT_TRUE(menosCero);
    EXPECT_TRUE(menosCero->esCero());
    EXPECT_FALSE(menosCero->esNegativo());
    EXPECT_TRUE(LeerNumero("-0.01")->esNegativo());
}

TEST(LeerNumero, Rechazados) {
    for (const char* t : {"", "   ", ".", "+", "-", "+.", "-.", "1,000", "1.000,5", "1e5", "1E5", "1.2.3", "--1",
                          "+-1", "1 2", "- 5", "5-", "0x10", "\t5", "5\n", "inf", "nan", "١", "５", "1_000", "'5'",
                          "1..", "..1"})
        EXPECT_FALSE(LeerNumero(t)) << "'" << t << "'";
}

TEST(Numero, SuperaImporteMaximo) {
    const std::pair<const char*, bool> casos[] = {
        {"0", false},           {"999999999.99", false},  {"0999999999.990000", false},
        {"999999999.991", true}, {"999999999.999", true}, {"1000000000", true},
        {"123456789012", true},  {"-1000000000", false}};
    for (const auto& [texto, supera] : casos) EXPECT_EQ(LeerNumero(texto)->superaImporteMaximo(), supera) << texto;
}

TEST(Numero, CentavosRedondeaLejosDeCeroEnLaTerceraDecimal) {
    const std::pair<const char*, std::optional<std::int64_t>> casos[] = {
        {"0", 0},           {"0.29", 29},       {"1.005", 101},       {"1.0049999", 100}, {"0.005", 1},
        {"0.0049", 0},      {"-1.005", -101},   {"-0.005", -1},       {"123.45", 12345},  {".5", 50},
        {"5.", 500},        {"999999999.995", 100000000000},          {"0.995", 100},
        {"9999999999999999.99", 999999999999999999}, {"9999999999999999.995", std::nullopt},
        {"10000000000000000", std::nullopt}};
    for (const auto& [texto, centavos] : casos) EXPECT_EQ(LeerNumero(texto)->centavos(), centavos) << texto;
}

TEST(Numero, EnteroPequenoTrunca) {
    const std::pair<const char*, std::optional<int>> casos[] = {
        {"0", 0},  {"12.9", 12}, {"-12.9", -12}, {".9", 0}, {"0000000000001", 1}, {"999999999", 999999999},
        {"-999999999", -999999999}, {"1000000000", std::nullopt}, {"99999999999999999999", std::nullopt}};
    for (const auto& [texto, valor] : casos) EXPECT_EQ(LeerNumero(texto)->enteroPequeno(), valor) << texto;
}

TEST(Fecha, Bisiestos) {
    for (int a : {1988, 1992, 2000, 2004, 2012, 2400}) EXPECT_TRUE(EsBisiesto(a)) << a;
    for (int a : {1900, 1999, 2001, 2014, 2100}) EXPECT_FALSE(EsBisiesto(a)) << a;
}

TEST(Fecha, FechaReal) {
    const int reales[][3] = {{1, 1, 1988}, {31, 1, 2000}, {29, 2, 2000}, {29, 2, 2012}, {28, 2, 1900},
                             {30, 4, 2000}, {31, 7, 2000}, {31, 12, 2014}};
    const int falsas[][3] = {{0, 1, 2000}, {32, 1, 2000}, {29, 2, 1900}, {29, 2, 2001}, {30, 2, 2000},
                             {31, 4, 2000}, {31, 6, 2000}, {31, 9, 2000}, {31, 11, 2000}, {1, 0, 2000},
                             {1, 13, 2000}, {-1, 1, 2000}};
    for (const auto& f : reales) EXPECT_TRUE(EsFechaReal(f[0], f[1], f[2])) << f[0] << "/" << f[1] << "/" << f[2];
    for (const auto& f : falsas) EXPECT_FALSE(EsFechaReal(f[0], f[1], f[2])) << f[0] << "/" << f[1] << "/" << f[2];
}

TEST(Fecha, OrdenPorAnioMesYDia) {
    EXPECT_LT(kFechaMinima, kFechaMaxima);
    EXPECT_EQ(kFechaMinima, (Fecha{1, 1, 1988}));
    EXPECT_EQ(kFechaMaxima, (Fecha{18, 11, 2014}));
    EXPECT_GT((Fecha{1, 1, 2000}), (Fecha{31, 12, 1999}));
    EXPECT_GT((Fecha{1, 12, 2014}), kFechaMaxima);
    EXPECT_LT((Fecha{31, 12, 1987}), kFechaMinima);
    EXPECT_LT((Fecha{19, 10, 2014}), kFechaMaxima);
}

TEST(LeerFecha, DiaPrimero) {
    struct Caso { const char* texto; Fecha fecha; };
    const Caso casos[] = {
        {"15/06/2000", {15, 6, 2000}}, {"1/2/2000", {1, 2, 2000}},     {"  15/06/2000  ", {15, 6, 2000}},
        {"15-06-2000", {15, 6, 2000}}, {"15.06.2000", {15, 6, 2000}},  {"1.2.03", {1, 2, 2003}},
        {"15/06/00", {15, 6, 2000}},   {"15/06/29", {15, 6, 2029}},    {"15/06/30", {15, 6, 1930}},
        {"15/06/99", {15, 6, 1999}},   {"29/02/2000", {29, 2, 2000}},  {"29/02/04", {29, 2, 2004}},
        {"12/01/2000", {12, 1, 2000}}, {"18/11/2014", {18, 11, 2014}}, {"31-12-1899", {31, 12, 1899}}};
    for (const auto& c : casos) {
        const auto f = LeerFecha(c.texto);
        ASSERT_TRUE(f) << "'" << c.texto << "'";
        EXPECT_EQ(*f, c.fecha) << c.texto << " -> " << f->dia << "/" << f->mes << "/" << f->anio;
    }
}

TEST(LeerFecha, Rechazadas) {
    for (const char* t : {"01/13/2000", "12/31/2000", "29/02/1900", "29/02/2001", "29/02/01", "31/04/2000",
                          "00/01/2000", "01/00/2000", "32/01/2000", "15/06-2000", "15-06/2000", "15/06/200",
                          "15/06/20000", "15/06/2", "015/06/2000", "15/006/2000", "15 /06/2000", "15/06/2000x",
                          "", "   ", "15/06", "15/06/2000/1", "2000/06/15", "a5/06/2000", "15/06/2O00",
                          "+1/06/2000", "15,06,2000", "15 06 2000", "15062000", "15//2000", "/06/2000",
                          "15/06/", "-1/06/2000"})
        EXPECT_FALSE(LeerFecha(t)) << "'" << t << "'";
}

}  // namespace
