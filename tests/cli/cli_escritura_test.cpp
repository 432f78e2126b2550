// vaviviv-cli masivo against an awkward caller and a failing system, as a real
// process: closed standard descriptors, an output that names the input, a
// device, a FIFO, a socket or /dev/stdout, a folder that refuses new entries
// (as nobody: root ignores folder permissions), concurrent runs, a kill, a
// full disk. Whatever happens, an earlier file is replaced whole or left as it
// was, and the messages say what happened.
#include "ejecutar_cli.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <tuple>

using namespace vaviviv::prueba;

namespace {

const QString kMuestra00 = QStringLiteral(VAVIVIV_SAMPLES "/referencias_00.txt");
const QString kMuestra35 = QStringLiteral(VAVIVIV_SAMPLES "/referencias_35.txt");

// What the tool writes for `entrada` to standard output, which the other tests check byte by byte.
QByteArray Resultados(const QString& codigo, const QString& entrada) { return Correr({"masivo", codigo, entrada}).out; }

// `guion` under sh with $1 the tool (the copy nobody can run) and $2 `dir`;
// $N the nobody-or-self prefix: "setpriv ..." as root, empty otherwise.
Salida Guion(const QString& guion, const QString& dir, const QByteArray& entrada = {}) {
    const QString comoNadie = EsRoot() ? QStringLiteral("setpriv --reuid=65534 --regid=65534 --clear-groups") : QString();
    return Ejecutar("/bin/sh", {"-c", "N=\"" + comoNadie + "\"\n" + guion, "sh", CliAlcanzable(), dir}, entrada, {}, true);
}

// A folder of `dir` that refuses new entries to the user the tool runs as,
// holding `nombre` with `contenido`, writable by that user.
QString CarpetaCerrada(const QString& dir, const QString& nombre, const QByteArray& contenido) {
    const QString cerrada = dir + "/cerrada";
    QDir().mkdir(cerrada);
    EscribirArchivo(cerrada + "/" + nombre, contenido);
    ::chmod(QFile::encodeName(cerrada + "/" + nombre).constData(), 0666);
    ::chmod(QFile::encodeName(cerrada).constData(), 0555);
    return cerrada;
}

// -o naming the input, by its own name or another: the input is read whole
// before anything replaces it, in a folder that takes new entries and in one
// that refuses them. Every name ends holding either the input or its whole results.
TEST(CliEscritura, SalidaQueNombraLaEntrada) {
    const QByteArray entrada = LeerArchivo(kMuestra00), resultados = Resultados("00", kMuestra00);
    const std::tuple<const char*, const char*, const char*> casos[] = {
        {"el mismo nombre", "", "datos.txt"},
        {"otro camino al mismo nombre", "", "../$(basename \"$d\")/./datos.txt"},
        {"un enlace duro", "ln datos.txt otro.txt", "otro.txt"},
        {"un enlace simbólico", "ln -s datos.txt otro.txt", "otro.txt"},
    };
    for (const bool cerrada : {false, true}) {
        for (const auto& [nombre, enlace, salida] : casos) {
            CarpetaComun dir;
            QString d = dir.filePath("d");
            QDir().mkdir(d);
            EscribirArchivo(d + "/datos.txt", entrada);
            ::chmod(QFile::encodeName(d + "/datos.txt").constData(), 0666);
            const QString guion = QStringLiteral("d=\"$2/d\"; cd \"$d\" && %1\nchmod %2 \"$d\"\n"
                                                 "$N \"$1\" masivo 00 datos.txt -o %3 2>&1; echo \"salida $?\"")
                                      .arg(QString(*enlace ? enlace : ":"), QString(cerrada ? "0555" : "0777"), QString(salida));
            const Salida s = Guion(guion, dir.path());
            const QString que = QStringLiteral("%1, carpeta %2").arg(nombre, cerrada ? "cerrada" : "abierta");
            EXPECT_EQ(s.out, "Registros: 7, con error: 3\nsalida 0\n") << que.toStdString();
            const QString destino = d + "/" + QString(salida).section('/', -1);
            EXPECT_EQ(LeerArchivo(destino), resultados) << que.toStdString();
            for (const QString& n : Entradas(d)) {
                const QByteArray c = LeerArchivo(d + "/" + n);
                EXPECT_TRUE(c == entrada || c == resultados) << que.toStdString() << ": " << n.toStdString();
            }
            EXPECT_LE(Entradas(d).size(), *enlace ? 2 : 1) << que.toStdString();
        }
    }
}

// Closed standard descriptors: no file the tool opens takes their number; a
// closed standard input cannot be read and a closed standard output cannot be
// written, and either is a failure with the reason.
TEST(CliEscritura, DescriptoresEstandarCerrados) {
    const QByteArray res00 = Resultados("00", kMuestra00), res35 = Resultados("35", kMuestra35);
    const QByteArray previo = "anterior\r\n";
    const std::tuple<const char*, const char*, QByteArray, QByteArray> casos[] = {
        // arguments and redirections; the output file after; what stderr held (as a file), then the exit code
        {"masivo 00 - -o \"$2/res.txt\" <&-", "anterior\r\n",
         "No se pudo leer la entrada est\xC3\xA1ndar: Descriptor de archivo no v\xC3\xA1lido\n", "1"},
        {"masivo 35 \"" VAVIVIV_SAMPLES "/referencias_35.txt\" -o \"$2/res.txt\" 2>&-", res35, "", "0"},
        {"masivo 35 - -o \"$2/res.txt\" 2>&- < \"" VAVIVIV_SAMPLES "/referencias_35.txt\"", res35, "", "0"},
        {"masivo 00 \"" VAVIVIV_SAMPLES "/referencias_00.txt\" -o \"$2/res.txt\" >&-", res00, "Registros: 7, con error: 3\n", "0"},
        {"masivo 00 \"" VAVIVIV_SAMPLES "/referencias_00.txt\" -o \"$2/res.txt\" <&- >&- 2>&-", res00, "", "0"},
        {"masivo 00 \"" VAVIVIV_SAMPLES "/referencias_00.txt\" >&-", "anterior\r\n",
         "No se pudo escribir la salida est\xC3\xA1ndar: Descriptor de archivo no v\xC3\xA1lido\n", "1"},
        {"calcular 00 123456 >&-", "anterior\r\n", "No se pudo escribir la salida est\xC3\xA1ndar: Descriptor de archivo no v\xC3\xA1lido\n", "1"},
        {"--help >&-", "anterior\r\n", "No se pudo escribir la salida est\xC3\xA1ndar: Descriptor de archivo no v\xC3\xA1lido\n", "1"},
    };
    for (const auto& [orden, despues, errores, codigo] : casos) {
        CarpetaComun dir;
        EscribirArchivo(dir.filePath("res.txt"), previo);
        // stderr goes to a file the shell opens before the closing redirections apply.
        const Salida s = Guion(QStringLiteral("exec 3>\"$2/err\"; { \"$1\" %1; echo $? >&3; } 2>&3").arg(orden), dir.path());
        EXPECT_EQ(LeerArchivo(dir.filePath("res.txt")), despues) << orden;
        const QByteArray err = SinNombre(LeerArchivo(dir.filePath("err")).chopped(codigo.size() + 1)) + LeerArchivo(dir.filePath("err")).right(codigo.size() + 1);
        EXPECT_EQ(err, errores + codigo + "\n") << orden;
    }
}

// A target that is not a regular file is written in place, in order, as
// standard output would be: never replaced by a file of its name.
TEST(CliEscritura, DestinosQueNoSonArchivos) {
    const QByteArray resultados = Resultados("00", kMuestra00);
    const QString in = kMuestra00;
    for (const char* nombre : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1", "\"$2/enlace\""}) {
        CarpetaComun dir;
        const Salida s = Guion(QStringLiteral("ln -s /dev/stdout \"$2/enlace\"\n"
                                              "{ echo A; \"$1\" masivo 00 \"%1\" -o %2; echo \"B $?\"; } > \"$2/f\"")
                                   .arg(in, QString(nombre)),
                               dir.path());
        EXPECT_EQ(LeerArchivo(dir.filePath("f")), "A\n" + resultados + "B 0\n") << nombre;
        EXPECT_EQ(s.err, "Registros: 7, con error: 3\n") << nombre;
    }
    {
        CarpetaComun dir;
        const Salida s = Guion(QStringLiteral("\"$1\" masivo 00 \"%1\" -o /dev/fd/3 3>\"$2/g\"; echo $?\n"
                                              "mkfifo \"$2/tubo\"; cat \"$2/tubo\" > \"$2/leido\" &\n"
                                              "\"$1\" masivo 00 \"%1\" -o \"$2/tubo\"; echo $?; wait\n"
                                              "[ -p \"$2/tubo\" ] && echo fifo\n"
                                              "\"$1\" masivo 00 \"%1\" -o /dev/null; echo $?; [ -c /dev/null ] && echo nulo\n"
                                              "\"$1\" masivo 00 \"%1\" -o /dev/fd/9 9>&- 2>&1; echo $?")
                                   .arg(in),
                               dir.path());
        EXPECT_EQ(s.out, "0\n0\nfifo\n0\nnulo\nNo se pudo crear \xC2\xAB/dev/fd/9\xC2\xBB: Descriptor de archivo no v\xC3\xA1lido\n1\n");
        EXPECT_EQ(LeerArchivo(dir.filePath("g")), resultados);
        EXPECT_EQ(LeerArchivo(dir.filePath("leido")), resultados);
    }
    // A socket that listens: the results arrive through it.
    CarpetaComun dir;
    const QByteArray ruta = QFile::encodeName(dir.filePath("enchufe"));
    const int servidor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un direccion{};
    direccion.sun_family = AF_UNIX;
    ASSERT_LT(std::size_t(ruta.size()), sizeof direccion.sun_path);
    std::memcpy(direccion.sun_path, ruta.constData(), std::size_t(ruta.size()));
    ASSERT_EQ(::bind(servidor, reinterpret_cast<sockaddr*>(&direccion), sizeof direccion), 0);
    ASSERT_EQ(::listen(servidor, 1), 0);
    QProcess p;
    p.start(VAVIVIV_CLI, {"masivo", "00", in, "-o", dir.filePath("enchufe")});
    pollfd espera{servidor, POLLIN, 0};
    const int conexion = ::poll(&espera, 1, 60000) == 1 ? ::accept(servidor, nullptr, nullptr) : -1;
    QByteArray recibido;
    char trozo[4096];
    for (ssize_t n; conexion >= 0 && (n = ::read(conexion, trozo, sizeof trozo)) > 0;) recibido.append(trozo, n);
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(recibido, resultados);
    ::close(conexion);
    ::close(servidor);
}

