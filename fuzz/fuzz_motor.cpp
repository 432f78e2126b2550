// The engine routines on any bytes against a plain reckoning of their digits. The
// first byte picks the routine; the rest is its input, cut at tabs. Outside its
// inputs a routine gives no digits; 35-37 name the leftmost bad character.

#include "engine/algoritmos.h"
#include "engine/fecha.h"
#include "engine/numero.h"
#include "fuzz/comun.h"

namespace {

using namespace vaviviv;
using fuzz::Cifras;

// Sum of peso(value, k), k counted from 0 at the right end; letters valued as
// 02, 36 and 37 value them (A, J, S = 1; B, K, T = 2; ...).
template <class Peso> int Suma(std::string_view s, Peso peso) {
    int suma = 0;
    for (std::size_t k = 0; k < s.size(); ++k) {
        const char c = s[s.size() - 1 - k];
        suma += peso(fuzz::EsCifra(c) ? c - '0' : ((c | 0x20) - 'a') % 9 + 1, k);
    }
    return suma;
}
std::string Dos(int n) { return {char('0' + n / 10), char('0' + n % 10)}; }
std::string Ceros(std::string_view s, std::size_t ancho) { return std::string(ancho - std::min(ancho, s.size()), '0') + std::string(s); }

std::string Luhn(std::string_view s) {  // 00, 02, 36
    const int suma = Suma(s, [](int v, std::size_t k) { return k % 2 ? v : 2 * v / 10 + 2 * v % 10; });
    return {char('0' + (10 - suma % 10) % 10)};
}
std::string Modulo97(std::string_view s) {  // 04, 37: the last character takes no part
    return Dos((Suma(s, [](int v, std::size_t k) { return k ? v * std::array{11, 13, 17, 19, 23}[k % 5] : 0; }) + 330) % 97 + 1);
}
std::string Algoritmo35(std::string_view s) {  // A = 1 ... Z = 26; 4, 3, 8 from the left; products to one digit
    int suma = 0;
    for (std::size_t j = 0; j < s.size(); ++j) {
        const int p = (fuzz::EsCifra(s[j]) ? s[j] - '0' : (s[j] | 0x20) - 'a' + 1) * std::array{4, 3, 8}[j % 3];
        suma += p ? 1 + (p - 1) % 9 : 0;
    }
    return {char('0' + (10 - suma % 10) % 10)};
}
int DigitoImporte(std::string_view t) {  // -1 for an amount code 10 does not take
    const auto n = LeerNumero(t);
    if (!n || n->esNegativo() || n->superaImporteMaximo()) return -1;
    return Suma(Ceros(std::to_string(*n->centavos()), 11), [](int v, std::size_t k) { return v * std::array{7, 3, 1}[k % 3]; }) % 10;
}

void Exigir(const Resultado& r, bool acepta, const std::string& digitos) {
    EXIGIR(r.correcto() == acepta && r.digitos == (acepta ? digitos : ""));
}

void Alfanumerica(const Resultado& r, std::string_view t, const std::string& digitos) {
    const std::size_t malo = std::find_if_not(t.begin(), t.end(), fuzz::EsAlfanumerico<char>) - t.begin();
    if (t.empty() || malo == t.size()) return Exigir(r, !t.empty(), digitos);
    EXIGIR(r.estado == Resultado::Estado::CaracterNoValido && r.digitos.empty());
    EXIGIR(!r.caracter.empty() && r.caracter.size() <= 4 && t.substr(malo).starts_with(r.caracter));
}

// 02 names the rightmost character it cannot use, whole.
void Algoritmo02(std::string_view t) {
    const Resultado r = CalcularAlgoritmo02(t);
    if (fuzz::Alfanumerica(t)) return Exigir(r, true, Luhn(t));
    const std::string_view malo = r.caracter;
    const std::size_t fin = t.size() - (std::find_if_not(t.rbegin(), t.rend(), fuzz::EsAlfanumerico<char>) - t.rbegin());
    EXIGIR(r.estado == Resultado::Estado::CaracterNoValido && r.digitos.empty() && !malo.empty() && malo.size() <= 4 && t.substr(0, fin).ends_with(malo));
}

void Algoritmo06(std::string_view texto) {
    const auto [s, c, ref] = fuzz::Partir<3>(texto, '\t');
    const bool acepta = Cifras(s) && s.size() <= 8 && Cifras(c) && c.size() <= 8 && Cifras(ref) && ref.size() <= 18;
    const std::string todo = Ceros(s, 8) + Ceros(c, 8) + Ceros(ref.substr(ref.size() - std::min<std::size_t>(ref.size(), 8)), 8);
    const int suma = Suma(todo, [](int v, std::size_t k) { return v * std::array{37, 31, 29, 23, 19, 17, 13, 11}[k % 8]; });
    Exigir(CalcularAlgoritmo06(s, c, ref), acepta, Dos(99 - suma % 97));
}

// The date DD/MM/AAAA is read by position: the separators are not looked at.
void Algoritmo10(std::string_view texto) {
    const auto [ref, importe, fecha] = fuzz::Partir<3>(texto, '\t');
    const std::string f(fecha), dma = f.size() == 10 ? f.substr(0, 2) + f.substr(3, 2) + f.substr(6) : "";
    const Fecha d = Cifras(dma) ? Fecha{std::stoi(dma.substr(0, 2)), std::stoi(dma.substr(2, 2)), std::stoi(dma.substr(4))} : Fecha{};
    const int digitoImporte = DigitoImporte(importe);
    const bool acepta = Cifras(ref) && ref.size() <= 12 && digitoImporte >= 0 && Cifras(dma) && EsFechaReal(d.dia, d.mes, d.anio) &&
                        d >= kFechaMinima && d <= kFechaMaxima;
    std::string digitos = Ceros(std::to_string((d.anio - 1988) * 372 + (d.mes - 1) * 31 + d.dia - 1), 4);
    digitos += std::to_string(digitoImporte) + "2";
    digitos += Dos(Suma(Ceros(ref, 12) + digitos, [](int v, std::size_t k) { return v * std::array{11, 13, 17, 19, 23}[k % 5]; }) % 97 + 1);
    Exigir(CalcularAlgoritmo10(ref, importe, fecha), acepta, digitos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (n == 0) return 0;
    const std::string_view t(reinterpret_cast<const char*>(datos + 1), n - 1);
    const bool cifras = t.empty() || Cifras(t);
    const int suma03 = Suma(t, [](int v, std::size_t k) { return k < 6 ? v * int(k + 2) : 0; });  // the last six, 2 to 7
    switch (datos[0] % 10) {
    case 0: Exigir(CalcularAlgoritmo00(t), cifras, Luhn(t)); break;
    case 1: Algoritmo02(t); break;
    case 2: Exigir(CalcularAlgoritmo03(t), cifras, {char('0' + 7 - suma03 % 7)}); break;
    case 3: Exigir(CalcularAlgoritmo04(t), !t.empty() && cifras && t.size() <= 18, Modulo97(t)); break;
    case 4: Algoritmo06(t); break;
    case 5: Algoritmo10(t); break;
    case 6: EXIGIR(CalcularDigitoImporte(t) == DigitoImporte(t)); break;
    case 7: Alfanumerica(CalcularAlgoritmo35(t), t, Algoritmo35(t)); break;
    case 8: Alfanumerica(CalcularAlgoritmo36(t), t, Luhn(t)); break;
    case 9: Alfanumerica(CalcularAlgoritmo37(t), t, Modulo97(t)); break;
    }
    return 0;
}
