// vaviviv-cli run as a real process: each way through its subcommands, then
// hostile files, devices and limits through `masivo`, with the exit code and
// both streams. The rules themselves are tested in reglas/.
#include "ejecutar_cli.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <sys/resource.h>
#include <tuple>
#include <unistd.h>

#include <QBuffer>

#include "cli/comandos.h"
#include "reglas/calcular_referencia.h"
#include "tests/muestras_csv.h"

using namespace vaviviv::prueba;

namespace {

const QByteArray kUso = "Use \xC2\xABvaviviv-cli --help\xC2\xBB para ver c\xC3\xB3mo se usa.\n";

// The main window's messages for the same fields, one a line.
QByteArray MensajesDeLaVentana(int codigo, const QString& referencia) {
    return vaviviv::CalcularReferencia(codigo, {referencia, {}, {}, {}, {}}).mensajes.join(u'\n').toUtf8() + '\n';
}

TEST(Cli, CadaCaminoDeLosSubcomandos) {
    const QByteArray uso = "\n" + kUso;
    const auto codigoMal = [&uso](const QByteArray& codigo) {
        return "C\xC3\xB3" "digo de algoritmo no v\xC3\xA1lido: \xC2\xAB" + codigo + "\xC2\xBB (use 00 02 03 04 06 10 35 36 37)" + uso;
    };
    const std::tuple<QStringList, int, QByteArray, QByteArray> casos[] = {
        // Options before or after the arguments, "--opción=valor" too.
        {{"calcular", "00", "123456"}, 0, "1234566\t6\n", ""},
        {{"calcular", "--sucursal", "123", "06", "890", "--cuenta=4567"}, 0, "89062\t62\n", ""},
        {{"calcular", "10", "123456", "--importe", "123.45", "--fecha", "15/06/2000"}, 0, "12345646337268\t46337268\n", ""},
        {{"--version"}, 0, "vaviviv-cli " VAVIVIV_VERSION "\n", ""},
        // Two messages; after "--" a reference may start with "-"; a leading U+FEFF is part of it.
        {{"calcular", "02", "12a45"}, 1, "", MensajesDeLaVentana(2, "12a45")},
        {{"calcular", "00", "--", "-5"}, 1, "", MensajesDeLaVentana(0, "-5")},
        {{"calcular", "35", QChar(0xFEFF) + QStringLiteral("ABC")}, 1, "", MensajesDeLaVentana(35, QChar(0xFEFF) + QStringLiteral("ABC"))},
        {{"verificar", "00", "1234566"}, 0, "v\xC3\xA1lida\n", ""},
        {{"verificar", "10", "12345646337268", "--importe", "123.45", "--fecha", "15/06/2000"}, 0, "v\xC3\xA1lida\n", ""},
        {{"verificar", "00", "1234567"}, 1, "no v\xC3\xA1lida: se esperaba 1234566\n", ""},
        {{"verificar", "04", "93"}, 1, "", "La referencia completa debe tener m\xC3\xA1s de 2 caracteres\n"},
        {{"verificar", "00", "7"}, 1, "", "La referencia completa debe tener m\xC3\xA1s de 1 car\xC3\xA1" "cter\n"},
        {{"verificar", "00", "12a4566"}, 1, "", MensajesDeLaVentana(0, "12a456")},
        // Misuse: the reason, then where to look.
        {{}, 2, "", "Falta el subcomando: calcular, masivo o verificar." + uso},
        {{"sumar", "00", "1"}, 2, "", "Subcomando desconocido: \xC2\xABsumar\xC2\xBB" + uso},
        // The argument missing or the first one too many is named.
        {{"calcular", "00"}, 2, "", "Falta el argumento REFERENCIA\nUso: vaviviv-cli calcular CODIGO REFERENCIA [opciones]" + uso},
        {{"calcular", "00", "1", "2", "3"}, 2, "", "Sobra el argumento \xC2\xAB" "2\xC2\xBB\nUso: vaviviv-cli calcular CODIGO REFERENCIA [opciones]" + uso},
        {{"verificar", "00"}, 2, "", "Falta el argumento REFERENCIA_COMPLETA\nUso: vaviviv-cli verificar CODIGO REFERENCIA_COMPLETA [opciones]" + uso},
        {{"masivo"}, 2, "", "Falta el argumento CODIGO\nUso: vaviviv-cli masivo CODIGO ENTRADA [-o SALIDA]" + uso},
        // Today is past the last day code 10 takes: the date has to be given.
        {{"verificar", "10", "12345646337268", "--importe", "123.45"}, 2, "", "Falta la opci\xC3\xB3n --fecha (DD/MM/AAAA), obligatoria con el algoritmo 10" + uso},
        {{"calcular", "05", "123"}, 2, "", "C\xC3\xB3" "digo de algoritmo no v\xC3\xA1lido: \xC2\xAB" "05\xC2\xBB (use 00 02 03 04 06 10 35 36 37)" + uso},
        // A code is one or two ASCII digits and nothing else, whatever number they read as.
        {{"calcular", "0", "123456"}, 0, "1234566\t6\n", ""},
        {{"calcular", "006", "123"}, 2, "", codigoMal("006")}, {{"calcular", "000", "123"}, 2, "", codigoMal("000")},
        {{"calcular", "0010", "123"}, 2, "", codigoMal("0010")}, {{"calcular", " 06", "123"}, 2, "", codigoMal(" 06")},
        {{"calcular", " 6", "123"}, 2, "", codigoMal(" 6")}, {{"calcular", "6 ", "123"}, 2, "", codigoMal("6 ")},
        {{"calcular", "+6", "123"}, 2, "", codigoMal("+6")}, {{"calcular", "--", "-0", "123"}, 2, "", codigoMal("-0")},
        {{"calcular", "", "123"}, 2, "", codigoMal("")}, {{"calcular", "0:", "123"}, 2, "", codigoMal("0:")},
        {{"calcular", "0/", "123"}, 2, "", codigoMal("0/")}, {{"calcular", "\xD9\xA0\xD9\xA6", "123"}, 2, "", codigoMal("\xD9\xA0\xD9\xA6")},
        {{"verificar", "006", "1234566"}, 2, "", codigoMal("006")}, {{"masivo", "006", "-"}, 2, "", codigoMal("006")},
        {{"calcular", "4", "123", "--importe", "5"}, 2, "", "La opci\xC3\xB3n --importe no corresponde al algoritmo 04" + uso},
        {{"masivo", "00", "-", "--fecha", "01/01/2000"}, 2, "", "La opci\xC3\xB3n --fecha no corresponde a masivo" + uso},
        {{"verificar", "06", "-", "--archivo", "-"}, 2, "", "Sobra el argumento \xC2\xAB-\xC2\xBB\nUso: vaviviv-cli verificar CODIGO --archivo ENTRADA [-o SALIDA]" + uso},
        {{"verificar", "06", "--archivo=-", "--cuenta", "1"}, 2, "", "La opci\xC3\xB3n --cuenta no corresponde a verificar --archivo" + uso},
        {{"calcular", "06", "1", "--sucursal"}, 2, "", "Falta el valor de la opci\xC3\xB3n --sucursal" + uso},
        {{"calcular", "06", "1", "--cuenta", "1", "--cuenta=2"}, 2, "", "La opci\xC3\xB3n --cuenta se dio dos veces" + uso},
        {{"calcular", "00", "1", "--color", "azul"}, 2, "", "Opci\xC3\xB3n desconocida: --color" + uso},
        // An empty name is no name; --version takes no arguments.
        {{"masivo", "00", ""}, 2, "", "El nombre del archivo de entrada est\xC3\xA1 vac\xC3\xAD" "o" + uso},
        {{"masivo", "00", "e.txt", "-o", ""}, 2, "", "El nombre del archivo de salida est\xC3\xA1 vac\xC3\xAD" "o" + uso},
        {{"--version", "extra"}, 2, "", "Sobra el argumento \xC2\xAB" "extra\xC2\xBB" + uso},
        {{"masivo", "--version"}, 2, "", "Sobra el argumento \xC2\xAB" "masivo\xC2\xBB" + uso},
        // Help for what is no subcommand, or for more than one.
        {{"help", "sumar"}, 2, "", "Subcomando desconocido: \xC2\xABsumar\xC2\xBB" + uso},
        {{"sumar", "--help"}, 2, "", "Subcomando desconocido: \xC2\xABsumar\xC2\xBB" + uso},
        {{"help", "masivo", "00"}, 2, "", "Sobra el argumento \xC2\xAB" "00\xC2\xBB" + uso},
        {{"codigos", "00"}, 2, "", "Sobra el argumento \xC2\xAB" "00\xC2\xBB" + uso},
        // -o as getopt and long options spell it, refused before anything is read or written.
        {{"masivo", "00", "e.txt", "-o", "r.txt", "--salida", "r.txt"}, 2, "", "La opci\xC3\xB3n -o se dio dos veces" + uso},
        {{"masivo", "00", "e.txt", "--salida"}, 2, "", "Falta el valor de la opci\xC3\xB3n --salida" + uso},
        {{"masivo", "00", "e.txt", "-xr.txt"}, 2, "", "Opci\xC3\xB3n desconocida: -xr.txt" + uso},
        {{"calcular", "00", "123456", "-or.txt"}, 2, "", "La opci\xC3\xB3n -o no corresponde al algoritmo 00" + uso},
    };
    for (const auto& [args, codigo, out, err] : casos) EXPECT_EQ(Correr(args), (Salida{codigo, out, err})) << args.join(' ').toStdString();
}

// The help's examples of calcular and verificar of one reference run as written.
TEST(Cli, AyudaConEjemplosQueFuncionan) {
    const Salida ayuda = Correr({"--help"});
    const QList<QByteArray> ejemplos = ayuda.out.mid(ayuda.out.indexOf("Ejemplos:")).split('\n');
    EXPECT_EQ(ayuda.codigo, 0);
    EXPECT_EQ(ayuda.err, "");
    EXPECT_TRUE(ayuda.out.startsWith("vaviviv-cli: "));
    EXPECT_GT(ejemplos.size(), 5);
    EXPECT_TRUE(ayuda.out.contains("Windows-1252 con fin de l\xC3\xADnea CR LF"));
    EXPECT_TRUE(ayuda.out.contains("Un registro con error es un dato"));
    for (const QByteArray& linea : ejemplos)
        EXPECT_TRUE(!linea.startsWith("  vaviviv-cli ") || linea.contains(" masivo ") || linea.contains(" --archivo ") ||
                    Correr(QString::fromUtf8(linea).split(u' ', Qt::SkipEmptyParts).mid(1)).codigo == 0) << linea.toStdString();
}

// The help file's worked examples of the tool: in each <pre class="ejemplo">, a
// "$ vaviviv-cli ..." line and then what it writes, standard output before standard
// error, run in a folder that holds the samples. Results files are shown as a
// terminal shows them: recoded to UTF-8 (the samples are ASCII but for "í", "á"),
// each CR LF one line end.
TEST(Cli, EjemplosDelArchivoDeAyuda) {
    const QString ayuda = QString::fromUtf8(LeerArchivo(VAVIVIV_AYUDA));
    QTemporaryDir dir;
    for (const QString& muestra : QDir(VAVIVIV_SAMPLES).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(VAVIVIV_SAMPLES "/" + muestra, dir.filePath(muestra)));
    const QString antes = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    static const QRegularExpression ejemplo(R"re(<pre class="ejemplo">\n(.*?)</pre>)re", QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression orden(QStringLiteral("^\\$ vaviviv-cli "), QRegularExpression::MultilineOption);
    int ordenes = 0;
    for (const QRegularExpressionMatch& m : ejemplo.globalMatch(ayuda)) {
        EXPECT_TRUE(m.captured(1).startsWith("$ vaviviv-cli ")) << m.captured(1).toStdString();
        for (const QString& caso : m.captured(1).split(orden, Qt::SkipEmptyParts)) {
            const QStringList args = caso.section(u'\n', 0, 0).split(u' ', Qt::SkipEmptyParts);
            const Salida s = Correr(args);
            const bool archivo = args.value(0) == "masivo" || args.contains("--archivo");
            const QString out = archivo ? QString::fromLatin1(s.out).remove(u'\r') : QString::fromUtf8(s.out);
            EXPECT_EQ((out + QString::fromUtf8(s.errCompleto)).toStdString(), caso.section(u'\n', 1).toStdString()) << args.join(u' ').toStdString();
            ++ordenes;
        }
    }
    QDir::setCurrent(antes);
    EXPECT_GE(ordenes, 9);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("resultados.txt")));
}

