#include "engine/fecha.h"
#include "engine/numero.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace {

using namespace vaviviv;

// Sign, integer and fraction digits as read, or "no" when not a number.
std::string Ver(const char* texto) {
    const auto n = LeerNumero(texto);
    return n ? (n->signoMenos ? "-" : "+") + n->entero + "|" + n->fraccion : "no";
}

TEST(LeerNumero, AceptadosYRechazados) {
    const std::pair<const char*, const char*> casos[] = {
        {"0", "+|"}, {"  5  ", "+5|"}, {"+5", "+5|"}, {"-5", "-5|"}, {".5", "+|5"}, {"5.", "+5|"}, {"007.50", "+7|5"},
        {" -123.450 ", "-123|45"}, {"12345678901234567890123.4", "+12345678901234567890123|4"},
        {"", "no"}, {"   ", "no"}, {".", "no"}, {"-", "no"}, {"-.", "no"}, {"1,000", "no"}, {"1e5", "no"},
        {"1.2.3", "no"}, {"--1", "no"}, {"+-1", "no"}, {"1 2", "no"}, {"- 5", "no"}, {"5-", "no"}, {"0x10", "no"},
        {"\t5", "no"}, {"5\n", "no"}, {"inf", "no"}, {"١", "no"}, {"５", "no"}, {"..1", "no"}};
    for (const auto& [texto, leido] : casos) EXPECT_EQ(Ver(texto), leido) << "'" << texto << "'";
    EXPECT_FALSE(LeerNumero("-0.0")->esNegativo());
    EXPECT_TRUE(LeerNumero("-0.01")->esNegativo());
}

TEST(Numero, ImporteMaximoCentavosYEntero) {
    for (const auto& [texto, supera] : {std::pair{"999999999.99", false}, {"0999999999.990000", false},
                                        {"999999999.991", true}, {"1000000000", true}, {"-1000000000", false}})
        EXPECT_EQ(LeerNumero(texto)->superaImporteMaximo(), supera) << texto;
    // Exact decimals, half away from zero at the third decimal.
    const std::pair<const char*, std::optional<std::int64_t>> centavos[] = {
        {"0.29", 29}, {"1.005", 101}, {"1.0049999", 100}, {"-1.005", -101}, {"0.0049", 0}, {".5", 50},
        {"999999999.995", 100000000000}, {"9999999999999999.99", 999999999999999999},
        {"9999999999999999.995", std::nullopt}};
    for (const auto& [texto, valor] : centavos) EXPECT_EQ(LeerNumero(texto)->centavos(), valor) << texto;
    const std::pair<const char*, std::optional<int>> enteros[] = {
        {"12.9", 12}, {"-12.9", -12}, {"0000000000001", 1}, {"999999999", 999999999}, {"1000000000", std::nullopt}};
    for (const auto& [texto, valor] : enteros) EXPECT_EQ(LeerNumero(texto)->enteroPequeno(), valor) << texto;
}

TEST(Fecha, CalendarioGregorianoYOrden) {
    for (const auto& f : {Fecha{29, 2, 2000}, {29, 2, 2012}, {29, 2, 2400}, {31, 1, 2000}, {30, 4, 2000}})
        EXPECT_TRUE(EsFechaReal(f.dia, f.mes, f.anio)) << f.dia << "/" << f.mes << "/" << f.anio;
    for (const auto& f : {Fecha{0, 1, 2000}, {32, 1, 2000}, {29, 2, 1900}, {29, 2, 2100}, {29, 2, 2001}, {31, 4, 2000},
                          {31, 11, 2000}, {1, 0, 2000}, {1, 13, 2000}, {-1, 1, 2000}})
        EXPECT_FALSE(EsFechaReal(f.dia, f.mes, f.anio)) << f.dia << "/" << f.mes << "/" << f.anio;
    EXPECT_GT((Fecha{1, 12, 2014}), kFechaMaxima);
    EXPECT_LT((Fecha{31, 12, 1987}), kFechaMinima);
}

TEST(LeerFecha, DiaPrimeroYRechazadas) {
    const std::pair<const char*, Fecha> casos[] = {
        {"15/06/2000", {15, 6, 2000}}, {"1/2/2000", {1, 2, 2000}}, {"  15/06/2000  ", {15, 6, 2000}},
        {"15-06-2000", {15, 6, 2000}}, {"1.2.03", {1, 2, 2003}}, {"15/06/29", {15, 6, 2029}},
        {"15/06/30", {15, 6, 1930}}, {"29/02/00", {29, 2, 2000}}, {"12/01/2000", {12, 1, 2000}}};
    for (const auto& [texto, fecha] : casos) EXPECT_EQ(LeerFecha(texto), fecha) << texto;
    for (const char* t : {"01/13/2000", "12/31/2000", "29/02/1900", "29/02/01", "31/04/2000", "00/01/2000",
                          "15/06-2000", "15/06/200", "15/06/20000", "015/06/2000", "15 /06/2000", "15/06/2000x", "",
                          "15/06", "15/06/2000/1", "2000/06/15", "15/06/2O00", "+1/06/2000", "15,06,2000", "15062000"})
        EXPECT_FALSE(LeerFecha(t)) << "'" << t << "'";
}

}  // namespace
