#pragma once
// Calendar dates and the one day-first date recogniser used everywhere.

#include <compare>
#include <cstddef>
#include <optional>
#include <string_view>

namespace vaviviv {

struct Fecha {
    int dia = 1, mes = 1, anio = 1;
    bool operator==(const Fecha&) const = default;
    // Chronological: year, then month, then day.
    auto operator<=>(const Fecha& o) const {
        if (anio != o.anio) return anio <=> o.anio;
        if (mes != o.mes) return mes <=> o.mes;
        return dia <=> o.dia;
    }
};

bool EsBisiesto(int anio);
bool EsFechaReal(int dia, int mes, int anio);

// Day first: blanks around ignored; day and month of 1-2 digits, year of 4
// digits or of 2 (00-29 -> 20xx, 30-99 -> 19xx); "/", "-" or "." as separator,
// the same both times; a real Gregorian date. Never month first.
std::optional<Fecha> LeerFecha(std::string_view texto);

// The year of code 02's AAMMDD prefix: 90-99 are 1990-1999, 00-89 2000-2089.
constexpr int AnioDeReferencia02(int aa) { return aa >= 90 ? 1900 + aa : 2000 + aa; }

// DD/MM/AAAA, the shape of every date field.
inline constexpr std::size_t kLongitudFecha = 10;

// Digits where DD/MM/AAAA has them, whatever single character stands
// between. The windows measure that shape in UTF-16 units, so a separator
// outside the basic plane (two units) breaks it.
bool CifrasDDMMAAAA(std::string_view fecha);

// The range algorithm 10 accepts, both ends included.
inline constexpr Fecha kFechaMinima{1, 1, 1988};
inline constexpr Fecha kFechaMaxima{18, 11, 2014};

}  // namespace vaviviv