// The sample of code 06, from a file into a results file that replaces an earlier
// one, and through the standard streams. Blocks of eight weighted 37 31 29 23 19 17
// 13 11 from the right: 1, 1, ...34567890 give 37 + 37 + 956; 99 - 1030 mod 97 = 39.
TEST(Cli, MasivoDeLaMuestra) {
    const QByteArray esperado = "Referencia\tSucursal\tCuenta\tReferencia Completa\tD\xEDgito Verif\r\n"
                                "890\t123\t4567\t89062\t62\t\r\n"
                                "1234567890\t1\t1\t123456789039\t39\t\r\n"
                                "34567890\t1\t1\t3456789039\t39\t\r\n"
                                "0\t0\t0\t099\t99\t\r\n"
                                "890\t123456789\t4567\tError: Sucursal mayora 8 d\xEDgitos.\t\t\r\n"
                                "890\t123\t\tError: Cuenta no v\xE1lida.\t\t\r\n"
                                "18\t\t4567\tError: Sucursal no v\xE1lida.\t\t\r\n";
    const QString muestra = QStringLiteral(VAVIVIV_SAMPLES "/referencias_06.txt");
    QTemporaryDir dir;
    const QString salida = dir.filePath("resultados.txt");
    EscribirArchivo(salida, "anterior");
    const Salida a = Correr({"masivo", "06", muestra, "-o", salida}), b = Correr({"masivo", "6", "-"}, LeerArchivo(muestra));
    EXPECT_EQ(a, (Salida{0, "", "Registros: 7, con error: 3\n"}));
    EXPECT_EQ(b, (Salida{0, esperado, a.err}));
    EXPECT_EQ(LeerArchivo(salida), esperado);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"resultados.txt"});
}

