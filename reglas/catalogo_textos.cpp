#include "reglas/catalogo_textos.h"

#include <array>

#include "reglas/texto.h"

namespace vaviviv {

namespace {

struct Descripciones {
    std::string_view principal, masivo;
};

// In the catalogue's order.
constexpr std::array<Descripciones, kCatalogo.size()> kDescripciones{{
    {"1 Dígito verificador con Referencia de 1 a 19 dígitos.",
     "1 Dígito verificador con Referencia de 1 a 19 dígitos."},
    {"1 Dígito verificador con Referencia de 6 a 19 caracteres alfanumércos, anteponiendo la Fecha con formato (AAMMDD).",
     "1 Dígito verificador con Referencia de 6 a 19 caractéres alfanuméricos, anteponiendo la Fecha con formato (AAMMDD)."},
    {"1 Dígito verificador con Referencia de 1 a 19 dígitos.",
     "1 Dígito verificador con Referencia de 1 a 19 dígitos."},
    {"2 Dígitos verificadores con Referencia de 1 a 18 dígitos.",
     "2 Dígitos verificadores con Referencia de 1 a 18 dígitos."},
    {"2 Dígitos verificadores con Referencia de 1 a 18 dígitos; Sucursal de 1 a 18 dígitos y Cuenta de 1 a 8 dígitos.",
     "2 Dígitos verificadores con Referencia de 1 a 18 dígitos; Sucursal de 1 a 18 dígitos y Cuenta de 1 a 8 dígitos."},
    {"8 Dígitos verificadores considernado la referencia de 1 a 12 dígitos; el importe y la fecha con formato (DD/MM/AAAA)",
     "8 Dígitos verificadores considerando la referencia de 1 a 12 dígitos; el importe y la fecha con formato (DD/MM/AAAA)."},
    {"1 Dígito verificador con Referencia de 1 a 19 caracteres alfanumércos.",
     "1 Dígito verificador con Referencia de 1 a 19 caractéres alfanuméricos."},
    {"1 Dígito verificador con Referencia de 1 a 19 caracteres alfanumércos.",
     "1 Dígito verificador con Referencia de 1 a 19 caractéres alfanuméricos."},
    {"2 Dígitos verificadores con Referencia de 1 a 18 caracteres alfanumércos.",
     "2 Dígitos verificadores con Referencia de 1 a 18 caracteres alfanuméricos."},
}};

}  // namespace

QString CodigoDosCifras(int codigo) { return QStringLiteral("%1").arg(codigo, 2, 10, QLatin1Char('0')); }

QList<EntradaAlgoritmo> EntradasAlgoritmos() {
    QList<EntradaAlgoritmo> entradas;
    for (const Algoritmo& a : Catalogo()) entradas.append({QStringLiteral("Algoritmo Vorantis ") + CodigoDosCifras(a.codigo), a.codigo});
    return entradas;
}

QString ListaDeCodigos() {
    QStringList codigos;
    for (const Algoritmo& a : Catalogo()) codigos << CodigoDosCifras(a.codigo);
    return codigos.join(u' ');
}

QString DescripcionPrincipal(const Algoritmo& a) { return DesdeUtf8(kDescripciones[Posicion(a)].principal); }
QString DescripcionMasivo(const Algoritmo& a) { return DesdeUtf8(kDescripciones[Posicion(a)].masivo); }

QString AlgoritmoNoDisponible() { return QStringLiteral("Algoritmo No Disponible"); }

QStringList NombresCampos(Entradas entradas) {
    switch (entradas) {
    case Entradas::SucursalCuenta: return {QStringLiteral("Sucursal"), QStringLiteral("Cuenta")};
    case Entradas::ImporteFecha: return {QStringLiteral("Importe"), QStringLiteral("Fecha")};
    case Entradas::Referencia: break;
    }
    return {};
}

}  // namespace vaviviv
