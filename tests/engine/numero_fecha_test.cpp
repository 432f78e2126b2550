// The number and date recognisers and the UTF-8 character measure every
// rule stands on.

#include "engine/caracteres.h"
#include "engine/fecha.h"
#include "engine/numero.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <tuple>

namespace {

using namespace vaviviv;

// Sign, integer and fraction digits as read, or "no" when not a number.
std::string Ver(const char* texto) {
    const auto n = LeerNumero(texto);
    return n ? (n->signoMenos ? "-" : "+") + std::string(n->entero) + "|" + std::string(n->fraccion) : "no";
}

TEST(LeerNumero, LecturaImporteMaximoCentavosYEntero) {
    const std::pair<const char*, const char*> casos[] = {
        {"0", "+|"}, {"  5  ", "+5|"}, {"+5", "+5|"}, {"-5", "-5|"}, {".5", "+|5"}, {"5.", "+5|"}, {"007.50", "+7|5"},
        {" -123.450 ", "-123|45"}, {"12345678901234567890123.4", "+12345678901234567890123|4"},
        {"", "no"}, {"   ", "no"}, {".", "no"}, {"-", "no"}, {"-.", "no"}, {"1,000", "no"}, {"1e5", "no"},
        {"1.2.3", "no"}, {"--1", "no"}, {"+-1", "no"}, {"1 2", "no"}, {"- 5", "no"}, {"5-", "no"}, {"0x10", "no"},
        {"\t5", "no"}, {"5\n", "no"}, {"١", "no"}, {"..1", "no"}};
    for (const auto& [texto, leido] : casos) EXPECT_EQ(Ver(texto), leido) << "'" << texto << "'";
    EXPECT_FALSE(LeerNumero("-0.0")->esNegativo());
    EXPECT_TRUE(LeerNumero("-0.01")->esNegativo());
    // Decimals past the second only count when the first two are 99.
    for (const auto& [texto, supera] :
         {std::pair{"999999999.99", false}, {"0999999999.990000", false}, {"999999999.988888888888891", false},
          {"999999999.9195", false}, {"999999998.999", false}, {"999999999.9900001", true}, {"999999999.991", true},
          {"1000000000", true}, {"-1000000000", false}})
        EXPECT_EQ(LeerNumero(texto)->superaImporteMaximo(), supera) << texto;
    const std::pair<const char*, std::optional<std::int64_t>> centavos[] = {
        {"0.29", 29}, {"1.005", 101}, {"1.0049999", 100}, {"-1.005", -101}, {"0.0049", 0}, {".5", 50},
        {"999999999.995", 100000000000}, {"9999999999999999.99", 999999999999999999},
        {"9999999999999999.995", std::nullopt}, {"99999999999999999", std::nullopt}};
    for (const auto& [texto, valor] : centavos) EXPECT_EQ(LeerNumero(texto)->centavos(), valor) << texto;
    const std::pair<const char*, std::optional<int>> enteros[] = {
        {"12.9", 12}, {"-12.9", -12}, {"0000000000001", 1}, {"999999999", 999999999}, {"1000000000", std::nullopt}};
    for (const auto& [texto, valor] : enteros) EXPECT_EQ(LeerNumero(texto)->enteroPequeno(), valor) << texto;
}

TEST(Fecha, OrdenYLectura) {
    for (const Fecha f : {Fecha{19, 11, 2014}, {1, 12, 2014}, {1, 1, 2015}}) EXPECT_GT(f, kFechaMaxima) << f.dia << "/" << f.mes;
    for (const Fecha f : {Fecha{2, 1, 1988}, {1, 2, 1988}, {1, 1, 1989}}) EXPECT_GT(f, kFechaMinima) << f.dia << "/" << f.mes;
    // Day first, the same separator twice, a real date; two-digit years 00-29 are 20xx.
    const std::pair<const char*, Fecha> casos[] = {
        {"15/06/2000", {15, 6, 2000}}, {"1/2/2000", {1, 2, 2000}}, {"  15/06/2000  ", {15, 6, 2000}},
        {"15-06-2000", {15, 6, 2000}}, {"1.2.03", {1, 2, 2003}}, {"15/06/29", {15, 6, 2029}},
        {"15/06/30", {15, 6, 1930}}, {"29/02/00", {29, 2, 2000}}, {"12/01/2000", {12, 1, 2000}}};
    for (const auto& [texto, fecha] : casos) EXPECT_EQ(LeerFecha(texto), fecha) << texto;
    for (const char* t : {"01/13/2000", "12/31/2000", "29/02/1900", "29/02/2100", "29/02/01", "31/04/2000",
                          "31/11/2000", "00/01/2000", "01/00/2000", "15/06-2000", "15/06/200", "15/06/20000", "015/06/2000",
                          "15 /06/2000", "15/06/2000x", "", "15/06", "15/06/2000/1", "2000/06/15", "15/06/2O00",
                          "+1/06/2000", "15,06,2000", "15062000", "\t15/06/2000"})
        EXPECT_FALSE(LeerFecha(t)) << "'" << t << "'";
    // DD/MM/AAAA in UTF-16 units, as the windows measure it: a separator beyond the BMP is two (U+FFFD is one).
    for (const auto& [t, si] : {std::pair{"01/02/2000", true}, {"99x99.9999", true}, {"01é02€2000", true},
                                {"01\xFF" "02/2000", true}, {"01😀02/2000", false}, {"1/02/2000", false}, {"01/02/20000", false},
                                {"01/02/200", false}, {"01/0a/2000", false}, {"01//2/2000", false}, {" 01/02/2000", false}, {"", false}})
        EXPECT_EQ(CifrasDDMMAAAA(t), si) << t;
}

// Every month's last day is read and the day after it is not, in common and leap years written with four
// digits (century years too, and both ends of what four digits hold) and with two (00-29 are 20xx, 30-99 19xx).
TEST(Fecha, UltimoDiaDeCadaMes) {
    const int dias[] = {31, 0, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};  // February: by year
    const std::tuple<const char*, int, int> anios[] = {  // as written, the year, February's last day
        {"2013", 2013, 28}, {"2012", 2012, 29}, {"2000", 2000, 29}, {"1900", 1900, 28}, {"2100", 2100, 28},
        {"1988", 1988, 29}, {"2014", 2014, 28}, {"1996", 1996, 29}, {"0001", 1, 28}, {"0004", 4, 29}, {"9999", 9999, 28},
        {"00", 2000, 29}, {"13", 2013, 28}, {"28", 2028, 29}, {"29", 2029, 28}, {"30", 1930, 28}, {"88", 1988, 29},
        {"99", 1999, 28}};
    for (const auto& [escrito, anio, febrero] : anios) {
        for (int mes = 1; mes <= 12; ++mes) {
            const int ultimo = mes == 2 ? febrero : dias[mes - 1];
            const auto texto = [&](int dia) {
                char t[16];
                std::snprintf(t, sizeof t, "%02d/%02d/%s", dia, mes, escrito);
                return std::string(t);
            };
            EXPECT_EQ(LeerFecha(texto(ultimo)), (Fecha{ultimo, mes, anio})) << texto(ultimo);
            EXPECT_FALSE(LeerFecha(texto(ultimo + 1))) << texto(ultimo + 1);
            EXPECT_TRUE(EsFechaReal(ultimo, mes, anio)) << texto(ultimo);
            EXPECT_FALSE(EsFechaReal(ultimo + 1, mes, anio)) << texto(ultimo + 1);
        }
    }
    EXPECT_FALSE(LeerFecha("31/12/0000"));
}

// Whole sequences of 1 to 4 bytes; anything malformed or cut is one byte. Characters of valid text.
TEST(Caracteres, LongitudYCuenta) {
    const std::pair<std::string, std::size_t> casos[] = {
        {"", 0}, {"A", 1}, {std::string(1, '\0'), 1}, {"ñx", 2}, {"€x", 3}, {"\xF0\x9F\x98\x80x", 4},
        {"\xF4\x8F\xBF\xBF", 4}, {"\x80\x80", 1}, {"\xC3", 1}, {"\xC3" "A", 1}, {"\xE2\x82", 1}, {"\xE2\x82" "A", 1},
        {"\xF0\x9F\x98", 1}, {"\xF0\x9F\x98" "A", 1}, {"\xF0" "A\x98\x80", 1}, {"\xF8\x88\x80\x80\x80", 1}, {"\xFF", 1}};
    for (const auto& [s, n] : casos) EXPECT_EQ(LongitudCaracter(s), n) << s;
    for (const auto& [s, n] : {std::pair{"", 0}, {"abc", 3}, {"ñé", 2}, {"€x", 2}, {"😀😀a", 3}, {"a\xF4\x8F\xBF\xBF", 2}})
        EXPECT_EQ(ContarCaracteres(s), std::size_t(n)) << s;
}

}  // namespace
