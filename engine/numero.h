#pragma once
// The one definition of "a number" used everywhere: optional blanks around,
// optional sign, digits with at most one "." and at least one digit. No
// thousands separators, no exponent. Values are kept as decimal text, so
// comparisons and rounding are exact.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vaviviv {

// The digits are views into the text read, which must outlive the number:
// reading an amount on every row copies nothing.
struct Numero {
    bool signoMenos = false;
    std::string_view entero;    // without leading zeros ("" for zero)
    std::string_view fraccion;  // without trailing zeros

    bool esCero() const { return entero.empty() && fraccion.empty(); }
    bool esNegativo() const { return signoMenos && !esCero(); }
    // Value > 999,999,999.99 (the largest amount).
    bool superaImporteMaximo() const;
    // Value in cents, rounded half away from zero at the third decimal;
    // nullopt when it does not fit in 18 digits.
    std::optional<std::int64_t> centavos() const;
    // Integer value, truncated; nullopt when it does not fit in 9 digits.
    std::optional<int> enteroPequeno() const;
};

std::optional<Numero> LeerNumero(std::string_view texto);

}  // namespace vaviviv
