#include "engine/algoritmos.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace vaviviv;
using Estado = Resultado::Estado;

struct Caso {
    std::string referencia;
    std::string esperado;
};

::testing::AssertionResult Da(const Resultado& r, std::string_view esperado) {
    if (r.estado == Estado::Correcto && r.digitos == esperado) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "estado " << int(r.estado) << ", digitos \"" << r.digitos
                                         << "\", se esperaba \"" << esperado << "\"";
}

::testing::AssertionResult Fuera(const Resultado& r) {
    if (r.estado == Estado::FueraDePrecondicion && r.digitos.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "estado " << int(r.estado) << ", digitos \"" << r.digitos << "\"";
}

::testing::AssertionResult Rechaza(const Resultado& r, std::string_view caracter) {
    if (r.estado == Estado::CaracterNoValido && r.caracter == caracter && r.digitos.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "estado " << int(r.estado) << ", caracter \"" << r.caracter
                                         << "\", digitos \"" << r.digitos << "\"";
}

void Verificar(Resultado (*rutina)(std::string_view), const std::vector<Caso>& casos) {
    for (const auto& c : casos) EXPECT_TRUE(Da(rutina(c.referencia), c.esperado)) << "referencia " << c.referencia;
}

const std::string kPrefijo02 = "0Carácter no valido en la referencia:  ' ";
constexpr std::size_t kLargo = 100003;

TEST(Algoritmo00, EjemplosYBordes) {
    Verificar(CalcularAlgoritmo00, {{"123456", "6"}, {"7992739871", "3"}, {"0", "0"}, {"000", "0"},
                                    {"", "0"}, {"00123456", "6"}, {"5", "9"},
                                    {std::string(19, '9'), "9"}, {std::string(kLargo, '7'), "3"}});
}

TEST(Algoritmo00, NoDigitoFueraDePrecondicion) {
    for (const std::string& r : {std::string("12a4"), std::string("-1"), std::string(" 1"), std::string("1 "),
                                 std::string("1.0"), std::string("١"), std::string("1\0" "2", 3)})
        EXPECT_TRUE(Fuera(CalcularAlgoritmo00(r))) << r;
}

TEST(Algoritmo02, EjemplosYBordes) {
    for (const Caso& c : std::vector<Caso>{{"141118ABC", "11"}, {"141118abc", "11"}, {"123456", "16"},
                                           {"", "10"}, {std::string(kLargo, 'Z'), "18"}})
        EXPECT_EQ(CalcularAlgoritmo02(c.referencia), c.esperado) << c.referencia;
}

TEST(Algoritmo02, CaracterNoValidoElDeMasALaDerecha) {
    EXPECT_EQ(CalcularAlgoritmo02("1411 8"), "0Carácter no valido en la referencia:  '   '");
    const std::vector<Caso> casos{{"14111#-", "-"}, {"1411ñ8", "ñ"}, {"ÑA", "Ñ"}, {"14'11", "'"},
                                  {"ab.cd", "."}, {"-" + std::string(kLargo, 'A'), "-"}};
    for (const auto& c : casos) {
        const std::string texto = CalcularAlgoritmo02(c.referencia);
        EXPECT_EQ(texto, kPrefijo02 + c.esperado + " '") << c.referencia;
        const Lectura02 l = LeerResultado02(texto);
        EXPECT_FALSE(l.correcto);
        EXPECT_EQ(l.caracter, c.esperado);
        EXPECT_EQ(l.mensaje, texto.substr(1));
    }
    EXPECT_EQ(LeerResultado02(CalcularAlgoritmo02("1411 8")).caracter, " ");
}

TEST(Algoritmo02, LeerResultado) {
    const Lectura02 l = LeerResultado02("17");
    EXPECT_TRUE(l.correcto);
    EXPECT_EQ(l.digito, "7");
    EXPECT_FALSE(LeerResultado02("").correcto);
}

TEST(Algoritmo03, EjemplosYBordes) {
    Verificar(CalcularAlgoritmo03, {{"271828", "4"}, {"99271828", "4"}, {"1234567890123271828", "4"},
                                    {"5", "4"}, {"1", "5"}, {"123456", "7"}, {"000000", "7"}, {"", "7"},
                                    {std::string(kLargo, '7') + "271828", "4"}});
}

TEST(Algoritmo03, NoDigitoFueraDePrecondicion) {
    for (const char* r : {"27a828", "x271828", "271828 "}) EXPECT_TRUE(Fuera(CalcularAlgoritmo03(r))) << r;
}

TEST(Algoritmo04, EjemplosYBordes) {
    Verificar(CalcularAlgoritmo04,
              {{"123456", "93"}, {"123457", "93"}, {"1", "40"}, {"9", "40"}, {"12", "53"}, {"10", "53"},
               {"000000000000123456", "93"}, {std::string(16, '1'), "95"}, {std::string(17, '1'), "11"},
               {"100000000000000000", "57"}, {std::string(18, '9'), "29"}});
}

TEST(Algoritmo04, FueraDePrecondicion) {
    for (std::string r : {std::string(), std::string(19, '1'), std::string("12a"), std::string("-12")})
        EXPECT_TRUE(Fuera(CalcularAlgoritmo04(r))) << r;
}

TEST(Algoritmo06, EjemplosYBordes) {
    struct C06 { std::string s, c, r, esperado; };
    for (const auto& c : std::vector<C06>{{"123", "4567", "890", "62"},
                                          {"0", "0", "0", "99"},
                                          {"1", "1", "1234567890", "39"},
                                          {"1", "1", "34567890", "39"},
                                          {"99999999", "99999999", std::string(18, '9'), "89"},
                                          {"12345678", "87654321", "123456789012345678", "35"}})
        EXPECT_TRUE(Da(CalcularAlgoritmo06(c.s, c.c, c.r), c.esperado)) << c.s << " " << c.c << " " << c.r;
}

TEST(Algoritmo06, FueraDePrecondicion) {
    const std::string r19(19, '1');
    for (const auto& [s, c, r] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"", "1", "1"}, {"1", "", "1"}, {"1", "1", ""}, {"123456789", "1", "1"}, {"1", "123456789", "1"},
             {"1", "1", r19}, {"1a", "1", "1"}, {"1", "-1", "1"}, {"1", "1", "12 3"}})
        EXPECT_TRUE(Fuera(CalcularAlgoritmo06(s, c, r))) << s << "|" << c << "|" << r;
}

