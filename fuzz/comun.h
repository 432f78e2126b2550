#pragma once
// What the fuzz targets share: a check that stops the run, and plain second
// readings of "a number" and "a date" written apart from the engine's, so a
// disagreement shows up as a crash with its input.

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace vaviviv::fuzz {

__extension__ typedef __int128 Entero128;  // exact thousandths of up to 30 integer digits

[[noreturn]] inline void Falla(const char* que, const char* archivo, int linea) {
    std::fprintf(stderr, "%s:%d: no se cumple: %s\n", archivo, linea, que);
    std::abort();
}

#define EXIGIR(cond) ((cond) ? void(0) : ::vaviviv::fuzz::Falla(#cond, __FILE__, __LINE__))

inline std::string_view Texto(const std::uint8_t* datos, std::size_t n) {
    return {reinterpret_cast<const char*>(datos), n};
}

// Splits s at `separador`, at most `partes` pieces (the last one keeps the rest).
template <std::size_t N>
std::array<std::string_view, N> Partir(std::string_view s, char separador) {
    std::array<std::string_view, N> p{};
    for (std::size_t i = 0; i < N; ++i) {
        const auto corte = i + 1 < N ? s.find(separador) : std::string_view::npos;
        p[i] = s.substr(0, corte);
        if (corte == std::string_view::npos) break;
        s.remove_prefix(corte + 1);
    }
    return p;
}

inline std::string_view SinEspacios(std::string_view s) {
    const auto a = s.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

inline bool Cifras(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// A number by the C library: strtod must take the whole text, and only sign,
// digits and point may appear (strtod also knows exponents, hex, inf and nan).
// The value in thousandths, when it has at most 30 integer digits.
struct NumeroOraculo {
    bool negativo = false;
    std::optional<Entero128> milesimas;
};

inline std::optional<NumeroOraculo> LeerNumeroOraculo(std::string_view texto) {
    const std::string t(SinEspacios(texto));
    if (t.empty() || t.find_first_not_of("+-.0123456789") != std::string::npos) return std::nullopt;
    if (t.find('\0') != std::string::npos) return std::nullopt;
    char* fin = nullptr;
    std::strtod(t.c_str(), &fin);
    if (fin != t.c_str() + t.size()) return std::nullopt;

    NumeroOraculo n;
    std::string_view v = t;
    if (v.front() == '+' || v.front() == '-') {
        n.negativo = v.front() == '-';
        v.remove_prefix(1);
    }
    const auto punto = v.find('.');
    std::string_view entero = v.substr(0, punto);
    const std::string_view fraccion = punto == std::string_view::npos ? "" : v.substr(punto + 1);
    while (!entero.empty() && entero.front() == '0') entero.remove_prefix(1);
    if (entero.size() <= 30) {
        Entero128 m = 0;
        for (char c : entero) m = m * 10 + (c - '0');
        for (std::size_t i = 0; i < 3; ++i) m = m * 10 + (i < fraccion.size() ? fraccion[i] - '0' : 0);
        n.milesimas = m;
    }
    return n;
}

// Day first: d{1,2} SEP m{1,2} SEP (yy|yyyy), SEP one of "/-." used twice,
// blanks around; a day that exists in the proleptic Gregorian calendar, year 1 on.
struct FechaOraculo {
    int dia, mes, anio;
};

inline std::optional<FechaOraculo> LeerFechaOraculo(std::string_view texto) {
    const std::string_view t = SinEspacios(texto);
    const auto s1 = t.find_first_not_of("0123456789");
    if (s1 == std::string_view::npos) return std::nullopt;
    const char sep = t[s1];
    if (sep != '/' && sep != '-' && sep != '.') return std::nullopt;
    const auto s2 = t.find(sep, s1 + 1);
    if (s2 == std::string_view::npos) return std::nullopt;
    const std::string_view d = t.substr(0, s1), m = t.substr(s1 + 1, s2 - s1 - 1), a = t.substr(s2 + 1);
    if (!Cifras(d) || !Cifras(m) || !Cifras(a) || d.size() > 2 || m.size() > 2 || (a.size() != 2 && a.size() != 4))
        return std::nullopt;
    const int dia = std::stoi(std::string(d)), mes = std::stoi(std::string(m));
    int anio = std::stoi(std::string(a));
    if (a.size() == 2) anio += anio < 30 ? 2000 : 1900;
    using namespace std::chrono;
    const year_month_day f{year(anio), month(unsigned(mes)), day(unsigned(dia))};
    if (anio < 1 || !f.ok()) return std::nullopt;
    return FechaOraculo{dia, mes, anio};
}

}  // namespace vaviviv::fuzz
