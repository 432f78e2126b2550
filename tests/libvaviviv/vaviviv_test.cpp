// The C interface's contract: what each call returns and leaves in the
// structure, for good records, refused ones and arguments it must turn away.
// The cells themselves are compared with masivo's by probar_libvaviviv.sh.

#include "vaviviv/vaviviv.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "estado|completa|digitos|caracter", or the negative answer alone.
std::string Ver(int codigo, const char* ref, const char* c2 = nullptr, const char* c3 = nullptr) {
    vaviviv_resultado r;
    const int e = vaviviv_calcular(codigo, ref, c2, c3, &r);
    if (e != r.estado) return "estado distinto";
    if (e < 0) return std::to_string(e) + (r.completa[0] || r.digitos[0] || r.caracter[0] ? " con texto" : "");
    return std::to_string(e) + "|" + r.completa + "|" + r.digitos + "|" + r.caracter;
}

TEST(Vaviviv, Calcular) {
    const std::string largo02 = "141118" + std::string(300, 'A');
    const struct {
        int codigo;
        const char *ref, *c2, *c3;
        std::string esperado;
    } casos[] = {
        {0, " 123456 ", nullptr, nullptr, "0|1234566|6|"},
        {6, "890", nullptr, "4567", "1|Error: Sucursal no válida.||"},  // NULL is empty
        {2, "141118A-B", nullptr, nullptr, "1|Error: Referencia no valida = -||"},
        {35, "AB€C", nullptr, nullptr, "2|||€"},
        {36, "ñ", "\xFF", nullptr, "-2"},  // a field the code ignores is still text
        {0, nullptr, nullptr, nullptr, "-3"},
        {1, "1", nullptr, nullptr, "-1"},
        {0, "\xC0\xAF", nullptr, nullptr, "-2"},        // overlong "/"
        {0, "\xED\xA0\x80", nullptr, nullptr, "-2"},    // a surrogate
        {0, "\xF4\x90\x80\x80", nullptr, nullptr, "-2"},  // past U+10FFFF
        {0, "1\xE2\x82", nullptr, nullptr, "-2"},       // cut short
        {37, "A\xF0\x9F\x98\x80", nullptr, nullptr, "2|||\xF0\x9F\x98\x80"},
    };
    for (const auto& c : casos) EXPECT_EQ(Ver(c.codigo, c.ref, c.c2, c.c3), c.esperado) << c.codigo << " " << (c.ref ? c.ref : "NULL");
    EXPECT_EQ(vaviviv_calcular(0, "1", nullptr, nullptr, nullptr), VAVIVIV_ARGUMENTO_NULO);
    // Code 02 takes any length: 255 bytes and the NUL fill completa, one more does not fit.
    vaviviv_resultado r;
    EXPECT_EQ(vaviviv_calcular(2, largo02.substr(0, 254).c_str(), nullptr, nullptr, &r), VAVIVIV_CALCULADA);
    EXPECT_EQ(std::string(r.completa).size(), 255u);
    EXPECT_EQ(vaviviv_calcular(2, largo02.substr(0, 255).c_str(), nullptr, nullptr, &r), VAVIVIV_RESULTADO_LARGO);
    EXPECT_STREQ(vaviviv_version(), VAVIVIV_VERSION);
}

TEST(Vaviviv, Verificar) {
    const struct {
        int codigo;
        const char *completa, *c2, *c3;
        int esperado;
    } casos[] = {
        {0, "1234566", nullptr, nullptr, 1}, {0, "1234567", nullptr, nullptr, 0}, {0, "12a4566", nullptr, nullptr, 0},
        {6, "89062", "123", "4567", 1}, {6, "89062", "123", nullptr, 0}, {10, "12345646337268", "123.45", "15/06/2000", 1},
        {35, "A-8", nullptr, nullptr, 0}, {4, "\xFF", nullptr, nullptr, -2}, {4, nullptr, nullptr, nullptr, -3},
        {5, "1", nullptr, nullptr, -1}, {6, "89062", "123", "\xC3", -2},
    };
    for (const auto& c : casos)
        EXPECT_EQ(vaviviv_verificar(c.codigo, c.completa, c.c2, c.c3), c.esperado) << c.codigo << " " << (c.completa ? c.completa : "NULL");
}

}  // namespace
