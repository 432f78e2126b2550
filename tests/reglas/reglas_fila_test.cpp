// The bulk rules for one row: trimming, the checks in their order per
// algorithm with their outcome texts (each text once), and the result cells.

#include "reglas/reglas_fila.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <vector>

namespace {

using namespace vaviviv;

struct Caso {
    int codigo;
    QString col0, col1, col2;
    QString esperado;  // "result cell|digit cell", with "|malo <char>" when a routine rejected one
};

void Comprobar(const std::vector<Caso>& casos) {
    for (const Caso& c : casos) {
        const ResultadoFila r = CalcularFila(c.codigo, c.col0, c.col1, c.col2);
        const QString visto = r.resultado + "|" + r.digitos + (r.caracterNoValido.isEmpty() ? "" : "|malo ") +
                              r.caracterNoValido;
        EXPECT_EQ(visto.toStdString(), c.esperado.toStdString())
            << c.codigo << " '" << QStringList{c.col0, c.col1, c.col2}.join("' '").toStdString() << "'";
    }
}

const QString kNoValida = "Error: Referencia no válida.|";
const QString kAAMMDD = "Error: Fecha <> AAMMDD|";

TEST(CalcularFila, ReferenciaSola) {
    Comprobar({
        {0, "  123456 ", {}, {}, "1234566|6"},  // only spaces are trimmed
        {3, "271828", "viejo", "viejo", "2718284|4"},
        {0, QString(20, '1'), {}, {}, "Error: Referencia mayor a 19 dígitos.|"},
        {3, QString(20, 'x'), {}, {}, "Error: Referencia mayor a 19 dígitos.|"},  // length first
        {0, "12.5", {}, {}, kNoValida}, {3, "", {}, {}, kNoValida}, {0, "\t123", {}, {}, kNoValida},
        {3, "12٣4", {}, {}, kNoValida}, {4, "x", {}, {}, kNoValida},
        {4, " 100000000000000000", {}, {}, "10000000000000000057|57"},
        {4, QString(19, '1'), {}, {}, "Error: Referencia mayor a 18 dígitos.|"},
        {35, "  abc123  ", {}, {}, "abc1238|8"}, {36, "ABC123", {}, {}, "ABC1232|2"},
        {37, QString(18, 'Z'), {}, {}, QString(18, 'Z') + "41|41"},
        {36, QString(20, '-'), {}, {}, "Error: Referencia mayor a 19 caracteres alfanumericos.|"},
        {37, QString(19, 'A'), {}, {}, "Error: Referencia mayor a 18 caracteres alfanumericos.|"},
        // An empty reference is refused before any routine runs.
        {35, "", {}, {}, kNoValida}, {36, "   ", {}, {}, kNoValida}, {37, "", {}, {}, kNoValida},
        // Rejected by the routine: both cells empty, the character as typed.
        {35, "HOL#A-2014", {}, {}, "||malo #"}, {36, "ABCÑ", {}, {}, "||malo Ñ"}, {37, "A B", {}, {}, "||malo  "},
        {5, "123456", "1", "15/06/2000", "|"},  // outside the catalogue
    });
}

TEST(CalcularFila, Codigo02) {
    Comprobar({
        {2, "  141118abc ", {}, {}, "141118abc1|1"}, {2, "000229", {}, {}, "0002295|5"},
        {2, "141118ABCDEFGHIJKLMNOPQRS", {}, {}, "141118ABCDEFGHIJKLMNOPQRS9|9"},  // no upper limit
        {2, "141118#-", {}, {}, "Error: Referencia no valida = -|"},  // the routine's rightmost bad character
        {2, "141118 A", {}, {}, "Error: Referencia no valida =  |"},
        {2, "  12345  ", {}, {}, "Error: Fecha menor a 6 dígitos.|"},
        {2, "AB1118", {}, {}, "Error: Valor de año no válido.|"},
        {2, "14A118", {}, {}, "Error: Valor de mes no válido.|"},
        {2, "1411AB", {}, {}, "Error: Valor de día no válido.|"},
        {2, "990229", {}, {}, kAAMMDD}, {2, "140015", {}, {}, kAAMMDD},
        {2, "991301", {}, {}, kAAMMDD},  // a date only month first is none
    });
}

TEST(CalcularFila, Codigo06) {
    Comprobar({
        {6, " 890 ", " 123 ", " 4567 ", "89062|62"},
        {6, QString(19, '1'), "123", "4567", "Error: Referencia mayor a 18 dígitos.|"},
        {6, "8a", "123456789", "", kNoValida},  // the reference first, unlike the main window
        {6, "890", "123456789", "", "Error: Sucursal mayora 8 dígitos.|"},
        {6, "890", "", "4567", "Error: Sucursal no válida.|"},
        {6, "890", "123", "123456789", "Error: Cuenta mayor a 8 dígitos.|"},
        {6, "890", "123", "4 5", "Error: Cuenta no válida.|"},
    });
}

TEST(CalcularFila, Codigo10) {
    const QString f = "15/06/2000", fmt = "Formato de fecha no válido.|", imp = "Error: Importe no válido.|";
    const QString fecha = "Error: Fecha no válida.|";
    Comprobar({
        {10, " 123456 ", " 123.45 ", " 15/06/2000 ", "12345646337268|46337268"},
        {10, "123456", "123.45", "15-06-2000", "12345646337268|46337268"},  // read by position
        {10, "999999999999", "999999999.99", "18/11/2014", "99999999999999997283|99997283"},
        {10, "1234567890123", "123.45", f, "Error: Referencia mayor a 12 dígitos.|"},
        {10, "12a", "abc", "xx", kNoValida},
        // The amount, a negative one too, is looked at before the date.
        {10, "123456", "abc", "xx", imp}, {10, "123456", "", "", imp}, {10, "123456", "1,000", f, imp},
        {10, "123456", "-1", "xx", imp}, {10, "123456", "-0.01", f, imp},
        {10, "123456", "123.45", "1/6/2000", fmt}, {10, "123456", "123.45", "15/06/2000x", fmt},
        // The format before the amount's upper limit, the limit before the calendar.
        {10, "123456", "1000000000", "1/6/2000", fmt},
        {10, "123456", "999999999.991", "31/02/2000", "Error: Importe mayor a $ 999999999.99|"},
        {10, "123456", "123.45", "31/02/2000", fecha}, {10, "123456", "123.45", "01/13/2000", fecha},
        {10, "123456", "123.45", "15x06x2000", fecha},
        {10, "123456", "123.45", "19/11/2014", "Error: Fecha mayor al 18/11/2014.|"},
        {10, "123456", "123.45", "31/12/1987", "Error: Fecha menor al 01/01/1988.|"},
    });
}

}  // namespace