// Hostile contents: every record comes out byte for byte as it went in.
const QByteArray kCabecera = "Referencia\tReferencia Completa\tD\xEDgito Verif\r\n", kNoValida = Fila("", "Error: Referencia no v\xE1lida.", "");
const QByteArray kCabecera06 = "Referencia\tSucursal\tCuenta\tReferencia Completa\tD\xEDgito Verif\r\n";
QByteArray Resumen(int registros, int errores) { return QStringLiteral("Registros: %1, con error: %2\n").arg(registros).arg(errores).toUtf8(); }
QByteArray Rechazo(int registro, const QByteArray& utf8) { return "Registro " + QByteArray::number(registro) + ": Caracter no V\xC3\xA1lido en la referencia: ' " + utf8 + " '\n"; }

TEST(CliHostiles, Contenidos) {
    const QByteArray larga = "141118" + QByteArray(32766 - 6, '0');  // an even count of zeros keeps 141118's weights
    QByteArray altos;  // each byte from 0x80 to 0xFF on a line of its own
    for (int b = 0x80; b <= 0xFF; ++b) altos += char(b) + QByteArray("\r\n");
    const std::tuple<const char*, const char*, QByteArray, QByteArray, QByteArray> casos[] = {
        {"0 bytes", "06", {}, kCabecera06, Resumen(0, 0)},
        // CR LF, LF, LF, CR, CR LF: five empty records; the last line end adds none.
        {"solo fines de línea", "00", "\r\n\n\n\r\r\n", kCabecera + kNoValida.repeated(5), Resumen(5, 5)},
        {"NUL", "00", QByteArray("123456\0\r\n\0\0\r\n123456", 19),
         kCabecera + QByteArray("123456\0", 7) + kNoValida + QByteArray(2, '\0') + kNoValida + Fila("123456", "1234566", "6"), Resumen(3, 2)},
        {"línea de 32,766 caracteres", "02", larga + "\r\n", kCabecera + Fila(larga, larga + "0", "0"), Resumen(1, 0)},
        {"32,766 caracteres con tabuladores", "06", "890\t123\t4567" + QByteArray(32754, '\t'), kCabecera06 + Fila("890", "123", "4567", "89062", "62"), Resumen(1, 0)},
        // CR, LF, CR LF, then LF CR: two line ends.
        {"CR, LF y CR LF", "00", "123456\r7992739871\n1\r\n\n\r2",
         kCabecera + Fila("123456", "1234566", "6") + Fila("7992739871", "79927398713", "3") + Fila("1", "18", "8") +
             kNoValida.repeated(2) + Fila("2", "26", "6"),
         Resumen(6, 2)},
        {"bytes 0x80-0xFF", "00", altos, kCabecera + QByteArray(altos).replace("\r\n", kNoValida), Resumen(128, 128)},
        {"€ en Windows-1252", "35", "\x80", kCabecera + Fila("\x80", "", ""), Rechazo(1, "\xE2\x82\xAC") + Resumen(1, 1)},
        // UTF-8 in, Windows-1252 out: Ñ is 0xD1, € 0x80; U+1F600 has no place there and becomes one "?".
        {"UTF-8 con marca de orden", "35", "\xEF\xBB\xBF" "A\xC3\x91O-2014\r\n\xE2\x82\xAC\r\n\xF0\x9F\x98\x80" "1",
         kCabecera + Fila("A\xD1O-2014", "", "") + Fila("\x80", "", "") + Fila("?1", "", ""),
         Rechazo(1, "\xC3\x91") + Rechazo(2, "\xE2\x82\xAC") + Rechazo(3, "\xF0\x9F\x98\x80") + Resumen(3, 3)},
    };
    QTemporaryDir dir;
    for (const auto& [nombre, codigo, entrada, salida, errores] : casos) {
        EscribirArchivo(dir.filePath("entrada.txt"), entrada);
        EXPECT_EQ(Correr({"masivo", codigo, dir.filePath("entrada.txt")}), (Salida{0, salida, errores})) << nombre;
    }
}

