#include "engine/algoritmos.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#include "engine/caracteres.h"
#include "engine/catalogo.h"
#include "engine/fecha.h"
#include "engine/numero.h"

namespace vaviviv {

namespace {

using Suma = std::uint64_t;  // no reference is long enough to overflow it

Resultado Correcto(Digitos digitos) { return {Resultado::Estado::Correcto, digitos, {}}; }
Resultado FueraDePrecondicion() { return {Resultado::Estado::FueraDePrecondicion, {}, {}}; }
Resultado NoValido(std::string_view caracter) { return {Resultado::Estado::CaracterNoValido, {}, caracter}; }

Digitos UnDigito(Suma d) {
    const char c = char('0' + d);
    return std::string_view(&c, 1);
}
Digitos DosDigitos(Suma d) {
    const char c[] = {char('0' + d / 10), char('0' + d % 10)};
    return std::string_view(c, 2);
}

// The digit that completes the sum to a multiple of 10.
Suma Complemento10(Suma suma) { return (10 - suma % 10) % 10; }
// Sum of the digits of a product (at most 18, so one step).
Suma SumarCifras(Suma p) { return p / 10 + p % 10; }
// Digits added until one remains: 0 for 0, 9 for a multiple of 9.
Suma RaizDigital(Suma p) { return p == 0 ? 0 : 1 + (p - 1) % 9; }

// Letters by groups of three: A J S = 1, B K T = 2, ... I R = 9.
int ValorPorGrupos(char c) {
    if (EsDigito(c)) return c - '0';
    return (Mayuscula(c) - 'A') % 9 + 1;
}
// Letters by their place in the alphabet: A = 1 ... Z = 26.
int ValorAlfabetico(char c) {
    if (EsDigito(c)) return c - '0';
    return Mayuscula(c) - 'A' + 1;
}

bool EsAlfanumerico(char c) { return EsDigito(c) || EsLetra(c); }

// The leftmost character that is neither a letter nor a digit; empty if none.
std::string_view PrimerCaracterNoValido(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        if (EsAlfanumerico(s[i])) { ++i; continue; }
        return s.substr(i, LongitudCaracter(s.substr(i)));
    }
    return {};
}

// The whole character (UTF-8 sequence) that holds byte i.
std::string_view CaracterEn(std::string_view s, std::size_t i) {
    for (std::size_t inicio = 0;;) {
        const std::size_t n = LongitudCaracter(s.substr(inicio));
        if (i < inicio + n) return s.substr(inicio, n);
        inicio += n;
    }
}

// The weights of modulo 97 (04, 10, 37): the primes from 11, from the right.
constexpr std::array<Suma, 5> kPesos97{11, 13, 17, 19, 23};

// Values of s from its right end, the one at distance d weighted kPesos97[d % 5].
template <typename Valor>
Suma SumaPonderada97(std::string_view s, Valor valor, std::size_t primeraDistancia = 0) {
    Suma suma = 0;
    for (std::size_t d = primeraDistancia, k = d % 5; d < s.size(); ++d, k = k == 4 ? 0 : k + 1)
        suma += valor(s[s.size() - 1 - d]) * kPesos97[k];
    return suma;
}

// 04 and 37: the rightmost value takes no part.
template <typename Valor>
Digitos Modulo97(std::string_view s, Valor valor) {
    return DosDigitos((SumaPonderada97(s, valor, 1) + 330) % 97 + 1);
}

// Luhn over 02's letters by groups, weights 2, 1 from the right.
template <typename Valor>
Suma SumaLuhn(std::string_view s, Valor valor) {
    static constexpr std::array<Suma, 2> kPesos{2, 1};
    Suma suma = 0;
    for (std::size_t j = 0; j < s.size(); ++j) suma += SumarCifras(valor(s[s.size() - 1 - j]) * kPesos[j & 1]);
    return suma;
}

// Eight characters of a reference at a time, from its right end: the
// rightmost at the top of the word (as memory holds it), bytes missing at
// the left read as '0', which adds nothing.
class OchoCifras {
public:
    static constexpr std::uint64_t kUnos = ~std::uint64_t(0) / 255;

