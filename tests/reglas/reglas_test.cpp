// The main window's checks and command and the bulk row rules: every limit at n and n + 1 characters in
// both, messages in their order (each once), the focus, trimming, code 10's date and each routine's answer.

#include "reglas/calcular_referencia.h"
#include "reglas/reglas_fila.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <array>
#include <optional>
#include <ostream>
#include <tuple>
#include <vector>

#include "reglas/catalogo_textos.h"

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using namespace vaviviv;

const Campo N = Campo::Ninguno, R = Campo::Referencia, S = Campo::Sucursal, C = Campo::Cuenta;
const Campo I = Campo::Importe, F = Campo::Fecha;
const QString kCara = QString::fromUtf8("\xF0\x9F\x98\x80");  // one character, two UTF-16 units
const QString kFeff(QChar(0xFEFF));                            // never read as a byte-order mark here

// Every field valid but `campo`, which holds `texto`.
DatosPrincipal Datos(Campo campo, const QString& texto) {
    DatosPrincipal d{"123456", "123", "4567", "123.45", "15/06/2000"};
    (campo == S ? d.sucursal : campo == C ? d.cuenta : campo == I ? d.importe : campo == F ? d.fecha : d.referencia) = texto;
    return d;
}

// A bulk row's cells, "result|digits", with "|malo <char>" when a routine rejected one.
std::string Ver(const ResultadoFila& r) {
    const QString malo = r.caracterNoValido.isEmpty() ? "" : "|malo " + r.caracterNoValido;
    return (r.resultado + "|" + r.digitos + malo).toStdString();
}

const QString kNumerica = "La Referencia debe ser numérica. Carácter no valido:  ' ";
const QString k02Longitud = "La Referencia no puede ser mayor de 19 dígitos y menor de 6 dígitos";
const QString k02Fecha = "Los 6 primeros dígitos de Fecha en la Referencia No tienen formato (AAMMDD) valido";
const QString kFecha = "Teclear Fecha valida con formato:  DD/MM/AAAA";
const QString kRango = "El rango de la Fecha debe estar entre 01/01/1988 y 18/11/2014";
const QString kNoValida = "Error: Referencia no válida.|";

// n characters pass a length rule and n + 1 fail it, whether each is one
// UTF-16 unit or two; n of U+1F600 then meet the digits rule, which names it
// whole. The bulk rules trim spaces first and have no upper limit for 02.
TEST(Limites, EnCaracteresEnAmbasVentanas) {
    const QString r19 = "La Referencia no puede ser mayor de 19 dígitos", a19 = r19.chopped(7) + "caracteres alfanumericos";
    const QString r18 = "La Referencia no puede ser mayor de 18 dígitos", a18 = r18.chopped(7) + "caracteres alfanumericos";
    const QString d19 = "Error: Referencia mayor a 19 dígitos.", d18 = "Error: Referencia mayor a 18 dígitos.";
    const QString f19 = "Error: Referencia mayor a 19 caracteres alfanumericos.", malo = "||malo " + kCara;
    const std::tuple<int, Campo, int, QString, QString, QString, QString> limites[] = {
        {0, R, 19, r19, kNumerica, d19, kNoValida}, {3, R, 19, r19, kNumerica, d19, kNoValida},
        {4, R, 18, r18, kNumerica, d18, kNoValida}, {6, R, 18, r18, kNumerica, d18, kNoValida},
        {6, S, 8, "La Sucursal no puede ser mayor de 8 dígitos", "La Sucursal debe ser numérica. Carácter no valido:  ' ",
         "Error: Sucursal mayora 8 dígitos.", "Error: Sucursal no válida.|"},
        {6, C, 8, "La Cuenta no puede ser mayor de 8 dígitos", "La Cuenta debe ser numérica. Carácter no valido:  ' ",
         "Error: Cuenta mayor a 8 dígitos.", "Error: Cuenta no válida.|"},
        {10, R, 12, "La Referencia no puede ser mayor de 12 dígitos", kNumerica, "Error: Referencia mayor a 12 dígitos.",
         kNoValida},
        {2, R, 19, k02Longitud, {}, {}, {}}, {35, R, 19, a19, {}, f19, malo}, {36, R, 19, a19, {}, f19, malo},
        {37, R, 18, a18, {}, "Error: Referencia mayor a 18 caracteres alfanumericos.", malo}};
    for (const auto& [codigo, campo, n, mensaje, digitos, mensajeFila, conCara] : limites) {
        for (const QString& u : {QString("7"), kCara}) {
            const auto texto = [&](int k) { return codigo == 2 ? "141118" + u.repeated(k - 6) : u.repeated(k); };
            SCOPED_TRACE(std::to_string(codigo) + " " + texto(n).toStdString());
            const QStringList justo = u == kCara && !digitos.isNull() ? QStringList{digitos + kCara + " '"} : QStringList{};
            const Validacion v = ValidarDatos(codigo, Datos(campo, texto(n)));
            const Validacion mas = ValidarDatos(codigo, Datos(campo, texto(n + 1)));
            EXPECT_EQ(std::pair(v.mensajes, v.foco), std::pair(justo, justo.isEmpty() ? N : campo));
            EXPECT_EQ(std::pair(mas.mensajes, mas.foco), std::pair(QStringList{mensaje}, campo));
            if (mensajeFila.isNull()) continue;
            std::array<QString, 3> c{"123456", "123.45", "15/06/2000"};
            if (codigo == 6) c = {"890", "123", "4567"};
            const auto fila = [&](int k) {
                c[int(campo) - 1] = "  " + texto(k) + " ";
                return CalcularFila(codigo, c[0], c[1], c[2]);
            };
            const ResultadoFila f = fila(n);
            if (u == kCara) EXPECT_EQ(Ver(f), conCara.toStdString());
            else {
                EXPECT_FALSE(f.digitos.isEmpty()) << Ver(f);
                EXPECT_EQ(f.resultado, c[0].trimmed() + f.digitos) << Ver(f);
            }
            EXPECT_EQ(Ver(fila(n + 1)), (mensajeFila + "|").toStdString());
        }
    }
}

