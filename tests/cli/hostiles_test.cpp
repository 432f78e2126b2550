// Hostile input and output files through `vaviviv-cli masivo`, run as a real
// process: nothing crashes or hangs, every record comes out byte for byte as
// it went in, and a file that cannot be read or written is named with the
// system's reason, exit code 1, leaving the earlier results file as it was.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <string>
#include <vector>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Salida {
    int codigo;
    QByteArray out, err;
};

// Runs `programa` with `args`, feeding `entrada` on standard input. A run that
// does not end within the time is killed and fails the test.
Salida Ejecutar(const QString& programa, const QStringList& args, const QByteArray& entrada = {},
                const QProcessEnvironment& entorno = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(entorno);
    p.start(programa, args);
    EXPECT_TRUE(p.waitForStarted(10000)) << programa.toStdString();
    p.write(entrada);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << "no terminó: " << args.join(' ').left(200).toStdString();
    }
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << args.join(' ').left(200).toStdString();
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

Salida Correr(const QStringList& args, const QByteArray& entrada = {}) {
    return Ejecutar(VAVIVIV_CLI, args, entrada);
}

QByteArray LeerArchivo(const QString& ruta) {
    QFile f(ruta);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << ruta.toStdString();
    return f.readAll();
}

void EscribirArchivo(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << ruta.toStdString();
    ASSERT_EQ(f.write(datos), datos.size());
}

// The results header of the three-column codes, in Windows-1252 ("í" is 0xED).
const QByteArray kCabecera3 = "Referencia\tReferencia Completa\tD\xEDgito Verif\r\n";
const QByteArray kCabecera5 = "Referencia\tSucursal\tCuenta\tReferencia Completa\tD\xEDgito Verif\r\n";
const QByteArray kNoValida = "Error: Referencia no v\xE1lida.";  // "á" is 0xE1

QByteArray Fila(std::initializer_list<QByteArray> celdas) {
    QByteArray l;
    for (const QByteArray& c : celdas) l += c + '\t';
    return l + "\r\n";
}

QByteArray Resumen(int registros, int errores) {
    return QByteArray("Registros: ") + QByteArray::number(registros) + ", con error: " + QByteArray::number(errores) + "\n";
}

// The system's own text for an error number, as the tool prints it.
QByteArray TextoDelSistema(int error) { return QByteArray(std::strerror(error)); }

// ---------------------------------------------------------------------------
// What the file holds.

TEST(CliHostiles, ArchivoDeCeroBytes) {
    QTemporaryDir dir;
    const QString entrada = dir.filePath("vacio.txt"), salida = dir.filePath("resultados.txt");
    EscribirArchivo(entrada, {});
    const Salida s = Correr({"masivo", "06", entrada, "-o", salida});
    EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
    EXPECT_EQ(s.err, Resumen(0, 0));
    EXPECT_EQ(LeerArchivo(salida), kCabecera5);
}

TEST(CliHostiles, SoloFinesDeLinea) {
    // CR LF, LF, LF then CR (two ends), CR LF: five empty records; the last
    // line end adds none.
    const Salida s = Correr({"masivo", "00", "-"}, "\r\n\n\n\r\r\n");
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.out, kCabecera3 + Fila({"", kNoValida, ""}).repeated(5));
    EXPECT_EQ(s.err, Resumen(5, 5));
}

TEST(CliHostiles, DatosBinariosConNulos) {
    const QByteArray entrada("123456\0\r\n\0\0\0\r\n\x01\x02\xFE\xFF\0\t\0\r\n7992739871\0\r\n123456", 42);
    const Salida s = Correr({"masivo", "00", "-"}, entrada);
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.out, kCabecera3 + Fila({QByteArray("123456\0", 7), kNoValida, ""}) +
                         Fila({QByteArray(3, '\0'), kNoValida, ""}) +
                         Fila({QByteArray("\x01\x02\xFE\xFF\0", 5), kNoValida, ""}) +
                         Fila({QByteArray("7992739871\0", 11), kNoValida, ""}) + Fila({"123456", "1234566", "6"}));
    EXPECT_EQ(s.err, Resumen(5, 4));

    // Code 06 keeps the NUL in the branch cell as it stands.
    const Salida seis = Correr({"masivo", "06", "-"}, QByteArray("890\t12\0" "3\t4567\r\n", 15));
    EXPECT_EQ(seis.out, kCabecera5 + Fila({"890", QByteArray("12\0" "3", 4), "4567",
                                           "Error: Sucursal no v\xE1lida.", ""}));
}

