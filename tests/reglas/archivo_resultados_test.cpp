// Writing the bulk results file: header per algorithm, every cell followed by
// a tab, CR LF, Windows-1252 bytes. (A device that refuses to write: see the
// fuzzing regressions.)

#include "reglas/archivo_resultados.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <ostream>
#include <vector>

[[maybe_unused]] static void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << '"' << b.left(200).toPercentEncoding(" ").toStdString() << "\" (" << b.size() << " bytes)";
}

namespace {

using namespace vaviviv;

const QByteArray kCabecera3 = "Referencia\tReferencia Completa\tD\xEDgito Verif\r\n";

QByteArray Escribir(int codigo, const std::vector<std::vector<QString>>& filas) {
    QBuffer buffer;
    EXPECT_TRUE(buffer.open(QIODevice::WriteOnly));
    EscritorResultados escritor(buffer);
    escritor.escribirCabecera(codigo);
    for (const auto& fila : filas) escritor.escribirFila(std::span<const QString>(fila));
    EXPECT_TRUE(escritor.terminar() && escritor.error().isEmpty());
    return buffer.data();
}

TEST(EscritorResultados, CabeceraPorCodigoYCadaCeldaSeguidaDeTabulador) {
    for (int codigo : {0, 2, 3, 4, 35, 36, 37}) EXPECT_EQ(Escribir(codigo, {}), kCabecera3) << codigo;
    EXPECT_EQ(Escribir(6, {{"890", "123", "4567", "89062", "62"}}),
              "Referencia\tSucursal\tCuenta\tReferencia Completa\tD\xEDgito Verif\r\n890\t123\t4567\t89062\t62\t\r\n");
    EXPECT_EQ(Escribir(10, {{"123456", "123.45", "15/06/2000", "12345646337268", "46337268"}, {"", "", "", "", ""}}),
              "Referencia\tImporte\tFecha\tReferencia Completa\tD\xEDgito Verif\r\n"
              "123456\t123.45\t15/06/2000\t12345646337268\t46337268\t\r\n\t\t\t\t\t\r\n");
    // Cells as they stand: error texts, blanks, a tab inside a cell.
    EXPECT_EQ(Escribir(0, {{"  123456 ", "1234566", "6"}, {"12.5", "Error: Referencia no válida.", ""},
                           {"a\tb", "x", "y"}}),
              kCabecera3 + "  123456 \t1234566\t6\t\r\n12.5\tError: Referencia no v\xE1lida.\t\t\r\na\tb\tx\ty\t\r\n");
}

TEST(EscritorResultados, Windows1252ConInterrogacionParaLoQueNoCabe) {
    EXPECT_EQ(Escribir(35, {{"ÑÁéü€ŸŽ", "Ω", "😀x"}}), kCabecera3 + "\xD1\xC1\xE9\xFC\x80\x9F\x8E\t?\t?x\t\r\n");
    QString todos;
    QByteArray esperado;
    for (int b = 0xA0; b <= 0xFF; ++b) todos += QChar(b), esperado += char(b);
    EXPECT_EQ(Escribir(0, {{todos, "", ""}}), kCabecera3 + esperado + "\t\t\t\r\n");
}

// Rows of views and of strings, many more than one buffer holds.
TEST(EscritorResultados, FilasDeVistasYMuchasFilas) {
    const QString linea = "123456\t1234566\t6";
    const std::vector<QStringView> vistas = {QStringView(linea).left(6), QStringView(linea).mid(7, 7),
                                             QStringView(linea).right(1)};
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    EscritorResultados escritor(buffer);
    escritor.escribirCabecera(3);
    QByteArray esperado = kCabecera3;
    for (int i = 0; i < 50000; ++i) {
        const std::vector<QString> celdas = {QString::number(i), "dígito", ""};
        if (i % 2 == 0) escritor.escribirFila(std::span<const QStringView>(vistas));
        else escritor.escribirFila(std::span<const QString>(celdas));
        esperado += i % 2 == 0 ? QByteArray("123456\t1234566\t6\t\r\n") : QByteArray::number(i) + "\td\xEDgito\t\t\r\n";
    }
    ASSERT_TRUE(escritor.terminar());
    EXPECT_TRUE(buffer.data() == esperado);
}

}  // namespace
