// The nine routines, reached through the catalogue, on worked examples and
// edges, and the catalogue checked against what the routines do.

#include "engine/algoritmos.h"
#include "engine/catalogo.h"
#include "engine/fila.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace vaviviv;

constexpr int kImporte = 100;  // CalcularDigitoImporte in the same table

// A routine's answer as one text: the digits, "fuera", or "malo <char>"; digits
// left behind by a failure show after it.
std::string Ver(const Resultado& r) {
    if (r.estado == Resultado::Estado::CaracterNoValido) return "malo " + r.caracter.str() + r.digitos.str();
    return r.correcto() ? r.digitos.str() : "fuera" + r.digitos.str();
}

// b, c: branch and account for 06, amount and date for 10; any other code is
// CalcularDigitoImporte.
std::string Calcular(int codigo, const std::string& r, const std::string& b = {}, const std::string& c = {}) {
    if (!BuscarAlgoritmo(codigo)) return std::to_string(CalcularDigitoImporte(r));
    return Ver(vaviviv::Calcular(codigo, {r, b, c}));
}

struct Caso {
    int codigo;
    std::string esperado, ref, b = {}, c = {};
};

std::string n(std::size_t k, char c) { return std::string(k, c); }
const std::string kLargo = n(100003, '7');     // no length overflows a sum
const std::string kCara = "\xF0\x9F\x98\x80";  // U+1F600, four bytes

TEST(Algoritmos, EjemplosYBordes) {
    const std::string f = "15/06/2000", z = "QWERTYUIOPASDFGHJKL", x = "zxcvbnm";  // all 26 letters, both cases
    const std::vector<Caso> casos = {
        {0, "6", "123456"}, {0, "3", "7992739871"}, {0, "0", "000"}, {0, "0", ""}, {0, "9", n(19, '9')},
        {0, "3", kLargo}, {0, "fuera", "12a4"}, {0, "fuera", "9:"}, {0, "fuera", "/1"}, {0, "fuera", "١"},
        {2, "1", "141118ABC"}, {2, "1", "141118abc"}, {2, "6", "123456"}, {2, "0", ""}, {2, "8", n(100003, 'Z')},
        {2, "2", z}, {2, "0", x}, {2, "malo -", "14111#-"}, {2, "malo ñ", "1411ñ8"}, {2, "malo -", "-" + kLargo},
        {2, "malo " + kCara, "-A" + kCara + "B"}, {2, "malo \xF0", "\xF0" "AB"},  // the rightmost, whole
        {3, "4", "271828"}, {3, "4", "99271828"}, {3, "4", "5"}, {3, "5", "1"}, {3, "7", "123456"}, {3, "7", ""},
        {3, "4", kLargo + "271828"}, {3, "fuera", "27a828"},
        {4, "93", "123456"}, {4, "93", "123457"}, {4, "40", "1"}, {4, "53", "12"}, {4, "93", "000000000000123456"},
        {4, "95", n(16, '1')}, {4, "11", n(17, '1')}, {4, "57", "100000000000000000"}, {4, "29", n(18, '9')},
        {4, "fuera", ""}, {4, "fuera", n(19, '1')}, {4, "fuera", "-12"},
        {6, "62", "890", "123", "4567"}, {6, "99", "0", "0", "0"}, {6, "39", "1234567890", "1", "1"},
        {6, "39", "34567890", "1", "1"}, {6, "89", n(18, '9'), "99999999", "99999999"},
        {6, "35", "123456789012345678", "12345678", "87654321"}, {6, "fuera", "1", "", "1"}, {6, "fuera", "", "1", "1"},
        {6, "fuera", "1", "123456789", "1"}, {6, "fuera", "1", "1", "123456789"}, {6, "fuera", n(19, '1'), "1", "1"},
        {6, "fuera", "1", "-1", "1"},
        {10, "46337268", "123456", "123.45", f}, {10, "00000236", "1", "0", "01/01/1988"},
        {10, "99997283", "999999999999", "999999999.99", "18/11/2014"}, {10, "44639253", "0", "0.29", "31/12/1999"},
        {10, "89877253", "123456", "123.45", "29/02/2012"}, {10, "fuera", "1", "0", "31/12/1987"},
        {10, "fuera", "1", "0", "19/11/2014"}, {10, "fuera", "1", "0", "01/12/2014"}, {10, "fuera", "1", "1", "31/02/2000"},
        {10, "fuera", "1", "1", "1/06/2000"}, {10, "fuera", "1234567890123", "1", f}, {10, "fuera", "12a", "1", f},
        {10, "fuera", "1", "-0.01", f}, {10, "fuera", "1", "1000000000", f},
        // The amount digit: exact cents, half away from zero at the third decimal, no complement.
        {kImporte, "7", "123.45"}, {kImporte, "9", "0.29"}, {kImporte, "1", "1.00"}, {kImporte, "8", "1.005"},
        {kImporte, "1", "1.0049"}, {kImporte, "4", "0.015"}, {kImporte, "0", "0.004"}, {kImporte, "0", "-0"},
        {kImporte, "5", ".5"}, {kImporte, "7", "999999999.99"}, {kImporte, "7", "999999999.985"},
        {kImporte, "8", "999999999.9195"}, {kImporte, "-1", "999999999.991"}, {kImporte, "-1", "999999999.9900001"},
        {kImporte, "-1", "1000000000"}, {kImporte, "-1", "-0.01"}, {kImporte, "-1", ""},
        {35, "8", "ABC123"}, {35, "8", "abc123"}, {35, "6", "Z9"}, {35, "6", "A"}, {35, "0", "0"}, {35, "3", n(19, 'Z')},
        {35, "2", "1234567890"}, {35, "5", z}, {35, "6", x}, {35, "fuera", ""},
        {36, "2", "ABC123"}, {36, "2", "abc123"}, {36, "1", "141118ABC"}, {36, "8", "A"}, {36, "8", "J"}, {36, "1", "R"},
        {36, "3", "7992739871"}, {36, "2", z}, {36, "0", x}, {36, "3", n(100003, 'Y')}, {36, "fuera", ""},
        {37, "03", "ABC123"}, {37, "03", "ABC124"}, {37, "03", "abc123"}, {37, "40", "7"}, {37, "40", "Z"},
        {37, "93", "123456"}, {37, "41", n(18, 'Z')}, {37, "11", z.substr(0, 18)}, {37, "66", x}, {37, "fuera", ""},
        {37, "93", n(30'000'000, '9')},  // a sum past 32 bits
    };
    for (const Caso& c : casos)
        EXPECT_EQ(Calcular(c.codigo, c.ref, c.b, c.c), c.esperado) << c.codigo << " " << c.ref.substr(0, 20) << " " << c.b;
}