TEST(CliHostiles, UnaLineaDeUnMegabyte) {
    const int kMega = 1 << 20;
    // Code 02 has no length limit: the date prefix and 1 MiB of zeros after it
    // keep the prefix's weights, so the digit is that of 141118 alone, 0.
    const QByteArray larga = "141118" + QByteArray(kMega - 6, '0');
    const Salida s = Correr({"masivo", "02", "-"}, larga + "\r\n141118ABC");
    EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
    EXPECT_EQ(s.out, kCabecera3 + Fila({larga, larga + "0", "0"}) + Fila({"141118ABC", "141118ABC1", "1"}));
    EXPECT_EQ(s.err, Resumen(2, 0));

    // Code 00 refuses it and still writes it back whole.
    const QByteArray digitos(kMega, '7');
    const Salida cero = Correr({"masivo", "00", "-"}, digitos + "\n123456\n");
    EXPECT_EQ(cero.out, kCabecera3 + Fila({digitos, "Error: Referencia mayor a 19 d\xEDgitos.", ""}) +
                            Fila({"123456", "1234566", "6"}));
}

TEST(CliHostiles, LineaDeCienMilTabuladores) {
    // 100,000 tabs after the branch and account: the fields past the third go.
    const QByteArray primera = "890\t123\t4567" + QByteArray(100000 - 2, '\t');
    const Salida s = Correr({"masivo", "06", "-"}, primera + "\r\n" + QByteArray(100000, '\t') + "\r\n");
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.out, kCabecera5 + Fila({"890", "123", "4567", "89062", "62"}) + Fila({"", "", "", kNoValida, ""}));
    EXPECT_EQ(s.err, Resumen(2, 1));

    const Salida tres = Correr({"masivo", "00", "-"}, "123456" + QByteArray(100000, '\t'));
    EXPECT_EQ(tres.out, kCabecera3 + Fila({"123456", "1234566", "6"}));
}

TEST(CliHostiles, FinesDeLineaMezclados) {
    // CR, LF, CR LF, then LF CR: two line ends, two empty records.
    const Salida s = Correr({"masivo", "00", "-"}, "123456\r7992739871\n1\r\n\n\r2");
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.out, kCabecera3 + Fila({"123456", "1234566", "6"}) + Fila({"7992739871", "79927398713", "3"}) +
                         Fila({"1", "18", "8"}) + Fila({"", kNoValida, ""}) + Fila({"", kNoValida, ""}) +
                         Fila({"2", "26", "6"}));
    EXPECT_EQ(s.err, Resumen(6, 2));
}

TEST(CliHostiles, CadaByteDe0x80A0xFF) {
    // Eight lines of sixteen bytes, 0x80-0x8F to 0xF0-0xFF, then all 128 in one.
    QByteArray lineas, esperado = kCabecera3;
    for (int b = 0x80; b <= 0xFF; b += 16) {
        QByteArray linea;
        for (int i = b; i < b + 16; ++i) linea.append(char(i));
        lineas += linea + "\r\n";
        esperado += Fila({linea, kNoValida, ""});
    }
    QByteArray todos;
    for (int b = 0x80; b <= 0xFF; ++b) todos.append(char(b));
    // Windows-1252 both ways: every byte comes back unchanged.
    const Salida s = Correr({"masivo", "00", "-"}, lineas + todos);
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.out, esperado + Fila({todos, "Error: Referencia mayor a 19 d\xEDgitos.", ""}));
    EXPECT_EQ(s.err, Resumen(9, 9));

    // Code 35 names each line's first character, as the code page reads it.
    const Salida t = Correr({"masivo", "35", "-"}, lineas);
    EXPECT_EQ(t.codigo, 0);
    QByteArray vacias = kCabecera3;
    for (int b = 0x80; b <= 0xFF; b += 16) vacias += Fila({lineas.mid((b - 0x80) / 16 * 18, 16), "", ""});
    EXPECT_EQ(t.out, vacias);
    const char* primeros[] = {"\xE2\x82\xAC" /* € */, "\xC2\x90", "\xC2\xA0" /* no-break space */, "\xC2\xB0" /* ° */,
                              "\xC3\x80" /* À */,       "\xC3\x90" /* Ð */, "\xC3\xA0" /* à */, "\xC3\xB0" /* ð */};
    QByteArray informe;
    for (int i = 0; i < 8; ++i)
        informe += "Registro " + QByteArray::number(i + 1) + ": Caracter no V\xC3\xA1lido en la referencia: ' " +
                   primeros[i] + " '\n";
    EXPECT_EQ(t.err, informe + Resumen(8, 8));
}

