// The main window's calculate command without the window (CalcularReferencia),
// with the two recognisers it stands on (LeerNumero, LeerFecha) and the date
// preparation of algorithm 10. The first byte picks what runs; the second how
// the rest becomes text (UTF-8, or raw UTF-16 so that lone surrogates appear).
// The recognisers are held against the plain readings of fuzz/comun.h.

#include <QString>
#include <algorithm>
#include <cstdint>

#include "engine/catalogo.h"
#include "engine/fecha.h"
#include "engine/numero.h"
#include "fuzz/comun.h"
#include "reglas/calcular_referencia.h"

namespace {

using namespace vaviviv;
using fuzz::Cifras;

QString ComoTexto(std::string_view b, bool utf16) {
    if (!utf16) return QString::fromUtf8(b.data(), qsizetype(b.size()));
    return QString(reinterpret_cast<const QChar*>(b.data()), qsizetype(b.size() / 2));
}

bool SoloCifrasQt(const QString& s) {
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

bool EsAlfanumericoQt(QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool AlfanumericaQt(const QString& s) { return std::all_of(s.begin(), s.end(), EsAlfanumericoQt); }

void ProbarNumero(std::string_view texto) {
    const auto n = LeerNumero(texto);
    const auto o = fuzz::LeerNumeroOraculo(texto);
    EXIGIR(n.has_value() == o.has_value());
    if (!n) return;
    EXIGIR(n->signoMenos == o->negativo);
    EXIGIR(n->entero.empty() || (Cifras(n->entero) && n->entero.front() != '0'));
    EXIGIR(n->fraccion.empty() || (Cifras(n->fraccion) && n->fraccion.back() != '0'));
    if (!o->milesimas) {
        EXIGIR(n->entero.size() > 30 && !n->centavos() && !n->enteroPequeno());
        EXIGIR(n->superaImporteMaximo() != n->signoMenos);
        return;
    }
    const fuzz::Entero128 m = *o->milesimas, c = (m + 5) / 10, signo = o->negativo ? -1 : 1;
    EXIGIR(n->esCero() == (m == 0 && n->fraccion.empty()));
    const auto centavos = n->centavos();
    EXIGIR(centavos.has_value() == (c < fuzz::Entero128(1'000'000'000'000'000'000)));
    if (centavos) EXIGIR(*centavos == signo * c);
    const auto entero = n->enteroPequeno();
    EXIGIR(entero.has_value() == (m / 1000 < 1'000'000'000));
    if (entero) EXIGIR(*entero == signo * (m / 1000));
    const bool mayor = m > 999'999'999'990 || (m == 999'999'999'990 && n->fraccion.size() > 3);
    EXIGIR(n->superaImporteMaximo() == (!o->negativo && mayor));
}

void ProbarFecha(std::string_view texto) {
    const auto f = LeerFecha(texto);
    const auto o = fuzz::LeerFechaOraculo(texto);
    EXIGIR(f.has_value() == o.has_value());
    if (f) EXIGIR(f->dia == o->dia && f->mes == o->mes && f->anio == o->anio);
}

void Preparar(const QString& fecha) {
    const auto p = PrepararFecha(fecha);
    if (!p) return;
    EXIGIR(p->size() == 10 && p->at(2) == u'/' && p->at(5) == u'/');
    EXIGIR(SoloCifrasQt(p->left(2)) && SoloCifrasQt(p->mid(3, 2)) && SoloCifrasQt(p->mid(6)));
}

void Calcular(std::uint8_t selector, std::string_view resto, bool utf16) {
    static constexpr int kCodigos[] = {0, 2, 3, 4, 6, 10, 35, 36, 37, -1, 5, 99};
    const std::size_t i = selector % (std::size(kCodigos) + 1);
    const std::optional<int> codigo = i < std::size(kCodigos) ? std::optional(kCodigos[i]) : std::nullopt;
    const auto [r, s, c, im, f] = fuzz::Partir<5>(resto, '\n');
    const DatosPrincipal d{ComoTexto(r, utf16), ComoTexto(s, utf16), ComoTexto(c, utf16), ComoTexto(im, utf16),
                           ComoTexto(f, utf16)};
    const CalculoPrincipal res = CalcularReferencia(codigo, d);
    const Algoritmo* a = codigo ? BuscarAlgoritmo(*codigo) : nullptr;

    if (!codigo) {
        EXIGIR(res.mensajes == QStringList{QStringLiteral("Debe seleccionar un Algoritmo de cálculo")});
        return;
    }
    for (const QString& m : res.mensajes) EXIGIR(!m.isEmpty());
    if (!res.correcto()) {
        EXIGIR(res.digitos.isEmpty() && res.referenciaCompleta.isEmpty());
        // Nothing at all only for a code outside the catalogue.
        EXIGIR(res.mensajes.isEmpty() == (!a && !d.referencia.isEmpty()));
    } else {
        EXIGIR(a && res.mensajes.isEmpty());
        EXIGIR(res.digitos.size() == a->anchoResultado && SoloCifrasQt(res.digitos));
        EXIGIR(res.referenciaCompleta == d.referencia + res.digitos);
    }
    if (!a) return;

    const qsizetype largo = d.referencia.size();
    switch (*codigo) {
    case 0:
    case 3: EXIGIR(res.correcto() == (SoloCifrasQt(d.referencia) && largo <= 19)); break;
    case 4: EXIGIR(res.correcto() == (SoloCifrasQt(d.referencia) && largo <= 18)); break;
    case 35:
    case 36:
    case 37: {
        const qsizetype maximo = *codigo == 37 ? 18 : 19;
        EXIGIR(res.correcto() == (largo >= 1 && largo <= maximo && AlfanumericaQt(d.referencia)));
        // Within the length, a bad character is named in the box, as typed.
        const QString& ref = d.referencia;
        qsizetype i = 0;
        while (i < largo && EsAlfanumericoQt(ref[i])) ++i;
        const bool par = i + 1 < largo && ref[i].isHighSurrogate() && ref[i + 1].isLowSurrogate();
        const qsizetype caracteres = ref.size() - std::count_if(ref.begin(), ref.end(), [](QChar c) { return c.isLowSurrogate(); });
        if (i < largo && caracteres <= maximo && (!ref[i].isSurrogate() || par))
            EXIGIR(res.mensajes == QStringList{MensajeCaracterNoValido(ref.mid(i, par ? 2 : 1))});
        break;
    }
    case 2:
        if (res.correcto()) EXIGIR(largo >= 6 && largo <= 19 && AlfanumericaQt(d.referencia) &&
                                   SoloCifrasQt(d.referencia.left(6)));
        break;
    case 6:
        if (res.correcto())
            EXIGIR(SoloCifrasQt(d.sucursal) && d.sucursal.size() <= 8 && SoloCifrasQt(d.cuenta) &&
                   d.cuenta.size() <= 8 && SoloCifrasQt(d.referencia) && largo <= 18);
        break;
    case 10:
        if (res.correcto()) {
            EXIGIR(SoloCifrasQt(d.referencia) && largo <= 12);
            const auto importe = fuzz::LeerNumeroOraculo(d.importe.toStdString());
            EXIGIR(importe && importe->milesimas && *importe->milesimas <= 999'999'999'990);
            EXIGIR(!importe->negativo || *importe->milesimas == 0);
            const auto fecha = fuzz::LeerFechaOraculo(d.fecha.toStdString());
            EXIGIR(fecha);
            const int clave = fecha->anio * 10000 + fecha->mes * 100 + fecha->dia;
            EXIGIR(clave >= 19880101 && clave <= 20141118);
        }
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (n < 2) return 0;
    const std::string_view resto = fuzz::Texto(datos + 2, n - 2);
    const bool utf16 = datos[1] & 1;
    switch (datos[0] % 4) {
    case 0: ProbarNumero(resto); break;
    case 1: ProbarFecha(resto); break;
    case 2: Preparar(ComoTexto(resto, utf16)); break;
    default: Calcular(datos[1] >> 1, resto, utf16); break;
    }
    return 0;
}
