#pragma once
// Locale-free character classes: the tool's digits and letters are ASCII only.

#include <string_view>

namespace vaviviv {

constexpr bool EsDigito(char c) { return c >= '0' && c <= '9'; }
constexpr bool EsLetra(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr char Mayuscula(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// At least one character, all digits.
constexpr bool SoloDigitos(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!EsDigito(c)) return false;
    return true;
}

// Removes the space character only (not tabs or other blanks).
constexpr std::string_view RecortarEspacios(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// Length in characters of valid UTF-8 text: every byte but the continuation bytes.
constexpr std::size_t ContarCaracteres(std::string_view s) {
    std::size_t n = 0;
    for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// Length in bytes of the UTF-8 character that starts s (1 for a malformed byte).
std::size_t LongitudCaracter(std::string_view s);

}  // namespace vaviviv