struct Principal {
    std::optional<int> codigo;
    DatosPrincipal datos;
    QStringList mensajes;
    Campo foco = N;
    QString digitos = {};
    bool soloComando = false;  // the field checks pass: only the whole command says it
};

void ComprobarPrincipal(const std::vector<Principal>& casos) {
    for (const Principal& c : casos) {
        const DatosPrincipal& d = c.datos;
        const QStringList campos = {d.referencia, d.sucursal, d.cuenta, d.importe, d.fecha};
        SCOPED_TRACE(std::to_string(c.codigo.value_or(-1)) + " " + campos.join(" | ").toStdString());
        const Validacion v = c.codigo ? ValidarDatos(*c.codigo, d) : Validacion{};
        if (!c.soloComando) {
            EXPECT_EQ(std::pair(v.mensajes, v.foco), std::pair(c.mensajes, c.foco));
        } else if (!d.referencia.isEmpty()) {
            EXPECT_TRUE(v.valido());
        }
        const CalculoPrincipal r = CalcularReferencia(c.codigo, d);
        EXPECT_EQ(std::pair(r.mensajes, r.foco), std::pair(c.mensajes, c.foco));
        const QString completa = c.digitos.isEmpty() ? "" : d.referencia + c.digitos;
        EXPECT_EQ(std::pair(r.digitos, r.referenciaCompleta), std::pair(c.digitos, completa));
    }
}