TEST(Algoritmo10, EjemplosYBordes) {
    struct C10 { std::string r, i, f, esperado; };
    for (const auto& c : std::vector<C10>{{"123456", "123.45", "15/06/2000", "46337268"},
                                          {"1", "0", "01/01/1988", "00000236"},
                                          {"999999999999", "999999999.99", "18/11/2014", "99997283"},
                                          {"1", "0", "18/11/2014", "99990284"},
                                          {"999999999999", "999999999.99", "01/01/1988", "00007235"},
                                          {"123456", "123.45", "29/02/2012", "89877253"},
                                          {"000000000000", "0.29", "31/12/1999", "44639253"}})
        EXPECT_TRUE(Da(CalcularAlgoritmo10(c.r, c.i, c.f), c.esperado)) << c.r << " " << c.i << " " << c.f;
}

TEST(Algoritmo10, FechaImporteYConstanteFijanLosSeisPrimeros) {
    const char* fechas[][2] = {{"01/01/1988", "0000"}, {"15/06/2000", "4633"}, {"18/11/2014", "9999"}};
    const char* importes[][2] = {{"0", "0"}, {"0.29", "9"}, {"123.45", "7"}, {"1", "1"}, {"1.00", "1"}};
    for (const char* r : {"1", "123456", "999999999999"})
        for (const auto& f : fechas)
            for (const auto& i : importes) {
                const Resultado res = CalcularAlgoritmo10(r, i[0], f[0]);
                ASSERT_TRUE(res.correcto()) << r << " " << i[0] << " " << f[0];
                EXPECT_EQ(res.digitos.substr(0, 6), std::string(f[1]) + i[1] + "2") << r << " " << i[0] << " " << f[0];
            }
}