// A folder that refuses new entries: the file is rewritten in place, and only
// once the whole results exist elsewhere. A run that fails or is killed before
// then leaves the earlier file as it was.
TEST(CliEscritura, EnSitioSoloConLosResultadosCompletos) {
    const QByteArray resultados = Resultados("00", kMuestra00);
    for (const QByteArray& previo : {QByteArray("anterior\r\n"), QByteArray("anterior\r\n").repeated(1000)}) {
        CarpetaComun dir;
        const QString d = CarpetaCerrada(dir.path(), "res.txt", previo);
        const Salida s = Guion(QStringLiteral("$N \"$1\" masivo 00 \"%1\" -o \"$2/cerrada/res.txt\"").arg(Alcanzable(kMuestra00)), dir.path());
        EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
        EXPECT_EQ(LeerArchivo(d + "/res.txt"), resultados);
        struct stat st{};
        ASSERT_EQ(::stat(QFile::encodeName(d + "/res.txt").constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0666u);
        EXPECT_EQ(Entradas(d), QStringList{"res.txt"});
    }
    // A line past the limit stops the run: nothing was stored, and the message says no more.
    CarpetaComun dir;
    const QString d = CarpetaCerrada(dir.path(), "res.txt", "anterior\r\n");
    EscribirArchivo(dir.filePath("larga.txt"), "123456\r\n" + QByteArray(9 << 20, '7'));
    const Salida s = Guion("$N \"$1\" masivo 00 \"$2/larga.txt\" -o \"$2/cerrada/res.txt\"", dir.path());
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(s.err, "No se pudo leer \xC2\xAB" + dir.filePath("larga.txt").toUtf8() + "\xC2\xBB: La l\xC3\xADnea 2 tiene m\xC3\xA1s de 32,766 caracteres\n");
    EXPECT_EQ(LeerArchivo(d + "/res.txt"), "anterior\r\n");

    // Killed while it still reads: the earlier file is untouched.
    QProcess p;
    p.setChildProcessModifier(DejarPrivilegios);
    p.start(CliAlcanzable(), {"masivo", "00", "-", "-o", d + "/res.txt"});
    p.write(QByteArray("123456\r\n").repeated(50000));
    ASSERT_TRUE(p.waitForBytesWritten(30000));
    QThread::msleep(300);
    p.kill();
    p.waitForFinished();
    EXPECT_EQ(LeerArchivo(d + "/res.txt"), "anterior\r\n");
    EXPECT_EQ(Entradas(d), QStringList{"res.txt"});
}

// Runs that rewrite one file in place take turns: while another holds the
// file's lock the tool waits, and four at once leave one run's whole results.
TEST(CliEscritura, EnSitioUnaEjecucionALaVez) {
    CarpetaComun dir;
    const QString d = CarpetaCerrada(dir.path(), "res.txt", "anterior\r\n");
    {
        QFile bloqueado(d + "/res.txt");
        ASSERT_TRUE(bloqueado.open(QIODevice::ReadOnly));
        ASSERT_EQ(::flock(bloqueado.handle(), LOCK_EX), 0);
        QProcess p;
        p.setChildProcessModifier(DejarPrivilegios);
        p.start(CliAlcanzable(), {"masivo", "00", Alcanzable(kMuestra00), "-o", d + "/res.txt"});
        EXPECT_FALSE(p.waitForFinished(1000));
        EXPECT_EQ(LeerArchivo(d + "/res.txt"), "anterior\r\n");
        ::flock(bloqueado.handle(), LOCK_UN);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        EXPECT_EQ(LeerArchivo(d + "/res.txt"), Resultados("00", kMuestra00));
    }
    QList<QByteArray> posibles;
    QString guion;
    for (int i = 1; i <= 4; ++i) {
        const QString entrada = dir.filePath(QStringLiteral("e%1.txt").arg(i));
        EscribirArchivo(entrada, QByteArray::number(i).repeated(i) + "\r\n" + QByteArray("123456\r\n").repeated(20000 * (5 - i)));
        posibles << Resultados("00", entrada);
        guion += QStringLiteral("$N \"$1\" masivo 00 \"%1\" -o \"$2/cerrada/res.txt\" 2>/dev/null & p%2=$!\n").arg(entrada).arg(i);
    }
    const Salida s = Guion(guion + "fallos=0; for p in $p1 $p2 $p3 $p4; do wait $p || fallos=$((fallos+1)); done; echo $fallos", dir.path());
    EXPECT_EQ(s.out, "0\n");
    EXPECT_TRUE(posibles.contains(LeerArchivo(d + "/res.txt")));
}

// A full disk, as a tmpfs of its own in a mount namespace: where the folder
// refuses new entries and the results cannot fit, the earlier file stays as
// it was and the message says why; where the results are made on a full
// temporary folder, too.
TEST(CliEscritura, EnSitioConElDiscoLleno) {
    if (!EsRoot()) GTEST_SKIP() << "mounting a tmpfs and running as nobody need root";
    CarpetaComun dir;
    EscribirArchivo(dir.filePath("grande.txt"), QByteArray("123456\r\n").repeated(20000));  // about 340 KB of results
    const char* guion =
        "mkdir \"$2/disco\"; : > \"$2/dentro\"; mount -t tmpfs -o size=128k,mode=0777 tmpfs \"$2/disco\" || exit 99\n"
        "mkdir \"$2/disco/d\"; printf 'anterior\\r\\n' > \"$2/disco/d/res.txt\"; chmod 0666 \"$2/disco/d/res.txt\"; chmod 0555 \"$2/disco/d\"\n"
        "head -c 100000 /dev/zero > \"$2/disco/relleno\"\n"
        "TMPDIR=\"$2\" $N \"$1\" masivo 00 \"$2/grande.txt\" -o \"$2/disco/d/res.txt\" 2>&1; echo $?; cat \"$2/disco/d/res.txt\"\n"
        "TMPDIR=\"$2/disco\" $N \"$1\" masivo 00 \"$2/grande.txt\" -o \"$2/disco/d/res.txt\" 2>&1; echo $?; cat \"$2/disco/d/res.txt\"\n"
        "ls -A \"$2/disco/d\" \"$2/disco\"\n";
    const Salida s = Ejecutar(QStandardPaths::findExecutable("unshare"),
                              {"--mount", "--propagation", "private", "sh", "-c",
                               "N=\"setpriv --reuid=65534 --regid=65534 --clear-groups\"\n" + QString(guion), "sh", CliAlcanzable(), dir.path()}, {}, {}, true);
    if (!QFileInfo::exists(dir.filePath("dentro"))) GTEST_SKIP() << "no mount namespace could be made here: " << s.err.toStdString();
    if (s.codigo == 99) GTEST_SKIP() << "no tmpfs could be mounted in the namespace: " << s.err.toStdString();
    const QByteArray fallo = "No se pudo escribir \xC2\xAB" + dir.filePath("disco/d/res.txt").toUtf8() +
                             "\xC2\xBB: No queda espacio en el dispositivo\n1\nanterior\r\n";
    EXPECT_EQ(s.out, fallo + fallo + dir.filePath("disco").toUtf8() + ":\nd\nrelleno\n\n" + dir.filePath("disco/d").toUtf8() + ":\nres.txt\n");
}

// Replacing a results file keeps its permissions.
TEST(CliEscritura, ElReemplazoConservaLosPermisos) {
    const QByteArray resultados = Resultados("00", kMuestra00);
    for (const mode_t modo : {0600, 0640, 0664, 0604, 0444}) {
        if (modo == 0444 && !EsRoot()) continue;  // only root may replace a file it cannot write
        QTemporaryDir dir;
        const QString res = dir.filePath("res.txt");
        EscribirArchivo(res, "anterior\r\n");
        ::chmod(QFile::encodeName(res).constData(), modo);
        EXPECT_EQ(Correr({"masivo", "00", kMuestra00, "-o", res}).codigo, 0);
        struct stat st{};
        ::stat(QFile::encodeName(res).constData(), &st);
        EXPECT_EQ(st.st_mode & 07777, modo) << std::oct << modo;
        EXPECT_EQ(LeerArchivo(res), resultados);
    }
}

// Names are bytes: one that is not UTF-8 opens and is created as given.
TEST(CliEscritura, NombresQueNoSonUtf8) {
    CarpetaComun dir;
    const Salida s = Guion(QStringLiteral("cd \"$2\" && cp \"%1\" \"$(printf 'en\\377.txt')\"\n"
                                          "\"$1\" masivo 00 \"$(printf 'en\\377.txt')\" -o \"$(printf 'sal\\376.txt')\" && cat \"$(printf 'sal\\376.txt')\"\n"
                                          "rm -f \"$(printf 'en\\377.txt')\" \"$(printf 'sal\\376.txt')\"")
                               .arg(kMuestra00),
                           dir.path());
    EXPECT_EQ(s.out, Resultados("00", kMuestra00)) << s.err.toStdString();
}

// The system's reasons in Spanish, whatever the system's language. Each
// case writes what the tool said and its exit code on standard output.
TEST(CliEscritura, RazonesEnEspanol) {
    CarpetaComun dir;
    EscribirArchivo(dir.filePath("grande.txt"), QByteArray("123456\r\n").repeated(200000));
    const QByteArray est = "No se pudo escribir la salida est\xC3\xA1ndar: ";
    const std::pair<const char*, QByteArray> casos[] = {
        {"\"$1\" --version 2>&1 1</dev/null; echo $?", est + "Descriptor de archivo no v\xC3\xA1lido\n"},
        {"\"$1\" masivo 00 - 2>&1 >/dev/null < /; echo $?", "No se pudo leer la entrada est\xC3\xA1ndar: Es una carpeta\n"},
        {"\"$1\" masivo 00 /proc/self/mem 2>&1 >/dev/null; echo $?", "No se pudo leer \xC2\xAB/proc/self/mem\xC2\xBB: Error de entrada/salida\n"},
        // A pipe whose reader went away, with SIGPIPE ignored as some callers leave it.
        {"trap '' PIPE; exec 3>&1; { \"$1\" masivo 00 \"$2/grande.txt\" 2>&3; echo $? >&3; } | head -c 1 >/dev/null",
         est + "Tuber\xC3\xAD" "a rota\n"},
    };
    for (const auto& [orden, errores] : casos) {
        const Salida s = Guion(orden, dir.path());
        EXPECT_EQ(s.out, errores + "1\n") << orden;
    }
}

}  // namespace