TEST(CliHostiles, Utf8ConMarcaDeOrden) {
    // UTF-8 in, Windows-1252 out: Ñ is 0xD1, Ω has no place and becomes "?".
    const QByteArray entrada = "\xEF\xBB\xBF" "A\xC3\x91O-2014\r\nABC123\r\n\xCE\xA9" "1\r\n";
    const Salida s = Correr({"masivo", "35", "-"}, entrada);
    EXPECT_EQ(s.codigo, 0);
    EXPECT_EQ(s.out, kCabecera3 + Fila({"A\xD1O-2014", "", ""}) + Fila({"ABC123", "ABC1238", "8"}) + Fila({"?1", "", ""}));
    EXPECT_EQ(s.err, "Registro 1: Caracter no V\xC3\xA1lido en la referencia: ' \xC3\x91 '\n"
                     "Registro 3: Caracter no V\xC3\xA1lido en la referencia: ' \xCE\xA9 '\n" + Resumen(3, 2));

    // The mark alone is an empty file; the same bytes without it are Windows-1252.
    EXPECT_EQ(Correr({"masivo", "00", "-"}, "\xEF\xBB\xBF").out, kCabecera3);
    EXPECT_EQ(Correr({"masivo", "00", "-"}, "\xEF\xBB").out, kCabecera3 + Fila({"\xEF\xBB", kNoValida, ""}));
}

// A second U+FEFF after the mark is text, and so is one that starts an
// argument: the reference is refused with that character, not taken without it.
TEST(CliHostiles, FEFFDespuesDeLaMarcaYEnArgumentos) {
    const Salida s = Correr({"masivo", "35", "-"}, "\xEF\xBB\xBF\xEF\xBB\xBF" "ABC\r\n");
    EXPECT_EQ(s.out, kCabecera3 + Fila({"?ABC", "", ""}));
    EXPECT_EQ(s.err, "Registro 1: Caracter no V\xC3\xA1lido en la referencia: ' \xEF\xBB\xBF '\n" + Resumen(1, 1));

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

// ---------------------------------------------------------------------------
// How much memory a long stream takes.

// Peak resident memory (KiB) of one run fed `registros` records through a pipe.
// `extraAsan`: added to ASAN_OPTIONS of that run.
long MemoriaMaxima(long registros, const char* extraAsan = "") {
    std::vector<std::string> variables;
    bool asan = false;
    for (char** e = environ; *e; ++e) {
        variables.emplace_back(*e);
        if (variables.back().starts_with("ASAN_OPTIONS=")) {
            variables.back() += extraAsan;
            asan = true;
        }
    }
    if (!asan) variables.push_back(std::string("ASAN_OPTIONS=") + extraAsan);
    std::vector<char*> entorno;
    for (std::string& v : variables) entorno.push_back(v.data());
    entorno.push_back(nullptr);
    char* const argumentos[] = {const_cast<char*>(VAVIVIV_CLI), const_cast<char*>("masivo"), const_cast<char*>("10"),
                                const_cast<char*>("-"), nullptr};

    int tubo[2];
    if (::pipe(tubo) != 0) return -1;
    const pid_t hijo = ::fork();
    if (hijo == 0) {
        ::dup2(tubo[0], 0);
        ::close(tubo[0]);
        ::close(tubo[1]);
        const int nulo = ::open("/dev/null", O_WRONLY);
        ::dup2(nulo, 1);
        ::dup2(nulo, 2);
        ::execve(VAVIVIV_CLI, argumentos, entorno.data());
        ::_exit(127);
    }
    ::close(tubo[0]);
    // Code 10 reads and writes five columns; all rows valid.
    const QByteArray bloque = QByteArray("123456789012\t123456.78\t15/06/2000\r\n").repeated(1000);
    std::signal(SIGPIPE, SIG_IGN);
    for (long enviados = 0; enviados < registros; enviados += 1000) {
        const char* p = bloque.constData();
        for (qsizetype falta = bloque.size(); falta > 0;) {
            const ssize_t n = ::write(tubo[1], p, std::size_t(falta));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            p += n;
            falta -= n;
        }
    }
    ::close(tubo[1]);
    int estado = 0;
    struct rusage uso {};
    if (::wait4(hijo, &estado, 0, &uso) != hijo || !WIFEXITED(estado) || WEXITSTATUS(estado) != 0) return -1;
    return uso.ru_maxrss;
}

TEST(CliHostiles, MemoriaAcotadaConUnaEntradaLarga) {
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's shadow memory and quarantine of freed blocks add their
    // own share: with the quarantine capped, only the growth says something.
    const char* kCuarentena = ":quarantine_size_mb=4:thread_local_quarantine_size_kb=64";
    const long pocos = MemoriaMaxima(1000, kCuarentena), muchos = MemoriaMaxima(300000, kCuarentena);
    ASSERT_GT(pocos, 0);
    ASSERT_GT(muchos, 0);
    EXPECT_LT(muchos - pocos, 16 * 1024) << pocos << " KiB -> " << muchos << " KiB";
#else
    const long pocos = MemoriaMaxima(1000), muchos = MemoriaMaxima(2000000);  // 2 M records, 70 MB
    ASSERT_GT(pocos, 0);
    ASSERT_GT(muchos, 0);
    EXPECT_LT(muchos, 20 * 1024) << muchos << " KiB";
    EXPECT_LT(muchos - pocos, 4 * 1024) << pocos << " KiB -> " << muchos << " KiB";
#endif
}

}  // namespace
