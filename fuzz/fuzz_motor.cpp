// The engine routines on any bytes. The first byte picks the routine; the rest
// is its input, split at tabs where the routine takes more than one text.
// Beyond "no crash, no sanitizer report": each answer has the routine's width
// and only digits, precondition failures are the documented ones, the rejected
// character is the one the contract names, and for references of digits only
// 02, 36 and 00 agree, and 37 and 04 agree.

#include <algorithm>
#include <cstdint>

#include "engine/algoritmos.h"
#include "engine/catalogo.h"
#include "fuzz/comun.h"

namespace {

using namespace vaviviv;
using vaviviv::fuzz::Cifras;
using Estado = Resultado::Estado;

bool Alfanumerico(char c) { return Cifras(std::string_view(&c, 1)) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool TodoAlfanumerico(std::string_view s) { return std::all_of(s.begin(), s.end(), Alfanumerico); }

void ExigirDigitos(const Resultado& r, std::size_t ancho) {
    EXIGIR(r.estado == Estado::Correcto);
    EXIGIR(r.digitos.size() == ancho);
    EXIGIR(Cifras(r.digitos));
    EXIGIR(r.caracter.empty());
}

void ExigirFuera(const Resultado& r) {
    EXIGIR(r.estado == Estado::FueraDePrecondicion);
    EXIGIR(r.digitos.empty());
}

// Routines 00 and 03: digits only, or nothing at all.
void SoloCifras(Resultado (*rutina)(std::string_view), std::string_view ref) {
    const Resultado r = rutina(ref);
    if (ref.empty() || Cifras(ref))
        ExigirDigitos(r, 1);
    else
        ExigirFuera(r);
}

// Routines 35, 36 and 37: the leftmost character that is not a letter or digit.
void Alfanumericas(Resultado (*rutina)(std::string_view), std::string_view ref, std::size_t ancho) {
    const Resultado r = rutina(ref);
    if (ref.empty()) return ExigirFuera(r);
    if (TodoAlfanumerico(ref)) return ExigirDigitos(r, ancho);
    EXIGIR(r.estado == Estado::CaracterNoValido);
    EXIGIR(r.digitos.empty());
    EXIGIR(!r.caracter.empty() && r.caracter.size() <= 4);
    const auto primero = std::find_if_not(ref.begin(), ref.end(), Alfanumerico) - ref.begin();
    EXIGIR(ref.substr(std::size_t(primero), r.caracter.size()) == r.caracter);
}

void Algoritmo02(std::string_view ref) {
    const std::string r = CalcularAlgoritmo02(ref);
    const Lectura02 l = LeerResultado02(r);
    if (TodoAlfanumerico(ref)) {
        EXIGIR(r.size() == 2 && r[0] == '1' && Cifras(r.substr(1)));
        EXIGIR(l.correcto && l.digito == r.substr(1));
        return;
    }
    constexpr std::string_view kPrefijo = "0Carácter no valido en la referencia:  ' ";
    EXIGIR(r.starts_with(kPrefijo) && r.ends_with(" '"));
    EXIGIR(!l.correcto && l.digito.empty());
    EXIGIR("0" + l.mensaje == r);
    // The rightmost rejected character, whole: nothing after it is rejected.
    EXIGIR(!l.caracter.empty() && l.caracter.size() <= 4);
    const auto pos = ref.rfind(l.caracter);
    EXIGIR(pos != std::string_view::npos);
    EXIGIR(TodoAlfanumerico(ref.substr(pos + l.caracter.size())));
    EXIGIR(!TodoAlfanumerico(l.caracter));
}

void Algoritmo04(std::string_view ref) {
    const Resultado r = CalcularAlgoritmo04(ref);
    if (Cifras(ref) && ref.size() <= 18) {
        ExigirDigitos(r, 2);
        EXIGIR(r.digitos >= "01" && r.digitos <= "97");
    } else {
        ExigirFuera(r);
    }
}

void Algoritmo06(std::string_view texto) {
    const auto [s, c, ref] = fuzz::Partir<3>(texto, '\t');
    const Resultado r = CalcularAlgoritmo06(s, c, ref);
    if (Cifras(s) && s.size() <= 8 && Cifras(c) && c.size() <= 8 && Cifras(ref) && ref.size() <= 18)
        ExigirDigitos(r, 2);
    else
        ExigirFuera(r);
}

bool ImporteValido(std::string_view importe) {
    const auto n = fuzz::LeerNumeroOraculo(importe);
    if (!n || !n->milesimas) return false;
    // 0 to 999,999,999.99 as written (a third decimal beyond the maximum is over it).
    const bool cero = *n->milesimas == 0 && importe.find_first_of("123456789") == std::string_view::npos;
    if (n->negativo && !cero) return false;
    const std::string_view t = fuzz::SinEspacios(importe);
    const auto punto = t.find('.');
    const std::string_view fraccion = punto == std::string_view::npos ? "" : t.substr(punto + 1);
    const bool masDecimales = fraccion.size() > 3 && fraccion.substr(3).find_first_not_of('0') != std::string_view::npos;
    return *n->milesimas < 999'999'999'990 || (*n->milesimas == 999'999'999'990 && !masDecimales);
}

void DigitoImporte(std::string_view importe) {
    const int d = CalcularDigitoImporte(importe);
    EXIGIR(d >= -1 && d <= 9);
    EXIGIR((d >= 0) == ImporteValido(importe));
}

void Algoritmo10(std::string_view texto) {
    const auto [ref, importe, fecha] = fuzz::Partir<3>(texto, '\t');
    const Resultado r = CalcularAlgoritmo10(ref, importe, fecha);
    // DD/MM/AAAA read by position: the separators are not looked at.
    bool fechaValida = false;
    if (fecha.size() == 10 && Cifras(fecha.substr(0, 2)) && Cifras(fecha.substr(3, 2)) && Cifras(fecha.substr(6))) {
        const std::string f = std::string(fecha.substr(0, 2)) + "/" + std::string(fecha.substr(3, 2)) + "/" +
                              std::string(fecha.substr(6));
        if (const auto d = fuzz::LeerFechaOraculo(f)) {
            const int clave = d->anio * 10000 + d->mes * 100 + d->dia;
            fechaValida = clave >= 19880101 && clave <= 20141118;
        }
    }
    if (Cifras(ref) && ref.size() <= 12 && ImporteValido(importe) && fechaValida) {
        ExigirDigitos(r, 8);
        EXIGIR(r.digitos[4] - '0' == CalcularDigitoImporte(importe));
        EXIGIR(r.digitos[5] == '2');
    } else {
        ExigirFuera(r);
    }
}

// For digits only: 02, 36 and 00 agree; 37 and 04 agree.
void Diferencial(std::string_view ref) {
    if (!Cifras(ref)) return;
    const Resultado d00 = CalcularAlgoritmo00(ref);
    ExigirDigitos(d00, 1);
    EXIGIR(CalcularAlgoritmo02(ref) == "1" + d00.digitos);
    EXIGIR(CalcularAlgoritmo36(ref).digitos == d00.digitos);
    if (ref.size() > 18) return;
    const Resultado d04 = CalcularAlgoritmo04(ref);
    ExigirDigitos(d04, 2);
    EXIGIR(CalcularAlgoritmo37(ref).digitos == d04.digitos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (n == 0) return 0;
    const std::string_view texto = fuzz::Texto(datos + 1, n - 1);
    switch (datos[0] % 12) {
    case 0: SoloCifras(CalcularAlgoritmo00, texto); break;
    case 1: Algoritmo02(texto); break;
    case 2: SoloCifras(CalcularAlgoritmo03, texto); break;
    case 3: Algoritmo04(texto); break;
    case 4: Algoritmo06(texto); break;
    case 5: Algoritmo10(texto); break;
    case 6: DigitoImporte(texto); break;
    case 7: Alfanumericas(CalcularAlgoritmo35, texto, 1); break;
    case 8: Alfanumericas(CalcularAlgoritmo36, texto, 1); break;
    case 9: Alfanumericas(CalcularAlgoritmo37, texto, 2); break;
    case 10: {
        // Catalogue look-up with any integer.
        int codigo = 0;
        for (std::size_t i = 0; i < std::min<std::size_t>(texto.size(), 4); ++i)
            codigo = codigo << 8 | std::uint8_t(texto[i]);
        if (const Algoritmo* a = BuscarAlgoritmo(codigo)) EXIGIR(a->codigo == codigo);
        break;
    }
    case 11: {
        const Lectura02 l = LeerResultado02(texto);
        EXIGIR(l.correcto == texto.starts_with('1'));
        EXIGIR(l.digito.size() <= 1 && l.caracter.size() <= texto.size());
        break;
    }
    }
    Diferencial(texto);
    return 0;
}
