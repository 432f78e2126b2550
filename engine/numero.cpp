#include "engine/numero.h"

#include "engine/caracteres.h"

namespace vaviviv {

std::optional<Numero> LeerNumero(std::string_view texto) {
    texto = RecortarEspacios(texto);
    Numero n;
    if (!texto.empty() && (texto.front() == '+' || texto.front() == '-')) {
        n.signoMenos = texto.front() == '-';
        texto.remove_prefix(1);
    }
    const auto punto = texto.find('.');
    std::string_view entero = texto.substr(0, punto);
    std::string_view fraccion = punto == std::string_view::npos ? std::string_view{} : texto.substr(punto + 1);
    if (entero.empty() && fraccion.empty()) return std::nullopt;
    for (char c : entero)
        if (!EsDigito(c)) return std::nullopt;
    for (char c : fraccion)
        if (!EsDigito(c)) return std::nullopt;  // also a second "."
    while (!entero.empty() && entero.front() == '0') entero.remove_prefix(1);
    while (!fraccion.empty() && fraccion.back() == '0') fraccion.remove_suffix(1);
    n.entero = entero;
    n.fraccion = fraccion;
    return n;
}

bool Numero::superaImporteMaximo() const {
    if (signoMenos) return false;
    if (entero.size() != 9) return entero.size() > 9;
    if (entero != "999999999") return false;
    // Trailing zeros are gone: only ".99" followed by more digits is over.
    return fraccion.size() > 2 && fraccion.starts_with("99");
}

std::optional<std::int64_t> Numero::centavos() const {
    if (entero.size() > 16) return std::nullopt;
    std::int64_t c = 0;
    for (char d : entero) c = c * 10 + (d - '0');
    for (std::size_t i = 0; i < 2; ++i) c = c * 10 + (i < fraccion.size() ? fraccion[i] - '0' : 0);
    // Half away from zero: only the third decimal decides, later ones only add to it.
    if (fraccion.size() > 2 && fraccion[2] >= '5') ++c;
    if (c >= 1'000'000'000'000'000'000) return std::nullopt;
    return signoMenos ? -c : c;
}

std::optional<int> Numero::enteroPequeno() const {
    if (entero.size() > 9) return std::nullopt;
    int v = 0;
    for (char d : entero) v = v * 10 + (d - '0');
    return signoMenos ? -v : v;
}

}  // namespace vaviviv
