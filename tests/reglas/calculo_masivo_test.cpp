// The bulk calculation of a file, inline, on threads or fed a few bytes a read, gives what the window's rules
// give record by record: the same bytes, counts and warnings on messy files; and it stops at the first failure.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <random>

#include "fuzz/caminos_masivo.h"
#include "fuzz/dispositivo_troceado.h"

namespace {

using namespace vaviviv;

// Writes fail once `tope` bytes are in, as on a full disk.
struct Salidas : QBuffer {
    explicit Salidas(qint64 tope = qint64(1) << 40) : tope_(tope) { open(WriteOnly | Unbuffered); }
    qint64 writeData(const char* d, qint64 n) override {
        return buffer().size() + n > tope_ ? (setErrorString("Disco lleno simulado"), -1) : QBuffer::writeData(d, n);
    }
    qint64 tope_;
};

using fuzz::SalidaMasivo;

void Igual(const SalidaMasivo& a, const SalidaMasivo& b) {
    EXPECT_EQ(std::tie(a.registros, a.errores, a.avisos, a.errorLectura, a.errorEscritura),
              std::tie(b.registros, b.errores, b.avisos, b.errorLectura, b.errorEscritura));
    const auto n = std::mismatch(a.bytes.begin(), a.bytes.end(), b.bytes.begin(), b.bytes.end()).first - a.bytes.begin();
    EXPECT_TRUE(a.bytes == b.bytes) << "from byte " << n;
}

SalidaMasivo General(int codigo, const QByteArray& datos, bool csv = false) {
    fuzz::DispositivoTroceado entrada(datos, 1 << 20);
    return fuzz::CaminoGeneral(codigo, entrada, csv);
}

SalidaMasivo Masivo(int codigo, const QByteArray& datos, int hilos, qint64 trozo = 1 << 20, bool falla = false,
                    qint64 tope = qint64(1) << 40, bool csv = false) {
    fuzz::DispositivoTroceado entrada(datos, trozo, falla);
    Salidas salida(tope);
    SalidaMasivo s = fuzz::CaminoRapido(codigo, entrada, salida, hilos, csv);
    s.bytes = salida.data();
    return s;
}

// 3,000 lines of every line end (LF CR is two), empty lines, 1 to 6 fields of
// values, blanks and other bytes, three lines of 30,000 bytes and more; and
// how many bytes of 0x80 or more were put in the first three fields.
std::pair<QByteArray, int> Generar(unsigned semilla, bool utf8, bool finalConFin) {
    std::mt19937 azar(semilla);
    const auto uno = [&azar](const auto& lista) { return lista[azar() % std::size(lista)]; };
    static const QByteArray kFines[] = {"\r\n", "\r", "\n", "\n\r"}, kValores[3][8] = {
        {"", "", "141118", "990229", "A1b2", "zZ", "AM-QO-", "1.5"},
        {"123", "0.29", "123.45", "999999999.99", "1000000000", "-5", "", "12345678901234567890"},
        {"4567", "15/06/2000", "18/11/2014", "01/01/1988", "1/6/2000", "31/02/2000", "15é06é2000", "01😀02/2000"}};
    static const QByteArray kUtf8[] = {"é", "€", "\xC2\xA0", "😀", "\xF4\x8F\xBF\xBF", "\xC3", "\x80", "\xE2\x82",
                                       "\xED\xA0\x80", "\xF0\x9F\x98", "\xC0\xAF", "\xFF", "\xEF\xBB\xBF"};
    std::pair<QByteArray, int> g{utf8 ? "\xEF\xBB\xBF" : "", 0};
    for (int linea = 0; linea < 3000; ++linea) {
        for (int c = 0, campos = azar() % 16 ? 1 + int(azar() % 6) : 0; c < campos; ++c) {
            QByteArray v = c > 2 ? "x" : c ? uno(kValores[c]) : uno(kValores[0]) + QByteArray::number(quint64(azar()) << (azar() % 32));
            if (linea % 1000 == 999 && c == 0) v = QByteArray(30000, '7');
            if (azar() % 5 == 0) v = " " + v + " ";
            const bool alto = azar() % 6 == 0;
            if (alto) v.insert(azar() % (v.size() + 1), utf8 ? uno(kUtf8) : QByteArray(1, char(0x80 + azar() % 128)));
            g.second += alto && c < 3;
            g.first += (c ? "\t" : "") + v;
        }
        if (linea < 2999 || finalConFin) g.first += uno(kFines);
    }
    return g;
}

// 40,000 lines of a few bytes each, most of them empty: a read holds more
// lines than a block takes.
QByteArray Cortas() {
    std::mt19937 azar(6);
    static const QByteArray kLineas[] = {"", "", "", "", "", "7", "141118", "A\xD1", "7\t1\t1", "1\t1.00\t15/06/2000"};
    static const QByteArray kFines[] = {"\r\n", "\r", "\n"};
    QByteArray bytes;
    for (int i = 0; i < 40000; ++i) bytes += kLineas[azar() % std::size(kLineas)] + kFines[azar() % std::size(kFines)];
    return bytes;
}

// A tab-separated file as CSV: its fields quoted now and then, with doubled
// quotes, the separator and line ends inside them.
QByteArray ComoCsv(const QByteArray& tabulado, unsigned semilla, char separador) {
    std::mt19937 azar(semilla);
    static const QByteArray kDentro[] = {"\"\"", "\r\n", "\n", "\r", ";", ",", "\t"};
    QByteArray csv;
    bool abre = true;
    for (const char c : tabulado) {
        if (abre && c != '\t' && c != '\r' && c != '\n' && azar() % 3 == 0) {
            // A quoted field: its text, then something inside, now and then after the quotes too.
            csv += '"';
            csv += c == '"' ? QByteArray("\"\"") : QByteArray(1, c);
            csv += kDentro[azar() % std::size(kDentro)];
            csv += '"';
            if (azar() % 8 == 0) csv += "x\"";
            abre = false;
            continue;
        }
        csv += c == '\t' ? separador : c;
        abre = c == '\t' || c == '\r' || c == '\n';
    }
    return csv;
}

TEST(CalcularArchivo, RapidoEnHilosYTroceadoComoElGeneral) {
    std::vector<std::pair<QString, QByteArray>> archivos;
    for (const auto& [semilla, utf8, fin] : {std::tuple{1u, false, true}, {2u, false, false}, {3u, true, true}, {4u, true, false}}) {
        const auto [bytes, noAscii] = Generar(semilla, utf8, fin);
        EXPECT_GT(noAscii, 100) << semilla;
        archivos.emplace_back(QString::number(semilla), bytes);
    }
    archivos.emplace_back("cortas", Cortas());
    for (const QFileInfo& muestra : QDir(VAVIVIV_SAMPLES).entryInfoList(QDir::Files)) {
        QFile f(muestra.filePath());
        archivos.emplace_back(muestra.fileName(), f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    }
    ASSERT_EQ(archivos.size(), 10u);
    for (const auto& [nombre, bytes] : archivos) {
        for (const int codigo : {0, 2, 3, 4, 6, 10, 35, 36, 37}) {
            SCOPED_TRACE(nombre.toStdString() + " " + std::to_string(codigo));
            const SalidaMasivo general = General(codigo, bytes);
            // Calculated rows, refused ones and, where the routines refuse characters, warnings.
            if (!nombre.endsWith(".txt")) {
                EXPECT_GT(general.errores, 0);
                EXPECT_LT(general.errores, general.registros);
                if (codigo >= 35) {
                    EXPECT_GT(general.avisos.size(), 1u);
                }
            }
            for (const auto& [hilos, trozo] : {std::pair{0, 1 << 20}, {2, 1 << 20}, {0, 7}}) {
                SCOPED_TRACE(std::to_string(hilos) + " " + std::to_string(trozo));
                Igual(Masivo(codigo, bytes, hilos, trozo), general);
            }
        }
    }
}

// CSV records, whatever the reads and blocks cut through their quotes.
TEST(CalcularArchivo, CsvRapidoEnHilosYTroceadoComoElGeneral) {
    std::vector<std::pair<std::string, QByteArray>> archivos;
    for (const auto& [semilla, utf8, separador] : {std::tuple{1u, false, ';'}, {3u, true, ','}})
        archivos.emplace_back(std::to_string(semilla), ComoCsv(Generar(semilla, utf8, true).first, semilla, separador));
    archivos.emplace_back("cortas", ComoCsv(Cortas(), 7, ';'));
    for (const auto& [nombre, bytes] : archivos) {
        for (const int codigo : {2, 10, 35}) {
            SCOPED_TRACE(nombre + " " + std::to_string(codigo));
            const SalidaMasivo general = General(codigo, bytes, true);
            EXPECT_TRUE(general.registros > 2000 && general.errores > 0 && (nombre == "cortas" || general.errores < general.registros));
            for (const auto& [hilos, trozo] : {std::pair{0, 1 << 20}, {2, 1 << 20}, {0, 7}}) {
                SCOPED_TRACE(std::to_string(hilos) + " " + std::to_string(trozo));
                Igual(Masivo(codigo, bytes, hilos, trozo, false, qint64(1) << 40, true), general);
            }
        }
    }
}

// The rows before a failure are written, and its reason told.
TEST(CalcularArchivo, SeDetieneEnLaPrimeraFalla) {
    const QByteArray lineas = Generar(5, false, true).first.replace("\r\n", "\n").replace('\r', '\n');
    SalidaMasivo esperada = General(35, lineas);
    for (const int hilos : {0, 2}) {
        SCOPED_TRACE(hilos);
        esperada.errorLectura = fuzz::kFalloLectura;
        Igual(Masivo(35, lineas, hilos, 1 << 20, true), esperada);
        esperada.errorLectura = MensajeLineaLarga(esperada.registros + 1);
        Igual(Masivo(35, lineas + QByteArray(kLineaMaxima + 1, '7') + "\n1\n", hilos), esperada);
        const SalidaMasivo s = Masivo(35, lineas, hilos, 1 << 20, false, 100000);
        // Stopped there, with everything before it written.
        EXPECT_EQ(s.errorEscritura, "Disco lleno simulado");
        EXPECT_LT(s.registros, esperada.registros);
        EXPECT_GT(s.bytes.size(), 0);
        EXPECT_TRUE(esperada.bytes.startsWith(s.bytes)) << s.registros;
    }
}

// Lines of 32,766 characters are records; one more stops the calculation
// at that line with the rows before it written, in both encodings, inline,
// on threads, whatever the reads.
TEST(CalcularArchivo, LineaDeHasta32766Caracteres) {
    const QByteArray kBom = "\xEF\xBB\xBF";
    const std::pair<QByteArray, QByteArray> caracteres[] = {
        {"", "7"}, {"", "\xD1"}, {"", "\t"}, {kBom, "7"}, {kBom, "\xC3\x91"}, {kBom, "\xF0\x9F\x98\x80"}};
    for (const auto& [marca, caracter] : caracteres) {
        for (const int n : {32766, 32767}) {
            const QByteArray bytes = marca + "141118\r\n" + caracter.repeated(n) + "\r\n1\r\n";
            for (const int codigo : {2, 10, 35}) {
                SCOPED_TRACE(caracter.toPercentEncoding().toStdString() + " " + std::to_string(n) + " " + std::to_string(codigo));
                SalidaMasivo esperada = General(codigo, bytes);
                EXPECT_EQ(std::pair(esperada.registros, esperada.errorLectura),
                          n <= 32766 ? std::pair(qint64(3), QString()) : std::pair(qint64(1), QStringLiteral("La l\u00ednea 2 tiene m\u00e1s de 32,766 caracteres")));
                for (const auto& [hilos, trozo] : {std::pair{0, 1 << 20}, {2, 1 << 20}, {0, 7}, {2, 4093}}) {
                    SCOPED_TRACE(std::to_string(hilos) + " " + std::to_string(trozo));
                    Igual(Masivo(codigo, bytes, hilos, trozo), esperada);
                }
            }
        }
    }
}

}  // namespace