    static std::uint64_t Leer(const char* p, std::size_t m) {  // the 1 <= m <= 8 bytes at p
        if constexpr (std::endian::native != std::endian::little) return Lento(p, m);
        if (m == 8) return Palabra<std::uint64_t>(p);
        if (m < 4) return Lento(p, m);
        // Two overlapping halves, read within the m bytes; '0' left of them.
        const std::uint64_t izquierda = std::uint64_t(Palabra<std::uint32_t>(p)) << (8 * (8 - m));
        return ((kUnos * '0') >> (8 * m)) | (izquierda & 0xFFFFFFFFu) | std::uint64_t(Palabra<std::uint32_t>(p + m - 4)) << 32;
    }
    // Whether a byte is not from '0' to '9': below, the subtraction sets its
    // top bit; above, the addition does, or (from 0xBA) the subtraction. A
    // borrow or carry across bytes starts only at a byte that is no digit.
    static bool HayOtro(std::uint64_t w) {
        return (((w - kUnos * '0') | (w + kUnos * (0x7F - '9'))) & (kUnos * 0x80)) != 0;
    }
    // Luhn's sum of eight digits whose rightmost is doubled.
    static unsigned SumaLuhn(std::uint64_t w) {
        constexpr std::uint64_t kDobles = 0xFF00FF00FF00FF00u;  // the odd bytes: the rightmost and every second one
        const std::uint64_t d = w - kUnos * '0';
        const std::uint64_t desde5 = ((d + kUnos * (0x80 - 5)) >> 7) & kUnos;  // 1 where d >= 5
        const std::uint64_t valores = d + (d & kDobles) - 9 * (desde5 & kDobles);  // 2d, less 9 from 10 on
        return unsigned((valores * kUnos) >> 56);  // at most 8 x 9
    }

private:
    template <typename T>
    static T Palabra(const char* p) {
        T w;
        std::memcpy(&w, p, sizeof w);
        return w;
    }
    static std::uint64_t Lento(const char* p, std::size_t m) {
        std::uint64_t w = kUnos * '0';
        for (std::size_t j = 0; j < m; ++j) {
            const unsigned lugar = unsigned(8 * (8 - m + j));
            w = (w & ~(std::uint64_t(0xFF) << lugar)) | (std::uint64_t(static_cast<unsigned char>(p[j])) << lugar);
        }
        return w;
    }
};

// Luhn's sum over digits, eight at a time from the right end (each full
// word holds an even number of them, so in every one the rightmost byte is a
// doubled digit); kNoSonCifras at a byte that is no digit. The hottest loop
// of a bulk run. A plain word back, not an optional: returned in registers,
// an optional's flag went through the stack and stalled the caller's read.
constexpr Suma kNoSonCifras = ~Suma(0);
Suma SumaLuhnDigitos(std::string_view s) {
    Suma suma = 0;
    for (std::size_t n = s.size(); n > 0;) {
        const std::size_t m = n < 8 ? n : 8;
        n -= m;
        const std::uint64_t w = OchoCifras::Leer(s.data() + n, m);
        if (OchoCifras::HayOtro(w)) return kNoSonCifras;
        suma += OchoCifras::SumaLuhn(w);
    }
    return suma;
}

int ValorDigito(char c) { return c - '0'; }

// The amount's digit of 10: the cents, eleven digits, weighted 7, 3, 1 from
// the right; no complement. The weights come round every three digits: each
// group of three is looked up whole (7 ones + 3 tens + hundreds).
int DigitoImporte(std::int64_t centavos) {
    static constexpr auto kGrupo = [] {
        std::array<unsigned char, 1000> t{};
        for (int g = 0; g < 1000; ++g) t[std::size_t(g)] = static_cast<unsigned char>(7 * (g % 10) + 3 * (g / 10 % 10) + g / 100);
        return t;
    }();
    auto c = static_cast<std::uint64_t>(centavos) % 100'000'000'000;
    unsigned suma = 0;
    for (; c > 0; c /= 1000) suma += kGrupo[c % 1000];
    return static_cast<int>(suma % 10);
}

}  // namespace

