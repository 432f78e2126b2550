// The bulk files: the input read whatever its line ends, code page and line
// lengths and wherever its reads end; the results written per algorithm in
// Windows-1252.

#include "reglas/archivo_entrada.h"
#include "reglas/archivo_resultados.h"
#include "reglas/codificacion.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <ostream>
#include <vector>

#include "fuzz/dispositivo_troceado.h"

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.left(80).toStdString() << "\" (" << s.size() << ")";
}

namespace {

using namespace vaviviv;
using Fila = std::array<QString, 3>;

struct Entrada {
    QByteArray bytes;
    std::vector<Fila> filas;
    QString error = {};
    bool falla = false;
};

// Every input read 64 KiB at a time, as from a file, and (up to 300 KB) 1, 2,
// 3 or 5 bytes at a time: the same records, then the reader's error.
void Comprobar(const std::vector<Entrada>& casos, bool csv = false) {
    for (const Entrada& c : casos) {
        for (const qint64 trozo : {1 << 16, 1, 2, 3, 5}) {
            if (trozo < 9 && c.bytes.size() > 300000) continue;
            fuzz::DispositivoTroceado dispositivo(c.bytes, trozo, c.falla);
            LectorEntrada lector(dispositivo, csv);
            Registro registro;  // reused, as a streaming caller does
            std::vector<Fila> filas;
            while (lector.siguiente(registro)) filas.push_back(registro.campos);
            EXPECT_FALSE(lector.siguiente(registro));  // the end, or a failure, stays
            EXPECT_EQ(std::pair(filas, lector.error()), std::pair(c.filas, c.error))
                << trozo << " " << c.bytes.left(80).toPercentEncoding().toStdString();
        }
    }
}

const QByteArray kBom = "\xEF\xBB\xBF", kCara = "\xF0\x9F\x98\x80";
const QString kR(QChar(0xFFFD)), kFeff(QChar(0xFEFF)), kFallo = fuzz::kFalloLectura;
const Fila kVacia{};
// Lines of the limit; kA, two of them and an "a", is 65,535 bytes: a first
// read of 64 KiB ends on the byte after it.
const QByteArray kTope(32766, '7'), kLineaA(32766, 'a'), kA = kLineaA + "\n" + kLineaA + "\na";
const Fila kFilaA{QString(kLineaA)};

TEST(LectorEntrada, CamposFinesDeLineaCodificacionYLimite) {
    Comprobar({
        {"a\tb\tc\td\te", {{"a", "b", "c"}}}, {"ref\t\tcta", {{"ref", "", "cta"}}},
        {" a \t b \tCc ", {{" a ", " b ", "Cc "}}}, {"a\tb\tc\r\nd", {{"a", "b", "c"}, {"d", "", ""}}},  // taken exactly
        {"a" + QByteArray(30000, '\t') + "z\r\nfin", {{"a"}, {"fin"}}},
        {QByteArray(30000, 'X') + "\tb\r\n", {{QString(30000, 'X'), "b"}}},
        // CR LF, CR and LF each end a line; LF CR and CR CR LF are two; one at the very end adds nothing.
        {"", {}}, {"\r\n", {kVacia}}, {"\n", {kVacia}}, {"a\r", {{"a"}}}, {"a\r\nb\r\n", {{"a"}, {"b"}}},
        {"\r\r", {kVacia, kVacia}}, {"a\rb\rc", {{"a"}, {"b"}, {"c"}}}, {"a\nb\n", {{"a"}, {"b"}}},
        {"a\r\nb\rc\nd", {{"a"}, {"b"}, {"c"}, {"d"}}}, {"a\n\rb", {{"a"}, kVacia, {"b"}}},
        {"a\r\r\nb", {{"a"}, kVacia, {"b"}}}, {"a\n\nb", {{"a"}, kVacia, {"b"}}},
        // CR last in the first 64 KiB read, LF first in the next: one line end; so is a sequence split there.
        {kA + "\r\nb", {kFilaA, kFilaA, {"a"}, {"b"}}}, {kA + "\r" + kTope, {kFilaA, kFilaA, {"a"}, {QString(kTope)}}},
        {kBom + kA.mid(3) + "\r\nb", {{QString(kLineaA.mid(3))}, kFilaA, {"a"}, {"b"}}},
        {kBom + kA.mid(3) + kCara + "\nb", {{QString(kLineaA.mid(3))}, kFilaA, {"a" + kCara}, {"b"}}},
        {kBom + kA.mid(4) + kCara + "\nb", {{QString(kLineaA.mid(4))}, kFilaA, {"a" + kCara}, {"b"}}},
        {kBom + kA.mid(5) + kCara + "\nb", {{QString(kLineaA.mid(5))}, kFilaA, {"a" + kCara}, {"b"}}},
        // A read that fails: the records before it, never part of the next one, then the device's reason.
        {"", {}, kFallo, true}, {"a\tb\r\nc\r\n", {{"a", "b"}, {"c"}}, kFallo, true}, {"a\r\nb", {{"a"}}, kFallo, true}, {"a\r", {{"a"}}, kFallo, true},
        {QByteArray(30000, 'x'), {}, kFallo, true},
        // Windows-1252 unless the UTF-8 mark opens the file; only the first mark is one.
        {"\xE1rbol\t\xD1u\xF1o\t\x80", {{"árbol", "Ñuño", "€"}}}, {"\xC3\xA1", {{"Ã¡"}}}, {"x" + kBom, {{"xï»¿"}}},
        {"\xEF\xBB", {{"ï»"}}}, {kBom + "\xC3\xA1rbol\t\xE2\x82\xAC\r\n\xC3\x91" + kCara, {{"árbol", "€"}, {"Ñ" + kCara}}},
        {kBom, {}}, {kBom + "\n", {kVacia}}, {kBom + kBom + "A\r\n" + kBom + "B", {{kFeff + "A"}, {kFeff + "B"}}},
        // Malformed or cut sequences are U+FFFD and take nothing after them, however the reads fall.
        {kBom + "a\xE2\x82\r\nb\xF0\x9F\x98\nc\xC3\td\xE2\x82I\x91\r\n\xED\xA0\x80z\xC3",
         {{"a" + kR + kR}, {"b" + kR + kR + kR}, {"c" + kR, "d" + kR + kR + "I" + kR}, {kR + kR + kR + "z" + kR}}},
    });
}

// Up to 32,766 characters a line: a character is a byte of Windows-1252 and a
// code point of UTF-8 (one outside the BMP is one, not two UTF-16 units; a
// malformed byte is one, as the U+FFFD it reads as); a tab is one too. The
// first line past it stops the reading, wherever it lies in the file and in
// the reads, with the records before it.
// Each line end, tab, other control byte and byte of 0x80 or more at every
// place of a line longer than a word, and the line split as a plain reading of
// its bytes splits it: the first three tab-separated fields up to the first
// CR or LF (past the third, fields are dropped), ASCII when none of their
// bytes is 0x80 or more.
TEST(LectorEntrada, CadaByteEnCadaLugarDeLaLinea) {
    const auto modelo = [](std::string_view t) {
        LineaBytes l;
        t = t.substr(0, t.find_first_of("\r\n"));
        for (std::size_t i = 0; i < 3; ++i) {
            const std::size_t tab = t.find('\t');
            l.campos[i] = t.substr(0, tab);
            for (const char c : l.campos[i]) l.ascii = l.ascii && static_cast<unsigned char>(c) < 0x80;
            if (tab == std::string_view::npos) break;
            t.remove_prefix(tab + 1);
        }
        return l;
    };
    const std::string base = "0123456789abcdefghijklmnopqrstu\t4\t5\t6";
    for (const char especial : {'\t', '\r', '\n', '\x01', '\x0B', '\x0D', '\x0E', '\x7F', '\x80', '\xFF'}) {
        for (std::size_t lugar = 0; lugar < 24; ++lugar) {
            std::string linea = base;
            linea[lugar] = especial;
            linea += "\r\nsiguiente";
            const char* p = linea.data();
            const LineaBytes l = PartirLinea(p, linea.data() + linea.size());
            const LineaBytes esperada = modelo(linea);
            SCOPED_TRACE(testing::Message() << "byte " << int(static_cast<unsigned char>(especial)) << " en " << lugar);
            EXPECT_EQ(l.campos, esperada.campos);
            EXPECT_EQ(l.ascii, esperada.ascii);
            const std::size_t fin = linea.find_first_of("\r\n");
            EXPECT_EQ(p - linea.data(), fin + (linea.compare(fin, 2, "\r\n") == 0 ? 2 : 1));
        }
    }
}

// Blocks of at most so many lines, whatever the line ends (a CR LF may fall
// on any byte of a read or of a stretch the reader counts at once): each block
// holds whole lines, one at least, and together they are the input. Read
// whole at once, every block holds exactly that many but the last two (the
// last line is whole only once the end of the input is seen).
TEST(LectorBloques, BloquesDeHastaTantasLineas) {
    QByteArray bytes;
    std::uint32_t azar = 12345;
    const auto siguiente = [&azar](std::uint32_t n) { return ((azar = azar * 1103515245 + 12345) >> 16) % n; };
    const char* const fines[] = {"\n", "\r", "\r\n", "\r\n"};
    for (int i = 0; i < 40000; ++i) {
        bytes += QByteArray(qsizetype(siguiente(6)), 'x');
        bytes += fines[siguiente(4)];
        // The input that gives the most rows a byte: empty lines, thousands in a row.
        if (i == 20000) bytes += QByteArray("\n").repeated(3000) + QByteArray("\r").repeated(2000);
    }
    bytes += "sin fin";
    const auto lineas = [](QByteArrayView b) {
        qsizetype n = 0;
        for (qsizetype i = 0; i < b.size(); ++i)
            n += b[i] == '\n' || (b[i] == '\r' && (i + 1 == b.size() || b[i + 1] != '\n'));
        return n + (!b.isEmpty() && b.back() != '\n' && b.back() != '\r');
    };
    const qsizetype enTodo = lineas(bytes);
    for (const qsizetype porBloque : {1, 3, 1000, 4096, 8192}) {
        for (const qint64 trozo : {qint64(1) << 20, qint64(1) << 17, qint64(4095), qint64(7)}) {
            if (trozo == 7 && porBloque > 3) continue;
            fuzz::DispositivoTroceado dispositivo(bytes, trozo);
            LectorBloques lector(dispositivo, qsizetype(trozo), porBloque);
            QByteArray bloque, todo;
            qsizetype total = 0, cortos = 0;
            while (lector.siguiente(bloque)) {
                const qsizetype n = lineas(bloque);
                ASSERT_GE(n, 1);
                ASSERT_LE(n, porBloque) << trozo;
                cortos += n < porBloque;
                todo += bloque;
                total += n;
                // A line's CR LF is never cut, nor the line.
                if (todo.size() == bytes.size()) continue;
                ASSERT_TRUE(todo.endsWith('\n') || todo.endsWith('\r'));
                ASSERT_FALSE(todo.endsWith('\r') && bytes[todo.size()] == '\n');
            }
            EXPECT_EQ(todo, bytes) << porBloque << " " << trozo;
            EXPECT_EQ(total, enTodo);
            if (trozo > bytes.size()) {
                EXPECT_LE(cortos, 2) << porBloque;
            }
        }
    }
}

TEST(LectorEntrada, LineaDeHasta32766Caracteres) {
    const auto largo = [](int linea) { return QStringLiteral("La línea %1 tiene más de 32,766 caracteres").arg(linea); };
    struct Caracter {
        QByteArray bytes;
        QString leido;
        bool utf8;
    };
    const Caracter caracteres[] = {
        {"7", "7", false}, {"\xF1", "ñ", false}, {"\x80", "€", false},
        {"7", "7", true}, {"\xC3\xB1", "ñ", true}, {"\xE2\x82\xAC", "€", true}, {kCara, QString::fromUtf8(kCara), true},
        {"\xFF", kR, true}, {"\xED\xA0\x80", kR + kR + kR, true},  // a surrogate's bytes: three characters
    };
    for (const Caracter& c : caracteres) {
        const QByteArray marca = c.utf8 ? kBom : QByteArray();
        const int veces = c.bytes == "\xED\xA0\x80" ? 3 : 1;  // characters in one copy
        for (const int n : {32766, 32767}) {
            SCOPED_TRACE(c.bytes.toPercentEncoding().toStdString() + " " + std::to_string(n));
            const int copias = n / veces, resto = n % veces;
            const QByteArray linea = c.bytes.repeated(copias) + QByteArray(resto, 'x');
            const Fila fila{c.leido.repeated(copias) + QString(resto, 'x')};
            const bool cabe = n <= 32766;
            // Alone without a line end; first of two; third and fourth, after others in the same read.
            Comprobar({{marca + linea, cabe ? std::vector{fila} : std::vector<Fila>{}, cabe ? QString() : largo(1)},
                       {marca + linea + "\r\n1", cabe ? std::vector{fila, {"1"}} : std::vector<Fila>{}, cabe ? QString() : largo(1)},
                       {marca + "1\n2\r" + linea + "\r\n" + linea + "\n3",
                        cabe ? std::vector{{"1"}, {"2"}, fila, fila, {"3"}} : std::vector<Fila>{{"1"}, {"2"}}, cabe ? QString() : largo(3)}});
        }
    }
    Comprobar({
        // Tabs are characters, the fields past the third dropped.
        {"a\tb\tc" + QByteArray(32761, '\t'), {{"a", "b", "c"}}}, {"a\tb\tc" + QByteArray(32762, '\t'), {}, largo(1)},
        {kBom + "\t" + QByteArray(32765, '\t') + "\n", {kVacia}}, {kBom + "\t" + QByteArray(32766, '\t') + "\n", {}, largo(1)},
        // UTF-8: a line of more bytes than the limit may be within it; four times the limit in bytes is at most 32,766 characters.
        {kBom + "a\t" + QByteArray("\xC3\xB1").repeated(32764), {{"a", QString(32764, u'ñ')}}},
        {kBom + kCara.repeated(32766) + "\r", {{QString::fromUtf8(kCara).repeated(32766)}}},
        {kBom + kCara.repeated(32766) + "a", {}, largo(1)},
        // The end of the input cuts the last character: two U+FFFD, each one character.
        {kBom + kCara.repeated(32764) + "\xE2\x82", {{QString::fromUtf8(kCara).repeated(32764) + kR + kR}}},
        {kBom + kCara.repeated(32765) + "\xE2\x82", {}, largo(1)},
        {kBom + "1\r\n" + kCara.repeated(32765) + "\xE2\x82", {{"1"}}, largo(2)},
        // A line end split from its line by the reads, the lines of the limit one after another.
        {(kTope + "\r\n").repeated(5), std::vector<Fila>(5, {QString(kTope)})},
        {(kTope + "\r").repeated(3) + kTope + "7\r", std::vector<Fila>(3, {QString(kTope)}), largo(4)},
    });
}
TEST(LectorEntrada, CsvSeparadorComillasYFinesDentro) {
    const QString largo = "La línea 2 tiene más de 32,766 caracteres";
    // A read of 64 KiB ends on the CR of a line end inside quotes, the LF first in the next read.
    const QByteArray kX(10000, 'x'), kCitado = "\"" + kX + "\r\n" + kX + "\"\r\n";
    const QByteArray partido = kCitado + kCitado + "\"" + QByteArray(65535 - 2 * kCitado.size() - 1, 'y') + "\r\nz\",1";
    const Fila kFilaX{QString(kX + "\r\n" + kX)};
    Comprobar({
        // The first line decides: ';' where it holds one, else ','; the other is data.
        {"a;b;c;d", {{"a", "b", "c"}}}, {"a,b,c,d", {{"a", "b", "c"}}},
        {"1,50;b\r\nc;d,e", {{"1,50", "b"}, {"c", "d,e"}}}, {"a,b\r\nc;d", {{"a", "b"}, {"c;d"}}},
        {"a\r\nb;c,d", {{"a"}, {"b;c", "d"}}}, {"\"a;\r\nb\",c\nd;e", {{"a;\r\nb", "c"}, {"d;e"}}}, {"\"a,\"\"b\";c", {{"a,\"b", "c"}}}, {"a\tb;c", {{"a\tb", "c"}}}, {" a ; b ;", {{" a ", " b ", ""}}},
        // Quotes open a field's text only where the field opens; doubled, they are one; line ends inside are kept.
        {"\"a;b\";\"c\"\"d\";\"\"", {{"a;b", "c\"d", ""}}}, {"x;a\"b;c\"", {{"x", "a\"b", "c\""}}},
        {"\"\"\"\";\"x\"\"\"", {{"\"", "x\""}}}, {"x;y\n\"ab\"c\"d;e", {{"x", "y"}, {"abc\"d", "e"}}},
        {"\"a\r\nb\";\"c\nd\re\"\r\nf", {{"a\r\nb", "c\nd\re"}, {"f"}}},
        {"a;b;c;\"d\r\ne;f\";g\r\nh", {{"a", "b", "c"}, {"h"}}}, {"\"a\r\";b\r", {{"a\r", "b"}}}, {"\"a\"\"\r\nb\";c", {{"a\"\r\nb", "c"}}},
        // Unclosed, the quote runs to the end of the input; a read that fails first keeps the records before.
        {"a\n\"b\nc", {{"a"}, {"b\nc"}}}, {"a\n\"b\nc", {{"a"}}, kFallo, true}, {"a\r", {{"a"}}, kFallo, true},
        {"", {}}, {"\r\n", {kVacia}}, {"\"\"\n\n", {kVacia, kVacia}},
        // The same encodings.
        {"\xE1rbol;\"\xD1\"\"\x80\"", {{"árbol", "Ñ\"€"}}}, {kBom + "\xC3\xA1;\"\xE2\x82\xAC\n\"", {{"á", "€\n"}}},
        // Reads and blocks end within quotes.
        {partido, {kFilaX, kFilaX, {QString(65535 - 2 * kCitado.size() - 1, 'y') + "\r\nz", "1"}}},
        // The limit counts a record's characters as they stand, quotes and all.
        {"1\r\n\"" + kTope.left(32764) + "\"\r\n2", {{"1"}, {QString(kTope.left(32764))}, {"2"}}},
        {"1\r\n\"" + kTope.left(32765) + "\"\r\n2", {{"1"}}, largo}, {"1\r\n\"" + kTope, {{"1"}}, largo},
    }, true);
}

TEST(LectorEntrada, CsvPorElNombreDelArchivo) {
    for (const auto& [nombre, csv] : {std::pair{"a.csv", true}, {"/x/A.CSV", true}, {"b.Csv", true}, {"c.txt", false},
                                      {"csv", false}, {"d.csv.txt", false}, {"e.csvx", false}, {"f.asc", false}})
        EXPECT_EQ(EsArchivoCsv(QString::fromUtf8(nombre)), csv) << nombre;
}

// Each BMP code point as the byte Qt's decoder reads as it, or "?"; one "?" for a character beyond the BMP.
TEST(Codificacion, CadaCaracterComoLoLeeElDecodificador) {
    QByteArray todos(256, 0), esperado(0x10000, '?'), codificado;  // no byte reads as "?" or U+FFFD
    for (int b = 0; b < 256; ++b) todos[b] = char(b);
    const QString leido = QStringDecoder("windows-1252")(todos);
    EXPECT_EQ(DecodificarWindows1252(todos), leido);
    EXPECT_FALSE(leido.mid(0x40).contains(u'?'));
    EXPECT_FALSE(leido.contains(kR));
    for (int b = 0; b < 256; ++b) esperado[leido[b].unicode()] = char(b);
    CodificadorWindows1252 codificador;
    for (int c = 0; c < 0x10000; ++c) codificador.codificar(QString(QChar(c)), codificado);
    codificador.codificar(QString::fromUtf8(kCara), codificado);
    const auto n = std::mismatch(esperado.begin(), esperado.end(), codificado.begin(), codificado.end()).first - esperado.begin();
    EXPECT_TRUE(codificado == esperado + "?") << "U+" << std::hex << n;
}

const std::string kCabecera3 = "Referencia\tReferencia Completa\tD\xEDgito Verif\r\n";

TEST(EscritorResultados, CabeceraPorCodigoCeldasYWindows1252) {
    const auto escribir = [](int codigo, const std::vector<std::vector<QString>>& filas) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        EscritorResultados escritor(buffer);
        escritor.escribirCabecera(codigo);
        for (const auto& fila : filas) escritor.escribirFila(std::span<const QString>(fila));
        EXPECT_TRUE(escritor.terminar());
        EXPECT_EQ(escritor.error(), QString());
        return buffer.data().toStdString();
    };
    for (int codigo : {0, 2, 3, 4, 35, 36, 37}) EXPECT_EQ(escribir(codigo, {}), kCabecera3) << codigo;
    EXPECT_EQ(escribir(6, {{"890", "123", "4567", "89062", "62"}}),
              "Referencia\tSucursal\tCuenta\tReferencia Completa\tD\xEDgito Verif\r\n890\t123\t4567\t89062\t62\t\r\n");
    EXPECT_EQ(escribir(10, {{"123456", "123.45", "15/06/2000", "12345646337268", "46337268"}, {"", "", "", "", ""}}),
              "Referencia\tImporte\tFecha\tReferencia Completa\tD\xEDgito Verif\r\n"
              "123456\t123.45\t15/06/2000\t12345646337268\t46337268\t\r\n\t\t\t\t\t\r\n");
    // Cells as they stand: error texts, blanks, a tab inside a cell; "?" for
    // what the code page lacks, one for a character outside the BMP.
    EXPECT_EQ(escribir(0, {{"  123456 ", "Error: Referencia no válida.", ""}, {"a\tb", "x", "y"},
                           {"ÑÁéü€ŸŽ", "Ω", QString::fromUtf8("\xF0\x9F\x98\x80x")}}),
              kCabecera3 + "  123456 \tError: Referencia no v\xE1lida.\t\t\r\na\tb\tx\ty\t\r\n" +
                  "\xD1\xC1\xE9\xFC\x80\x9F\x8E\t?\t?x\t\r\n");
}

}  // namespace
