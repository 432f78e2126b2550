// Reading the bulk input file: fields, line ends, code pages, very long lines
// and a device that fails.

#include "masivo/archivo_entrada.h"
#include "platform/codificacion.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <algorithm>
#include <array>
#include <cstring>
#include <ostream>
#include <vector>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.left(80).toStdString() << (s.size() > 80 ? "…" : "") << "\" (" << s.size()
        << ")";
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

struct Caso {
    QByteArray entrada;
    std::vector<Fila> filas;
};

void Comprobar(const std::vector<Caso>& casos) {
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.entrada.toPercentEncoding().toStdString());
        EXPECT_EQ(Leer(c.entrada), c.filas);
    }
}

const Fila kVacia{};

TEST(LectorEntrada, CamposSeparadosPorTabulador) {
    Comprobar({
        {"a\tb\tc", {{"a", "b", "c"}}},
        {"a\tb\tc\td\te", {{"a", "b", "c"}}},
        {"a\tb\tc\t", {{"a", "b", "c"}}},
        {"ref\t\tcta", {{"ref", "", "cta"}}},
        {"ref\t", {{"ref", "", ""}}},
        {"ref", {{"ref", "", ""}}},
        {"\tb", {{"", "b", ""}}},
        {"\t\t", {kVacia}},
        // Taken exactly: no blanks removed, no case changed.
        {"   ", {{"   ", "", ""}}},
        {" a \t b \tCc ", {{" a ", " b ", "Cc "}}},
        // A shorter record after a longer one leaves nothing behind.
        {"a\tb\tc\r\nd", {{"a", "b", "c"}, {"d", "", ""}}},
    });
}

TEST(LectorEntrada, FinesDeLinea) {
    Comprobar({
        {"", {}},
        {"\r\n", {kVacia}},
        {"\r", {kVacia}},
        {"\n", {kVacia}},
        {"\r\n\r\n", {kVacia, kVacia}},
        {"\n\n", {kVacia, kVacia}},
        {"a\r\nb", {{"a"}, {"b"}}},
        {"a\r\nb\r\n", {{"a"}, {"b"}}},
        {"a\rb\rc", {{"a"}, {"b"}, {"c"}}},
        {"a\nb\nc\n", {{"a"}, {"b"}, {"c"}}},
        {"a\r\nb\rc\nd", {{"a"}, {"b"}, {"c"}, {"d"}}},
        // LF then CR is two line ends; so is CR then CR LF.
        {"a\n\rb", {{"a"}, kVacia, {"b"}}},
        {"a\r\r\nb", {{"a"}, kVacia, {"b"}}},
        {"a\r\n\nb", {{"a"}, kVacia, {"b"}}},
        {"a\r\n\r\n", {{"a"}, kVacia}},
        {"a\r\n\r\nb", {{"a"}, kVacia, {"b"}}},
    });
}

TEST(LectorEntrada, Windows1252SalvoMarcaUtf8) {
    Comprobar({
        {"\xE1rbol\t\xD1u\xF1o\t\x80", {{"árbol", "Ñuño", "€"}}},
        // Without the mark, UTF-8 bytes are two Windows-1252 characters.
        {"\xC3\xA1", {{"Ã¡"}}},
        {"x\xEF\xBB\xBF", {{"xï»¿"}}},
        {"\xEF\xBB", {{"ï»"}}},
        {"\xEF\xBB\xBF\xC3\xA1rbol\t\xE2\x82\xAC\r\n\xC3\x91", {{"árbol", "€"}, {"Ñ"}}},
        {"\xEF\xBB\xBF", {}},
        {"\xEF\xBB\xBF\r\n", {kVacia}},
    });
}

// Windows-1252 0x80-0x9F; 0 where the code page defines no character.
constexpr char16_t k1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