namespace comprobado {

Resultado Algoritmo00(std::string_view digitos) {
    return Correcto(UnDigito(Complemento10(SumaLuhnDigitos(digitos))));
}

std::optional<Digitos> Algoritmo00EnUnaPasada(std::string_view referencia) {
    if (referencia.empty() || referencia.size() > LongitudMaxima(0)) return std::nullopt;
    const Suma suma = SumaLuhnDigitos(referencia);
    return suma != kNoSonCifras ? std::optional<Digitos>(UnDigito(Complemento10(suma))) : std::nullopt;
}

Resultado Algoritmo03(std::string_view digitos) {
    // Weights 2 to 7 over the last six digits, from the right. The sixth, weighted 7,
    // adds nothing modulo 7: only the last five decide the digit.
    Suma suma = 0, peso = 2;
    for (std::size_t i = digitos.size(); i-- > 0 && peso < 8; ++peso) suma += ValorDigito(digitos[i]) * peso;
    return Correcto(UnDigito(7 - suma % 7));
}

// Left-filling with zeros to 18 digits adds nothing to the sum.
Resultado Algoritmo04(std::string_view digitos) { return Correcto(Modulo97(digitos, ValorDigito)); }

Resultado Algoritmo06(std::string_view sucursal, std::string_view cuenta, std::string_view referencia) {
    // Branch, account and the reference's last eight digits, each an 8-digit
    // block weighted alike from its right end.
    static constexpr std::array<Suma, 8> kPesos{37, 31, 29, 23, 19, 17, 13, 11};
    const auto bloque = [](std::string_view s) {
        if (s.size() > 8) s = s.substr(s.size() - 8);
        Suma suma = 0;
        for (std::size_t d = 0; d < s.size(); ++d) suma += ValorDigito(s[s.size() - 1 - d]) * kPesos[d];
        return suma;
    };
    const Suma suma = bloque(sucursal) + bloque(cuenta) + bloque(referencia);
    return Correcto(DosDigitos(99 - suma % 97));
}

Resultado Algoritmo10(std::string_view referencia, std::int64_t centavos, const Fecha& f) {
    if (referencia.size() > 12) referencia = referencia.substr(referencia.size() - 12);
    // Days since 01/01/1988 in a calendar of twelve 31-day months.
    const auto codigoFecha = unsigned((f.anio - 1988) * 372 + (f.mes - 1) * 31 + (f.dia - 1)) % 10000;

    // Reference left-filled to 12 digits + date code (4) + amount digit + "2",
    // weighted from the right; the result is the last six and two check digits.
    const char seis[] = {char('0' + codigoFecha / 1000), char('0' + codigoFecha / 100 % 10), char('0' + codigoFecha / 10 % 10),
                         char('0' + codigoFecha % 10), char('0' + DigitoImporte(centavos)), '2'};
    static constexpr auto kPesos = [] {  // of the 18 digits, from the left
        std::array<Suma, 18> p{};
        for (std::size_t d = 0; d < p.size(); ++d) p[p.size() - 1 - d] = kPesos97[d % 5];
        return p;
    }();
    Suma suma = 0;  // the left-filling zeros add nothing
    for (std::size_t j = 0, k = 12 - referencia.size(); j < referencia.size(); ++j, ++k) suma += ValorDigito(referencia[j]) * kPesos[k];
    for (std::size_t j = 0; j < 6; ++j) suma += ValorDigito(seis[j]) * kPesos[12 + j];
    const Suma r = suma % 97 + 1;
    const char digitos[] = {seis[0], seis[1], seis[2], seis[3], seis[4], seis[5], char('0' + r / 10), char('0' + r % 10)};
    return Correcto(std::string_view(digitos, 8));
}

std::optional<Digitos> Algoritmo10EnUnaPasada(std::string_view referencia, std::string_view importe,
                                              std::string_view fecha) {
    if (referencia.empty() || referencia.size() > LongitudMaxima(10) || !SoloDigitos(referencia)) return std::nullopt;
    // Amount: 1 to 9 digits and at most two decimals, so never past the
    // largest amount and never rounded.
    std::int64_t centavos = 0;
    std::size_t i = 0, decimales = 0;
    for (; i < importe.size() && i <= 9 && EsDigito(importe[i]); ++i) centavos = centavos * 10 + ValorDigito(importe[i]);
    if (i == 0 || i > 9) return std::nullopt;  // a tenth digit is not read on
    if (i < importe.size() && importe[i++] != '.') return std::nullopt;
    for (; i < importe.size(); ++i, ++decimales) {
        if (!EsDigito(importe[i]) || decimales == 2) return std::nullopt;
        centavos = centavos * 10 + ValorDigito(importe[i]);
    }
    for (; decimales < 2; ++decimales) centavos *= 10;
    // Date: DD/MM/AAAA, or with "-" or "." both times, a real day within the range.
    if (fecha.size() != kLongitudFecha || fecha[2] != fecha[5] || (fecha[2] != '/' && fecha[2] != '-' && fecha[2] != '.'))
        return std::nullopt;
    const auto numero = [fecha](std::size_t desde, std::size_t cifras) {
        int v = 0;
        for (std::size_t k = desde; k < desde + cifras; ++k) v = EsDigito(fecha[k]) && v >= 0 ? v * 10 + ValorDigito(fecha[k]) : -1;
        return v;
    };
    const Fecha f{numero(0, 2), numero(3, 2), numero(6, 4)};
    if (!EsFechaReal(f.dia, f.mes, f.anio) || f < kFechaMinima || f > kFechaMaxima) return std::nullopt;
    return Algoritmo10(referencia, centavos, f).digitos;
}

}  // namespace comprobado