// Results for a terminal are recoded to UTF-8 there; anywhere else they are the file's bytes.
TEST(Cli, ResultadosEnUnTerminal) {
    for (const bool terminal : {false, true}) {
        QByteArray entrada = "123456\r\n\x80", out, err;
        QBuffer e(&entrada), s(&out), r(&err);
        e.open(QIODevice::ReadOnly), s.open(QIODevice::WriteOnly), r.open(QIODevice::WriteOnly);
        vaviviv::cli::Consola consola{e, s, r, terminal};
        EXPECT_EQ(vaviviv::cli::Ejecutar({"masivo", "00", "-"}, consola), 0);
        EXPECT_EQ(out, terminal ? "Referencia\tReferencia Completa\tD\xC3\xADgito Verif\r\n123456\t1234566\t6\t\r\n\xE2\x82\xAC\tError: Referencia no v\xC3\xA1lida.\t\t\r\n"
                                : kCabecera + Fila("123456", "1234566", "6") + Fila("\x80", "Error: Referencia no v\xE1lida.", ""));
    }
}

// Standard output on a full device: whatever was computed, each subcommand
// fails with the system's reason.
TEST(CliHostiles, SalidaEstandarLlena) {
    const QStringList casos[] = {{"masivo", "00", VAVIVIV_SAMPLES "/referencias_00.txt"}, {"calcular", "00", "123456"},
                                 {"verificar", "00", "1234566"}, {"verificar", "00", "1234567"}, {"--help"}, {"--version"}};
    for (const QStringList& args : casos)
        EXPECT_EQ(Correr(args, {}, "/dev/full"), (Salida{1, "", "No se pudo escribir la salida est\xC3\xA1ndar: No queda espacio en el dispositivo\n"}))
            << args.join(' ').toStdString();
}

