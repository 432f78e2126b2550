#include "reglas/reglas_fila.h"

#include "engine/algoritmos.h"
#include "engine/catalogo.h"
#include "engine/fecha.h"
#include "engine/numero.h"
#include "reglas/texto.h"

namespace vaviviv {

namespace {

std::optional<Numero> Numerico(QStringView s) { return LeerNumero(Vista(s.toUtf8())); }

// Messages as QString: a null one means the check passed.
QString Mensaje(const char* texto) { return QString::fromUtf8(texto); }

QString MayorA(qsizetype maximo, const char* unidad) {
    return QStringLiteral("Error: Referencia mayor a %1 %2.").arg(maximo).arg(QString::fromUtf8(unidad));
}

// Code 2: the date prefix AAMMDD, each pair read as a number.
QString ComprobarFecha02(QStringView ref) {
    if (ContarCaracteres(ref) < kLongitudFecha02) return QStringLiteral("Error: Fecha menor a %1 dígitos.").arg(kLongitudFecha02);
    const QStringView aa = ref.first(2), mm = ref.sliced(2, 2), dd = ref.sliced(4, 2);
    const auto anio = Numerico(aa);
    if (!anio) return Mensaje("Error: Valor de año no válido.");
    if (!Numerico(mm)) return Mensaje("Error: Valor de mes no válido.");
    if (!Numerico(dd)) return Mensaje("Error: Valor de día no válido.");
    const auto a = anio->enteroPequeno();
    const bool siglo19 = !anio->signoMenos && a && AnioDeReferencia02(*a) < 2000;
    QString fecha = dd.toString();
    fecha.append(u'/').append(mm).append(u'/').append(siglo19 ? u"19" : u"20").append(aa);
    if (!LeerFecha(Vista(fecha.toUtf8()))) return Mensaje("Error: Fecha <> AAMMDD");
    return {};
}

// Code 10: amount and date, in the order the bulk window reports them.
QString ComprobarImporteFecha(QStringView importe, QStringView fecha) {
    const auto numero = Numerico(importe);
    // A negative amount is refused here: the routine takes none.
    if (!numero || numero->esNegativo()) return Mensaje("Error: Importe no válido.");
    if (!CifrasDDMMAAAA(fecha)) return Mensaje("Formato de fecha no válido.");
    if (numero->superaImporteMaximo()) return Mensaje("Error: Importe mayor a $ 999999999.99");
    const auto f = LeerFecha(Vista(fecha.toUtf8()));
    if (!f) return Mensaje("Error: Fecha no válida.");
    if (*f > kFechaMaxima) return Mensaje("Error: Fecha mayor al 18/11/2014.");
    if (*f < kFechaMinima) return Mensaje("Error: Fecha menor al 01/01/1988.");
    return {};
}

// The checks of one code, in order; the first message that applies, or a null text.
QString Comprobar(int codigo, QStringView ref, QStringView c1, QStringView c2) {
    const Algoritmo* algoritmo = BuscarAlgoritmo(codigo);
    if (!algoritmo) return {};
    const qsizetype maximo = algoritmo->longitudMaxima;
    const bool largo = ContarCaracteres(ref) > maximo;
    const bool numerica = SoloDigitosQt(ref);
    const auto noValida = [] { return Mensaje("Error: Referencia no válida."); };
    switch (codigo) {
    case 2: return ComprobarFecha02(ref);
    case 6:
        if (largo) return MayorA(maximo, "dígitos");
        if (!numerica) return noValida();
        if (ContarCaracteres(c1) > kLongitudSucursal) return QStringLiteral("Error: Sucursal mayora %1 dígitos.").arg(kLongitudSucursal);
        if (!SoloDigitosQt(c1)) return Mensaje("Error: Sucursal no válida.");
        if (ContarCaracteres(c2) > kLongitudCuenta) return QStringLiteral("Error: Cuenta mayor a %1 dígitos.").arg(kLongitudCuenta);
        if (!SoloDigitosQt(c2)) return Mensaje("Error: Cuenta no válida.");
        return {};
    case 10:
        if (largo) return MayorA(maximo, "dígitos");
        if (!numerica) return noValida();
        return ComprobarImporteFecha(c1, c2);
    case 35:
    case 36:
    case 37:
        if (largo) return MayorA(maximo, "caracteres alfanumericos");
        return ref.isEmpty() ? noValida() : QString();  // the routines need a reference
    default:
        if (largo) return MayorA(maximo, "dígitos");
        return numerica ? QString() : noValida();
    }
}

}  // namespace

ResultadoFila CalcularFila(int codigo, QStringView col0, QStringView col1, QStringView col2) {
    ResultadoFila fila;
    const QStringView ref = RecortarEspacios(col0), c1 = RecortarEspacios(col1), c2 = RecortarEspacios(col2);
    if (QString error = Comprobar(codigo, ref, c1, c2); !error.isNull()) {
        fila.resultado = std::move(error);
        return fila;
    }
    const QByteArray r = ref.toUtf8();
    Resultado res;
    switch (codigo) {
    case 0: res = CalcularAlgoritmo00(Vista(r)); break;
    case 2: {
        const Lectura02 l = LeerResultado02(CalcularAlgoritmo02(Vista(r)));
        if (!l.correcto) {
            fila.resultado = QStringLiteral("Error: Referencia no valida = ") + DesdeUtf8(l.caracter);
            return fila;
        }
        res.digitos = l.digito;
        break;
    }
    case 3: res = CalcularAlgoritmo03(Vista(r)); break;
    case 4: res = CalcularAlgoritmo04(Vista(r)); break;
    case 6: res = CalcularAlgoritmo06(Vista(c1.toUtf8()), Vista(c2.toUtf8()), Vista(r)); break;
    case 10: res = CalcularAlgoritmo10(Vista(r), Vista(c1.toUtf8()), Vista(c2.toUtf8())); break;
    case 35: res = CalcularAlgoritmo35(Vista(r)); break;
    case 36: res = CalcularAlgoritmo36(Vista(r)); break;
    case 37: res = CalcularAlgoritmo37(Vista(r)); break;
    default: return fila;
    }
    if (res.estado == Resultado::Estado::CaracterNoValido) {
        fila.caracterNoValido = DesdeUtf8(res.caracter);
        return fila;
    }
    if (!res.correcto()) return fila;  // the checks keep such rows away
    fila.digitos = DesdeUtf8(res.digitos);
    fila.resultado.reserve(ref.size() + fila.digitos.size());
    fila.resultado.append(ref).append(fila.digitos);
    return fila;
}

}  // namespace vaviviv
