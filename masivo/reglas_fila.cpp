#include "masivo/reglas_fila.h"

#include "engine/algoritmos.h"
#include "engine/fecha.h"
#include "engine/numero.h"
#include "platform/texto.h"

namespace vaviviv {

namespace {

std::optional<Numero> Numerico(QStringView s) { return LeerNumero(Vista(s.toUtf8())); }


// Code 2: the date prefix AAMMDD, each pair read as a number.
const char* ComprobarFecha02(QStringView ref) {
    if (ContarCaracteres(ref) < 6) return "Error: Fecha menor a 6 dígitos.";
    const QStringView aa = ref.first(2), mm = ref.sliced(2, 2), dd = ref.sliced(4, 2);
    const auto anio = Numerico(aa);
    if (!anio) return "Error: Valor de año no válido.";
    if (!Numerico(mm)) return "Error: Valor de mes no válido.";
    if (!Numerico(dd)) return "Error: Valor de día no válido.";
    const auto a = anio->enteroPequeno();
    const bool siglo19 = !anio->signoMenos && a && *a >= 90;
    QString fecha = dd.toString();
    fecha.append(u'/').append(mm).append(u'/').append(siglo19 ? u"19" : u"20").append(aa);
    if (!LeerFecha(Vista(fecha.toUtf8()))) return "Error: Fecha <> AAMMDD";
    return nullptr;
}

// Code 10: amount and date, in the order the bulk window reports them.
const char* ComprobarImporteFecha(QStringView importe, QStringView fecha) {
    const auto numero = Numerico(importe);
    // A negative amount is refused here: the routine takes none.
    if (!numero || numero->esNegativo()) return "Error: Importe no válido.";
    const bool forma = fecha.size() == 10 && SoloDigitosQt(fecha.first(2)) && SoloDigitosQt(fecha.sliced(3, 2)) &&
                       SoloDigitosQt(fecha.sliced(6, 4));
    if (!forma) return "Formato de fecha no válido.";
    if (numero->superaImporteMaximo()) return "Error: Importe mayor a $ 999999999.99";
    const auto f = LeerFecha(Vista(fecha.toUtf8()));
    if (!f) return "Error: Fecha no válida.";
    if (*f > kFechaMaxima) return "Error: Fecha mayor al 18/11/2014.";
    if (*f < kFechaMinima) return "Error: Fecha menor al 01/01/1988.";
    return nullptr;
}

// The checks of one code, in order; the first message that applies, or nullptr.
const char* Comprobar(int codigo, QStringView ref, QStringView c1, QStringView c2) {
    const qsizetype largo = ContarCaracteres(ref);
    const bool numerica = SoloDigitosQt(ref);
    constexpr const char* kNoValida = "Error: Referencia no válida.";
    switch (codigo) {
    case 0:
    case 3:
        if (largo > 19) return "Error: Referencia mayor a 19 dígitos.";
        return numerica ? nullptr : kNoValida;
    case 2: return ComprobarFecha02(ref);
    case 4:
        if (largo > 18) return "Error: Referencia mayor a 18 dígitos.";
        return numerica ? nullptr : kNoValida;
    case 6:
        if (largo > 18) return "Error: Referencia mayor a 18 dígitos.";
        if (!numerica) return kNoValida;
        if (ContarCaracteres(c1) > 8) return "Error: Sucursal mayora 8 dígitos.";
        if (!SoloDigitosQt(c1)) return "Error: Sucursal no válida.";
        if (ContarCaracteres(c2) > 8) return "Error: Cuenta mayor a 8 dígitos.";
        if (!SoloDigitosQt(c2)) return "Error: Cuenta no válida.";
        return nullptr;
    case 10:
        if (largo > 12) return "Error: Referencia mayor a 12 dígitos.";
        if (!numerica) return kNoValida;
        return ComprobarImporteFecha(c1, c2);
    case 35:
    case 36:
        if (largo > 19) return "Error: Referencia mayor a 19 caracteres alfanumericos.";
        return ref.isEmpty() ? kNoValida : nullptr;  // the routines need a reference
    case 37:
        if (largo > 18) return "Error: Referencia mayor a 18 caracteres alfanumericos.";
        return ref.isEmpty() ? kNoValida : nullptr;
    }
    return nullptr;
}

}  // namespace

ResultadoFila CalcularFila(int codigo, QStringView col0, QStringView col1, QStringView col2) {
    ResultadoFila fila;
    const QStringView ref = RecortarEspacios(col0), c1 = RecortarEspacios(col1), c2 = RecortarEspacios(col2);
    if (const char* error = Comprobar(codigo, ref, c1, c2)) {
        fila.resultado = QString::fromUtf8(error);
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
    fila.digitos = QString::fromLatin1(res.digitos.data(), qsizetype(res.digitos.size()));
    fila.resultado.reserve(ref.size() + fila.digitos.size());
    fila.resultado.append(ref).append(fila.digitos);
    return fila;
}

}  // namespace vaviviv
