// Reading the bulk input file: fields, line ends, code pages, very long lines
// and a device that fails.

#include "reglas/archivo_entrada.h"
#include "reglas/codificacion.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <vector>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.left(80).toStdString() << (s.size() > 80 ? "…" : "") << "\" (" << s.size() << ")";
}

namespace {

using namespace vaviviv;
using Fila = std::array<QString, 3>;

std::vector<Fila> Leer(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    EXPECT_TRUE(buffer.open(QIODevice::ReadOnly));
    LectorEntrada lector(buffer);
    Registro registro;  // reused, as a streaming caller does
    std::vector<Fila> filas;
    while (lector.siguiente(registro)) filas.push_back(registro.campos);
    EXPECT_TRUE(lector.error().isEmpty()) << lector.error().toStdString();
    return filas;
}

void Comprobar(const std::vector<std::pair<QByteArray, std::vector<Fila>>>& casos) {
    for (const auto& [entrada, filas] : casos)
        EXPECT_EQ(Leer(entrada), filas) << entrada.left(80).toPercentEncoding().toStdString();
}

const Fila kVacia{};

TEST(LectorEntrada, CamposYFinesDeLinea) {
    const QByteArray tabs(100000, '\t');
    Comprobar({
        {"a\tb\tc\td\te", {{"a", "b", "c"}}}, {"ref\t\tcta", {{"ref", "", "cta"}}},
        {" a \t b \tCc ", {{" a ", " b ", "Cc "}}},  // taken exactly
        {"a\tb\tc\r\nd", {{"a", "b", "c"}, {"d", "", ""}}},  // nothing left behind
        {"a" + tabs + "z\r\nfin", {{"a", "", ""}, {"fin"}}},  // lines longer than the reader's chunks
        {QByteArray(200000, 'X') + "\tb\r\n", {{QString(200000, 'X'), "b", ""}}},
        {"", {}}, {"\r\n", {kVacia}}, {"a\r\nb\r\n", {{"a"}, {"b"}}}, {"a\rb\rc", {{"a"}, {"b"}, {"c"}}},
        {"a\r\nb\rc\nd", {{"a"}, {"b"}, {"c"}, {"d"}}},
        {"a\n\rb", {{"a"}, kVacia, {"b"}}},  // LF then CR is two line ends; so is CR then CR LF
        {"a\r\r\nb", {{"a"}, kVacia, {"b"}}},
    });
}

TEST(LectorEntrada, Windows1252SalvoMarcaUtf8) {
    Comprobar({
        {"\xE1rbol\t\xD1u\xF1o\t\x80", {{"árbol", "Ñuño", "€"}}},
        {"\xC3\xA1", {{"Ã¡"}}},  // without the mark, UTF-8 bytes are two Windows-1252 characters
        {"x\xEF\xBB\xBF", {{"xï»¿"}}},
        {"\xEF\xBB\xBF\xC3\xA1rbol\t\xE2\x82\xAC\r\n\xC3\x91", {{"árbol", "€"}, {"Ñ"}}},
        {"\xEF\xBB\xBF", {}},
    });
    QByteArray todos;  // every byte value but tab, CR and LF comes back, none as "?" or U+FFFD
    for (int b = 0; b < 256; ++b) todos += QByteArray(b == '\t' || b == '\r' || b == '\n' ? 0 : 1, char(b));
    const QString leido = Leer(todos).at(0)[0];
    QByteArray codificado;
    CodificadorWindows1252().codificar(leido, codificado);
    EXPECT_EQ(codificado, todos);
    EXPECT_FALSE(leido.mid(0x7D).contains(u'?') || leido.contains(QChar(0xFFFD)));
}

// Line ends and UTF-8 sequences wherever the reader's chunks happen to split.
TEST(LectorEntrada, CortesEntreBloques) {
    for (const bool utf8 : {false, true}) {
        QByteArray bytes = utf8 ? "\xEF\xBB\xBF" : "";
        std::vector<Fila> esperado;
        for (int n = 0; n < 1500; ++n) {
            bytes += (utf8 ? QByteArray("\xC3\xB1").repeated(n) : QByteArray(n, '\xF1')) + "\t" +
                     QByteArray::number(n) + (n % 3 == 0 ? "\r\n" : n % 3 == 1 ? "\r" : "\n");
            esperado.push_back({QString(n, u'ñ'), QString::number(n), ""});
        }
        EXPECT_TRUE(Leer(bytes) == esperado) << (utf8 ? "UTF-8" : "Windows-1252");
    }
}

// A line of the limit is a record, at the end or not; one character more
// stops the reading there, whether or not a line end follows.
TEST(LectorEntrada, LineaMasLargaQueElLimite) {
    const QByteArray tope(kLineaMaxima, '7');
    EXPECT_EQ(Leer(tope).size(), 1u);
    EXPECT_EQ(Leer("1\r\n" + tope + "\r\n2").size(), 3u);
    for (const QByteArray& sobra : {"1\r\n" + tope + "7", "1\r\n" + tope + "7\r\n2"}) {
        QBuffer buffer;
        buffer.setData(sobra);
        buffer.open(QIODevice::ReadOnly);
        LectorEntrada lector(buffer);
        Registro registro;
        EXPECT_TRUE(lector.siguiente(registro) && registro.campos[0] == "1");
        EXPECT_FALSE(lector.siguiente(registro));
        EXPECT_EQ(lector.error(), QString::fromUtf8("La línea 2 pasa de 8,388,608 caracteres; el archivo no parece de texto."));
        EXPECT_FALSE(lector.siguiente(registro));
    }
}

// A file whose reads fail after `datos` bytes.
class ArchivoQueFalla : public QIODevice {
public:
    explicit ArchivoQueFalla(QByteArray datos) : datos_(std::move(datos)) { open(ReadOnly); }
    qint64 size() const override { return datos_.size() + 4096; }

protected:
    qint64 readData(char* destino, qint64 maximo) override {
        const qint64 n = std::min<qint64>(maximo, datos_.size() - leidos_);
        if (n > 0) std::memcpy(destino, datos_.constData() + leidos_, size_t(n));
        leidos_ += n;
        if (n <= 0) setErrorString("Fallo de lectura simulado");
        return n > 0 ? n : -1;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray datos_;
    qint64 leidos_ = 0;
};

TEST(LectorEntrada, ErrorDeLectura) {
    for (const QByteArray& antes : {QByteArray(), QByteArray("a\tb\r\nc\r\n"), QByteArray(200000, 'x')}) {
        ArchivoQueFalla archivo(antes);
        LectorEntrada lector(archivo);
        Registro registro;
        int vueltas = 0;
        while (lector.siguiente(registro) && vueltas < 10) ++vueltas;
        EXPECT_LT(vueltas, 10) << antes.size();
        EXPECT_EQ(lector.error(), "Fallo de lectura simulado") << antes.size();
        EXPECT_FALSE(lector.siguiente(registro));
    }
}

}  // namespace
