#include "engine/algoritmos.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace vaviviv;

// A routine's answer as one text: the digits, "fuera", or "malo <char>".
std::string Ver(const Resultado& r) {
    const std::string resto = r.digitos.empty() || r.correcto() ? "" : " +" + r.digitos;
    if (r.estado == Resultado::Estado::CaracterNoValido) return "malo " + r.caracter + resto;
    return r.correcto() ? r.digitos : "fuera" + resto;
}

using Rutina = Resultado (*)(std::string_view);
using Casos = std::vector<std::pair<std::string, std::string>>;

const std::string kLargo(100003, '7');  // sums never overflow, whatever the length

TEST(Algoritmos, EjemplosYBordesDeUnaReferencia) {
    const std::pair<Rutina, Casos> tabla[] = {
        {CalcularAlgoritmo00, {{"123456", "6"}, {"7992739871", "3"}, {"000", "0"}, {"", "0"}, {"00123456", "6"},
                               {std::string(19, '9'), "9"}, {kLargo, "3"}, {"12a4", "fuera"}, {"١", "fuera"},
                               {std::string("1\0" "2", 3), "fuera"}}},
        {CalcularAlgoritmo03, {{"271828", "4"}, {"99271828", "4"}, {"5", "4"}, {"1", "5"}, {"123456", "7"},
                               {"000000", "7"}, {"", "7"}, {kLargo + "271828", "4"}, {"27a828", "fuera"}}},
        {CalcularAlgoritmo04, {{"123456", "93"}, {"123457", "93"}, {"1", "40"}, {"12", "53"}, {"10", "53"},
                               {"000000000000123456", "93"}, {std::string(16, '1'), "95"}, {std::string(17, '1'), "11"},
                               {"100000000000000000", "57"}, {std::string(18, '9'), "29"}, {"", "fuera"},
                               {std::string(19, '1'), "fuera"}, {"-12", "fuera"}}},
        {CalcularAlgoritmo35, {{"ABC123", "8"}, {"abc123", "8"}, {"Z9", "6"}, {"A", "6"}, {"0", "0"},
                               {std::string(19, 'Z'), "3"}, {"1234567890", "2"}, {"HOL#A-2014", "malo #"}}},
        {CalcularAlgoritmo36, {{"ABC123", "2"}, {"abc123", "2"}, {"141118ABC", "1"}, {"A", "8"}, {"J", "8"}, {"S", "8"},
                               {"R", "1"}, {"7992739871", "3"}, {"0", "0"}, {std::string(kLargo.size(), 'Y'), "3"}}},
        {CalcularAlgoritmo37, {{"ABC123", "03"}, {"ABC124", "03"}, {"7", "40"}, {"A", "40"}, {"Z", "40"},
                               {"123456", "93"}, {"abc123", "03"}, {std::string(18, 'Z'), "41"}, {"AB9-", "malo -"},
                               {std::string(30'000'000, '9'), "93"}}},  // a sum beyond 32 bits
    };
    for (const auto& [rutina, casos] : tabla)
        for (const auto& [ref, esperado] : casos) EXPECT_EQ(Ver(rutina(ref)), esperado) << ref.substr(0, 20);
}

TEST(Algoritmos, CaracterNoValido353637ElDeMasALaIzquierdaTalComoSeEscribio) {
    const Casos casos = {
        {"HOLA-2014", "-"}, {"ñandú", "ñ"}, {"A B", " "}, {"12€", "€"}, {"A\xff" "B", "\xff"},
        {"AB\xc3", "\xc3"}, {std::string("A\0B", 3), std::string(1, '\0')}, {kLargo + "a*", "*"}};
    for (Rutina rutina : {CalcularAlgoritmo35, CalcularAlgoritmo36, CalcularAlgoritmo37}) {
        for (const auto& [ref, caracter] : casos) EXPECT_EQ(Ver(rutina(ref)), "malo " + caracter) << ref.substr(0, 20);
        EXPECT_EQ(Ver(rutina("")), "fuera");
    }
}

TEST(Algoritmo02, EjemplosYCaracterNoValidoElDeMasALaDerecha) {
    const std::string zetas(kLargo.size(), 'Z');
    for (const auto& [ref, esperado] :
         Casos{{"141118ABC", "11"}, {"141118abc", "11"}, {"123456", "16"}, {"", "10"}, {zetas, "18"}})
        EXPECT_EQ(CalcularAlgoritmo02(ref), esperado) << ref.substr(0, 20);
    EXPECT_EQ(CalcularAlgoritmo02("1411 8"), "0Carácter no valido en la referencia:  '   '");
    for (const auto& [ref, caracter] : Casos{{"14111#-", "-"}, {"1411ñ8", "ñ"}, {"-" + kLargo, "-"}}) {
        const std::string texto = CalcularAlgoritmo02(ref);
        EXPECT_EQ(texto, "0Carácter no valido en la referencia:  ' " + caracter + " '");
        const Lectura02 l = LeerResultado02(texto);
        EXPECT_TRUE(!l.correcto && l.caracter == caracter && l.mensaje == texto.substr(1)) << ref.substr(0, 20);
    }
    EXPECT_EQ(LeerResultado02("17").digito, "7");
    EXPECT_FALSE(LeerResultado02("").correcto);
}

