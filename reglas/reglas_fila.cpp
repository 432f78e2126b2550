#include "reglas/reglas_fila.h"

#include <algorithm>
#include <array>

#include "engine/catalogo.h"
#include "reglas/texto.h"

namespace vaviviv {

namespace {

// A cell as UTF-8: an ASCII one (nearly all) is copied into `corto`, without allocating.
std::string_view EnUtf8(QStringView celda, std::array<char, 32>& corto, QByteArray& largo) {
    if (celda.size() <= qsizetype(corto.size()) &&
        std::all_of(celda.begin(), celda.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        std::transform(celda.begin(), celda.end(), corto.begin(), [](QChar c) { return char(c.unicode()); });
        return {corto.data(), std::size_t(celda.size())};
    }
    largo = celda.toUtf8();
    return Vista(largo);
}

}  // namespace

ResultadoFila CalcularFila(int codigo, QStringView col0, QStringView col1, QStringView col2) {
    using D = FilaCalculada::Desenlace;
    const QStringView ref = RecortarEspacios(col0);
    const bool tresCampos = TomaDosCamposMas(codigo);
    std::array<std::array<char, 32>, 3> corto;
    std::array<QByteArray, 3> largo;
    const FilaCalculada f = CalcularFilaUtf8(codigo, EnUtf8(ref, corto[0], largo[0]),
                                             tresCampos ? EnUtf8(col1, corto[1], largo[1]) : std::string_view(),
                                             tresCampos ? EnUtf8(col2, corto[2], largo[2]) : std::string_view());
    ResultadoFila fila;
    switch (f.desenlace) {
    case D::Calculada:
        fila.digitos = QString::fromLatin1(f.digitos.data(), qsizetype(f.digitos.size()));
        fila.resultado.reserve(ref.size() + fila.digitos.size());
        fila.resultado.append(ref).append(fila.digitos);  // the row's own text, not a round trip
        break;
    case D::Error: fila.resultado = DesdeUtf8(f.error) + DesdeUtf8(f.caracter); break;
    case D::CaracterNoValido: fila.caracterNoValido = DesdeUtf8(f.caracter); break;
    case D::Vacia: break;
    }
    return fila;
}

}  // namespace vaviviv