// A file that cannot be read or written, by masivo or verificar --archivo, is
// named with the system's reason, exit code 1; the earlier results stay, with
// no temporary file beside them; a device is written in place, never replaced
// by a file of its name.
TEST(CliHostiles, ArchivosQueNoSePuedenLeerNiEscribir) {
    QTemporaryDir tmp;
    const QString dir = tmp.path(), previo = dir + "/previo.txt", falta = dir + "/no está.txt", larga = dir + "/larga.txt";
    const QString entrada = QStringLiteral(VAVIVIV_SAMPLES "/referencias_00.txt");
    EscribirArchivo(larga, "123456\r\n" + QByteArray(32767, '\x01'));  // one character past the limit, and no line end
    EscribirArchivo(previo, "anterior\r\n");
    const std::tuple<QString, QString, QString, QByteArray, QByteArray> casos[] = {
        {falta, previo, falta, "abrir", "No existe el archivo o la carpeta"},
        {dir, previo, dir, "abrir", "Es una carpeta"},
        {larga, previo, larga, "leer", "La l\xC3\xADnea 2 tiene m\xC3\xA1s de 32,766 caracteres"},
        {entrada, falta + "/previo.txt", falta + "/previo.txt", "crear", "No existe el archivo o la carpeta"},
        {entrada, dir, dir, "crear", "Es una carpeta"},
        {entrada, "/dev/full", "/dev/full", "escribir", "No queda espacio en el dispositivo"},
    };
    for (const auto& [archivo, salida, nombrado, falla, razon] : casos) {
        for (const QStringList& orden : {QStringList{"masivo", "00", archivo}, {"verificar", "00", "--archivo", archivo}}) {
            const Salida s = Correr(orden + QStringList{"-o", salida});
            EXPECT_EQ(s, (Salida{1, "", "No se pudo " + falla + " \xC2\xAB" + nombrado.toUtf8() + "\xC2\xBB: " + razon + "\n"}));
            EXPECT_EQ(LeerArchivo(previo), "anterior\r\n");
            EXPECT_EQ(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList({"larga.txt", "previo.txt"}));
        }
    }
    EXPECT_TRUE(QFileInfo::exists("/dev/full"));
    EXPECT_FALSE(QFileInfo("/dev/full").isFile());
}