TEST(CalcularReferencia, ReglasEnSuOrden) {
    const auto de02 = [](const QString& c) { return "Carácter no valido en la referencia:  ' " + c + " '"; };  // the rightmost
    const QString suc = "La Sucursal debe ser numérica. Carácter no valido:  ' x '";
    const QString numerico = "El Importe tiene que ser numérico";
    ComprobarPrincipal({
        {0, Datos(R, "123456"), {}, N, "6"}, {0, Datos(R, "1x2y"), {kNumerica + "x '"}, R},
        {3, Datos(R, "271828"), {}, N, "4"}, {3, Datos(R, " 123"), {kNumerica + "  '"}, R},  // nothing trimmed
        {4, Datos(R, "123456"), {}, N, "93"}, {0, Datos(R, "12٣4"), {kNumerica + "٣ '"}, R},  // ASCII digits only
        // 02: the length, then the AAMMDD prefix (digits, month, a real date); both can show.
        {2, Datos(R, "141118abc"), {}, N, "1"}, {2, Datos(R, "141118"), {}, N, "0"}, {2, Datos(R, "0002291234"), {}, N, "9"},
        {2, Datos(R, "14111"), {k02Longitud}, R}, {2, Datos(R, "12a45"), {k02Longitud, k02Fecha}, R},
        {2, Datos(R, "1411" + kCara), {k02Longitud, k02Fecha}, R}, {2, Datos(R, "1411a8ABC"), {k02Fecha}, R},
        {2, Datos(R, "901301X"), {k02Fecha}, R}, {2, Datos(R, "900100ABC"), {k02Fecha}, R},
        {2, Datos(R, "900431"), {k02Fecha}, R}, {2, Datos(R, "9902291234"), {k02Fecha}, R},
        // 06: branch, account, reference, each required before its length and digits.
        {6, Datos(R, "890"), {}, N, "62"}, {6, {"", "", ""}, {"Teclear Sucursal"}, S}, {6, Datos(S, "1x"), {suc}, S},
        {6, {"", "123", ""}, {"Teclear Cuenta"}, C},
        {6, {"abc", "123", "4-67"}, {"La Cuenta debe ser numérica. Carácter no valido:  ' - '"}, C},
        {6, Datos(R, ""), {"Teclear Referencia"}, R}, {6, Datos(R, "8-9"), {kNumerica + "- '"}, R},
        // 10: reference, amount, date; the first failure ends the checks.
        {10, Datos(R, "123456"), {}, N, "46337268"}, {10, {"12a", {}, {}, "abc", ""}, {kNumerica + "a '"}, R},
        {10, {"123456", {}, {}, "", ""}, {"Teclear Importe"}, I}, {10, Datos(I, "1,000"), {numerico}, I},
        {10, Datos(I, "1.2.3"), {numerico}, I},
        {10, Datos(I, "999999999.991"), {"El Importe no debe ser mayor de $ 999,999,999.99"}, I},
        {10, {"123456", {}, {}, "-0.01", ""}, {"El Importe no debe ser menor a cero"}, I},
        {10, Datos(I, "0"), {}, N, "46330274"}, {10, Datos(I, "-0"), {}, N, "46330274"},
        {10, Datos(I, " 12.5 "), {}, N, "46334229"}, {10, Datos(I, "999999999.99"), {}, N, "46337268"},
        {10, Datos(I, "999999999.988"), {}, N, "46337268"},  // rounds to .99
        // Only the untouched mask is "no date"; the field wants DD/MM/AAAA, which the command then prepares.
        {10, Datos(F, "  /  /    "), {"Teclear Fecha"}, F}, {10, Datos(F, ""), {kFecha}, F},
        {10, Datos(F, "1/2/2000"), {kFecha}, F}, {10, Datos(F, "01/02/00 "), {kFecha}, F},
        {10, Datos(F, "01/13/2000"), {kFecha}, F}, {10, Datos(F, "31/02/2000"), {kFecha}, F},
        {10, Datos(F, "31/12/1987"), {kRango}, F}, {10, Datos(F, "19/11/2014"), {kRango}, F},
        {10, Datos(F, "29/02/2012"), {}, N, "89877253"}, {10, Datos(F, "01/01/1988"), {}, N, "00007269"}, {10, Datos(F, "18/11/2014"), {}, N, "99997220"},
        {10, Datos(F, " 1/02/2000"), {}, N, "44957273"}, {10, Datos(F, "01/02/2000  "), {}, N, "44957273"},
        {10, Datos(F, "01/02/00"), {kFecha}, F, {}, true}, {10, Datos(F, "01-02-2000"), {kFecha}, F, {}, true},
        {35, Datos(R, "abc123"), {}, N, "8"}, {36, Datos(R, "ABC123"), {}, N, "2"},
        {37, Datos(R, QString(18, 'Z')), {}, N, "41"},
        // First an algorithm, then a reference (06 checks its own later); a code outside the catalogue does nothing.
        {std::nullopt, Datos(R, "x"), {"Debe seleccionar un Algoritmo de cálculo"}, N, {}, true},
        {10, Datos(R, ""), {"Teclear Referencia"}, R, {}, true}, {7, Datos(R, "123456"), {}, N, {}, true},
        // Routine 02: its own text after the flag; 35, 36, 37: the leftmost bad character, whole.
        {2, Datos(R, "141118#-"), {de02("-")}, N, {}, true},
        {2, Datos(R, "141118-#$ ñ" + kCara), {de02(kCara)}, N, {}, true},
        {35, Datos(R, "HOL#A-2014"), {"Caracter no Válido en la referencia: ' # '"}, N, {}, true},
        {36, Datos(R, "AÑO"), {MensajeCaracterNoValido("Ñ")}, N, {}, true},
        {37, Datos(R, "ABC12" + kCara), {MensajeCaracterNoValido(kCara)}, N, {}, true},
        {35, Datos(R, kFeff + "ABC"), {MensajeCaracterNoValido(kFeff)}, N, {}, true},
    });
}

