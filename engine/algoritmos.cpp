#include "engine/algoritmos.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/caracteres.h"
#include "engine/catalogo.h"
#include "engine/fecha.h"
#include "engine/numero.h"

namespace vaviviv {

namespace {

using Suma = std::uint64_t;  // no reference is long enough to overflow it

Resultado Correcto(std::string digitos) { return {Resultado::Estado::Correcto, std::move(digitos), {}}; }
Resultado FueraDePrecondicion() { return {Resultado::Estado::FueraDePrecondicion, {}, {}}; }
Resultado NoValido(std::string_view caracter) {
    return {Resultado::Estado::CaracterNoValido, {}, std::string(caracter)};
}

std::string UnDigito(Suma d) { return std::string(1, char('0' + d)); }
std::string DosDigitos(Suma d) { return {char('0' + d / 10), char('0' + d % 10)}; }
std::string CuatroDigitos(Suma d) { return DosDigitos(d / 100) + DosDigitos(d % 100); }

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
    for (std::size_t d = primeraDistancia; d < s.size(); ++d) suma += valor(s[s.size() - 1 - d]) * kPesos97[d % 5];
    return suma;
}

// 04 and 37: the rightmost value takes no part.
template <typename Valor>
std::string Modulo97(std::string_view s, Valor valor) {
    return DosDigitos((SumaPonderada97(s, valor, 1) + 330) % 97 + 1);
}

// Luhn over digits, or 02's letters by groups, weights 2, 1 from the right.
template <typename Valor>
Suma SumaLuhn(std::string_view s, Valor valor) {
    static constexpr std::array<Suma, 2> kPesos{2, 1};
    Suma suma = 0;
    for (std::size_t j = 0; j < s.size(); ++j) suma += SumarCifras(valor(s[s.size() - 1 - j]) * kPesos[j & 1]);
    return suma;
}

int ValorDigito(char c) { return c - '0'; }

}  // namespace

Resultado CalcularAlgoritmo00(std::string_view referencia) {
    if (!referencia.empty() && !SoloDigitos(referencia)) return FueraDePrecondicion();
    return Correcto(UnDigito(Complemento10(SumaLuhn(referencia, ValorDigito))));
}

Resultado CalcularAlgoritmo02(std::string_view referencia) {
    for (std::size_t i = referencia.size(); i-- > 0;)
        if (!EsAlfanumerico(referencia[i])) return NoValido(CaracterEn(referencia, i));
    return Correcto(UnDigito(Complemento10(SumaLuhn(referencia, ValorPorGrupos))));
}

Resultado CalcularAlgoritmo03(std::string_view referencia) {
    if (!referencia.empty() && !SoloDigitos(referencia)) return FueraDePrecondicion();
    // Weights 2 to 7 over the last six digits, from the right. The sixth, weighted 7,
    // adds nothing modulo 7: only the last five decide the digit.
    Suma suma = 0, peso = 2;
    for (std::size_t i = referencia.size(); i-- > 0 && peso < 8; ++peso) suma += ValorDigito(referencia[i]) * peso;
    return Correcto(UnDigito(7 - suma % 7));
}

Resultado CalcularAlgoritmo04(std::string_view referencia) {
    if (!SoloDigitos(referencia) || referencia.size() > LongitudMaxima(4)) return FueraDePrecondicion();
    // Left-filling with zeros to 18 digits adds nothing to the sum.
    return Correcto(Modulo97(referencia, ValorDigito));
}

Resultado CalcularAlgoritmo06(std::string_view sucursal, std::string_view cuenta, std::string_view referencia) {
    if (!SoloDigitos(sucursal) || sucursal.size() > kLongitudSucursal || !SoloDigitos(cuenta) ||
        cuenta.size() > kLongitudCuenta || !SoloDigitos(referencia) || referencia.size() > LongitudMaxima(6))
        return FueraDePrecondicion();
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

int CalcularDigitoImporte(std::string_view importe) {
    const auto numero = LeerNumero(importe);
    if (!numero || numero->esNegativo() || numero->superaImporteMaximo()) return -1;
    // The amount in cents, eleven digits, weighted 7, 3, 1 from the right; no complement.
    static constexpr std::array<Suma, 3> kPesos{7, 3, 1};
    Suma centavos = static_cast<Suma>(*numero->centavos()), suma = 0;
    for (std::size_t d = 0; d < 11; ++d, centavos /= 10) suma += centavos % 10 * kPesos[d % 3];
    return static_cast<int>(suma % 10);
}

Resultado CalcularAlgoritmo10(std::string_view referencia, std::string_view importe, std::string_view fecha) {
    if (!SoloDigitos(referencia) || referencia.size() > LongitudMaxima(10)) return FueraDePrecondicion();
    const int digitoImporte = CalcularDigitoImporte(importe);
    if (digitoImporte < 0 || fecha.size() != kLongitudFecha) return FueraDePrecondicion();
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

    // Days since 01/01/1988 in a calendar of twelve 31-day months.
    const Suma codigoFecha = (f.anio - 1988) * 372 + (f.mes - 1) * 31 + (f.dia - 1);

    // Reference left-filled to 12 digits + date code (4) + amount digit + "2",
    // weighted from the right; the result is the last six and two check digits.
    std::array<char, 18> texto;
    texto.fill('0');
    std::copy(referencia.begin(), referencia.end(), texto.begin() + 12 - referencia.size());
    const std::string fecha4 = CuatroDigitos(codigoFecha);
    std::copy(fecha4.begin(), fecha4.end(), texto.begin() + 12);
    texto[16] = char('0' + digitoImporte);
    texto[17] = '2';
    const Suma r = SumaPonderada97({texto.data(), texto.size()}, ValorDigito) % 97 + 1;
    return Correcto({texto[12], texto[13], texto[14], texto[15], texto[16], texto[17], char('0' + r / 10),
                     char('0' + r % 10)});
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