// A disk that fills up: a 64 KiB tmpfs in a mount namespace of the test's own.
// First the results outgrow it; then, full already, one line, which fails only
// when the last buffer goes out. Each time the tool says why; the earlier file stays alone.
TEST(CliHostiles, DiscoLleno) {
    const QString unshare = QStandardPaths::findExecutable("unshare");
    if (unshare.isEmpty()) GTEST_SKIP() << "no unshare to make a mount namespace with";
    QTemporaryDir dir;
    const QString disco = dir.filePath("disco"), fuera = dir.path();
    EscribirArchivo(fuera + "/grande.txt", QByteArray("123456\r\n").repeated(20000));  // about 340 KB of results
    EscribirArchivo(fuera + "/una.txt", "123456\r\n");
    EscribirArchivo(fuera + "/previo.txt", "anterior\t" + QByteArray(100, 'x') + "\r\n");
    const char* guion = "mkdir \"$1\"; : > \"$3/dentro\"; mount -t tmpfs -o size=64k tmpfs \"$1\" || exit 99\n"
                        "cp \"$3/previo.txt\" \"$1/resultados.txt\"\n"
                        "for e in grande una; do\n"
                        "  \"$2\" masivo 00 \"$3/$e.txt\" -o \"$1/resultados.txt\" 2> \"$3/$e\"; echo $? >> \"$3/$e\"\n"
                        "  cmp -s \"$3/previo.txt\" \"$1/resultados.txt\" && echo igual >> \"$3/$e\"\n"
                        "  ls -A \"$1\" | grep -v relleno >> \"$3/$e\"; head -c 100000 /dev/zero > \"$1/relleno\"\n"
                        "done; exit 0\n";
    const QStringList usuario = geteuid() == 0 ? QStringList{} : QStringList{"--user", "--map-root-user"};  // its own, for a user
    const Salida s = Ejecutar(unshare, usuario + QStringList{"--mount", "--propagation", "private", "sh", "-c", guion, "sh", disco, VAVIVIV_CLI, fuera}, {}, {}, true);
    if (!QFileInfo::exists(fuera + "/dentro")) GTEST_SKIP() << "no mount namespace could be made here: " << s.err.toStdString();
    if (s.codigo == 99) GTEST_SKIP() << "no tmpfs could be mounted in the namespace: " << s.err.toStdString();
    const QByteArray esperado = kNombre + ("No se pudo escribir \xC2\xAB" + disco.toUtf8()) + "/resultados.txt\xC2\xBB: No queda espacio en el dispositivo\n1\nigual\nresultados.txt\n";
    EXPECT_EQ(LeerArchivo(fuera + "/grande"), esperado);
    EXPECT_EQ(LeerArchivo(fuera + "/una"), esperado);
    EXPECT_FALSE(QFileInfo::exists(disco + "/resultados.txt")) << "the tmpfs was seen outside its namespace";
}