TEST(Algoritmo10, DigitoImporte) {
    const std::pair<const char*, int> casos[] = {
        {"123.45", 7}, {"0.29", 9}, {"1", 1}, {"1.00", 1}, {"1.005", 8}, {"1.0049", 1}, {"0.005", 7},
        {"0.004", 0}, {"0", 0}, {"-0", 0}, {".5", 5}, {"5.", 5}, {" 123.45 ", 7}, {"999999999.99", 7},
        {"-1", -1}, {"-0.01", -1}, {"999999999.991", -1}, {"1000000000", -1}, {"", -1}, {"abc", -1},
        {"1,5", -1}, {"1e3", -1}, {".", -1}};
    for (const auto& [importe, digito] : casos) EXPECT_EQ(CalcularDigitoImporte(importe), digito) << importe;
}

TEST(Algoritmo10, FueraDePrecondicion) {
    const char* casos[][3] = {
        {"", "1", "15/06/2000"}, {"1234567890123", "1", "15/06/2000"}, {"12a", "1", "15/06/2000"},
        {"1", "", "15/06/2000"}, {"1", "abc", "15/06/2000"}, {"1", "-0.01", "15/06/2000"},
        {"1", "1000000000", "15/06/2000"}, {"1", "999999999.991", "15/06/2000"},
        {"1", "1", ""}, {"1", "1", "1/06/2000"}, {"1", "1", "15/6/2000"}, {"1", "1", "15/06/00"},
        {"1", "1", "15/06/20x0"}, {"1", "1", "31/02/2000"}, {"1", "1", "15/13/2000"},
        {"1", "1", "31/12/1987"}, {"1", "1", "19/11/2014"}, {"1", "1", "01/12/2014"},
        {"1", "1", "01/01/2015"}};
    for (const auto& c : casos) EXPECT_TRUE(Fuera(CalcularAlgoritmo10(c[0], c[1], c[2]))) << c[0] << "|" << c[1] << "|" << c[2];
}

TEST(Algoritmo35, EjemplosYBordes) {
    Verificar(CalcularAlgoritmo35, {{"ABC123", "8"}, {"abc123", "8"}, {"Z9", "6"}, {"A", "6"}, {"0", "0"},
                                    {std::string(19, 'Z'), "3"}, {"1234567890", "2"},
                                    {std::string(kLargo, 'Y'), "5"}});
}

TEST(Algoritmo36, EjemplosYBordes) {
    Verificar(CalcularAlgoritmo36, {{"ABC123", "2"}, {"abc123", "2"}, {"141118ABC", "1"}, {"A", "8"},
                                    {"J", "8"}, {"S", "8"}, {"R", "1"}, {"7992739871", "3"}, {"0", "0"},
                                    {std::string(kLargo, 'Y'), "3"}});
}

TEST(Algoritmo37, EjemplosYBordes) {
    Verificar(CalcularAlgoritmo37, {{"ABC123", "03"}, {"ABC124", "03"}, {"7", "40"}, {"A", "40"},
                                    {"Z", "40"}, {"123456", "93"}, {"abc123", "03"},
                                    {std::string(18, 'Z'), "41"}, {std::string(kLargo, 'Y'), "38"}});
}

TEST(Algoritmo37, SumaDeMasDe32BitsNoDesborda) {
    EXPECT_TRUE(Da(CalcularAlgoritmo37(std::string(30'000'000, '9')), "93"));
}

using Rutina = Resultado (*)(std::string_view);
const std::pair<const char*, Rutina> kAlfanumericas[] = {
    {"35", CalcularAlgoritmo35}, {"36", CalcularAlgoritmo36}, {"37", CalcularAlgoritmo37}};