TEST(Algoritmo06, EjemplosYFueraDePrecondicion) {
    const std::string r18(18, '9'), r19(19, '1');
    const std::vector<std::vector<std::string>> casos = {
        {"123", "4567", "890", "62"}, {"0", "0", "0", "99"}, {"1", "1", "1234567890", "39"},
        {"1", "1", "34567890", "39"}, {"99999999", "99999999", r18, "89"},
        {"12345678", "87654321", "123456789012345678", "35"}, {"", "1", "1", "fuera"}, {"1", "1", "", "fuera"},
        {"123456789", "1", "1", "fuera"}, {"1", "1", r19, "fuera"}, {"1", "-1", "1", "fuera"}, {"1", "1", "1 3", "fuera"}};
    for (const auto& c : casos)
        EXPECT_EQ(Ver(CalcularAlgoritmo06(c[0], c[1], c[2])), c[3]) << c[0] << "|" << c[1] << "|" << c[2];
}

TEST(Algoritmo10, EjemplosYFueraDePrecondicion) {
    const char* f = "15/06/2000";
    const std::vector<std::vector<std::string>> casos = {
        {"123456", "123.45", f, "46337268"}, {"1", "0", "01/01/1988", "00000236"},
        {"999999999999", "999999999.99", "18/11/2014", "99997283"}, {"000000000000", "0.29", "31/12/1999", "44639253"},
        {"123456", "123.45", "29/02/2012", "89877253"},
        {"1234567890123", "1", f, "fuera"}, {"12a", "1", f, "fuera"}, {"1", "abc", f, "fuera"},
        {"1", "-0.01", f, "fuera"}, {"1", "999999999.991", f, "fuera"}, {"1", "1", "1/06/2000", "fuera"},
        {"1", "1", "15/06/00", "fuera"}, {"1", "1", "31/02/2000", "fuera"}, {"1", "1", "31/12/1987", "fuera"},
        {"1", "1", "19/11/2014", "fuera"}, {"1", "1", "01/12/2014", "fuera"}};
    for (const auto& c : casos)
        EXPECT_EQ(Ver(CalcularAlgoritmo10(c[0], c[1], c[2])), c[3]) << c[0] << "|" << c[1] << "|" << c[2];
}

// The first four digits come from the date alone, the fifth from the amount
// alone, the sixth is always 2.
TEST(Algoritmo10, FechaImporteYConstanteFijanLosSeisPrimeros) {
    const char* fechas[][2] = {{"01/01/1988", "0000"}, {"15/06/2000", "4633"}, {"18/11/2014", "9999"}};
    const char* importes[][2] = {{"0", "0"}, {"0.29", "9"}, {"123.45", "7"}, {"1", "1"}, {"1.00", "1"}};
    for (const char* r : {"1", "999999999999"})
        for (const auto& f : fechas)
            for (const auto& i : importes)
                EXPECT_EQ(Ver(CalcularAlgoritmo10(r, i[0], f[0])).substr(0, 6), std::string(f[1]) + i[1] + "2")
                    << r << " " << i[0] << " " << f[0];
}

TEST(Algoritmo10, DigitoImporteExactoRedondeandoLaTerceraDecimal) {
    const std::pair<const char*, int> casos[] = {
        {"123.45", 7}, {"0.29", 9}, {"1", 1}, {"1.00", 1}, {"1.005", 8}, {"1.0049", 1}, {"0.005", 7}, {"0.004", 0},
        {"-0", 0}, {".5", 5}, {" 123.45 ", 7}, {"999999999.99", 7}, {"-0.01", -1}, {"999999999.991", -1},
        {"1000000000", -1}, {"", -1}, {"1,5", -1}, {"1e3", -1}};
    for (const auto& [importe, digito] : casos) EXPECT_EQ(CalcularDigitoImporte(importe), digito) << importe;
}

// References drawn with a fixed seed so any failure is reproducible: on
// digits 02 and 36 agree with 00 and 37 with 04; on letters 36 agrees with 02.
TEST(PropiedadesCruzadas, RutinasQueCoinciden) {
    std::mt19937 g(20140611);
    const auto aleatoria = [&g](std::size_t maximo, std::string_view alfabeto) {
        std::string s(std::uniform_int_distribution<std::size_t>(1, maximo)(g), '0');
        for (char& c : s) c = alfabeto[std::uniform_int_distribution<std::size_t>(0, alfabeto.size() - 1)(g)];
        return s;
    };
    for (int i = 0; i < 400; ++i) {
        const std::string r19 = aleatoria(19, "0123456789"), r18 = aleatoria(18, "0123456789");
        const std::string d00 = Ver(CalcularAlgoritmo00(r19));
        ASSERT_EQ(d00.size(), 1u) << r19;
        EXPECT_EQ(CalcularAlgoritmo02(r19), "1" + d00) << r19;
        EXPECT_EQ(Ver(CalcularAlgoritmo36(r19)), d00) << r19;
        EXPECT_EQ(Ver(CalcularAlgoritmo37(r18)), Ver(CalcularAlgoritmo04(r18))) << r18;
        const std::string alfa = aleatoria(30, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        EXPECT_EQ("1" + Ver(CalcularAlgoritmo36(alfa)), CalcularAlgoritmo02(alfa)) << alfa;
    }
}

}  // namespace
