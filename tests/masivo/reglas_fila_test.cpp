// The bulk rules for one row: trimming, the checks in their order per
// algorithm with their outcome texts, and the two result cells.

#include "masivo/reglas_fila.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

using namespace vaviviv;

const QString kRefMayor19 = "Error: Referencia mayor a 19 dígitos.";
const QString kRefMayor18 = "Error: Referencia mayor a 18 dígitos.";
const QString kRefMayor12 = "Error: Referencia mayor a 12 dígitos.";
const QString kRefNoValida = "Error: Referencia no válida.";
const QString kFechaMenor6 = "Error: Fecha menor a 6 dígitos.";
const QString kAnio = "Error: Valor de año no válido.";
const QString kMes = "Error: Valor de mes no válido.";
const QString kDia = "Error: Valor de día no válido.";
const QString kAAMMDD = "Error: Fecha <> AAMMDD";
const QString kRef02Caracter = "Error: Referencia no valida = ";
const QString kSucursalMayor = "Error: Sucursal mayora 8 dígitos.";
const QString kSucursalNoValida = "Error: Sucursal no válida.";
const QString kCuentaMayor = "Error: Cuenta mayor a 8 dígitos.";
const QString kCuentaNoValida = "Error: Cuenta no válida.";
const QString kImporteNoValido = "Error: Importe no válido.";
const QString kFormatoFecha = "Formato de fecha no válido.";
const QString kImporteMayor = "Error: Importe mayor a $ 999999999.99";
const QString kFechaNoValida = "Error: Fecha no válida.";
const QString kFechaMayor = "Error: Fecha mayor al 18/11/2014.";
const QString kFechaMenor = "Error: Fecha menor al 01/01/1988.";
const QString kAlfa19 = "Error: Referencia mayor a 19 caracteres alfanumericos.";
const QString kAlfa18 = "Error: Referencia mayor a 18 caracteres alfanumericos.";

struct Caso {
    int codigo;
    QString col0, col1, col2;
    QString resultado, digitos, caracter;
};

// A failing check: its text in the result cell, the digit cell empty.
Caso Error(int codigo, const QString& c0, const QString& c1, const QString& c2,
           const QString& mensaje) {
    return {codigo, c0, c1, c2, mensaje, {}, {}};
}
Caso Error(int codigo, const QString& c0, const QString& mensaje) {
    return Error(codigo, c0, {}, {}, mensaje);
}

void Comprobar(const std::vector<Caso>& casos) {
    for (const Caso& c : casos) {
        SCOPED_TRACE("codigo " + std::to_string(c.codigo) + " celdas '" + c.col0.toStdString() +
                     "' '" + c.col1.toStdString() + "' '" + c.col2.toStdString() + "'");
        const ResultadoFila r = CalcularFila(c.codigo, c.col0, c.col1, c.col2);
        EXPECT_EQ(r.resultado, c.resultado);
        EXPECT_EQ(r.digitos, c.digitos);
        EXPECT_EQ(r.caracterNoValido, c.caracter);
    }
}

TEST(CalcularFila, Codigos00y03) {
    const QString v19(19, '9');
    std::vector<Caso> casos = {
        {0, "  123456 ", {}, {}, "1234566", "6", {}},
        {3, "  123456 ", {}, {}, "1234567", "7", {}},
        {0, "7992739871", {}, {}, "79927398713", "3", {}},
        {3, "271828", "viejo", "viejo", "2718284", "4", {}},
        // Exactly 19 characters once trimmed.
        {0, "  " + v19 + "  ", {}, {}, v19 + "9", "9", {}},
    };
    for (int codigo : {0, 3}) {
        casos.push_back(Error(codigo, QString(20, '1'), kRefMayor19));
        casos.push_back(Error(codigo, QString(20, 'x'), kRefMayor19));
        // Digits only: not a number, not empty, ASCII only; only spaces are trimmed.
        for (const QString& ref : {QString("12.5"), QString("-5"), QString("+5"), QString(""),
                                   QString("   "), QString("12 34"), QString("\t123"),
                                   QString("12٣4")})
            casos.push_back(Error(codigo, ref, kRefNoValida));
    }
    Comprobar(casos);
}

TEST(CalcularFila, Codigo04) {
    Comprobar({
        Error(4, QString(19, '1'), kRefMayor18),
        {4, "100000000000000000", {}, {}, "10000000000000000057", "57", {}},
        {4, " 123456", {}, {}, "12345693", "93", {}},
        Error(4, "x", kRefNoValida),
        Error(4, "", kRefNoValida),
    });
}

TEST(CalcularFila, Codigo02) {
    Comprobar({
        {2, "141118ABC", {}, {}, "141118ABC1", "1", {}},
        {2, "  141118abc ", {}, {}, "141118abc1", "1", {}},
        {2, "000229", {}, {}, "0002295", "5", {}},
        // No upper length limit.
        {2, "141118ABCDEFGHIJKLMNOPQRS", {}, {}, "141118ABCDEFGHIJKLMNOPQRS9", "9", {}},
        // The routine's rejected character (its rightmost) after the text.
        Error(2, "1411181-", kRef02Caracter + "-"),
        Error(2, "141118#-", "Error: Referencia no valida = -"),
        Error(2, "141118 A", kRef02Caracter + " "),
        Error(2, "12345", kFechaMenor6),
        Error(2, "  12345  ", kFechaMenor6),
        Error(2, "", kFechaMenor6),
        Error(2, "AB1118", kAnio),
        Error(2, "AB11CD", kAnio),
        Error(2, "14A118", kMes),
        Error(2, "14ABCD", kMes),
        Error(2, "1411AB", kDia),
        Error(2, "990229", kAAMMDD),
        Error(2, "141131", kAAMMDD),
        Error(2, "140015", kAAMMDD),
        // A prefix that is a date only month first is not one.
        Error(2, "991301", kAAMMDD),
    });
}