TEST(PrepararFecha, NormalizaAlFormatoDDMMAAAA) {
    // "01/2/20001": what follows the six characters taken after the added "0" is dropped.
    for (const char* t : {" 1/02/2000", "  01/02/2000  ", "1/2/2000", "01/2/2000", "01/2/20001"})
        EXPECT_EQ(PrepararFecha(t), "01/02/2000") << t;
    for (const char* t : {"01/02/00", "01/02/20001", "01.02.2000", "aa/bb/cccc", "15/1-2000", "\t1/02/2000", "  /  /    ", "", "1/"})
        EXPECT_EQ(PrepararFecha(t), std::nullopt) << t;
}

struct Fila {
    int codigo;
    QString esperado, col0, col1 = {}, col2 = {};
};

TEST(CalcularFila, ReglasEnSuOrden) {
    const QString aammdd = "Error: Fecha <> AAMMDD|", corta = "Error: Fecha menor a 6 dígitos.|", f = "15/06/2000";
    const QString malo02 = "Error: Referencia no valida = ", fmt = "Formato de fecha no válido.|";
    const QString imp = "Error: Importe no válido.|", fecha = "Error: Fecha no válida.|";
    const QString mayor = "Error: Importe mayor a $ 999999999.99|";
    const std::vector<Fila> casos = {
        {0, "1234566|6", "  123456 "}, {3, "2718284|4", "271828", "viejo", "viejo"},  // only spaces are trimmed
        {4, "10000000000000000057|57", " 100000000000000000"},
        {3, "Error: Referencia mayor a 19 dígitos.|", QString(20, 'x')},  // length first
        {0, kNoValida, "12.5"}, {3, kNoValida, ""}, {0, kNoValida, "\t123"}, {3, kNoValida, "12٣4"}, {4, kNoValida, "-5"},
        {35, "abc1238|8", "  abc123  "}, {36, "ABC1232|2", "ABC123"}, {37, QString(18, 'Z') + "41|41", QString(18, 'Z')},
        // An empty reference never reaches 35, 36 or 37; what they reject leaves both cells empty.
        {35, kNoValida, ""}, {36, kNoValida, "   "}, {37, kNoValida, ""}, {35, "||malo #", "HOL#A-2014"},
        {36, "||malo Ñ", "ABCÑ-"}, {37, "||malo  ", "A B"}, {36, "||malo " + kFeff, kFeff + "ABC"},
        {5, "|", "123456", "1", "15/06/2000"},  // outside the catalogue
        // 02: the date prefix piece by piece as numbers, no upper limit, the routine's rightmost bad character.
        {2, "141118abc1|1", "  141118abc "}, {2, "0002295|5", "000229"},
        {2, "141118ABCDEFGHIJKLMNOPQRS9|9", "141118ABCDEFGHIJKLMNOPQRS"}, {2, malo02 + "-|", "141118#-"},
        {2, malo02 + " |", "141118 A"}, {2, malo02 + kCara + "|", "141118" + kCara + "A"},
        {2, malo02 + kFeff + "|", "141118A" + kFeff}, {2, corta, "  14111  "}, {2, corta, "1411" + kCara},
        {2, "Error: Valor de año no válido.|", "AB1118"}, {2, "Error: Valor de mes no válido.|", "14A118"},
        {2, "Error: Valor de día no válido.|", "1411AB"}, {2, aammdd, "990229"}, {2, aammdd, "140015"},
        {2, aammdd, "991301"},  // a date only month first is none
        {6, "89062|62", " 890 ", " 123 ", " 4567 "}, {6, kNoValida, "8a", "123456789", ""},  // the reference first
        {6, "Error: Sucursal no válida.|", "890", "", "4567"}, {6, "Error: Cuenta no válida.|", "890", "123", ""},
        {6, "Error: Sucursal mayora 8 dígitos.|", "890", "123456789", "4 5"},
        {10, "12345646337268|46337268", " 123456 ", " 123.45 ", " 15/06/2000 "},
        {10, "12345646337268|46337268", "123456", "123.45", "15-06-2000"},  // read by position
        {10, "99999999999999997283|99997283", "999999999999", "999999999.985", "18/11/2014"},  // rounds to .99
        {10, "12345699990226|99990226", "123456", "0", "18/11/2014"}, {10, "12345689877253|89877253", "123456", "123.45", "29/02/2012"},
        {10, "12345600000275|00000275", "123456", "0", "01/01/1988"},
        // The amount, a negative one too, before the date; the format before the amount's
        // upper limit, that limit before the calendar.
        {10, kNoValida, "12a", "abc", "xx"}, {10, imp, "123456", "abc", "xx"}, {10, imp, "123456", "", ""},
        {10, imp, "123456", "1,000", f}, {10, imp, "123456", "-1", "xx"}, {10, imp, "123456", "-0.01", f},
        {10, fmt, "123456", "123.45", "1/6/2000"}, {10, fmt, "123456", "123.45", "15/06/2000x"},
        {10, fmt, "123456", "123.45", "2000/06/15"}, {10, fmt, "123456", "123.45", "15/06/200x"},
        {10, fmt, "123456", "1000000000", "1/6/2000"},
        {10, mayor, "123456", "999999999.991", "31/02/2000"}, {10, mayor, "123456", "999999999.995", f},
        {10, fecha, "123456", "123.45", "31/02/2000"}, {10, fecha, "123456", "123.45", "01/13/2000"},
        {10, fecha, "123456", "123.45", "15x06x2000"},
        {10, "Error: Fecha mayor al 18/11/2014.|", "123456", "123.45", "19/11/2014"},
        {10, "Error: Fecha menor al 01/01/1988.|", "123456", "123.45", "31/12/1987"},
    };
    for (const Fila& c : casos)
        EXPECT_EQ(Ver(CalcularFila(c.codigo, c.col0, c.col1, c.col2)), c.esperado.toStdString())
            << c.codigo << " '" << QStringList{c.col0, c.col1, c.col2}.join("' '").toStdString() << "'";
}