// 35, 36 and 37 stop at the leftmost character that is neither letter nor
// digit and give it back as typed: one UTF-8 sequence, or one malformed byte.
TEST(Algoritmos, CaracterNoValido353637) {
    const std::pair<std::string, std::string> casos[] = {
        {"HOL#A-2014", "#"}, {"AB9-", "-"}, {"ñandú", "ñ"}, {"A B", " "}, {"12€", "€"}, {"x" + kCara + "y-", kCara},
        {"A\xFF" "B", "\xFF"}, {"a\xF0\x9F\x98", "\xF0"}, {std::string("A\0B", 3), std::string(1, '\0')},
        {kLargo + "a*", "*"}};
    for (const int codigo : {35, 36, 37})
        for (const auto& [ref, caracter] : casos)
            EXPECT_EQ(Calcular(codigo, ref), "malo " + caracter) << codigo << " " << ref.substr(0, 20);
}

// Each entry's inputs and the width its routine gives (the codes themselves
// are checked as the user reads them, in the rules' tests); no code outside
// it reaches a routine.
// The one-pass forms take only records every check lets through, and give
// there what the routine that checks its own precondition gives; any other
// record is left to the checks, even one they would let through.
TEST(Algoritmos, UnaPasadaSoloDondeTodoPasa) {
    struct Caso {
        const char *referencia, *importe, *fecha;
        bool toma;
    };
    const Caso casos[] = {
        {"123456789012", "999999999.99", "18/11/2014", true}, {"1", "0", "01/01/1988", true},
        {"7", "5.", "29/02/2012", true}, {"7", "5.5", "18-11-2014", true}, {"7", "000000005.05", "18.11.2014", true},
        {"1234567890123", "1", "01/01/2000", false}, {"", "1", "01/01/2000", false}, {"12a", "1", "01/01/2000", false},
        {"1", "1000000000", "01/01/2000", false}, {"1", "0999999999.99", "01/01/2000", false},
        {"1", "77777777777777777777777", "01/01/2000", false},
        {"1", "5.005", "01/01/2000", false}, {"1", "5.000", "01/01/2000", false}, {"1", "+5", "01/01/2000", false},
        {"1", "-5", "01/01/2000", false}, {"1", ".5", "01/01/2000", false}, {"1", "5..", "01/01/2000", false},
        {"1", "5", "19/11/2014", false}, {"1", "5", "31/12/1987", false}, {"1", "5", "29/02/2013", false},
        {"1", "5", "18/11-2014", false}, {"1", "5", "18/11/14", false}, {"1", "5", "1a/11/2014", false},
        {"1", "5", "18/11/2014 ", false}, {"1", "5", "18_11_2014", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << c.referencia << " " << c.importe << " " << c.fecha);
        const auto rapida = comprobado::Algoritmo10EnUnaPasada(c.referencia, c.importe, c.fecha);
        ASSERT_EQ(rapida.has_value(), c.toma);
        if (rapida) {
            EXPECT_EQ(std::string_view(*rapida), std::string_view(CalcularAlgoritmo10(c.referencia, c.importe, c.fecha).digitos));
        }
    }
    // 00 on every length, with each digit, and with a byte that is none at
    // each place (the neighbours of '0' and '9', a NUL, bytes of 0x80 or more).
    std::string r;
    for (std::size_t largo = 1; largo <= 20; ++largo) {
        r.assign(largo, '0');
        for (std::size_t i = 0; i < largo; ++i) r[i] = char('0' + (i * 7 + largo) % 10);
        for (std::size_t lugar = 0; lugar <= largo; ++lugar) {
            for (const char otro : {'0', '5', '9', '/', ':', ' ', '\0', '\x7F', '\x80', '\xB9', '\xBA', '\xFF'}) {
                std::string t = r;
                if (lugar < largo) t[lugar] = otro;
                const auto rapida = comprobado::Algoritmo00EnUnaPasada(t);
                const Resultado comprobada = CalcularAlgoritmo00(t);
                ASSERT_EQ(rapida.has_value(), comprobada.correcto() && largo <= 19) << t;
                if (rapida) {
                    ASSERT_EQ(std::string_view(*rapida), std::string_view(comprobada.digitos)) << t;
                }
            }
        }
    }
    EXPECT_FALSE(comprobado::Algoritmo00EnUnaPasada(""));
}