// The tool runs with its data (heap and thread stacks included) capped at 20
// MB on the inputs that take the most memory: lines of 32,766 characters of
// four bytes (each line held whole, counted and decoded), of 32,766 tabs, of
// 32,766 Windows-1252 letters; empty lines (their results take the most bytes
// per byte); and 70 MB of five-column records, which a tool that kept what it
// has written could not hold. Also with four processors shown to it, where a
// mount namespace can be made: as many calculating threads as it takes.
TEST(CliHostiles, MemoriaAcotadaConUnaEntradaLarga) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory and quarantine are not the tool's";
#endif
    QTemporaryDir dir;
    const QByteArray linea = QByteArray("\xF0\x9F\x98\x80").repeated(32766) + "\r\n";
    const std::tuple<const char*, QByteArray, QByteArray> casos[] = {
        {"cuatro bytes", "\xEF\xBB\xBF" + linea.repeated(200), Resumen(200, 200)},
        {"tabuladores", (QByteArray(32766, '\t') + "\r\n").repeated(600), Resumen(600, 600)},
        {"Windows-1252", (QByteArray(32766, '\xD1') + "\r\n").repeated(600), Resumen(600, 600)},
        {"vacías", QByteArray(4000000, '\n'), Resumen(4000000, 4000000)},
        {"cinco columnas", QByteArray("123456789012\t123456.78\t15/06/2000\r\n").repeated(2000000), Resumen(2000000, 0)},
        // CSV: records of the limit, most of their characters line ends inside quotes.
        {"CSV entre comillas", ("\"" + QByteArray("\xD1\n").repeated(16382) + "\"\r\n").repeated(600), Resumen(600, 600)},
    };
    EscribirArchivo(dir.filePath("cpus"), "0-3\n");
    // The tool, or (`cuatro`) the same in a mount namespace where the system shows four processors.
    const auto correr = [&](bool cuatro, const QString& entrada) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.setChildProcessModifier([] { const rlimit tope{20 << 20, 20 << 20}; ::setrlimit(RLIMIT_DATA, &tope); });
        const char* guion = "mount --bind \"$1\" /sys/devices/system/cpu/online && [ \"$(getconf _NPROCESSORS_ONLN)\" = 4 ] || exit 99\n"
                            "shift; exec \"$@\"\n";
        const QStringList usuario = geteuid() == 0 ? QStringList{} : QStringList{"--user", "--map-root-user"};
        const QStringList herramienta = {VAVIVIV_CLI, "masivo", "10", entrada};
        if (cuatro) p.start("unshare", usuario + QStringList{"--mount", "sh", "-c", guion, "sh", dir.filePath("cpus")} + herramienta);
        else p.start(herramienta[0], herramienta.mid(1));
        EXPECT_TRUE(p.waitForFinished(120000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        return std::pair(p.exitCode(), SinNombre(p.readAllStandardError()));
    };
    const bool cuatro = !QStandardPaths::findExecutable("unshare").isEmpty() && correr(true, "/dev/null").first == 0;
    for (const auto& [nombre, bytes, resumen] : casos) {
        const QString entrada = dir.filePath(QString(nombre).startsWith("CSV") ? "entrada.csv" : "entrada.txt");
        EscribirArchivo(entrada, bytes);
        for (const bool c : {false, true}) {
            if (c && !cuatro) continue;
            const auto [codigo, errores] = correr(c, entrada);
            EXPECT_EQ(std::pair(codigo, errores), std::pair(0, resumen)) << nombre << (c ? ", cuatro procesadores" : "");
        }
    }
    if (!cuatro) std::cout << "(no mount namespace here: only on this machine's own processors)\n";
}

