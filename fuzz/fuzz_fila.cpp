// The bulk row rules (CalcularFila) on any three cells. The first byte picks
// the code and how the rest becomes text (UTF-8, or raw UTF-16 so that lone
// surrogates appear); the cells are split at "\n". Each outcome must be a
// result of the code's width, one of the code's own messages, or the
// rejected-character report of 35, 36 and 37.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>

#include "engine/catalogo.h"
#include "fuzz/comun.h"
#include "reglas/reglas_fila.h"

namespace {

using namespace vaviviv;

QString ComoTexto(std::string_view b, bool utf16) {
    if (!utf16) return QString::fromUtf8(b.data(), qsizetype(b.size()));
    return QString(reinterpret_cast<const QChar*>(b.data()), qsizetype(b.size() / 2));
}

QString Recortar(const QString& s) {
    qsizetype a = 0, b = s.size();
    while (a < b && s[a] == u' ') ++a;
    while (b > a && s[b - 1] == u' ') --b;
    return s.mid(a, b - a);
}

bool EsCifra(QChar c) { return c >= u'0' && c <= u'9'; }
bool EsAlfanumerico(QChar c) { return EsCifra(c) || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool SoloCifras(const QString& s) { return !s.isEmpty() && std::all_of(s.begin(), s.end(), EsCifra); }
bool Alfanumerica(const QString& s) { return std::all_of(s.begin(), s.end(), EsAlfanumerico); }

const std::map<int, QStringList>& Mensajes() {
    static const std::map<int, QStringList> m = [] {
        const QString noValida = QStringLiteral("Error: Referencia no válida.");
        std::map<int, QStringList> t;
        t[0] = t[3] = {QStringLiteral("Error: Referencia mayor a 19 dígitos."), noValida};
        t[2] = {QStringLiteral("Error: Fecha menor a 6 dígitos."), QStringLiteral("Error: Valor de año no válido."),
                QStringLiteral("Error: Valor de mes no válido."), QStringLiteral("Error: Valor de día no válido."),
                QStringLiteral("Error: Fecha <> AAMMDD")};
        t[4] = {QStringLiteral("Error: Referencia mayor a 18 dígitos."), noValida};
        t[6] = {QStringLiteral("Error: Referencia mayor a 18 dígitos."), noValida,
                QStringLiteral("Error: Sucursal mayora 8 dígitos."), QStringLiteral("Error: Sucursal no válida."),
                QStringLiteral("Error: Cuenta mayor a 8 dígitos."), QStringLiteral("Error: Cuenta no válida.")};
        t[10] = {QStringLiteral("Error: Referencia mayor a 12 dígitos."), noValida,
                 QStringLiteral("Error: Importe no válido."), QStringLiteral("Formato de fecha no válido."),
                 QStringLiteral("Error: Importe mayor a $ 999999999.99"), QStringLiteral("Error: Fecha no válida."),
                 QStringLiteral("Error: Fecha mayor al 18/11/2014."), QStringLiteral("Error: Fecha menor al 01/01/1988.")};
        t[35] = t[36] = {QStringLiteral("Error: Referencia mayor a 19 caracteres alfanumericos."), noValida};
        t[37] = {QStringLiteral("Error: Referencia mayor a 18 caracteres alfanumericos."), noValida};
        return t;
    }();
    return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (n < 1) return 0;
    static constexpr int kCodigos[] = {0, 2, 3, 4, 6, 10, 35, 36, 37, -1, 1, 99};
    const int codigo = kCodigos[(datos[0] >> 1) % std::size(kCodigos)];
    const bool utf16 = datos[0] & 1;
    const auto [a, b, c] = fuzz::Partir<3>(fuzz::Texto(datos + 1, n - 1), '\n');
    const QString c0 = ComoTexto(a, utf16), c1 = ComoTexto(b, utf16), c2 = ComoTexto(c, utf16);

    const ResultadoFila f = CalcularFila(codigo, c0, c1, c2);
    const Algoritmo* alg = BuscarAlgoritmo(codigo);
    if (!alg) {
        EXIGIR(f.resultado.isEmpty() && f.digitos.isEmpty() && f.caracterNoValido.isEmpty());
        return 0;
    }
    const QString ref = Recortar(c0), s = Recortar(c1), cta = Recortar(c2);

    if (!f.digitos.isEmpty()) {
        EXIGIR(f.digitos.size() == alg->anchoResultado && SoloCifras(f.digitos));
        EXIGIR(f.resultado == ref + f.digitos);
        EXIGIR(f.caracterNoValido.isEmpty());
    } else if (!f.caracterNoValido.isEmpty()) {
        EXIGIR(codigo == 35 || codigo == 36 || codigo == 37);
        EXIGIR(f.resultado.isEmpty());
        const auto malo = std::find_if_not(ref.begin(), ref.end(), EsAlfanumerico);
        EXIGIR(malo != ref.end());
        // A lone surrogate has no UTF-8 form; the report then names its stand-in.
        const qsizetype i = malo - ref.begin();
        const bool par = ref[i].isHighSurrogate() && i + 1 < ref.size() && ref[i + 1].isLowSurrogate();
        if (!ref[i].isSurrogate() || par) EXIGIR(f.caracterNoValido == ref.mid(i, par ? 2 : 1));
    } else {
        const bool propio = Mensajes().at(codigo).contains(f.resultado);
        const bool rechazo02 = codigo == 2 && f.resultado.startsWith(QStringLiteral("Error: Referencia no valida = "));
        EXIGIR(propio || rechazo02);
    }

    const bool correcto = !f.digitos.isEmpty();
    const qsizetype largo = ref.size();
    switch (codigo) {
    case 0:
    case 3: EXIGIR(correcto == (SoloCifras(ref) && largo <= 19)); break;
    case 4: EXIGIR(correcto == (SoloCifras(ref) && largo <= 18)); break;
    case 6:
        EXIGIR(correcto == (SoloCifras(ref) && largo <= 18 && SoloCifras(s) && s.size() <= 8 && SoloCifras(cta) &&
                            cta.size() <= 8));
        break;
    case 35:
    case 36: EXIGIR(correcto == (largo >= 1 && largo <= 19 && Alfanumerica(ref))); break;
    case 37: EXIGIR(correcto == (largo >= 1 && largo <= 18 && Alfanumerica(ref))); break;
    case 2:
        // No upper length limit in the bulk window.
        if (correcto) EXIGIR(largo >= 6 && Alfanumerica(ref) && SoloCifras(ref.left(6)));
        break;
    case 10:
        if (correcto) {
            EXIGIR(SoloCifras(ref) && largo <= 12);
            const auto importe = fuzz::LeerNumeroOraculo(s.toStdString());
            EXIGIR(importe && importe->milesimas && *importe->milesimas <= 999'999'999'990);
            EXIGIR(!importe->negativo || *importe->milesimas == 0);
            EXIGIR(cta.size() == 10);
            const auto fecha = fuzz::LeerFechaOraculo(cta.toStdString());
            EXIGIR(fecha);
            const int clave = fecha->anio * 10000 + fecha->mes * 100 + fecha->dia;
            EXIGIR(clave >= 19880101 && clave <= 20141118);
        }
        break;
    }
    return 0;
}