TEST(Algoritmos353637, CaracterNoValidoElDeMasALaIzquierdaTalComoSeEscribio) {
    const std::vector<Caso> casos{{"HOLA-2014", "-"}, {"HOL#A-2014", "#"}, {"AÑO", "Ñ"}, {"ñandú", "ñ"},
                                  {"A B", " "}, {"ÁB", "Á"}, {"12€", "€"}, {"AB9-", "-"},
                                  {"A\xff" "B", "\xff"}, {"AB\xc3", "\xc3"}, {std::string("A\0B", 3), std::string(1, '\0')},
                                  {std::string(kLargo, 'a') + "*", "*"}};
    for (const auto& [nombre, rutina] : kAlfanumericas)
        for (const auto& c : casos)
            EXPECT_TRUE(Rechaza(rutina(c.referencia), c.esperado)) << nombre << " " << c.referencia.substr(0, 20);
}

TEST(Algoritmos353637, ReferenciaVaciaFueraDePrecondicion) {
    for (const auto& [nombre, rutina] : kAlfanumericas) EXPECT_TRUE(Fuera(rutina(""))) << nombre;
}

// References drawn with a fixed seed so any failure is reproducible.
std::string Aleatoria(std::mt19937& g, std::size_t largoMaximo, std::string_view alfabeto) {
    std::string s(std::uniform_int_distribution<std::size_t>(1, largoMaximo)(g), '0');
    for (char& c : s) c = alfabeto[std::uniform_int_distribution<std::size_t>(0, alfabeto.size() - 1)(g)];
    return s;
}

TEST(PropiedadesCruzadas, SoloDigitos02y36CoincidenCon00y37Con04) {
    std::mt19937 g(20140611);
    for (int i = 0; i < 400; ++i) {
        const std::string r19 = Aleatoria(g, 19, "0123456789");
        const Resultado d00 = CalcularAlgoritmo00(r19);
        ASSERT_TRUE(d00.correcto()) << r19;
        EXPECT_EQ(CalcularAlgoritmo02(r19), "1" + d00.digitos) << r19;
        EXPECT_TRUE(Da(CalcularAlgoritmo36(r19), d00.digitos)) << r19;
        const std::string r18 = Aleatoria(g, 18, "0123456789");
        const Resultado d04 = CalcularAlgoritmo04(r18);
        ASSERT_TRUE(d04.correcto()) << r18;
        EXPECT_TRUE(Da(CalcularAlgoritmo37(r18), d04.digitos)) << r18;
    }
}

TEST(PropiedadesCruzadas, Alfanumericas36CoincideCon02) {
    std::mt19937 g(141118);
    for (int i = 0; i < 400; ++i) {
        const std::string r = Aleatoria(g, 30, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        const Lectura02 l = LeerResultado02(CalcularAlgoritmo02(r));
        ASSERT_TRUE(l.correcto) << r;
        EXPECT_TRUE(Da(CalcularAlgoritmo36(r), l.digito)) << r;
    }
}

TEST(PropiedadesCruzadas, AnchosYRangos) {
    std::mt19937 g(6);
    for (int i = 0; i < 300; ++i) {
        const std::string r = Aleatoria(g, 18, "0123456789");
        const Resultado d03 = CalcularAlgoritmo03(r), d04 = CalcularAlgoritmo04(r);
        ASSERT_TRUE(d03.correcto() && d04.correcto()) << r;
        EXPECT_TRUE(d03.digitos.size() == 1 && d03.digitos >= "1" && d03.digitos <= "7") << r;
        EXPECT_TRUE(d04.digitos.size() == 2 && d04.digitos >= "01" && d04.digitos <= "97") << r;
        const Resultado d06 = CalcularAlgoritmo06(r.substr(0, 8), r.substr(r.size() / 2, 8), r);
        ASSERT_TRUE(d06.correcto()) << r;
        EXPECT_TRUE(d06.digitos.size() == 2 && d06.digitos >= "03" && d06.digitos <= "99") << r;
    }
}

}  // namespace
