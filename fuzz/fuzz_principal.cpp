// The main window's calculate command (CalcularReferencia), and the number
// recogniser it stands on against the C library's reading. The first byte picks
// which; the second the code and how the rest becomes text, cut at "\n" into
// reference, branch, account, amount and date.

#include <cmath>

#include "engine/catalogo.h"
#include "engine/numero.h"
#include "fuzz/comun.h"
#include "reglas/calcular_referencia.h"
#include "reglas/reglas_fila.h"

namespace {

using namespace vaviviv;

void Cantidad(std::string_view t) {
    const std::string s(t.substr(0, t.find_last_not_of(' ') + 1));  // strtold skips the leading spaces itself
    char* fin = nullptr;
    const long double v = std::strtold(s.c_str(), &fin);  // the C library's reading
    const auto n = LeerNumero(t);
    EXIGIR(n.has_value() == (s.find_first_not_of(' ') != s.npos && s.find_first_not_of(" +-.0123456789") == s.npos && fin == s.c_str() + s.size()));
    if (!n) return;
    EXIGIR(n->signoMenos == (s.find('-') != s.npos) && n->esCero() == (v == 0));
    if (std::fabs(v - 999999999.99L) > 1e-6L) EXIGIR(n->superaImporteMaximo() == (v > 999999999.99L));
    if (const auto c = n->centavos(); c && std::fabs(v) < 1e12L) EXIGIR(std::fabs(*c - v * 100) <= 0.5L + 1e-6L);
}

void Calcular(std::uint8_t selector, std::string_view resto) {
    static constexpr int kCodigos[] = {0, 2, 3, 4, 6, 10, 35, 36, 37, -1, 5, 99};
    const std::size_t i = (selector >> 1) % (std::size(kCodigos) + 1);  // one past the end: no code chosen
    const auto codigo = i < std::size(kCodigos) ? std::optional(kCodigos[i]) : std::nullopt;
    const auto campos = fuzz::Partir<5>(resto, '\n');
    const auto texto = [&](std::size_t j) { return fuzz::ComoTexto(campos[j], selector & 1); };
    const DatosPrincipal d{texto(0), texto(1), texto(2), texto(3), texto(4)};
    const CalculoPrincipal res = CalcularReferencia(codigo, d);
    if (!codigo) return EXIGIR(res.mensajes == QStringList{MensajeSinAlgoritmo()} && !res.correcto());
    const Algoritmo* a = BuscarAlgoritmo(*codigo);
    // 35-37: within the length in characters, the first bad character named as typed.
    const qsizetype malo = std::find_if_not(d.referencia.begin(), d.referencia.end(), fuzz::EsAlfanumerico<QChar>) - d.referencia.begin();
    if (*codigo >= 35 && a && malo < d.referencia.size() && !d.referencia[malo].isSurrogate() && d.referencia.toUcs4().size() <= a->longitudMaxima)
        EXIGIR(res.mensajes == QStringList{MensajeCaracterNoValido(d.referencia[malo])});
    // The checks keep from the routines whatever they would refuse.
    EXIGIR(!res.mensajes.contains(QStringLiteral("Los datos no son válidos para este algoritmo")));
    if (!res.correcto())  // silent only for a code outside the catalogue
        return EXIGIR(res.referenciaCompleta.isEmpty() && !res.mensajes.contains(QString()) &&
                      res.mensajes.isEmpty() == (!a && !d.referencia.isEmpty()));
    EXIGIR(a && res.mensajes.isEmpty() && res.referenciaCompleta == d.referencia + res.digitos);
    EXIGIR(res.digitos.size() == a->anchoResultado && fuzz::Cifras(res.digitos) && d.referencia.size() <= a->longitudMaxima);
    const bool diez = *codigo == 10;
    if (!diez || PrepararFecha(d.fecha) == d.fecha)  // the bulk rules take it too, with the same digits
        EXIGIR(CalcularFila(*codigo, d.referencia, diez ? d.importe : d.sucursal, diez ? d.fecha : d.cuenta).digitos == res.digitos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (n < 2) return 0;
    const std::string_view resto(reinterpret_cast<const char*>(datos + 2), n - 2);
    datos[0] % 4 ? Calcular(datos[1], resto) : Cantidad(resto);
    return 0;
}
