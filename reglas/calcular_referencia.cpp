#include "reglas/calcular_referencia.h"

#include "engine/catalogo.h"
#include "engine/fecha.h"
#include "engine/fila.h"
#include "engine/numero.h"
#include "reglas/texto.h"

namespace vaviviv {

namespace {

const QString kFechaInvalida = QStringLiteral("Teclear Fecha valida con formato:  DD/MM/AAAA");
const QString kTeclearReferencia = QStringLiteral("Teclear Referencia");
const QString kPrefijoAAMMDD =
    QStringLiteral("Los 6 primeros dígitos de Fecha en la Referencia No tienen formato (AAMMDD) valido");

// Collects the messages of one run of checks; the first failure decides the focus.
struct Comprobador {
    Validacion v;
    bool fallo(Campo campo, const QString& mensaje) {
        if (v.mensajes.isEmpty()) v.foco = campo;
        v.mensajes << mensaje;
        return false;
    }
    bool requerido(Campo campo, const QString& texto, const QString& mensaje) {
        return !texto.isEmpty() || fallo(campo, mensaje);
    }
    bool maximo(Campo campo, const QString& texto, qsizetype n, const QString& mensaje) {
        return ContarCaracteres(texto) <= n || fallo(campo, mensaje);
    }
    bool digitos(Campo campo, const QString& texto, const char* prefijo) {
        const QString malo = PrimerNoDigito(texto);
        return malo.isEmpty() || fallo(campo, QString::fromUtf8(prefijo) + malo + QStringLiteral(" '"));
    }
};

constexpr const char* kRefNumerica = "La Referencia debe ser numérica. Carácter no valido:  ' ";

bool ReferenciaNumerica(Comprobador& c, const QString& ref, int codigo) {
    const qsizetype maximo = qsizetype(LongitudMaxima(codigo));
    return c.maximo(Campo::Referencia, ref, maximo, QStringLiteral("La Referencia no puede ser mayor de %1 dígitos").arg(maximo)) &&
           c.digitos(Campo::Referencia, ref, kRefNumerica);
}

bool ReferenciaAlfanumerica(Comprobador& c, const QString& ref, int codigo) {
    const qsizetype maximo = qsizetype(LongitudMaxima(codigo));
    return c.maximo(Campo::Referencia, ref, maximo,
                    QStringLiteral("La Referencia no puede ser mayor de %1 caracteres alfanumericos").arg(maximo));
}

// Code 02: the length message does not end the checks; the date prefix
// digit test still runs, so both messages can show.
bool Referencia02(Comprobador& c, const QString& ref) {
    const qsizetype n = ContarCaracteres(ref), maximo = qsizetype(LongitudMaxima(2));
    bool valida = n >= kLongitudFecha02 && n <= maximo;
    if (!valida)
        c.fallo(Campo::Referencia, QStringLiteral("La Referencia no puede ser mayor de %1 dígitos y menor de %2 dígitos")
                                       .arg(maximo)
                                       .arg(kLongitudFecha02));
    const QStringView prefijo = QStringView(ref).left(kLongitudFecha02);
    if (!PrimerNoDigito(prefijo).isEmpty()) return c.fallo(Campo::Referencia, kPrefijoAAMMDD);
    if (!valida) return false;
    const int aa = prefijo.left(2).toInt(), mm = prefijo.mid(2, 2).toInt(), dd = prefijo.mid(4, 2).toInt();
    if (mm > 12 || !EsFechaReal(dd, mm, AnioDeReferencia02(aa))) return c.fallo(Campo::Referencia, kPrefijoAAMMDD);
    return true;
}

bool Importe(Comprobador& c, const QString& importe) {
    if (!c.requerido(Campo::Importe, importe, QStringLiteral("Teclear Importe"))) return false;
    const QByteArray bytes = importe.toUtf8();  // the number's digits are views into it
    const auto numero = LeerNumero(Vista(bytes));
    if (!numero) return c.fallo(Campo::Importe, QStringLiteral("El Importe tiene que ser numérico"));
    if (numero->superaImporteMaximo())
        return c.fallo(Campo::Importe, QStringLiteral("El Importe no debe ser mayor de $ 999,999,999.99"));
    if (numero->esNegativo()) return c.fallo(Campo::Importe, QStringLiteral("El Importe no debe ser menor a cero"));
    return true;
}

bool FechaDDMMAAAA(Comprobador& c, const QString& fecha) {
    if (fecha == QStringLiteral("  /  /    ")) return c.fallo(Campo::Fecha, QStringLiteral("Teclear Fecha"));
    const auto leida = LeerFecha(Vista(fecha.toUtf8()));
    if (!leida) return c.fallo(Campo::Fecha, kFechaInvalida);
    // The recogniser is lenient on widths; the field wants two-digit day and
    // month and a four-digit year.
    const QByteArray bytesMes = fecha.mid(3, 2).toUtf8();  // the number's digits are views into it
    const auto mes = LeerNumero(Vista(bytesMes));
    const auto entero = mes ? mes->enteroPequeno() : std::nullopt;
    const bool mesMayor = !entero || *entero > 12 || (*entero == 12 && !mes->fraccion.empty() && !mes->signoMenos);
    const bool espacio = (fecha.size() >= 9 && fecha[8] == u' ') || (fecha.size() >= 10 && fecha[9] == u' ');
    if (mesMayor || espacio) return c.fallo(Campo::Fecha, kFechaInvalida);
    if (*leida < kFechaMinima || *leida > kFechaMaxima)
        return c.fallo(Campo::Fecha, QStringLiteral("El rango de la Fecha debe estar entre 01/01/1988 y 18/11/2014"));
    return true;
}

}  // namespace

Validacion ValidarDatos(int codigo, const DatosPrincipal& d) {
    Comprobador c;
    const Algoritmo* a = BuscarAlgoritmo(codigo);
    if (!a) return c.v;
    switch (a->caracteres) {
    case Caracteres::FechaYAlfanumericos: Referencia02(c, d.referencia); return c.v;
    case Caracteres::Alfanumericos: ReferenciaAlfanumerica(c, d.referencia, codigo); return c.v;
    case Caracteres::Digitos: break;
    }
    switch (a->entradas) {
    case Entradas::Referencia: ReferenciaNumerica(c, d.referencia, codigo); break;
    case Entradas::SucursalCuenta:
        c.requerido(Campo::Sucursal, d.sucursal, QStringLiteral("Teclear Sucursal")) &&
            c.maximo(Campo::Sucursal, d.sucursal, kLongitudSucursal,
                     QStringLiteral("La Sucursal no puede ser mayor de %1 dígitos").arg(kLongitudSucursal)) &&
            c.digitos(Campo::Sucursal, d.sucursal, "La Sucursal debe ser numérica. Carácter no valido:  ' ") &&
            c.requerido(Campo::Cuenta, d.cuenta, QStringLiteral("Teclear Cuenta")) &&
            c.maximo(Campo::Cuenta, d.cuenta, kLongitudCuenta,
                     QStringLiteral("La Cuenta no puede ser mayor de %1 dígitos").arg(kLongitudCuenta)) &&
            c.digitos(Campo::Cuenta, d.cuenta, "La Cuenta debe ser numérica. Carácter no valido:  ' ") &&
            c.requerido(Campo::Referencia, d.referencia, kTeclearReferencia) &&
            ReferenciaNumerica(c, d.referencia, codigo);
        break;
    case Entradas::ImporteFecha:
        ReferenciaNumerica(c, d.referencia, codigo) && Importe(c, d.importe) && FechaDDMMAAAA(c, d.fecha);
        break;
    }
    return c.v;
}

std::optional<QString> PrepararFecha(const QString& fecha) {
    QString t = RecortarEspacios(fecha).toString();
    if (t.size() < 3 || t[2] != u'/') t.prepend(u'0');
    if (t.size() < 6 || t[5] != u'/') t = t.left(3) + u'0' + t.mid(3, 6);
    const bool forma = CifrasDDMMAAAA(Vista(t.toUtf8())) && t[2] == u'/' && t[5] == u'/';
    if (!forma) return std::nullopt;
    return t;
}

QString MensajeSinAlgoritmo() { return QStringLiteral("Debe seleccionar un Algoritmo de cálculo"); }

QString MensajeCaracterNoValido(const QString& caracter) {
    return DesdeUtf8(MensajeCaracterNoValidoUtf8(Vista(caracter.toUtf8())));
}

CalculoPrincipal CalcularReferencia(std::optional<int> codigo, const DatosPrincipal& d) {
    CalculoPrincipal r;
    const auto fallo = [&r](const QString& mensaje, Campo foco) {
        r.mensajes << mensaje;
        r.foco = foco;
        return r;
    };
    if (!codigo) return fallo(MensajeSinAlgoritmo(), Campo::Ninguno);
    const Algoritmo* a = BuscarAlgoritmo(*codigo);
    // 06 asks for its branch and account before its reference.
    if (d.referencia.isEmpty() && !(a && a->entradas == Entradas::SucursalCuenta))
        return fallo(kTeclearReferencia, Campo::Referencia);
    if (!a) return r;
    if (const Validacion v = ValidarDatos(*codigo, d); !v.valido()) {
        r.mensajes = v.mensajes;
        r.foco = v.foco;
        return r;
    }

    // The fields the algorithm takes besides the reference; 10's date made DD/MM/AAAA.
    QString campo2, campo3;
    if (a->entradas == Entradas::SucursalCuenta) campo2 = d.sucursal, campo3 = d.cuenta;
    if (a->entradas == Entradas::ImporteFecha) {
        const auto fecha = PrepararFecha(d.fecha);
        if (!fecha) return fallo(kFechaInvalida, Campo::Fecha);
        campo2 = d.importe, campo3 = *fecha;
    }
    const QByteArray ref = d.referencia.toUtf8(), b2 = campo2.toUtf8(), b3 = campo3.toUtf8();
    const Resultado res = Calcular(*codigo, {Vista(ref), Vista(b2), Vista(b3)});
    // 02 takes any character and names the refused one in its own words.
    if (res.estado == Resultado::Estado::CaracterNoValido && a->caracteres == Caracteres::FechaYAlfanumericos)
        return fallo(QStringLiteral("Carácter no valido en la referencia:  ' ") + DesdeUtf8(res.caracter) +
                         QStringLiteral(" '"),
                     Campo::Ninguno);
    if (res.estado == Resultado::Estado::CaracterNoValido)
        return fallo(MensajeCaracterNoValido(DesdeUtf8(res.caracter)), Campo::Ninguno);
    if (!res.correcto())  // the checks above keep every such input away
        return fallo(QStringLiteral("Los datos no son válidos para este algoritmo"), Campo::Ninguno);
    r.digitos = DesdeUtf8(res.digitos);
    r.referenciaCompleta = d.referencia + r.digitos;
    return r;
}

}  // namespace vaviviv
