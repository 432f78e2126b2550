// Hostile input and output files through `vaviviv-cli masivo`, run as a real
// process: nothing crashes or hangs, every record comes out byte for byte as
// it went in, and a file that cannot be read or written is named with the
// system's reason, exit code 1, leaving the earlier results file as it was.

#include "ejecutar_cli.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vaviviv::prueba;

namespace {

// The results header of the three-column codes, in Windows-1252 ("í" is 0xED).
const QByteArray kCabecera3 = "Referencia\tReferencia Completa\tD\xEDgito Verif\r\n";
const QByteArray kCabecera5 = "Referencia\tSucursal\tCuenta\tReferencia Completa\tD\xEDgito Verif\r\n";
const QByteArray kNoValida = "Error: Referencia no v\xE1lida.";  // "á" is 0xE1
const QByteArray kMayor19 = "Error: Referencia mayor a 19 d\xEDgitos.";

QByteArray Fila(std::initializer_list<QByteArray> celdas) {
    QByteArray l;
    for (const QByteArray& c : celdas) l += c + '\t';
    return l + "\r\n";
}

QByteArray Resumen(int registros, int errores) {
    return QByteArray("Registros: ") + QByteArray::number(registros) + ", con error: " + QByteArray::number(errores) + "\n";
}

QByteArray CaracterNoValido(int registro, const char* utf8) {
    return "Registro " + QByteArray::number(registro) + ": Caracter no V\xC3\xA1lido en la referencia: ' " + utf8 + " '\n";
}

// The system's own text for an error number, as the tool prints it.
QByteArray TextoDelSistema(int error) { return QByteArray(std::strerror(error)); }

// ---------------------------------------------------------------------------
// What the file holds: each file read from disk, the results and the report.

struct Contenido {
    const char* nombre;
    const char* codigo;
    QByteArray entrada, salida, errores;
};

std::vector<Contenido> Contenidos() {
    const int kMega = 1 << 20;
    std::vector<Contenido> casos;
    casos.push_back({"0 bytes", "06", {}, kCabecera5, Resumen(0, 0)});
    // CR LF, LF, LF then CR (two ends), CR LF: five empty records; the last line end adds none.
    casos.push_back({"solo fines de línea", "00", "\r\n\n\n\r\r\n", kCabecera3 + Fila({"", kNoValida, ""}).repeated(5), Resumen(5, 5)});
    casos.push_back({"binario con NUL", "00", QByteArray("123456\0\r\n\0\0\0\r\n\x01\x02\xFE\xFF\0\t\0\r\n7992739871\0\r\n123456", 42),
                     kCabecera3 + Fila({QByteArray("123456\0", 7), kNoValida, ""}) + Fila({QByteArray(3, '\0'), kNoValida, ""}) +
                         Fila({QByteArray("\x01\x02\xFE\xFF\0", 5), kNoValida, ""}) +
                         Fila({QByteArray("7992739871\0", 11), kNoValida, ""}) + Fila({"123456", "1234566", "6"}),
                     Resumen(5, 4)});
    // Code 06 keeps the NUL in the branch cell as it stands.
    casos.push_back({"NUL en la sucursal", "06", QByteArray("890\t12\0" "3\t4567\r\n", 15),
                     kCabecera5 + Fila({"890", QByteArray("12\0" "3", 4), "4567", "Error: Sucursal no v\xE1lida.", ""}), Resumen(1, 1)});
    // Code 02 has no length limit: zeros after the date prefix keep its weights, so the digit is that of 141118 alone.
    const QByteArray larga = "141118" + QByteArray(kMega - 6, '0');
    casos.push_back({"línea de 1 MB", "02", larga + "\r\n141118ABC",
                     kCabecera3 + Fila({larga, larga + "0", "0"}) + Fila({"141118ABC", "141118ABC1", "1"}), Resumen(2, 0)});
    const QByteArray sietes(kMega, '7');  // refused by 00, still written back whole
    casos.push_back({"línea de 1 MB, 00", "00", sietes + "\n123456\n",
                     kCabecera3 + Fila({sietes, kMayor19, ""}) + Fila({"123456", "1234566", "6"}), Resumen(2, 1)});
    // The fields past the third go.
    casos.push_back({"100.000 tabuladores", "06", "890\t123\t4567" + QByteArray(100000 - 2, '\t') + "\r\n" + QByteArray(100000, '\t') + "\r\n",
                     kCabecera5 + Fila({"890", "123", "4567", "89062", "62"}) + Fila({"", "", "", kNoValida, ""}), Resumen(2, 1)});
    casos.push_back({"100.000 tabuladores, 00", "00", "123456" + QByteArray(100000, '\t'), kCabecera3 + Fila({"123456", "1234566", "6"}),
                     Resumen(1, 0)});
    // CR, LF, CR LF, then LF CR: two line ends, two empty records.
    casos.push_back({"CR, LF y CR LF", "00", "123456\r7992739871\n1\r\n\n\r2",
                     kCabecera3 + Fila({"123456", "1234566", "6"}) + Fila({"7992739871", "79927398713", "3"}) + Fila({"1", "18", "8"}) +
                         Fila({"", kNoValida, ""}).repeated(2) + Fila({"2", "26", "6"}),
                     Resumen(6, 2)});
    // Eight lines of sixteen bytes, 0x80-0x8F to 0xF0-0xFF, then all 128 in one:
    // Windows-1252 both ways, every byte comes back unchanged.
    QByteArray altos, todos, filas00, filas35;
    for (int b = 0x80; b <= 0xFF; b += 16) {
        QByteArray linea;
        for (int i = b; i < b + 16; ++i) linea.append(char(i));
        altos += linea + "\r\n";
        todos += linea;
        filas00 += Fila({linea, kNoValida, ""});
        filas35 += Fila({linea, "", ""});
    }
    casos.push_back({"bytes 0x80-0xFF", "00", altos + todos, kCabecera3 + filas00 + Fila({todos, kMayor19, ""}), Resumen(9, 9)});
    // Code 35 names each line's first character, as the code page reads it.
    QByteArray informe;
    const char* primeros[] = {"\xE2\x82\xAC" /* € */, "\xC2\x90", "\xC2\xA0" /* no-break space */, "\xC2\xB0" /* ° */,
                              "\xC3\x80" /* À */,       "\xC3\x90" /* Ð */, "\xC3\xA0" /* à */, "\xC3\xB0" /* ð */};
    for (int i = 0; i < 8; ++i) informe += CaracterNoValido(i + 1, primeros[i]);
    casos.push_back({"bytes 0x80-0xFF, 35", "35", altos, kCabecera3 + filas35, informe + Resumen(8, 8)});
    // UTF-8 in, Windows-1252 out: Ñ is 0xD1, Ω has no place and becomes "?".
    casos.push_back({"UTF-8 con marca de orden", "35", "\xEF\xBB\xBF" "A\xC3\x91O-2014\r\nABC123\r\n\xCE\xA9" "1\r\n",
                     kCabecera3 + Fila({"A\xD1O-2014", "", ""}) + Fila({"ABC123", "ABC1238", "8"}) + Fila({"?1", "", ""}),
                     CaracterNoValido(1, "\xC3\x91") + CaracterNoValido(3, "\xCE\xA9") + Resumen(3, 2)});
    // The mark alone is an empty file; the same bytes without it are Windows-1252.
    casos.push_back({"solo la marca", "00", "\xEF\xBB\xBF", kCabecera3, Resumen(0, 0)});
    casos.push_back({"marca incompleta", "00", "\xEF\xBB", kCabecera3 + Fila({"\xEF\xBB", kNoValida, ""}), Resumen(1, 1)});
    // A second U+FEFF after the mark is text: the reference is refused with it.
    casos.push_back({"U+FEFF tras la marca", "35", "\xEF\xBB\xBF\xEF\xBB\xBF" "ABC\r\n", kCabecera3 + Fila({"?ABC", "", ""}),
                     CaracterNoValido(1, "\xEF\xBB\xBF") + Resumen(1, 1)});
    return casos;
}

TEST(CliHostiles, Contenidos) {
    QTemporaryDir dir;
    const QString entrada = dir.filePath("entrada.txt");
    for (const Contenido& caso : Contenidos()) {
        SCOPED_TRACE(caso.nombre);
        EscribirArchivo(entrada, caso.entrada);
        const Salida s = Correr({"masivo", caso.codigo, entrada});
        EXPECT_EQ(s.codigo, 0);
        EXPECT_EQ(s.out, caso.salida);
        EXPECT_EQ(s.err, caso.errores);
    }
}

// A U+FEFF that starts an argument is part of the reference, not dropped.
TEST(CliHostiles, FEFFAlPrincipioDeUnArgumento) {
    const Salida c = Correr({"calcular", "35", QChar(0xFEFF) + QStringLiteral("ABC")});
    EXPECT_EQ(c.codigo, 1);
    EXPECT_TRUE(c.out.isEmpty()) << c.out.toStdString();
    EXPECT_EQ(c.err, "Caracter no V\xC3\xA1lido en la referencia: ' \xEF\xBB\xBF '\n");
}

// ---------------------------------------------------------------------------
// Where the file is.

TEST(CliHostiles, RutaConEspaciosYAcentos) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QString::fromUtf8("carpeta con espacios/año ñandú é")));
    const QString carpeta = dir.filePath(QString::fromUtf8("carpeta con espacios/año ñandú é"));
    const QString entrada = carpeta + QString::fromUtf8("/entrada ñ.txt");
    const QString salida = carpeta + QString::fromUtf8("/resultados año.txt");
    EscribirArchivo(entrada, "123456\r\n");
    // The C locale must not matter: arguments and paths are UTF-8.
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.remove("LANG");
    entorno.insert("LC_ALL", "C");
    const Salida s = Ejecutar(VAVIVIV_CLI, {"masivo", "00", entrada, "-o", salida}, {}, entorno);
    EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
    EXPECT_EQ(LeerArchivo(salida), kCabecera3 + Fila({"123456", "1234566", "6"}));
    EXPECT_EQ(QDir(carpeta).entryList(QDir::Files).size(), 2);

    const QString falta = carpeta + QString::fromUtf8("/no está.txt");
    const Salida f = Ejecutar(VAVIVIV_CLI, {"masivo", "00", falta}, {}, entorno);
    EXPECT_EQ(f.codigo, 1);
    EXPECT_EQ(f.err, "No se pudo abrir \xC2\xAB" + falta.toUtf8() + "\xC2\xBB: " + TextoDelSistema(ENOENT) + "\n");
}

