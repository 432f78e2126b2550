// The C interface over the engine's bulk rules: texts checked, cells copied
// into the caller's structure. Nothing here throws but a failed allocation.

#include "vaviviv/vaviviv.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "engine/catalogo.h"
#include "engine/fila.h"
#include "vaviviv_configuracion.h"

namespace {

using namespace vaviviv;

// Well-formed UTF-8: no overlong form, no surrogate, nothing past U+10FFFF.
bool EsUtf8(std::string_view s) {
    // Nearly every record is ASCII: eight bytes at a time while they are.
    std::size_t i = 0;
    for (std::uint64_t w; i + 8 <= s.size(); i += 8) {
        std::memcpy(&w, s.data() + i, 8);
        if (w & 0x8080808080808080u) break;
    }
    for (; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        const std::size_t n = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        const auto b1 = static_cast<unsigned char>(s[i + 1]);
        // The second byte's range narrows after E0, ED, F0 and F4.
        const unsigned char menor = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
        const unsigned char mayor = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
        if (b1 < menor || b1 > mayor) return false;
        for (std::size_t k = 2; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

std::string_view Texto(const char* s) { return s ? std::string_view(s) : std::string_view(); }

// Copies the parts into `destino` with its NUL; false when they do not fit.
template <std::size_t N>
bool Poner(char (&destino)[N], std::string_view a, std::string_view b = {}) {
    if (a.size() + b.size() >= N) return false;
    // An empty view may hold no pointer at all, which memcpy may not be given.
    std::copy(a.begin(), a.end(), destino);
    std::copy(b.begin(), b.end(), destino + a.size());
    destino[a.size() + b.size()] = '\0';
    return true;
}

int Fallo(vaviviv_resultado* r, int codigo) {
    if (r) *r = vaviviv_resultado{codigo, {}, {}, {}};
    return codigo;
}

// What stops a call before the rules: 0 when nothing does, the algorithm in `algoritmo`.
int Previo(int codigo, const char* texto, const char* campo2, const char* campo3, const Algoritmo*& algoritmo) {
    if (!texto) return VAVIVIV_ARGUMENTO_NULO;
    if (!(algoritmo = BuscarAlgoritmo(codigo))) return VAVIVIV_CODIGO_DESCONOCIDO;
    if (!EsUtf8(texto) || !EsUtf8(Texto(campo2)) || !EsUtf8(Texto(campo3))) return VAVIVIV_TEXTO_NO_VALIDO;
    return 0;
}

int Calcular(int codigo, const char* referencia, const char* campo2, const char* campo3, vaviviv_resultado* r) {
    if (!r) return VAVIVIV_ARGUMENTO_NULO;
    const Algoritmo* algoritmo = nullptr;
    if (const int previo = Previo(codigo, referencia, campo2, campo3, algoritmo)) return Fallo(r, previo);
    const FilaCalculada f = CalcularFilaUtf8(*algoritmo, referencia, Texto(campo2), Texto(campo3));
    // Each cell ends at its NUL; the bytes past it are left as they were.
    r->completa[0] = r->digitos[0] = r->caracter[0] = '\0';
    using D = FilaCalculada::Desenlace;
    switch (f.desenlace) {
    case D::Calculada:
        r->estado = VAVIVIV_CALCULADA;
        if (!Poner(r->completa, f.referencia, f.digitos)) return Fallo(r, VAVIVIV_RESULTADO_LARGO);
        Poner(r->digitos, f.digitos);
        break;
    case D::Error:
        r->estado = VAVIVIV_ERROR;
        Poner(r->completa, f.error, f.caracter);
        break;
    case D::CaracterNoValido:
        r->estado = VAVIVIV_CARACTER_NO_VALIDO;
        Poner(r->caracter, f.caracter);
        break;
    case D::Vacia: return Fallo(r, VAVIVIV_CODIGO_DESCONOCIDO);
    }
    return r->estado;
}

}  // namespace

extern "C" {

const char* vaviviv_version(void) { return VAVIVIV_VERSION; }

int vaviviv_calcular(int codigo, const char* referencia, const char* campo2, const char* campo3,
                     vaviviv_resultado* resultado) {
    return Calcular(codigo, referencia, campo2, campo3, resultado);
}

int vaviviv_verificar(int codigo, const char* completa, const char* campo2, const char* campo3) {
    const Algoritmo* algoritmo = nullptr;
    if (const int previo = Previo(codigo, completa, campo2, campo3, algoritmo)) return previo;
    return Verificar(*algoritmo, completa, Texto(campo2), Texto(campo3)).estado == Verificacion::Estado::Valida;
}

}  // extern "C"
