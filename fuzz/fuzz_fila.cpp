// The bulk row rules on any three cells, cut at "\n"; the first byte picks the
// code and how the rest becomes text. A row is taken exactly when its trimmed
// cells are within the code's limits, and its result is the reference + digits.

#include "engine/catalogo.h"
#include "engine/fecha.h"
#include "engine/numero.h"
#include "fuzz/comun.h"
#include "reglas/reglas_fila.h"

namespace {

using namespace vaviviv;
using fuzz::Alfanumerica;
using fuzz::Cifras;

QString Recortar(QString s) {
    while (s.startsWith(u' ')) s.remove(0, 1);
    while (s.endsWith(u' ')) s.chop(1);
    return s;
}

// Whether the row's trimmed cells are within the code's limits.
bool Dentro(int codigo, const QString& ref, const QString& s, const QString& c) {
    const qsizetype largo = ref.size(), aa = ref.left(2).toInt();
    const std::string texto = s.toStdString();  // the number's digits are views into it
    const auto importe = LeerNumero(texto);
    const Fecha dia = c.size() == 10 ? LeerFecha(c.toStdString()).value_or(Fecha{0, 0, 0}) : Fecha{0, 0, 0};  // year 0: none
    switch (codigo) {
    case 0:
    case 3: return Cifras(ref) && largo <= 19;
    case 4: return Cifras(ref) && largo <= 18;
    case 6: return Cifras(ref) && largo <= 18 && Cifras(s) && s.size() <= 8 && Cifras(c) && c.size() <= 8;
    case 35:
    case 36: return largo >= 1 && largo <= 19 && Alfanumerica(ref);
    case 37: return largo >= 1 && largo <= 18 && Alfanumerica(ref);
    case 2:  // no upper limit in the bulk window; AAMMDD a day of 1990-2089
        return largo >= 6 && Alfanumerica(ref) && Cifras(ref.left(6)) &&
               EsFechaReal(ref.mid(4, 2).toInt(), ref.mid(2, 2).toInt(), aa + (aa >= 90 ? 1900 : 2000));
    case 10:
        return Cifras(ref) && largo <= 12 && importe && !importe->esNegativo() && !importe->superaImporteMaximo() && dia >= kFechaMinima &&
               dia <= kFechaMaxima;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (n < 1) return 0;
    static constexpr int kCodigos[] = {0, 2, 3, 4, 6, 10, 35, 36, 37, -1, 1, 99};
    const int codigo = kCodigos[(datos[0] >> 1) % std::size(kCodigos)];
    const auto celdas = fuzz::Partir<3>(std::string_view(reinterpret_cast<const char*>(datos + 1), n - 1), '\n');
    const auto celda = [&](int i) { return fuzz::ComoTexto(celdas[std::size_t(i)], datos[0] & 1); };
    const ResultadoFila f = CalcularFila(codigo, celda(0), celda(1), celda(2));
    const Algoritmo* alg = BuscarAlgoritmo(codigo);
    if (!alg) return EXIGIR(f.resultado.isEmpty() && f.digitos.isEmpty() && f.caracterNoValido.isEmpty()), 0;

    const QString ref = Recortar(celda(0));
    const bool dentro = Dentro(codigo, ref, Recortar(celda(1)), Recortar(celda(2)));
    EXIGIR(f.digitos.isEmpty() != dentro);
    if (dentro) return EXIGIR(f.digitos.size() == alg->anchoResultado && Cifras(f.digitos) && f.resultado == ref + f.digitos), 0;
    // 35-37, within the length in characters: the leftmost bad character (a lone surrogate is named by a stand-in).
    const bool rechazo = codigo >= 35 && !ref.isEmpty() && ref.toUcs4().size() <= (codigo == 37 ? 18 : 19);
    EXIGIR(f.caracterNoValido.isEmpty() != rechazo || !QStringView(ref).isValidUtf16());  // a lone low surrogate counts as none
    if (f.caracterNoValido.isEmpty()) return EXIGIR(f.resultado.startsWith(QStringLiteral("Error: ")) || (codigo == 10 && f.resultado == QStringLiteral("Formato de fecha no válido."))), 0;
    const qsizetype i = std::find_if_not(ref.begin(), ref.end(), fuzz::EsAlfanumerico<QChar>) - ref.begin();
    const bool par = i + 1 < ref.size() && ref[i].isHighSurrogate() && ref[i + 1].isLowSurrogate();
    EXIGIR(f.resultado.isEmpty() && i < ref.size() && (f.caracterNoValido == ref.mid(i, par ? 2 : 1) || (ref[i].isSurrogate() && !par)));
    return 0;
}