// Each description states the width and the limits the rules apply, in both
// windows' wordings; the entries are the codes as typed, in display order.
TEST(CatalogoTextos, EntradasYDescripciones) {
    QStringList codigos;
    for (const Algoritmo& a : Catalogo()) {
        codigos << "Algoritmo Vorantis " + CodigoDosCifras(a.codigo);
        const QString ancho = QString::number(a.anchoResultado) + (a.anchoResultado == 1 ? " Dígito verificador " : " Dígitos verificadores ");
        const QRegularExpression limites("^" + ancho + ".*eferencia de " + (a.codigo == 2 ? "6" : "1") + " a " +
                                         QString::number(a.longitudMaxima) + (a.codigo == 2 || a.codigo >= 35 ? " caract[eé]res alfanum[eé]ri?cos" : " dígitos") + "[.;,]");
        for (const QString& d : {DescripcionPrincipal(a), DescripcionMasivo(a)}) EXPECT_TRUE(limites.match(d).hasMatch()) << d.toStdString();
    }
    QStringList textos;
    for (const EntradaAlgoritmo& e : EntradasAlgoritmos()) textos << e.texto;
    EXPECT_EQ(textos, codigos);
    EXPECT_EQ(ListaDeCodigos(), "00 02 03 04 06 10 35 36 37");
}

}  // namespace