TEST(Catalogo, CodigosEntradasYAnchos) {
    using enum Entradas;
    for (const Algoritmo& a : Catalogo()) {
        EXPECT_EQ(BuscarAlgoritmo(a.codigo), &a);
        EXPECT_EQ(a.entradas, a.codigo == 6 ? SucursalCuenta : a.codigo == 10 ? ImporteFecha : Referencia);
        EXPECT_EQ(Calcular(a.codigo, "141118", "1", a.codigo == 10 ? "01/01/1988" : "1").size(), std::size_t(a.anchoResultado));
    }
    for (int codigo : {1, 5, 11, 38, -1}) {
        EXPECT_EQ(BuscarAlgoritmo(codigo), nullptr) << codigo;
        EXPECT_EQ(LongitudMaxima(codigo), 0u) << codigo;
        EXPECT_EQ(vaviviv::Calcular(codigo, {"1", "1", "1"}).estado, Resultado::Estado::FueraDePrecondicion) << codigo;
    }
}

}  // namespace

namespace {

std::string Ver(const Verificacion& v) {
    using enum Verificacion::Estado;
    switch (v.estado) {
    case Valida: return "válida " + v.esperada();
    case NoValida: return "no válida " + v.esperada();
    case Error: return std::string(v.error) + v.caracter.str();
    case CaracterNoValido: return "malo " + v.caracter.str();
    case CodigoDesconocido: break;
    }
    return "desconocido";
}

// A complete reference: its width in characters split off, the rest
// calculated as a bulk record, the whole compared trimmed.
TEST(Verificar, ComoUnRegistroDelArchivo) {
    const std::string f = "15/06/2000";
    const std::vector<Caso> casos = {
        {0, "válida 1234566", "1234566"}, {0, "no válida 1234566", "1234567"}, {0, "válida 1234566", "  1234566 "},
        {0, "no válida 1234566", "123456 6"}, {0, "Error: Referencia no válida.", "12a4566"},
        {0, "Error: Referencia no válida.", "6"}, {0, "Error: Referencia mayor a 19 dígitos.", n(20, '1') + "0"},
        {2, "válida 141118ABC1", "141118ABC1"}, {2, "Error: Referencia no valida = -", "141118A-B1"},
        {2, "Error: Fecha menor a 6 dígitos.", "14111"},
        {4, "no válida 1234510", "1234569"}, {4, "válida 12345693", "12345693"},
        {6, "válida 89062", "89062", "123", "4567"}, {6, "Error: Sucursal mayora 8 dígitos.", "89062", "123456789", "1"},
        {10, "válida 12345646337268", "12345646337268", "123.45", f}, {10, "Formato de fecha no válido.", "12345646337268", "1", "1/6/2000"},
        {35, "malo -", "AB-C8"}, {37, "válida ABC12303", "ABC12303"},
        {37, "no válida ABC12303", "ABC123ñ3"},  // two characters, three bytes
        {1, "desconocido", "12"}, {-1, "desconocido", ""},
    };
    for (const Caso& c : casos) EXPECT_EQ(Ver(Verificar(c.codigo, c.ref, c.b, c.c)), c.esperado) << c.codigo << " " << c.ref;
}

}  // namespace