Resultado CalcularAlgoritmo00(std::string_view referencia) {
    if (!referencia.empty() && !SoloDigitos(referencia)) return FueraDePrecondicion();
    return comprobado::Algoritmo00(referencia);
}

Resultado CalcularAlgoritmo02(std::string_view referencia) {
    for (std::size_t i = referencia.size(); i-- > 0;)
        if (!EsAlfanumerico(referencia[i])) return NoValido(CaracterEn(referencia, i));
    return Correcto(UnDigito(Complemento10(SumaLuhn(referencia, ValorPorGrupos))));
}

Resultado CalcularAlgoritmo03(std::string_view referencia) {
    if (!referencia.empty() && !SoloDigitos(referencia)) return FueraDePrecondicion();
    return comprobado::Algoritmo03(referencia);
}

Resultado CalcularAlgoritmo04(std::string_view referencia) {
    if (!SoloDigitos(referencia) || referencia.size() > LongitudMaxima(4)) return FueraDePrecondicion();
    return comprobado::Algoritmo04(referencia);
}

Resultado CalcularAlgoritmo06(std::string_view sucursal, std::string_view cuenta, std::string_view referencia) {
    if (!SoloDigitos(sucursal) || sucursal.size() > kLongitudSucursal || !SoloDigitos(cuenta) ||
        cuenta.size() > kLongitudCuenta || !SoloDigitos(referencia) || referencia.size() > LongitudMaxima(6))
        return FueraDePrecondicion();
    return comprobado::Algoritmo06(sucursal, cuenta, referencia);
}

namespace {
std::optional<std::int64_t> CentavosDeImporte(std::string_view importe) {
    const auto numero = LeerNumero(importe);
    if (!numero || numero->esNegativo() || numero->superaImporteMaximo()) return std::nullopt;
    return numero->centavos();
}
}  // namespace

int CalcularDigitoImporte(std::string_view importe) {
    const auto centavos = CentavosDeImporte(importe);
    return centavos ? DigitoImporte(*centavos) : -1;
}

Resultado CalcularAlgoritmo10(std::string_view referencia, std::string_view importe, std::string_view fecha) {
    if (!SoloDigitos(referencia) || referencia.size() > LongitudMaxima(10)) return FueraDePrecondicion();
    const auto centavos = CentavosDeImporte(importe);
    if (!centavos || fecha.size() != kLongitudFecha) return FueraDePrecondicion();
    // Day, month and year read by position, as DD/MM/AAAA.
    const auto dia = fecha.substr(0, 2), mes = fecha.substr(3, 2), anio = fecha.substr(6, 4);
    if (!SoloDigitos(dia) || !SoloDigitos(mes) || !SoloDigitos(anio)) return FueraDePrecondicion();
    const auto numero = [](std::string_view s) {
        int v = 0;
        for (char c : s) v = v * 10 + ValorDigito(c);
        return v;
    };
    const Fecha f{numero(dia), numero(mes), numero(anio)};
    if (!EsFechaReal(f.dia, f.mes, f.anio) || f < kFechaMinima || f > kFechaMaxima) return FueraDePrecondicion();
    return comprobado::Algoritmo10(referencia, *centavos, f);
}

Resultado CalcularAlgoritmo35(std::string_view referencia) {
    if (referencia.empty()) return FueraDePrecondicion();
    if (const auto malo = PrimerCaracterNoValido(referencia); !malo.empty()) return NoValido(malo);
    // Weights 4, 3, 8 from the left; each product reduced to one digit.
    static constexpr std::array<Suma, 3> kPesos{4, 3, 8};
    Suma suma = 0;
    for (std::size_t j = 0, k = 0; j < referencia.size(); ++j, k = k == 2 ? 0 : k + 1)
        suma += RaizDigital(ValorAlfabetico(referencia[j]) * kPesos[k]);
    return Correcto(UnDigito(Complemento10(suma)));
}

Resultado CalcularAlgoritmo36(std::string_view referencia) {
    if (referencia.empty()) return FueraDePrecondicion();
    if (const auto malo = PrimerCaracterNoValido(referencia); !malo.empty()) return NoValido(malo);
    return Correcto(UnDigito(Complemento10(SumaLuhn(referencia, ValorPorGrupos))));
}

Resultado CalcularAlgoritmo37(std::string_view referencia) {
    if (referencia.empty()) return FueraDePrecondicion();
    if (const auto malo = PrimerCaracterNoValido(referencia); !malo.empty()) return NoValido(malo);
    return Correcto(Modulo97(referencia, ValorPorGrupos));
}

}  // namespace vaviviv