TEST(CliHostiles, CarpetaComoArchivo) {
    QTemporaryDir dir;
    const QString carpeta = dir.filePath("carpeta");
    ASSERT_TRUE(QDir().mkdir(carpeta));
    const QString previo = dir.filePath("previo.txt");
    EscribirArchivo(previo, "anterior\r\n");

    const Salida leer = Correr({"masivo", "00", carpeta, "-o", previo});
    EXPECT_EQ(leer.codigo, 1);
    EXPECT_TRUE(leer.out.isEmpty());
    EXPECT_TRUE(leer.err.startsWith("No se pudo abrir \xC2\xAB" + carpeta.toUtf8() + "\xC2\xBB: ")) << leer.err.toStdString();
    EXPECT_TRUE(leer.err.contains("directory")) << leer.err.toStdString();
    EXPECT_EQ(LeerArchivo(previo), "anterior\r\n");

    const Salida escribir = Correr({"masivo", "00", "-", "-o", carpeta}, "123456\r\n");
    EXPECT_EQ(escribir.codigo, 1);
    EXPECT_TRUE(escribir.err.startsWith("No se pudo crear \xC2\xAB" + carpeta.toUtf8() + "\xC2\xBB: ")) << escribir.err.toStdString();
    EXPECT_TRUE(escribir.err.contains("directory")) << escribir.err.toStdString();
    EXPECT_TRUE(QFileInfo(carpeta).isDir());
    EXPECT_TRUE(QDir(carpeta).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
}

// Root reads and writes whatever the permissions say, so the permission cases
// run the tool as user "nobody" (setpriv), from a copy it can execute.
class SinPrivilegios : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                               QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                               QFileDevice::ReadOther | QFileDevice::ExeOther);
        if (geteuid() != 0) return;
        const QString setpriv = QStandardPaths::findExecutable("setpriv");
        if (setpriv.isEmpty()) GTEST_SKIP() << "running as root without setpriv: permissions cannot be denied";
        cli_ = dir_.filePath("vaviviv-cli");
        ASSERT_TRUE(QFile::copy(VAVIVIV_CLI, cli_));
        ASSERT_EQ(::chmod(QFile::encodeName(cli_).constData(), 0755), 0);
        prefijo_ = {"--reuid=65534", "--regid=65534", "--clear-groups", "--", cli_};
        programa_ = setpriv;
    }
    // The tool as a user without privileges.
    Salida Correr(const QStringList& args) {
        return Ejecutar(programa_.isEmpty() ? QString(VAVIVIV_CLI) : programa_, prefijo_ + args);
    }
    // Hands a path to that user (a no-op when the tests do not run as root).
    void Ceder(const QString& ruta) {
        if (geteuid() == 0) {
            ASSERT_EQ(::chown(QFile::encodeName(ruta).constData(), 65534, 65534), 0);
        }
    }

    QTemporaryDir dir_;
    QString cli_, programa_;
    QStringList prefijo_;
};

