// Writing the bulk results file: header per algorithm, every cell followed by
// a tab, CR LF, Windows-1252 bytes, and a device that refuses to write.

#include "masivo/archivo_resultados.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <algorithm>
#include <ostream>
#include <vector>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
[[maybe_unused]] static void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << '"' << b.left(200).toPercentEncoding(" ").toStdString() << (b.size() > 200 ? "…" : "")
        << "\" (" << b.size() << " bytes)";
}

namespace {

using namespace vaviviv;

const QByteArray kCabecera3 = "Referencia\tReferencia Completa\tD\xEDgito Verif\r\n";
const QByteArray kCabecera06 =
    "Referencia\tSucursal\tCuenta\tReferencia Completa\tD\xEDgito Verif\r\n";
const QByteArray kCabecera10 =
    "Referencia\tImporte\tFecha\tReferencia Completa\tD\xEDgito Verif\r\n";

QByteArray Escribir(int codigo, const std::vector<std::vector<QString>>& filas) {
    QBuffer buffer;
    EXPECT_TRUE(buffer.open(QIODevice::WriteOnly));
    EscritorResultados escritor(buffer);
    escritor.escribirCabecera(codigo);
    for (const auto& fila : filas) escritor.escribirFila(std::span<const QString>(fila));
    EXPECT_TRUE(escritor.terminar());
    EXPECT_TRUE(escritor.error().isEmpty());
    return buffer.data();
}

TEST(CabeceraResultados, PorCodigo) {
    EXPECT_EQ(CabeceraResultados(6),
              "Referencia\tSucursal\tCuenta\tReferencia Completa\tDígito Verif");
    EXPECT_EQ(CabeceraResultados(10),
              "Referencia\tImporte\tFecha\tReferencia Completa\tDígito Verif");
    for (int codigo : {0, 2, 3, 4, 35, 36, 37}) {
        SCOPED_TRACE(codigo);
        EXPECT_EQ(CabeceraResultados(codigo), "Referencia\tReferencia Completa\tDígito Verif");
    }
}

TEST(EscritorResultados, SoloCabeceraSinFilas) {
    EXPECT_EQ(Escribir(0, {}), kCabecera3);
    EXPECT_EQ(Escribir(37, {}), kCabecera3);
    EXPECT_EQ(Escribir(6, {}), kCabecera06);
    EXPECT_EQ(Escribir(10, {}), kCabecera10);
}

TEST(EscritorResultados, CadaCeldaSeguidaDeTabulador) {
    EXPECT_EQ(Escribir(6, {{"890", "123", "4567", "89062", "62"}}),
              kCabecera06 + "890\t123\t4567\t89062\t62\t\r\n");
    EXPECT_EQ(Escribir(10, {{"123456", "123.45", "15/06/2000", "12345646337268", "46337268"},
                            {"", "", "", "", ""}}),
              kCabecera10 + "123456\t123.45\t15/06/2000\t12345646337268\t46337268\t\r\n"
                            "\t\t\t\t\t\r\n");
    // Cells as they stand: error texts, blanks, empty cells; a tab inside a
    // cell is written unchanged.
    EXPECT_EQ(Escribir(0, {{"  123456 ", "1234566", "6"},
                           {"12.5", "Error: Referencia no válida.", ""},
                           {"a\tb", "x", "y"}}),
              kCabecera3 + "  123456 \t1234566\t6\t\r\n"
                           "12.5\tError: Referencia no v\xE1lida.\t\t\r\n"
                           "a\tb\tx\ty\t\r\n");
}

TEST(EscritorResultados, Windows1252ConInterrogacionParaLoQueNoCabe) {
    const QByteArray bytes = Escribir(35, {{"ÑÁéü€ŸŽ", "Ω", "😀x"}});
    EXPECT_EQ(bytes, kCabecera3 + "\xD1\xC1\xE9\xFC\x80\x9F\x8E\t?\t?x\t\r\n");

    // Every character the code page holds comes back as its byte.
    QString todos;
    for (char16_t u = 0xA0; u <= 0xFF; ++u) todos += QChar(u);
    QByteArray esperado;
    for (int b = 0xA0; b <= 0xFF; ++b) esperado += char(b);
    EXPECT_EQ(Escribir(0, {{todos, "", ""}}), kCabecera3 + esperado + "\t\t\t\r\n");
}

TEST(EscritorResultados, FilasDeVistasYMuchasFilas) {
    const QString linea = "123456\t1234566\t6";
    const std::vector<QStringView> vistas = {QStringView(linea).left(6),
                                             QStringView(linea).mid(7, 7),
                                             QStringView(linea).right(1)};
    QBuffer buffer;
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    EscritorResultados escritor(buffer);
    escritor.escribirCabecera(3);
    QByteArray esperado = kCabecera3;
    for (int i = 0; i < 50000; ++i) {
        if (i % 2 == 0) {
            escritor.escribirFila(std::span<const QStringView>(vistas));
            esperado += "123456\t1234566\t6\t\r\n";
        } else {
            const std::vector<QString> celdas = {QString::number(i), "d\xC3\xADgito", ""};
            escritor.escribirFila(std::span<const QString>(celdas));
            esperado += QByteArray::number(i) + "\td\xEDgito\t\t\r\n";
        }
    }
    ASSERT_TRUE(escritor.terminar());
    EXPECT_EQ(buffer.data(), esperado);
}

// A device that takes `aceptados` bytes and then refuses every write.
class DiscoLleno : public QIODevice {
public:
    explicit DiscoLleno(qint64 aceptados) : aceptados_(aceptados) { open(WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 n) override {
        const qint64 tomados = std::min(n, aceptados_);
        aceptados_ -= tomados;
        if (tomados < n) setErrorString("Disco lleno simulado");
        return tomados > 0 ? tomados : -1;
    }

private:
    qint64 aceptados_;
};

TEST(EscritorResultados, ErrorDeEscrituraInformado) {
    for (const int filas : {0, 1, 100000}) {
        for (const qint64 aceptados : {qint64(0), qint64(10)}) {
            SCOPED_TRACE(testing::Message() << filas << " filas, " << aceptados << " bytes");
            DiscoLleno disco(aceptados);
            EscritorResultados escritor(disco);
            escritor.escribirCabecera(10);
            const std::vector<QString> celdas = {"123456", "123.45", "15/06/2000",
                                                 "12345646337268", "46337268"};
            for (int i = 0; i < filas; ++i) escritor.escribirFila(std::span<const QString>(celdas));
            EXPECT_FALSE(escritor.terminar());
            EXPECT_EQ(escritor.error(), "Disco lleno simulado");
        }
    }
}

}  // namespace