TEST(LectorEntrada, LosDoscientosCincuentaYSeisBytes) {
    QByteArray todos;
    for (int b = 0; b < 256; ++b) todos.append(char(b));
    const QString texto = DecodificarWindows1252(todos);
    ASSERT_EQ(texto.size(), 256);
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const char16_t u = texto.at(b).unicode();
        if (b < 0x80 || b >= 0xA0) {
            EXPECT_EQ(u, char16_t(b));
        } else if (k1252[b - 0x80] != 0) {
            EXPECT_EQ(u, k1252[b - 0x80]);
        }
        if (b >= 0x80) {
            EXPECT_NE(u, u'?');
            EXPECT_NE(u, 0xFFFD);
        }
    }
    EXPECT_EQ(CodificarWindows1252(texto), todos);

    // The same bytes as one record's first field (less tab, CR and LF).
    QByteArray linea = todos;
    linea.removeIf([](char c) { return c == '\t' || c == '\r' || c == '\n'; });
    const std::vector<Fila> filas = Leer(linea + "\r\n");
    ASSERT_EQ(filas.size(), 1u);
    EXPECT_EQ(filas[0][0].size(), 253);
    EXPECT_EQ(CodificarWindows1252(filas[0][0]), linea);
    EXPECT_EQ(filas[0][0], DecodificarWindows1252(linea));
}

TEST(LectorEntrada, LineasDeCualquierLongitud) {
    const QByteArray mega(1 << 20, 'X');
    std::vector<Fila> filas = Leer(mega + "\tb\tc\r\nsiguiente");
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(filas[0][0].size(), 1 << 20);
    EXPECT_EQ(filas[0][0], QString(1 << 20, 'X'));
    EXPECT_EQ(filas[0][1], "b");
    EXPECT_EQ(filas[0][2], "c");
    EXPECT_EQ(filas[1][0], "siguiente");

    const QByteArray tabs(100000, '\t');
    Comprobar({
        {"a" + tabs + "z\r\nfin", {{"a", "", ""}, {"fin"}}},
        {"a\tb\tc" + tabs + "z", {{"a", "b", "c"}}},
        {tabs, {kVacia}},
    });
}

// Line ends and UTF-8 sequences wherever the reader's chunks happen to split.
TEST(LectorEntrada, CortesEntreBloques) {
    for (const bool utf8 : {false, true}) {
        SCOPED_TRACE(utf8 ? "UTF-8" : "Windows-1252");
        QByteArray bytes = utf8 ? "\xEF\xBB\xBF" : "";
        std::vector<Fila> esperado;
        for (int n = 0; n < 1500; ++n) {
            const char* fin = (n % 3 == 0) ? "\r\n" : (n % 3 == 1) ? "\r" : "\n";
            bytes += (utf8 ? QByteArray("\xC3\xB1").repeated(n) : QByteArray(n, '\xF1')) +
                     "\t" + QByteArray::number(n) + fin;
            esperado.push_back({QString(n, u'ñ'), QString::number(n), ""});
        }
        const std::vector<Fila> filas = Leer(bytes);
        ASSERT_EQ(filas.size(), esperado.size());
        for (std::size_t i = 0; i < filas.size(); ++i) {
            if (filas[i] != esperado[i]) {
                ADD_FAILURE() << "record " << i << " differs";
                break;
            }
        }
    }
}

// A file whose reads fail after `datos` bytes.
class ArchivoQueFalla : public QIODevice {
public:
    explicit ArchivoQueFalla(QByteArray datos) : datos_(std::move(datos)) { open(ReadOnly); }
    qint64 size() const override { return datos_.size() + 4096; }

protected:
    qint64 readData(char* destino, qint64 maximo) override {
        if (leidos_ < datos_.size()) {
            const qint64 n = std::min<qint64>(maximo, datos_.size() - leidos_);
            std::memcpy(destino, datos_.constData() + leidos_, size_t(n));
            leidos_ += n;
            return n;
        }
        setErrorString("Fallo de lectura simulado");
        return -1;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray datos_;
    qint64 leidos_ = 0;
};

TEST(LectorEntrada, ErrorDeLectura) {
    for (const QByteArray& antes : {QByteArray(), QByteArray("a\tb\r\nc\r\n"),
                                    QByteArray(200000, 'x')}) {
        SCOPED_TRACE(antes.size());
        ArchivoQueFalla archivo(antes);
        LectorEntrada lector(archivo);
        Registro registro;
        int vueltas = 0;
        while (lector.siguiente(registro) && vueltas < 10) ++vueltas;
        EXPECT_LT(vueltas, 10);
        EXPECT_EQ(lector.error(), "Fallo de lectura simulado");
        EXPECT_FALSE(lector.siguiente(registro));
    }
}

}  // namespace
