// The main window's calculate command without the window: field checks per
// algorithm (messages in order, the field that gets the focus), the date
// preparation of algorithm 10 and the reading of each routine's answer.
// Each message text appears once, so a typo in any of them fails here.
// How numbers and dates are read is the engine's (tests/engine).

#include "reglas/calcular_referencia.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <ostream>
#include <tuple>
#include <vector>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace vaviviv {
[[maybe_unused]] static void PrintTo(Campo c, std::ostream* os) {
    *os << std::array{"Ninguno", "Referencia", "Sucursal", "Cuenta", "Importe", "Fecha"}[int(c)];
}
}  // namespace vaviviv

namespace {

using namespace vaviviv;

DatosPrincipal Ref(const QString& referencia) { return {referencia, {}, {}, {}, {}}; }
DatosPrincipal D06(const QString& sucursal, const QString& cuenta, const QString& referencia) {
    return {referencia, sucursal, cuenta, {}, {}};
}
DatosPrincipal D10(const QString& referencia, const QString& importe, const QString& fecha) {
    return {referencia, {}, {}, importe, fecha};
}

std::string Describir(std::optional<int> codigo, const DatosPrincipal& d) {
    return std::to_string(codigo.value_or(-1)) + " " +
           QStringList{d.referencia, d.sucursal, d.cuenta, d.importe, d.fecha}.join(" | ").toStdString();
}

struct Fallo {
    std::optional<int> codigo;
    DatosPrincipal datos;
    QStringList mensajes;
    Campo foco;
    bool soloComando = false;  // not a field check: only the whole command says it
};

void Comprobar(const std::vector<Fallo>& casos) {
    for (const Fallo& c : casos) {
        SCOPED_TRACE(Describir(c.codigo, c.datos));
        if (!c.soloComando) {
            const Validacion v = ValidarDatos(*c.codigo, c.datos);
            EXPECT_EQ(std::pair(v.mensajes, v.foco), std::pair(c.mensajes, c.foco));
        }
        const CalculoPrincipal r = CalcularReferencia(c.codigo, c.datos);
        EXPECT_EQ(std::pair(r.mensajes, r.foco), std::pair(c.mensajes, c.foco));
        EXPECT_TRUE(r.digitos.isEmpty());
    }
}

const QString kNumerica = "La Referencia debe ser numérica. Carácter no valido:  ' ";
const QString k02Longitud = "La Referencia no puede ser mayor de 19 dígitos y menor de 6 dígitos";
const QString k02Fecha = "Los 6 primeros dígitos de Fecha en la Referencia No tienen formato (AAMMDD) valido";
const QString kFechaFormato = "Teclear Fecha valida con formato:  DD/MM/AAAA";
const QString kFechaRango = "El rango de la Fecha debe estar entre 01/01/1988 y 18/11/2014";
const Campo R = Campo::Referencia;

TEST(ValidacionPrincipal, ReferenciaPorCodigo) {
    Comprobar({
        {0, Ref(QString(20, '9')), {"La Referencia no puede ser mayor de 19 dígitos"}, R},
        {3, Ref(QString(20, 'x')), {"La Referencia no puede ser mayor de 19 dígitos"}, R},  // length first
        {0, Ref("12a4"), {"La Referencia debe ser numérica. Carácter no valido:  ' a '"}, R},
        {3, Ref(" 123"), {kNumerica + "  '"}, R},  // nothing trimmed
        {0, Ref("12٣4"), {kNumerica + "٣ '"}, R},   // only ASCII digits are digits
        {4, Ref(QString(19, '1')), {"La Referencia no puede ser mayor de 18 dígitos"}, R},
        {4, Ref("12-3"), {kNumerica + "- '"}, R},
        {35, Ref(QString(20, 'A')), {"La Referencia no puede ser mayor de 19 caracteres alfanumericos"}, R},
        {37, Ref(QString(19, 'A')), {"La Referencia no puede ser mayor de 18 caracteres alfanumericos"}, R},
        // Code 02: length, then the AAMMDD prefix (digits, month, a real date); both can show.
        {2, Ref("12345"), {k02Longitud}, R},
        {2, Ref("12a45"), {k02Longitud, k02Fecha}, R},
        {2, Ref("1411a8ABC"), {k02Fecha}, R},
        {2, Ref("901301X"), {k02Fecha}, R},
        {2, Ref("900431"), {k02Fecha}, R},
        {2, Ref("9902291234"), {k02Fecha}, R},
    });
    // 00 is 2000, a leap year; any characters after the prefix; lengths count characters.
    for (const auto& [codigo, ref] : std::vector<std::pair<int, QString>>{
             {0, QString(19, '9')}, {4, QString(18, '1')}, {2, "0002291234"}, {2, "141118-#$ ñ"},
             {2, "141118ABCDEFGHIJKLM"}, {35, QString(19, u'Ñ')}, {37, QString(18, u'é')}})
        EXPECT_TRUE(ValidarDatos(codigo, Ref(ref)).valido()) << codigo << " " << ref.toStdString();
}

TEST(ValidacionPrincipal, Codigo06SucursalCuentaReferencia) {
    Comprobar({
        {6, D06("", "4567", "890"), {"Teclear Sucursal"}, Campo::Sucursal},
        {6, D06("12345678x", "4567", "890"), {"La Sucursal no puede ser mayor de 8 dígitos"}, Campo::Sucursal},
        {6, D06(" 123", "4567", "890"), {"La Sucursal debe ser numérica. Carácter no valido:  '   '"}, Campo::Sucursal},
        {6, D06("123", "", ""), {"Teclear Cuenta"}, Campo::Cuenta},
        {6, D06("123", "123456789", "890"), {"La Cuenta no puede ser mayor de 8 dígitos"}, Campo::Cuenta},
        {6, D06("123", "4x67", "abc"), {"La Cuenta debe ser numérica. Carácter no valido:  ' x '"}, Campo::Cuenta},
        {6, D06("12345678", "87654321", ""), {"Teclear Referencia"}, R},
        {6, D06("123", "4567", QString(19, '1')), {"La Referencia no puede ser mayor de 18 dígitos"}, R},
        {6, D06("123", "4567", "8-9"), {kNumerica + "- '"}, R},
    });
}

TEST(ValidacionPrincipal, Codigo10ReferenciaImporteFecha) {
    const QString f = "15/06/2000";
    const Campo I = Campo::Importe, F = Campo::Fecha;
    Comprobar({
        {10, D10("1234567890123", "", ""), {"La Referencia no puede ser mayor de 12 dígitos"}, R},
        {10, D10("12a", "abc", ""), {kNumerica + "a '"}, R},  // stops before amount and date
        {10, D10("123456", "", ""), {"Teclear Importe"}, I},
        {10, D10("123456", "1,000", f), {"El Importe tiene que ser numérico"}, I},
        {10, D10("123456", "999999999.991", f), {"El Importe no debe ser mayor de $ 999,999,999.99"}, I},
        {10, D10("123456", "-0.01", ""), {"El Importe no debe ser menor a cero"}, I},
        // Only the untouched mask is "no date"; the field wants DD/MM/AAAA exactly.
        {10, D10("123456", "123.45", "  /  /    "), {"Teclear Fecha"}, F},
        {10, D10("123456", "123.45", ""), {kFechaFormato}, F},
        {10, D10("123456", "123.45", "1/2/2000"), {kFechaFormato}, F},
        {10, D10("123456", "123.45", "01/02/00 "), {kFechaFormato}, F},
        {10, D10("123456", "123.45", "31/12/1987"), {kFechaRango}, F},
        {10, D10("123456", "123.45", "19/11/2014"), {kFechaRango}, F},
        // These pass the field checks; the date preparation refuses them.
        {10, D10("123456", "123.45", "01/02/00"), {kFechaFormato}, F, true},
        {10, D10("123456", "123.45", "01-02-2000"), {kFechaFormato}, F, true},
    });
    for (const char* importe : {"0", "-0", "999999999.99", " 12.5 "})
        EXPECT_TRUE(ValidarDatos(10, D10("123456", importe, f)).valido()) << importe;
    for (const char* fecha : {"01/01/1988", "18/11/2014", "01/02/00", "01-02-2000"})
        EXPECT_TRUE(ValidarDatos(10, D10("123456789012", "1", fecha)).valido()) << fecha;
}

TEST(CalcularReferencia, AntesDeLasComprobacionesYFallosDeLaRutina) {
    Comprobar({
        {std::nullopt, D10("x", "y", "z"), {"Debe seleccionar un Algoritmo de cálculo"}, Campo::Ninguno, true},
        {10, D10("", "abc", ""), {"Teclear Referencia"}, R, true},
        {6, D06("", "", ""), {"Teclear Sucursal"}, Campo::Sucursal},  // 06 checks branch first
        {7, D10("123456", "1", "15/06/2000"), {}, Campo::Ninguno, true},  // outside the catalogue: nothing
        // Routine 02: its own text after the flag, the rightmost bad character.
        {2, Ref("141118#-"), {"Carácter no valido en la referencia:  ' - '"}, Campo::Ninguno, true},
        // 35, 36, 37: one message, the leftmost bad character as typed; 37 checks its last one too.
        {35, Ref("HOL#A-2014"), {"Caracter no Válido en la referencia: ' # '"}, Campo::Ninguno, true},
        {36, Ref("AÑO"), {MensajeCaracterNoValido("Ñ")}, Campo::Ninguno, true},
        {37, Ref("ABC12-"), {MensajeCaracterNoValido("-")}, Campo::Ninguno, true},
    });
}

TEST(CalcularReferencia, ResultadoPorCodigo) {
    const std::vector<std::tuple<int, DatosPrincipal, QString>> casos = {
        {0, Ref("123456"), "6"}, {2, Ref("141118abc"), "1"}, {3, Ref("271828"), "4"}, {4, Ref("123456"), "93"},
        {6, D06("123", "4567", "890"), "62"}, {10, D10("123456", "123.45", "15/06/2000"), "46337268"},
        // The date is made DD/MM/AAAA before the call.
        {10, D10("123456", "123.45", " 1/02/2000"), "44957273"},
        {10, D10("123456", "123.45", "01/02/2000  "), "44957273"},
        {35, Ref("abc123"), "8"}, {36, Ref("ABC123"), "2"}, {37, Ref(QString(18, 'Z')), "41"}};
    for (const auto& [codigo, datos, digitos] : casos) {
        SCOPED_TRACE(Describir(codigo, datos));
        const CalculoPrincipal r = CalcularReferencia(codigo, datos);
        EXPECT_TRUE(r.mensajes.isEmpty() && r.foco == Campo::Ninguno) << r.mensajes.join(" | ").toStdString();
        EXPECT_EQ(r.digitos, digitos);
        EXPECT_EQ(r.referenciaCompleta, datos.referencia + digitos);
    }
}

TEST(PrepararFecha, NormalizaAlFormatoDDMMAAAA) {
    const std::vector<std::pair<QString, std::optional<QString>>> casos = {
        {" 1/02/2000", "01/02/2000"}, {"  01/02/2000  ", "01/02/2000"}, {"1/2/2000", "01/02/2000"},
        {"01/2/2000", "01/02/2000"}, {"01/2/20001", "01/02/2000"},  // past the six taken after the "0": dropped
        {"01/02/00", std::nullopt}, {"01/02/20001", std::nullopt}, {"01.02.2000", std::nullopt},
        {"aa/bb/cccc", std::nullopt}, {"\t1/02/2000", std::nullopt}, {"  /  /    ", std::nullopt}, {"", std::nullopt},
        {"1/", std::nullopt}, {"01/0", std::nullopt}};
    for (const auto& [entrada, salida] : casos) EXPECT_EQ(PrepararFecha(entrada), salida) << entrada.toStdString();
}

}  // namespace