TEST_F(SinPrivilegios, ArchivoSinPermisoDeLectura) {
    const QString entrada = dir_.filePath("secreto.txt");
    EscribirArchivo(entrada, "123456\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(entrada).constData(), 0), 0);
    // The results file sits in a folder the user may write to.
    const QString carpeta = dir_.filePath("salida");
    ASSERT_TRUE(QDir().mkdir(carpeta));
    Ceder(carpeta);
    const QString previo = carpeta + "/resultados.txt";
    EscribirArchivo(previo, "anterior\r\n");
    Ceder(previo);

    const Salida s = Correr({"masivo", "00", entrada, "-o", previo});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(s.err, "No se pudo abrir \xC2\xAB" + entrada.toUtf8() + "\xC2\xBB: " + TextoDelSistema(EACCES) + "\n");
    EXPECT_EQ(LeerArchivo(previo), "anterior\r\n");
    EXPECT_EQ(QDir(carpeta).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(SinPrivilegios, CarpetaDeSoloLectura) {
    const QString entrada = dir_.filePath("entrada.txt");
    EscribirArchivo(entrada, "123456\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(entrada).constData(), 0644), 0);
    const QString carpeta = dir_.filePath("solo lectura");
    ASSERT_TRUE(QDir().mkdir(carpeta));
    const QString previo = carpeta + "/resultados.txt";
    EscribirArchivo(previo, "anterior\r\n");
    Ceder(previo);
    Ceder(carpeta);
    ASSERT_EQ(::chmod(QFile::encodeName(carpeta).constData(), 0555), 0);

    // Both a new name and the existing file: the temporary file cannot be made.
    for (const QString& destino : {previo, carpeta + "/nuevo.txt"}) {
        const Salida s = Correr({"masivo", "00", entrada, "-o", destino});
        EXPECT_EQ(s.codigo, 1);
        EXPECT_TRUE(s.err.startsWith("No se pudo crear \xC2\xAB" + destino.toUtf8() + "\xC2\xBB: ")) << s.err.toStdString();
        EXPECT_TRUE(s.err.contains(TextoDelSistema(EACCES))) << s.err.toStdString();
    }
    EXPECT_EQ(LeerArchivo(previo), "anterior\r\n");
    EXPECT_EQ(QDir(carpeta).entryList(QDir::Files | QDir::Hidden).size(), 1);
    ::chmod(QFile::encodeName(carpeta).constData(), 0755);
}

// A disk that fills up while the results are written: a 64 KiB tmpfs mounted
// in a mount namespace of the test's own, so nothing outside sees it.
TEST(CliHostiles, DiscoLleno) {
    if (geteuid() != 0 || QStandardPaths::findExecutable("unshare").isEmpty())
        GTEST_SKIP() << "mounting a small tmpfs needs root and unshare";
    QTemporaryDir dir;
    const QString montaje = dir.filePath("disco"), fuera = dir.filePath("fuera");
    ASSERT_TRUE(QDir().mkdir(montaje) && QDir().mkdir(fuera));
    const QString entrada = dir.filePath("entrada.txt");
    EscribirArchivo(entrada, QByteArray("123456\r\n").repeated(20000));  // about 340 KB of results
    const QByteArray anterior = QByteArray("anterior\t") + QByteArray(100, 'x') + "\r\n";
    EscribirArchivo(fuera + "/previo.txt", anterior);

    // First the disk fills up part way through; then, full already, a store
    // of one line, which fails only when the last buffer is flushed.
    const char* guion =
        "mount -t tmpfs -o size=64k tmpfs \"$1\" || exit 99\n"
        "cp \"$4/previo.txt\" \"$1/resultados.txt\"\n"
        "\"$2\" masivo 00 \"$3\" -o \"$1/resultados.txt\" 2> \"$4/err\"\n"
        "echo $? > \"$4/codigo\"\n"
        "cp \"$1/resultados.txt\" \"$4/despues.txt\"\n"
        "ls -A \"$1\" > \"$4/listado\"\n"
        "head -c 100000 /dev/zero > \"$1/relleno\"\n"
        "echo 123456 | \"$2\" masivo 00 - -o \"$1/resultados.txt\" 2> \"$4/err2\"\n"
        "echo $? > \"$4/codigo2\"\n"
        "cp \"$1/resultados.txt\" \"$4/despues2.txt\"\n"
        "ls -A \"$1\" > \"$4/listado2\"\n";
    const Salida s = Ejecutar("unshare", {"--mount", "--propagation", "private", "sh", "-c", guion, "sh", montaje,
                                          VAVIVIV_CLI, entrada, fuera});
    if (s.codigo == 99) GTEST_SKIP() << "tmpfs could not be mounted: " << s.err.toStdString();
    ASSERT_EQ(s.codigo, 0) << s.err.toStdString();
    EXPECT_EQ(LeerArchivo(fuera + "/codigo").trimmed(), "1");
    EXPECT_EQ(LeerArchivo(fuera + "/err"),
              "No se pudo escribir \xC2\xAB" + montaje.toUtf8() + "/resultados.txt\xC2\xBB: " + TextoDelSistema(ENOSPC) + "\n");
    EXPECT_EQ(LeerArchivo(fuera + "/despues.txt"), anterior);
    EXPECT_EQ(LeerArchivo(fuera + "/listado"), "resultados.txt\n") << "no temporary file left behind";

    EXPECT_EQ(LeerArchivo(fuera + "/codigo2").trimmed(), "1");
    const QByteArray err2 = LeerArchivo(fuera + "/err2");
    EXPECT_EQ(err2, "No se pudo escribir \xC2\xAB" + montaje.toUtf8() + "/resultados.txt\xC2\xBB: " + TextoDelSistema(ENOSPC) + "\n");
    EXPECT_EQ(LeerArchivo(fuera + "/despues2.txt"), anterior);
    EXPECT_EQ(LeerArchivo(fuera + "/listado2"), "relleno\nresultados.txt\n");
    EXPECT_FALSE(QFileInfo(montaje + "/resultados.txt").exists()) << "the tmpfs was only seen inside";
}

// A device is written in place, never replaced by a file of the same name.
TEST(CliHostiles, DispositivoLlenoSigueSiendoDispositivo) {
    const Salida s = Correr({"masivo", "00", "-", "-o", "/dev/full"}, QByteArray("123456\r\n").repeated(10000));
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(s.err, "No se pudo escribir \xC2\xAB/dev/full\xC2\xBB: " + TextoDelSistema(ENOSPC) + "\n");
    struct stat st {};
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

// A file with no line end for megabytes is refused where the line passes the
// limit; the earlier results stay.
TEST(CliHostiles, LineaSinFinDeMegabytes) {
    QTemporaryDir dir;
    const QString entrada = dir.filePath("binario.txt"), previo = dir.filePath("previo.txt");
    EscribirArchivo(entrada, "123456\r\n" + QByteArray(9 << 20, '\x01'));
    EscribirArchivo(previo, "anterior\r\n");
    const Salida s = Correr({"masivo", "00", entrada, "-o", previo});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(s.err, "No se pudo leer \xC2\xAB" + entrada.toUtf8() +
                         "\xC2\xBB: La l\xC3\xADnea 2 pasa de 8,388,608 caracteres; el archivo no parece de texto.\n");
    EXPECT_EQ(LeerArchivo(previo), "anterior\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// ---------------------------------------------------------------------------
// How much memory a long stream takes.

// The tool runs with its data (heap included) capped at 20 MB: a tool that
// kept the records it has written would fail on the 70 MB it is fed.
TEST(CliHostiles, MemoriaAcotadaConUnaEntradaLarga) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory and quarantine are not the tool's";
#endif
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setChildProcessModifier([] {
        const rlimit tope{20 << 20, 20 << 20};
        ::setrlimit(RLIMIT_DATA, &tope);
    });
    p.start(QStringLiteral(VAVIVIV_CLI), {"masivo", "10", "-"});
    // Code 10 reads and writes five columns: 2 M records through a pipe.
    p.write(QByteArray("123456789012\t123456.78\t15/06/2000\r\n").repeated(2000000));
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
}

}  // namespace