// Lines of 32,766 characters are records, in Windows-1252 and in UTF-8 (a
// character outside the BMP is one); one more stops the tool with the line
// named, the rows before it written.
TEST(CliHostiles, LineaDeHasta32766Caracteres) {
    const QByteArray bom = "\xEF\xBB\xBF", cara = "\xF0\x9F\x98\x80";
    const std::tuple<QByteArray, QByteArray, QByteArray> casos[] = {  // the file's start, a character, as written
        {"", "7", "7"}, {"", "\xD1", "\xD1"}, {bom, "\xC3\x91", "\xD1"}, {bom, cara, "?"}};
    QTemporaryDir dir;
    const QString ruta = dir.filePath("entrada.txt");
    for (const auto& [inicio, caracter, escrito] : casos) {
        for (const int n : {32766, 32767}) {
            EscribirArchivo(ruta, inicio + "123456\r\n" + caracter.repeated(n) + "\r\n123456\r\n");
            const QByteArray bien = Fila("123456", "1234566", "6"), larga = Fila(escrito.repeated(n), "Error: Referencia mayor a 19 d\xEDgitos.", "");
            const Salida esperada = n <= 32766 ? Salida{0, kCabecera + bien + larga + bien, Resumen(3, 1)}
                                               : Salida{1, kCabecera + bien, "No se pudo leer \xC2\xAB" + ruta.toUtf8() + "\xC2\xBB: La l\xC3\xADnea 2 tiene m\xC3\xA1s de 32,766 caracteres\n"};
            EXPECT_EQ(Correr({"masivo", "00", ruta}), esperada) << caracter.toPercentEncoding().toStdString() << " " << n;
        }
    }
}

// A file named .csv is read as CSV by masivo and verificar --archivo: the
// same results, summary and exit as the tab-separated file of its records
// (the output, which quotes nothing, is the same bytes). Under another name,
// the same bytes are records of one field.
TEST(Cli, CsvComoSuArchivoTabulado) {
    QTemporaryDir dir;
    const QString tabulado = dir.filePath("entrada.txt");
    EscribirArchivo(tabulado, kTabulado);
    const QList<QStringList> ordenes = {{"masivo", "10", "ENTRADA"}, {"verificar", "10", "--archivo", "ENTRADA"},
                                        {"masivo", "00", "ENTRADA", "-o", "-"}};
    for (const QStringList& orden : ordenes) {
        const auto correr = [&](const QString& entrada) { return Correr(QStringList(orden).replaceInStrings("ENTRADA", entrada)); };
        const Salida esperada = correr(tabulado);
        ASSERT_EQ(esperada.codigo, 0) << esperada.err.toStdString();
        ASSERT_EQ(esperada.out.count("\r\n"), 7);
        for (const auto& [nombre, bytes] : kCsvEquivalentes) {
            const QString csv = dir.filePath(nombre), otro = dir.filePath(nombre + QStringLiteral(".txt"));
            EscribirArchivo(csv, bytes);
            EscribirArchivo(otro, bytes);
            EXPECT_EQ(correr(csv), esperada) << orden.join(' ').toStdString() << " " << nombre;
            EXPECT_NE(correr(otro).out, esperada.out) << nombre;
        }
    }
}

// Where no thread can be started (the user's processes at their limit), the
// file is calculated on the one there is.
TEST(CliHostiles, SinHilosQueArrancar) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the leak checker needs a thread of its own";
#endif
    QProcess p;
    p.setChildProcessModifier([] {
        const rlimit uno{1, 1};
        ::setrlimit(RLIMIT_NPROC, &uno);
        DejarPrivilegios();
    });
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(CliAlcanzable(), {"masivo", "00", "-"});
    p.write(QByteArray("123456\r\n").repeated(100000));
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(std::pair(p.exitCode(), SinNombre(p.readAllStandardError())), std::pair(0, QByteArray("Registros: 100000, con error: 0\n")));
}

}  // namespace
