// The main window's calculate command without the window: field checks per
// algorithm (messages in order, the field that gets the focus), the date
// preparation of algorithm 10 and the reading of each routine's answer.

#include "principal/validacion.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace vaviviv {
[[maybe_unused]] static void PrintTo(Campo c, std::ostream* os) {
    static const char* const nombres[] = {"Ninguno", "Referencia", "Sucursal",
                                          "Cuenta", "Importe", "Fecha"};
    *os << "Campo::" << nombres[static_cast<int>(c)];
}
}  // namespace vaviviv

namespace {

using namespace vaviviv;

const QString kSinAlgoritmo = "Debe seleccionar un Algoritmo de cálculo";
const QString kTeclearReferencia = "Teclear Referencia";
const QString kRef19 = "La Referencia no puede ser mayor de 19 dígitos";
const QString kRef18 = "La Referencia no puede ser mayor de 18 dígitos";
const QString kRef12 = "La Referencia no puede ser mayor de 12 dígitos";
const QString kRefNumerica = "La Referencia debe ser numérica. Carácter no valido:  ' ";
const QString kRef02Longitud = "La Referencia no puede ser mayor de 19 dígitos y menor de 6 dígitos";
const QString kRef02Fecha =
    "Los 6 primeros dígitos de Fecha en la Referencia No tienen formato (AAMMDD) valido";
const QString kTeclearSucursal = "Teclear Sucursal";
const QString kSucursal8 = "La Sucursal no puede ser mayor de 8 dígitos";
const QString kSucursalNumerica = "La Sucursal debe ser numérica. Carácter no valido:  ' ";
const QString kTeclearCuenta = "Teclear Cuenta";
const QString kCuenta8 = "La Cuenta no puede ser mayor de 8 dígitos";
const QString kCuentaNumerica = "La Cuenta debe ser numérica. Carácter no valido:  ' ";
const QString kTeclearImporte = "Teclear Importe";
const QString kImporteNumerico = "El Importe tiene que ser numérico";
const QString kImporteMayor = "El Importe no debe ser mayor de $ 999,999,999.99";
const QString kImporteMenor = "El Importe no debe ser menor a cero";
const QString kTeclearFecha = "Teclear Fecha";
const QString kFechaFormato = "Teclear Fecha valida con formato:  DD/MM/AAAA";
const QString kFechaRango = "El rango de la Fecha debe estar entre 01/01/1988 y 18/11/2014";
const QString kAlfa19 = "La Referencia no puede ser mayor de 19 caracteres alfanumericos";
const QString kAlfa18 = "La Referencia no puede ser mayor de 18 caracteres alfanumericos";

// Digits-only message: the rule's prefix, the offending character, " '".
QString NoNumerica(const QString& prefijo, const QString& caracter) {
    return prefijo + caracter + " '";
}

DatosPrincipal Ref(const QString& referencia) { return {referencia, {}, {}, {}, {}}; }
DatosPrincipal D06(const QString& sucursal, const QString& cuenta, const QString& referencia) {
    return {referencia, sucursal, cuenta, {}, {}};
}
DatosPrincipal D10(const QString& referencia, const QString& importe, const QString& fecha) {
    return {referencia, {}, {}, importe, fecha};
}

std::string Describir(std::optional<int> codigo, const DatosPrincipal& d) {
    return "codigo " + (codigo ? std::to_string(*codigo) : std::string("ninguno")) + " ref '" +
           d.referencia.toStdString() + "' suc '" + d.sucursal.toStdString() + "' cta '" +
           d.cuenta.toStdString() + "' imp '" + d.importe.toStdString() + "' fecha '" +
           d.fecha.toStdString() + "'";
}

struct Fallo {
    int codigo;
    DatosPrincipal datos;
    QStringList mensajes;
    Campo foco;
};

// A check failure is the same through the checks alone and through the command.
void ComprobarFallos(const std::vector<Fallo>& casos) {
    for (const Fallo& c : casos) {
        SCOPED_TRACE(Describir(c.codigo, c.datos));
        const Validacion v = ValidarDatos(c.codigo, c.datos);
        EXPECT_FALSE(v.valido());
        EXPECT_EQ(v.mensajes, c.mensajes);
        EXPECT_EQ(v.foco, c.foco);
        const CalculoPrincipal r = CalcularReferencia(c.codigo, c.datos);
        EXPECT_EQ(r.mensajes, c.mensajes);
        EXPECT_EQ(r.foco, c.foco);
        EXPECT_FALSE(r.correcto());
        EXPECT_TRUE(r.digitos.isEmpty());
    }
}

void ComprobarSoloComando(std::optional<int> codigo, const DatosPrincipal& d,
                          const QStringList& mensajes, Campo foco) {
    SCOPED_TRACE(Describir(codigo, d));
    const CalculoPrincipal r = CalcularReferencia(codigo, d);
    EXPECT_EQ(r.mensajes, mensajes);
    EXPECT_EQ(r.foco, foco);
    EXPECT_FALSE(r.correcto());
    EXPECT_TRUE(r.digitos.isEmpty());
}

TEST(ValidacionPrincipal, Codigos00y03DigitosHasta19) {
    const QString v19(19, '9'), v20(20, '9');
    std::vector<Fallo> casos;
    for (int codigo : {0, 3}) {
        casos.push_back({codigo, Ref(v20), {kRef19}, Campo::Referencia});
        // Length first: the digit check does not run.
        casos.push_back({codigo, Ref(QString(20, 'x')), {kRef19}, Campo::Referencia});
        casos.push_back({codigo, Ref("12a4"), {"La Referencia debe ser numérica. Carácter no valido:  ' a '"},
                         Campo::Referencia});
        casos.push_back({codigo, Ref("1x2y"), {NoNumerica(kRefNumerica, "x")}, Campo::Referencia});
        casos.push_back({codigo, Ref("12 4"), {NoNumerica(kRefNumerica, " ")}, Campo::Referencia});
        // Nothing is trimmed.
        casos.push_back({codigo, Ref(" 123"), {NoNumerica(kRefNumerica, " ")}, Campo::Referencia});
        casos.push_back({codigo, Ref("12.5"), {NoNumerica(kRefNumerica, ".")}, Campo::Referencia});
        // Only ASCII digits are digits.
        casos.push_back({codigo, Ref("12٣4"), {NoNumerica(kRefNumerica, "٣")}, Campo::Referencia});
        casos.push_back({codigo, Ref("9é"), {NoNumerica(kRefNumerica, "é")}, Campo::Referencia});
    }
    ComprobarFallos(casos);
    EXPECT_TRUE(ValidarDatos(0, Ref(v19)).valido());
    EXPECT_TRUE(ValidarDatos(3, Ref(v19)).valido());
}

TEST(ValidacionPrincipal, Codigo04DigitosHasta18) {
    ComprobarFallos({
        {4, Ref(QString(19, '1')), {kRef18}, Campo::Referencia},
        {4, Ref("12-3"), {NoNumerica(kRefNumerica, "-")}, Campo::Referencia},
        {4, Ref("A"), {NoNumerica(kRefNumerica, "A")}, Campo::Referencia},
    });
    EXPECT_TRUE(ValidarDatos(4, Ref(QString(18, '1'))).valido());
}

TEST(ValidacionPrincipal, Codigo02LongitudYFechaAAMMDD) {
    ComprobarFallos({
        // Length alone: the prefix check stops at its step 2.
        {2, Ref("12345"), {kRef02Longitud}, Campo::Referencia},
        {2, Ref("141118" + QString(14, 'A')), {kRef02Longitud}, Campo::Referencia},
        {2, Ref("991399"), {kRef02Fecha}, Campo::Referencia},
        // Both messages, in this order; the month and calendar steps are not run.
        {2, Ref("12a45"), {kRef02Longitud, kRef02Fecha}, Campo::Referencia},
        {2, Ref("14111X" + QString(14, 'A')), {kRef02Longitud, kRef02Fecha}, Campo::Referencia},
        {2, Ref("9X"), {kRef02Longitud, kRef02Fecha}, Campo::Referencia},
        // Digits in the first six characters, each by itself.
        {2, Ref("1411a8ABC"), {kRef02Fecha}, Campo::Referencia},
        {2, Ref(" 41118ABC"), {kRef02Fecha}, Campo::Referencia},
        {2, Ref("1411١8"), {kRef02Fecha}, Campo::Referencia},
        // Month, then a real Gregorian date.
        {2, Ref("901301X"), {kRef02Fecha}, Campo::Referencia},
        {2, Ref("900001"), {kRef02Fecha}, Campo::Referencia},
        {2, Ref("900100ABC"), {kRef02Fecha}, Campo::Referencia},
        {2, Ref("900132"), {kRef02Fecha}, Campo::Referencia},
        {2, Ref("900431"), {kRef02Fecha}, Campo::Referencia},
        {2, Ref("9902291234"), {kRef02Fecha}, Campo::Referencia},
        {2, Ref("890229"), {kRef02Fecha}, Campo::Referencia},
    });
    // Any characters after the prefix; 00 is 2000 (a leap year), 88 is 2088.
    for (const char* ref : {"141118", "0002291234", "880229", "8912311", "141118-#$ ñ",
                            "141118ABCDEFGHIJKLM"}) {
        SCOPED_TRACE(ref);
        EXPECT_TRUE(ValidarDatos(2, Ref(ref)).valido());
    }
}

TEST(ValidacionPrincipal, Codigo06SucursalCuentaReferencia) {
    ComprobarFallos({
        {6, D06("", "", ""), {kTeclearSucursal}, Campo::Sucursal},
        {6, D06("", "4567", "890"), {kTeclearSucursal}, Campo::Sucursal},
        {6, D06("123456789", "", ""), {kSucursal8}, Campo::Sucursal},
        {6, D06("12345678x", "4567", "890"), {kSucursal8}, Campo::Sucursal},
        {6, D06("12a", "", ""), {NoNumerica(kSucursalNumerica, "a")}, Campo::Sucursal},
        {6, D06(" 123", "4567", "890"), {NoNumerica(kSucursalNumerica, " ")}, Campo::Sucursal},
        {6, D06("123", "", ""), {kTeclearCuenta}, Campo::Cuenta},
        {6, D06("123", "45.6", "890"), {NoNumerica(kCuentaNumerica, ".")}, Campo::Cuenta},
        {6, D06("123", "123456789", "890"), {kCuenta8}, Campo::Cuenta},
        {6, D06("123", "4x67", "abc"), {"La Cuenta debe ser numérica. Carácter no valido:  ' x '"},
         Campo::Cuenta},
        {6, D06("12345678", "87654321", ""), {kTeclearReferencia}, Campo::Referencia},
        {6, D06("123", "4567", QString(19, '1')), {kRef18}, Campo::Referencia},
        {6, D06("123", "4567", "8-9"), {NoNumerica(kRefNumerica, "-")}, Campo::Referencia},
    });
    EXPECT_TRUE(ValidarDatos(6, D06("12345678", "87654321", QString(18, '1'))).valido());
}

TEST(ValidacionPrincipal, Codigo10ReferenciaImporteFecha) {
    const QString f = "15/06/2000";
    ComprobarFallos({
        // A reference error stops before amount and date: one message.
        {10, D10("1234567890123", "", ""), {kRef12}, Campo::Referencia},
        {10, D10("12a", "abc", ""), {NoNumerica(kRefNumerica, "a")}, Campo::Referencia},
        {10, D10("123456", "", ""), {kTeclearImporte}, Campo::Importe},
        {10, D10("123456", "1.2.3", ""), {kImporteNumerico}, Campo::Importe},
        {10, D10("123456", " ", f), {kImporteNumerico}, Campo::Importe},
        {10, D10("123456", "1,000", f), {kImporteNumerico}, Campo::Importe},
        {10, D10("123456", "1e3", f), {kImporteNumerico}, Campo::Importe},
        {10, D10("123456", ".", f), {kImporteNumerico}, Campo::Importe},
        {10, D10("123456", "abc", f), {kImporteNumerico}, Campo::Importe},
        {10, D10("123456", "999999999.991", f), {kImporteMayor}, Campo::Importe},
        {10, D10("123456", "999999999.9900001", f), {kImporteMayor}, Campo::Importe},
        {10, D10("123456", "1000000000", ""), {kImporteMayor}, Campo::Importe},
        {10, D10("123456", "-1", f), {kImporteMenor}, Campo::Importe},
        {10, D10("123456", "-0.01", ""), {kImporteMenor}, Campo::Importe},
        {10, D10("123456", "123.45", "  /  /    "), {kTeclearFecha}, Campo::Fecha},
        {10, D10("123456", "123.45", ""), {kFechaFormato}, Campo::Fecha},
        {10, D10("123456", "123.45", "  /  /   "), {kFechaFormato}, Campo::Fecha},
        {10, D10("123456", "123.45", "31/02/2000"), {kFechaFormato}, Campo::Fecha},
        {10, D10("123456", "123.45", "29/02/1999"), {kFechaFormato}, Campo::Fecha},
        {10, D10("123456", "123.45", "01/13/2000"), {kFechaFormato}, Campo::Fecha},
        {10, D10("123456", "123.45", "1/2/2000"), {kFechaFormato}, Campo::Fecha},
        {10, D10("123456", "123.45", "1/02/2000"), {kFechaFormato}, Campo::Fecha},
        {10, D10("123456", "123.45", "01/02/00 "), {kFechaFormato}, Campo::Fecha},
        {10, D10("123456", "123.45", "01/02-2000"), {kFechaFormato}, Campo::Fecha},
        {10, D10("123456", "123.45", "2000/06/15"), {kFechaFormato}, Campo::Fecha},
        {10, D10("123456", "123.45", "15 de junio"), {kFechaFormato}, Campo::Fecha},
        {10, D10("123456", "123.45", "31/12/1987"), {kFechaRango}, Campo::Fecha},
        {10, D10("123456", "123.45", "19/11/2014"), {kFechaRango}, Campo::Fecha},
        {10, D10("123456", "123.45", "01/01/87"), {kFechaRango}, Campo::Fecha},
    });
    for (const char* importe : {"0", "-0", "0.00", "999999999.99", "999999999.990000",
                                "0999999999.99", ".5", "5.", "+5", " 12.5 "}) {
        SCOPED_TRACE(importe);
        EXPECT_TRUE(ValidarDatos(10, D10("123456", importe, f)).valido());
    }
    // Two-digit years and other separators pass these checks; the date
    // preparation of the command refuses what the routine cannot read.
    for (const char* fecha : {"01/01/1988", "18/11/2014", " 1/02/2000", "01/02/00", "01-02-2000"}) {
        SCOPED_TRACE(fecha);
        EXPECT_TRUE(ValidarDatos(10, D10("123456789012", "1", fecha)).valido());
    }
}

TEST(ValidacionPrincipal, Codigos35a37SoloLongitud) {
    ComprobarFallos({
        {35, Ref(QString(20, 'A')), {kAlfa19}, Campo::Referencia},
        {36, Ref(QString(20, '-')), {kAlfa19}, Campo::Referencia},
        {37, Ref(QString(19, 'A')), {kAlfa18}, Campo::Referencia},
    });
    // Lengths count characters, not bytes; the characters are the routine's concern.
    EXPECT_TRUE(ValidarDatos(35, Ref(QString(19, u'Ñ'))).valido());
    EXPECT_TRUE(ValidarDatos(36, Ref(QString(19, 'Z'))).valido());
    EXPECT_TRUE(ValidarDatos(37, Ref(QString(18, u'é'))).valido());
}

TEST(CalcularReferencia, SinAlgoritmoSoloEseMensaje) {
    for (const DatosPrincipal& d : {Ref(""), Ref("123456"), D06("", "", ""), D10("x", "y", "z")})
        ComprobarSoloComando(std::nullopt, d, {kSinAlgoritmo}, Campo::Ninguno);
}

TEST(CalcularReferencia, ReferenciaVaciaAntesQueLasDemasComprobaciones) {
    for (int codigo : {0, 2, 3, 4, 10, 35, 36, 37})
        ComprobarSoloComando(codigo, D10("", "abc", ""), {kTeclearReferencia}, Campo::Referencia);
    // Code 06 checks branch and account first.
    ComprobarSoloComando(6, D06("", "", ""), {kTeclearSucursal}, Campo::Sucursal);
}

TEST(CalcularReferencia, CodigoFueraDelCatalogoNoHaceNada) {
    for (int codigo : {1, 5, 7, 11, 38, -1})
        ComprobarSoloComando(codigo, D10("123456", "1", "15/06/2000"), {}, Campo::Ninguno);
}

TEST(CalcularReferencia, FallosDeLaRutina) {
    // Routine 02: its own text after the flag; the rightmost bad character.
    ComprobarSoloComando(2, Ref("1411181-"), {"Carácter no valido en la referencia:  ' - '"},
                         Campo::Ninguno);
    ComprobarSoloComando(2, Ref("141118#-"), {"Carácter no valido en la referencia:  ' - '"},
                         Campo::Ninguno);
    ComprobarSoloComando(2, Ref("141118 A"), {"Carácter no valido en la referencia:  '   '"},
                         Campo::Ninguno);
    // Routines 35, 36, 37: exactly one message, the leftmost bad character as typed.
    const QString guion = "Caracter no Válido en la referencia: ' - '";
    for (int codigo : {35, 36, 37})
        ComprobarSoloComando(codigo, Ref("HOLA-2014"), {guion}, Campo::Ninguno);
    ComprobarSoloComando(35, Ref("HOL#A-2014"), {MensajeCaracterNoValido("#")}, Campo::Ninguno);
    ComprobarSoloComando(35, Ref(" ABC"), {"Caracter no Válido en la referencia: '   '"},
                         Campo::Ninguno);
    ComprobarSoloComando(36, Ref("AÑO"), {"Caracter no Válido en la referencia: ' Ñ '"},
                         Campo::Ninguno);
    // The rightmost character of 37 carries no weight but is still checked.
    ComprobarSoloComando(37, Ref("ABC12-"), {guion}, Campo::Ninguno);
    EXPECT_EQ(MensajeCaracterNoValido("x"), "Caracter no Válido en la referencia: ' x '");
}

TEST(CalcularReferencia, FechaQueNoLlegaADDMMAAAA) {
    // Both pass the field checks (see above) and are refused here.
    for (const char* fecha : {"01/02/00", "01-02-2000"})
        ComprobarSoloComando(10, D10("123456", "123.45", fecha), {kFechaFormato}, Campo::Fecha);
}

TEST(CalcularReferencia, ResultadoPorCodigo) {
    struct Exito {
        int codigo;
        DatosPrincipal datos;
        QString completa, digitos;
    };
    const std::vector<Exito> casos = {
        {0, Ref("123456"), "1234566", "6"},
        {0, Ref("12345"), "123455", "5"},
        {0, Ref("00123456"), "001234566", "6"},
        {0, Ref(QString(19, '9')), QString(20, '9'), "9"},
        {2, Ref("141118ABC"), "141118ABC1", "1"},
        {2, Ref("141118abc"), "141118abc1", "1"},
        {2, Ref("0002291234"), "00022912349", "9"},
        {2, Ref("141118ABCDEFGHIJKLM"), "141118ABCDEFGHIJKLM2", "2"},
        {3, Ref("271828"), "2718284", "4"},
        {3, Ref("123456"), "1234567", "7"},
        {3, Ref("1234567890123271828"), "12345678901232718284", "4"},
        {4, Ref("123456"), "12345693", "93"},
        {4, Ref("100000000000000000"), "10000000000000000057", "57"},
        {6, D06("123", "4567", "890"), "89062", "62"},
        {6, D06("12345678", "87654321", "123456789012345678"), "12345678901234567835", "35"},
        {10, D10("123456", "123.45", "15/06/2000"), "12345646337268", "46337268"},
        {10, D10("1", "0", "01/01/1988"), "100000236", "00000236"},
        {10, D10("999999999999", "999999999.99", "18/11/2014"), "99999999999999997283",
         "99997283"},
        {10, D10("123456", "0.29", "15/06/2000"), "12345646339294", "46339294"},
        // The date is made DD/MM/AAAA before the call.
        {10, D10("123456", "123.45", " 1/02/2000"), "12345644957273", "44957273"},
        {10, D10("123456", "123.45", "01/02/2000  "), "12345644957273", "44957273"},
        {35, Ref("ABC123"), "ABC1238", "8"},
        {35, Ref("abc123"), "abc1238", "8"},
        {35, Ref(QString(19, 'Z')), QString(19, 'Z') + "3", "3"},
        {36, Ref("ABC123"), "ABC1232", "2"},
        {36, Ref("ABCDEFGHIJKLMNOPQRS"), "ABCDEFGHIJKLMNOPQRS8", "8"},
        {37, Ref("ABC123"), "ABC12303", "03"},
        {37, Ref(QString(18, 'Z')), QString(18, 'Z') + "41", "41"},
    };
    for (const Exito& c : casos) {
        SCOPED_TRACE(Describir(c.codigo, c.datos));
        EXPECT_TRUE(ValidarDatos(c.codigo, c.datos).valido());
        const CalculoPrincipal r = CalcularReferencia(c.codigo, c.datos);
        EXPECT_TRUE(r.mensajes.isEmpty()) << r.mensajes.join(" | ").toStdString();
        EXPECT_EQ(r.foco, Campo::Ninguno);
        EXPECT_TRUE(r.correcto());
        EXPECT_EQ(r.referenciaCompleta, c.completa);
        EXPECT_EQ(r.digitos, c.digitos);
    }
}

TEST(PrepararFecha, NormalizaAlFormatoDDMMAAAA) {
    struct Caso {
        QString entrada;
        std::optional<QString> salida;
    };
    const std::vector<Caso> casos = {
        {"01/02/2000", "01/02/2000"},
        {" 1/02/2000", "01/02/2000"},
        {"  01/02/2000  ", "01/02/2000"},
        {"1/2/2000", "01/02/2000"},
        {"01/2/2000", "01/02/2000"},
        // Whatever follows the six characters taken after the inserted "0" is dropped.
        {"01/2/20001", "01/02/2000"},
        {"01/02/00", std::nullopt},
        {"01/02/20001", std::nullopt},
        {"01-02-2000", std::nullopt},
        {"01.02.2000", std::nullopt},
        {"aa/bb/cccc", std::nullopt},
        {"\t1/02/2000", std::nullopt},
        {"  /  /    ", std::nullopt},
        {"", std::nullopt},
        {"1", std::nullopt},
        {"1/", std::nullopt},
        {"01/", std::nullopt},
        {"01/0", std::nullopt},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.entrada.toStdString());
        EXPECT_EQ(PrepararFecha(c.entrada), c.salida);
    }
}

}  // namespace