TEST(CalcularFila, Codigo06) {
    Comprobar({
        {6, "890", "123", "4567", "89062", "62", {}},
        {6, " 890 ", " 123 ", " 4567 ", "89062", "62", {}},
        {6, "1234567890", "00000001", "00000001", "123456789039", "39", {}},
        Error(6, QString(19, '1'), "123", "4567", kRefMayor18),
        Error(6, "", "123", "4567", kRefNoValida),
        // The reference comes first here, unlike the main window.
        Error(6, "8a", "123456789", "", kRefNoValida),
        Error(6, "890", "123456789", "", kSucursalMayor),
        Error(6, "890", "", "4567", kSucursalNoValida),
        Error(6, "890", "1-2", "x", kSucursalNoValida),
        Error(6, "890", "123", "123456789", kCuentaMayor),
        Error(6, "890", "123", "", kCuentaNoValida),
        Error(6, "890", "123", "4 5", kCuentaNoValida),
    });
}

TEST(CalcularFila, Codigo10) {
    const QString f = "15/06/2000";
    Comprobar({
        {10, "123456", "123.45", f, "12345646337268", "46337268", {}},
        {10, " 123456 ", " 123.45 ", " 15/06/2000 ", "12345646337268", "46337268", {}},
        {10, "1", "0", "01/01/1988", "100000236", "00000236", {}},
        {10, "999999999999", "999999999.99", "18/11/2014", "99999999999999997283", "99997283", {}},
        // Day, month and year stand where the routine reads them.
        {10, "123456", "123.45", "15-06-2000", "12345646337268", "46337268", {}},
        Error(10, "1234567890123", "123.45", f, kRefMayor12),
        Error(10, "", "123.45", f, kRefNoValida),
        Error(10, "12a", "abc", "xx", kRefNoValida),
        // The amount is looked at before the date's format.
        Error(10, "123456", "abc", "xx", kImporteNoValido),
        Error(10, "123456", "", "", kImporteNoValido),
        Error(10, "123456", "1,000", f, kImporteNoValido),
        Error(10, "123456", "1e3", f, kImporteNoValido),
        Error(10, "123456", "-1", "xx", kImporteNoValido),
        Error(10, "123456", "-0.01", f, kImporteNoValido),
        Error(10, "123456", "123.45", "1/6/2000", kFormatoFecha),
        Error(10, "123456", "123.45", "2000/06/15", kFormatoFecha),
        Error(10, "123456", "123.45", "15/06/00", kFormatoFecha),
        Error(10, "123456", "123.45", "15/06/2000x", kFormatoFecha),
        Error(10, "123456", "123.45", "  /  /    ", kFormatoFecha),
        Error(10, "123456", "123.45", "", kFormatoFecha),
        // The format check comes before the amount's upper limit.
        Error(10, "123456", "1000000000", "1/6/2000", kFormatoFecha),
        Error(10, "123456", "1000000000", f, kImporteMayor),
        Error(10, "123456", "999999999.991", "31/02/2000", kImporteMayor),
        Error(10, "123456", "123.45", "31/02/2000", kFechaNoValida),
        Error(10, "123456", "123.45", "01/13/2000", kFechaNoValida),
        Error(10, "123456", "123.45", "15-06/2000", kFechaNoValida),
        Error(10, "123456", "123.45", "15x06x2000", kFechaNoValida),
        Error(10, "123456", "123.45", "19/11/2014", kFechaMayor),
        Error(10, "123456", "123.45", "31/12/1987", kFechaMenor),
    });
}

TEST(CalcularFila, Codigos35a37) {
    Comprobar({
        {35, "ABC123", {}, {}, "ABC1238", "8", {}},
        {36, "ABC123", {}, {}, "ABC1232", "2", {}},
        {37, "ABC123", {}, {}, "ABC12303", "03", {}},
        {35, "  abc123  ", {}, {}, "abc1238", "8", {}},
        {35, QString(19, 'Z'), {}, {}, QString(19, 'Z') + "3", "3", {}},
        {37, QString(18, 'Z'), {}, {}, QString(18, 'Z') + "41", "41", {}},
        Error(35, QString(20, 'A'), kAlfa19),
        Error(36, QString(20, '-'), kAlfa19),
        Error(37, QString(19, 'A'), kAlfa18),
        Error(35, "", kRefNoValida),
        Error(36, "   ", kRefNoValida),
        Error(37, "", kRefNoValida),
        // Rejected by the routine: both cells empty, the character as typed.
        {35, "ABC-1", {}, {}, {}, {}, "-"},
        {36, "ABC-1", {}, {}, {}, {}, "-"},
        {37, "ABC-1", {}, {}, {}, {}, "-"},
        {35, "HOL#A-2014", {}, {}, {}, {}, "#"},
        {36, "ABCÑ", {}, {}, {}, {}, "Ñ"},
        {37, "A B", {}, {}, {}, {}, " "},
        {35, "\tABC", {}, {}, {}, {}, "\t"},
    });
}

TEST(CalcularFila, CodigoFueraDelCatalogo) {
    Comprobar({{5, "123456", "1", "15/06/2000", {}, {}, {}}});
}

}  // namespace
