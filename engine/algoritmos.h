#pragma once
// The check-digit routines. Texts are UTF-8; only "0"-"9" are digits and only
// "A"-"Z"/"a"-"z" are letters. No routine keeps state or shows anything.
//
// Inputs outside a routine's precondition (empty where a reference is needed,
// too long, a non-digit where digits are required, an amount or date out of
// range) never read out of bounds: the routine answers FueraDePrecondicion and
// no digits. The windows' checks keep such inputs away; the answer exists so
// that any other caller (command line, fuzzing) is safe too.

#include <bit>
#include <cstdint>
#include <optional>
#include <type_traits>
#include <string>
#include <string_view>

#include "engine/fecha.h"

namespace vaviviv {

// A few bytes kept in place: a result is made and copied on every row, and
// holds no memory of its own. The bytes live in one machine word, written
// whole: a copy right after it was made reads it back at once (bytes stored
// one by one and read as a word stall the processor).
template <std::size_t N>
class TextoCorto {
    static_assert(N <= 8);
    using Palabra = std::conditional_t<(N > 4), std::uint64_t, std::uint32_t>;

public:
    constexpr TextoCorto() = default;
    // Field by field: a copy as one 16-byte move, just after the fields were
    // written one by one, stalls as much as the rest of the row costs.
    constexpr TextoCorto(const TextoCorto& o) : w_(o.w_), n_(o.n_) {}
    constexpr TextoCorto& operator=(const TextoCorto& o) {
        w_ = o.w_;
        n_ = o.n_;
        return *this;
    }
    // At most N bytes are kept.
    constexpr TextoCorto(std::string_view s) : n_(std::uint8_t(s.size() < N ? s.size() : N)) {
        Palabra w = 0;
        for (std::size_t i = 0; i < n_; ++i) w |= Palabra(static_cast<unsigned char>(s[i])) << Desplazamiento(i);
        w_ = w;
    }
    const char* data() const { return reinterpret_cast<const char*>(&w_); }
    constexpr std::size_t size() const { return n_; }
    constexpr bool empty() const { return n_ == 0; }
    operator std::string_view() const { return {data(), n_}; }
    std::string str() const { return std::string(data(), n_); }
    friend bool operator==(const TextoCorto& a, std::string_view b) { return std::string_view(a) == b; }

private:
    // Where byte i of the text lies in the word, as memory holds it.
    static constexpr unsigned Desplazamiento(std::size_t i) {
        return unsigned(8 * (std::endian::native == std::endian::little ? i : sizeof(Palabra) - 1 - i));
    }
    Palabra w_ = 0;
    std::uint8_t n_ = 0;
};

// The check digits of every algorithm fit, and any one UTF-8 character.
using Digitos = TextoCorto<8>;
using Caracter = TextoCorto<4>;

struct Resultado {
    enum class Estado { Correcto, CaracterNoValido, FueraDePrecondicion };
    Estado estado = Estado::Correcto;
    Digitos digitos;     // Correcto: exactly the algorithm's width
    Caracter caracter;   // CaracterNoValido: leftmost rejected character as typed
                         // (one UTF-8 sequence, or one byte when malformed)
    bool correcto() const { return estado == Estado::Correcto; }
};

Resultado CalcularAlgoritmo00(std::string_view referencia);
// Any reference is taken: the rightmost rejected character, as typed, or the
// digit ("0" for an empty reference).
Resultado CalcularAlgoritmo02(std::string_view referencia);
Resultado CalcularAlgoritmo03(std::string_view referencia);
Resultado CalcularAlgoritmo04(std::string_view referencia);
Resultado CalcularAlgoritmo06(std::string_view sucursal, std::string_view cuenta,
                              std::string_view referencia);
// importe: a decimal text (see numero.h); fecha: DD/MM/AAAA read by position.
Resultado CalcularAlgoritmo10(std::string_view referencia, std::string_view importe,
                              std::string_view fecha);
// 0-9, or -1 when the amount is not a number from 0 to 999,999,999.99.
int CalcularDigitoImporte(std::string_view importe);
Resultado CalcularAlgoritmo35(std::string_view referencia);
Resultado CalcularAlgoritmo36(std::string_view referencia);
Resultado CalcularAlgoritmo37(std::string_view referencia);

// The same routines on inputs whose preconditions were checked already (the
// bulk rules check each one on the way): nothing is checked twice on a row.
// Called outside its precondition, a routine here reads no byte out of
// bounds but its digits mean nothing.
namespace comprobado {
Resultado Algoritmo00(std::string_view digitos);
// Routines 00 and 10 with the checks of a record (trimmed) in one pass, for
// the record as it nearly always stands; nothing for any other, which the
// checks must see. 00: a reference of digits alone within the limit. 10: that,
// an amount of 1 to 9 digits with at most two decimals, and a date DD/MM/AAAA
// (or with "-" or "." both times), a real day within the range.
std::optional<Digitos> Algoritmo00EnUnaPasada(std::string_view referencia);
std::optional<Digitos> Algoritmo10EnUnaPasada(std::string_view referencia, std::string_view importe,
                                              std::string_view fecha);
Resultado Algoritmo03(std::string_view digitos);
Resultado Algoritmo04(std::string_view digitos);
Resultado Algoritmo06(std::string_view sucursal, std::string_view cuenta, std::string_view referencia);
// centavos: 0 to 99,999,999,999; fecha: a real date from kFechaMinima to kFechaMaxima.
Resultado Algoritmo10(std::string_view referencia, std::int64_t centavos, const Fecha& fecha);
}  // namespace comprobado

}  // namespace vaviviv
