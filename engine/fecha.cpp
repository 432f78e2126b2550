#include "engine/fecha.h"

#include "engine/caracteres.h"

namespace vaviviv {

bool EsBisiesto(int anio) { return (anio % 4 == 0 && anio % 100 != 0) || anio % 400 == 0; }

bool EsFechaReal(int dia, int mes, int anio) {
    static constexpr int kDias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (anio < 1 || mes < 1 || mes > 12 || dia < 1) return false;
    return dia <= kDias[mes - 1] + (mes == 2 && EsBisiesto(anio) ? 1 : 0);
}

namespace {

// Reads 1 to `maximo` digits from the front of s.
std::optional<int> TomarDigitos(std::string_view& s, std::size_t maximo, std::size_t& leidos) {
    leidos = 0;
    int v = 0;
    while (leidos < s.size() && leidos < maximo && EsDigito(s[leidos])) v = v * 10 + (s[leidos++] - '0');
    if (leidos == 0) return std::nullopt;
    s.remove_prefix(leidos);
    return v;
}

}  // namespace

std::optional<Fecha> LeerFecha(std::string_view texto) {
    texto = RecortarEspacios(texto);
    std::size_t n = 0;
    const auto dia = TomarDigitos(texto, 2, n);
    if (!dia || texto.empty()) return std::nullopt;
    const char separador = texto.front();
    if (separador != '/' && separador != '-' && separador != '.') return std::nullopt;
    texto.remove_prefix(1);
    const auto mes = TomarDigitos(texto, 2, n);
    if (!mes || texto.empty() || texto.front() != separador) return std::nullopt;
    texto.remove_prefix(1);
    auto anio = TomarDigitos(texto, 4, n);
    if (!anio || !texto.empty() || (n != 2 && n != 4)) return std::nullopt;
    if (n == 2) *anio += *anio < 30 ? 2000 : 1900;
    if (!EsFechaReal(*dia, *mes, *anio)) return std::nullopt;
    return Fecha{*dia, *mes, *anio};
}

bool CifrasDDMMAAAA(std::string_view f) {
    const auto digitos = [&f](std::size_t n) {
        if (f.size() < n || !SoloDigitos(f.substr(0, n))) return false;
        f.remove_prefix(n);
        return true;
    };
    const auto separador = [&f] {
        const std::size_t n = LongitudCaracter(f);
        if (n == 0 || n == 4) return false;
        f.remove_prefix(n);
        return true;
    };
    return digitos(2) && separador() && digitos(2) && separador() && digitos(4) && f.empty();
}

}  // namespace vaviviv
