#pragma once
// What the fuzz targets share: a check that stops the run with its input, how
// bytes become texts, and the character classes of the rules.

#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace vaviviv::fuzz {

#define EXIGIR(cond) \
    ((cond) ? void(0) : (std::fprintf(stderr, "%s:%d: no se cumple: %s\n", __FILE__, __LINE__, #cond), std::abort()))

// UTF-8, or raw UTF-16 so that lone surrogates reach the rules too.
inline QString ComoTexto(std::string_view b, bool utf16) {
    return utf16 ? QString(reinterpret_cast<const QChar*>(b.data()), qsizetype(b.size() / 2)) : QString::fromUtf8(b.data(), qsizetype(b.size()));
}

// s cut at `separador` into N pieces; the last keeps the rest.
template <std::size_t N> std::array<std::string_view, N> Partir(std::string_view s, char separador) {
    std::array<std::string_view, N> p{};
    for (std::size_t i = 0; i < N; ++i) {
        const auto corte = i + 1 < N ? s.find(separador) : s.npos;
        p[i] = s.substr(0, corte);
        s.remove_prefix(corte == s.npos ? s.size() : corte + 1);
    }
    return p;
}

inline char16_t Unidad(char c) { return static_cast<unsigned char>(c); }
inline char16_t Unidad(QChar c) { return c.unicode(); }
template <class C> bool EsCifra(C c) { return Unidad(c) >= '0' && Unidad(c) <= '9'; }
template <class C> bool EsAlfanumerico(C c) { return EsCifra(c) || ((Unidad(c) | 0x20) >= 'a' && (Unidad(c) | 0x20) <= 'z'); }
template <class S> bool Cifras(const S& s) { return s.begin() != s.end() && std::all_of(s.begin(), s.end(), EsCifra<typename S::value_type>); }
template <class S> bool Alfanumerica(const S& s) { return std::all_of(s.begin(), s.end(), EsAlfanumerico<typename S::value_type>); }

}  // namespace vaviviv::fuzz
