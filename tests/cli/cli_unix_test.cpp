// vaviviv-cli among other Unix tools: help per subcommand, option spellings,
// what a terminal sees (through `script`, a pseudo-terminal), signals in the
// middle of a run, bash completion and the manual page.
#include "ejecutar_cli.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <tuple>

#include "cli/comandos.h"
#include "engine/catalogo.h"
#include "reglas/catalogo_textos.h"

using namespace vaviviv::prueba;

namespace {

const QStringList kSubordenes{"calcular", "masivo", "verificar", "codigos", "help"};

// The codes, one a line, as the catalogue has them.
QByteArray Codigos() {
    QByteArray codigos;
    for (const vaviviv::Algoritmo& a : vaviviv::Catalogo()) codigos += vaviviv::CodigoDosCifras(a.codigo).toUtf8() + '\n';
    return codigos;
}

TEST(CliUnix, AyudaDeCadaSubcomando) {
    const Salida general = Correr({"--help"});
    ASSERT_EQ(general.codigo, 0);
    for (const QString& sub : kSubordenes) {
        const Salida propia = Correr({sub, "--help"});
        EXPECT_EQ(propia.codigo, 0) << sub.toStdString();
        EXPECT_EQ(propia.err, "") << sub.toStdString();
        EXPECT_TRUE(QRegularExpression("^Uso:\n  vaviviv-cli " + sub + "[ \n]").match(propia.out).hasMatch()) << propia.out.toStdString();
        // Its usage is the general help's, and no other subcommand's.
        const QByteArray uso = propia.out.mid(5, propia.out.indexOf("\n\nCODIGO") - 5);
        EXPECT_TRUE(general.out.contains(uso)) << uso.toStdString();
        for (const QString& otro : kSubordenes)
            EXPECT_TRUE(otro == sub || !uso.contains("vaviviv-cli " + otro.toUtf8() + ' ')) << sub.toStdString() << " " << otro.toStdString();
        // The same text however it is asked for.
        for (const QStringList& args : {QStringList{"help", sub}, QStringList{"--help", sub}, QStringList{sub, "-h"}})
            EXPECT_EQ(Correr(args).out, propia.out) << args.join(' ').toStdString();
        for (const QByteArray& linea : propia.out.split('\n'))
            EXPECT_LE(QString::fromUtf8(linea).size(), 80) << linea.toStdString();
    }
    EXPECT_EQ(Correr({"calcular", "00", "--help"}).out, Correr({"calcular", "--help"}).out);
    EXPECT_EQ(Correr({"help"}).out, general.out);
    for (const QByteArray& linea : general.out.split('\n')) EXPECT_LE(QString::fromUtf8(linea).size(), 80) << linea.toStdString();
    // Misuse of help: Cli.CadaCaminoDeLosSubcomandos.
}

TEST(CliUnix, CodigosDelCatalogo) { EXPECT_EQ(Correr({"codigos"}), (Salida{0, Codigos(), ""})); }

// -o SALIDA as getopt and long options allow it to be written.
TEST(CliUnix, FormasDeNombrarLaSalida) {
    QTemporaryDir dir;
    const QString entrada = VAVIVIV_SAMPLES "/referencias_00.txt", res = dir.filePath("res.txt");
    const QByteArray esperado = Correr({"masivo", "00", entrada}).out;
    ASSERT_FALSE(esperado.isEmpty());
    const QStringList formas[] = {{"-o", res}, {"--salida", res}, {"--salida=" + res}, {"-o" + res}};
    for (const QStringList& forma : formas) {
        QFile::remove(res);
        EXPECT_EQ(Correr(QStringList{"masivo", "00", entrada} + forma), (Salida{0, "", "Registros: 7, con error: 3\n"})) << forma.join(' ').toStdString();
        EXPECT_EQ(LeerArchivo(res), esperado) << forma.join(' ').toStdString();
    }
    QFile::remove(res);
    EXPECT_EQ(Correr({"verificar", "00", "--archivo", entrada, "-o" + res}).codigo, 0);
    EXPECT_TRUE(LeerArchivo(res).startsWith("Referencia\tResultado\t"));
    // The spellings refused: Cli.CadaCaminoDeLosSubcomandos.
}

// -q leaves row notices and errors; it drops the summary.
TEST(CliUnix, Silencioso) {
    const QString archivo = VAVIVIV_SAMPLES "/referencias_00.txt";
    const std::tuple<QStringList, QByteArray, bool> casos[] = {
        {{"masivo", "35", "-"}, "\x80", true},
        {{"masivo", "35", "-", "-q"}, "\x80", false},
        {{"--silencioso", "masivo", "00", archivo}, {}, false},
        {{"verificar", "00", "--archivo", archivo, "-q"}, {}, false},
        {{"verificar", "00", "--archivo", archivo}, {}, true},
    };
    for (const auto& [args, entrada, resumen] : casos) {
        const Salida s = Correr(args, entrada);
        EXPECT_EQ(s.codigo, 0) << args.join(' ').toStdString();
        EXPECT_EQ(s.err.contains("Registros: "), resumen) << args.join(' ').toStdString() << ": " << s.err.toStdString();
        EXPECT_EQ(s.err.contains("Registro 1: "), !entrada.isEmpty()) << args.join(' ').toStdString() << ": " << s.err.toStdString();
    }
    EXPECT_EQ(Correr({"masivo", "00", "/no/existe", "-q"}), (Salida{1, "", "No se pudo abrir \xC2\xAB/no/existe\xC2\xBB: No existe el archivo o la carpeta\n"}));
}

// `orden` run by sh in a pseudo-terminal, standard streams and all; what the
// terminal showed, its line ends as CR LF.
Salida EnTerminal(const QString& orden, const QByteArray& entrada = {}) {
    return Ejecutar("script", {"-qec", orden, "/dev/null"}, entrada);
}

QString Cli() { return '"' + QStringLiteral(VAVIVIV_CLI) + '"'; }

TEST(CliUnix, EntradaDesdeUnTerminal) {
    if (QStandardPaths::findExecutable("script").isEmpty()) GTEST_SKIP() << "no script(1) to make a pseudo-terminal with";
    QTemporaryDir dir;
    const QString res = dir.filePath("res.txt");
    const QByteArray aviso = "vaviviv-cli: Se leen registros de la entrada est\xC3\xA1ndar hasta su fin (Ctrl+D).\r\n";
    // Ctrl+D on a line of its own ends the input.
    const std::tuple<QString, bool> casos[] = {
        {Cli() + " masivo 00 - -o \"" + res + '"', true},
        {Cli() + " verificar 00 --archivo - -o \"" + res + '"', true},
        {Cli() + " masivo 00 - -q -o \"" + res + '"', false},
        {Cli() + " masivo 00 - -o \"" + res + "\" < /dev/null", false},
        {Cli() + " masivo 00 " VAVIVIV_SAMPLES "/referencias_00.txt -o \"" + res + '"', false},
    };
    for (const auto& [orden, avisa] : casos) {
        const Salida s = EnTerminal(orden, "1234566\n\x04");
        EXPECT_EQ(s.out.contains(aviso), avisa) << orden.toStdString() << ": " << s.out.toStdString();
        EXPECT_EQ(s.codigo, 0) << orden.toStdString() << ": " << s.out.toStdString();
        EXPECT_GT(QFileInfo(res).size(), 0) << orden.toStdString();
    }
}

// Progress shows once a run has lasted a second: the input here comes late.
TEST(CliUnix, AvanceEnUnTerminal) {
    if (QStandardPaths::findExecutable("script").isEmpty()) GTEST_SKIP() << "no script(1) to make a pseudo-terminal with";
    QTemporaryDir dir;
    const QString lenta = "(sleep 1.3; printf '123456\\n'; sleep 0.3; printf '123456\\n'; sleep 0.3; printf '123456\\n') | ";
    const QString res = " -o \"" + dir.filePath("res.txt") + '"';
    const QByteArray fin = "\x1b[K\r\x1b[Kvaviviv-cli: Registros: 3, con error: 0\r\n";
    {
        const Salida s = EnTerminal(lenta + Cli() + " masivo 00 -" + res);
        static const QRegularExpression linea(QStringLiteral("^\r(vaviviv-cli: [0-9]+ registros?, [0-9]+ por segundo\x1b\\[K\r)+\x1b\\[K"));
        EXPECT_TRUE(linea.match(QString::fromUtf8(s.out)).hasMatch()) << s.out.toStdString();
        EXPECT_TRUE(s.out.startsWith("\rvaviviv-cli: 1 registro, ")) << s.out.toStdString();
        EXPECT_TRUE(s.out.contains("\rvaviviv-cli: 3 registros, ")) << s.out.toStdString();
        EXPECT_TRUE(s.out.endsWith(fin)) << s.out.toStdString();
        EXPECT_FALSE(s.out.contains(" %")) << "a pipe has no size: " << s.out.toStdString();
    }
    // Without a terminal on standard error, with -q, or in a short run: none.
    const QString sinAvance[] = {lenta + Cli() + " masivo 00 - -q" + res, lenta + Cli() + " masivo 00 -" + res + " 2> \"" + dir.filePath("err") + '"',
                                 "(sleep 0.5; printf '123456\\n') | " + Cli() + " masivo 00 -" + res};
    for (const QString& orden : sinAvance) {
        const Salida s = EnTerminal(orden);
        EXPECT_EQ(s.codigo, 0) << orden.toStdString();
        EXPECT_FALSE(s.out.contains('\x1b')) << orden.toStdString() << ": " << s.out.toStdString();
        EXPECT_FALSE(s.out.contains("registros,")) << orden.toStdString() << ": " << s.out.toStdString();
    }
    EXPECT_EQ(LeerArchivo(dir.filePath("err")), "vaviviv-cli: Registros: 3, con error: 0\n");
}

// A regular input file shows how much of it is read: the results go to a
// FIFO that is read only after a second, so the run waits part way through.
TEST(CliUnix, AvanceConPorcentajeDeUnArchivo) {
    if (QStandardPaths::findExecutable("script").isEmpty()) GTEST_SKIP() << "no script(1) to make a pseudo-terminal with";
    QTemporaryDir dir;
    EscribirArchivo(dir.filePath("entrada.txt"), QByteArray("123456\r\n").repeated(400000));
    const QString orden = QStringLiteral("cd \"%1\" && mkfifo f && { (exec 3<f; sleep 1.3; cat <&3 > /dev/null) & %2 masivo 00 entrada.txt -o f; }")
                              .arg(dir.path(), Cli());
    const Salida s = EnTerminal(orden);
    static const QRegularExpression porcentaje(QStringLiteral("\rvaviviv-cli: [0-9]+ registros, [0-9]+ por segundo, ([0-9]+) %\x1b\\[K"));
    const auto m = porcentaje.match(QString::fromUtf8(s.out));
    EXPECT_EQ(s.codigo, 0);
    ASSERT_TRUE(m.hasMatch()) << s.out.toStdString();
    EXPECT_LT(m.captured(1).toInt(), 100);
    EXPECT_TRUE(s.out.endsWith("\r\x1b[Kvaviviv-cli: Registros: 400000, con error: 0\r\n")) << s.out.right(200).toStdString();
}

// A signal mid-run: no temporary file left, an earlier results file as it
// was, and the process dies of the signal (the shell's 128 + its number). The
// temporary file is a named one beside the results on every file system, so
// any folder shows it.
TEST(CliUnix, SenalesAMitad) {
    const std::tuple<QStringList, int> casos[] = {
        {{"masivo", "00", "-", "-o", "res.txt"}, SIGINT},
        {{"masivo", "00", "-", "-o", "res.txt"}, SIGTERM},
        {{"masivo", "00", "-", "-o", "res.txt"}, SIGHUP},
        {{"verificar", "00", "--archivo", "-", "--salida", "res.txt"}, SIGINT},
        {{"verificar", "00", "--archivo", "-", "-ores.txt"}, SIGTERM},
    };
    for (const auto& [args, senal] : casos) {
        QTemporaryDir dir;
        EscribirArchivo(dir.filePath("res.txt"), "anterior\r\n");
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(VAVIVIV_CLI, args);
        ASSERT_TRUE(p.waitForStarted());
        p.write(QByteArray("123456\r\n").repeated(10000));
        ASSERT_TRUE(p.waitForBytesWritten(10000));
        // Until the temporary file is there, a signal would prove nothing.
        QDeadlineTimer plazo(20000);
        while (QDir(dir.path()).entryList(QDir::Files).size() < 2 && !plazo.hasExpired()) QThread::msleep(10);
        ASSERT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << args.join(' ').toStdString();
        ::kill(pid_t(p.processId()), senal);
        ASSERT_TRUE(p.waitForFinished(20000));
        EXPECT_EQ(p.exitStatus(), QProcess::CrashExit) << args.join(' ').toStdString();
        EXPECT_EQ(p.exitCode(), senal) << args.join(' ').toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"res.txt"}) << args.join(' ').toStdString();
        EXPECT_EQ(LeerArchivo(dir.filePath("res.txt")), "anterior\r\n") << args.join(' ').toStdString();
    }
}

// What bash offers after `palabras` (the last one is being typed), as its
// completion function for vaviviv-cli gives it once the file is loaded.
QStringList Completar(const QStringList& palabras, const QString& carpeta) {
    const char* guion = "source \"$1\" || exit 3\n"
                        "definida=$(complete -p vaviviv-cli) || exit 4\n"
                        "funcion=$(printf '%s\\n' \"$definida\" | sed -n 's/.* -F \\([^ ]*\\) .*/\\1/p')\n"
                        "shift; COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); COMP_LINE=\"$*\"; COMP_POINT=${#COMP_LINE}\n"
                        "\"$funcion\" vaviviv-cli \"${COMP_WORDS[COMP_CWORD]}\" \"${COMP_WORDS[COMP_CWORD-1]}\"\n"
                        "printf '%s\\n' \"${COMPREPLY[@]}\" | sort\n";
    QProcess p;
    p.setWorkingDirectory(carpeta);
    p.start("bash", QStringList{"-c", guion, "bash", VAVIVIV_COMPLECION, VAVIVIV_CLI} + palabras);
    EXPECT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

TEST(CliUnix, ComplecionDeBash) {
    if (QStandardPaths::findExecutable("bash").isEmpty()) GTEST_SKIP() << "no bash";
    QTemporaryDir dir;
    EscribirArchivo(dir.filePath("a.txt"), "1\n");
    EscribirArchivo(dir.filePath("b.txt"), "1\n");
    QStringList codigos = QString::fromUtf8(Codigos()).split(u'\n', Qt::SkipEmptyParts);
    const std::tuple<QStringList, QStringList> casos[] = {
        {{""}, {"calcular", "codigos", "help", "masivo", "verificar"}},
        {{"ma"}, {"masivo"}},
        {{"--v"}, {"--version"}},
        {{"masivo", ""}, codigos},
        {{"-q", "calcular", "1"}, codigos.filter(QRegularExpression("^1"))},
        {{"masivo", "00", "a"}, {"a.txt"}},
        {{"masivo", "00", "a.txt", "-o", ""}, {"a.txt", "b.txt"}},
        {{"verificar", "00", "--archivo", "b"}, {"b.txt"}},
        {{"masivo", "--s"}, {"--salida", "--silencioso"}},
        {{"calcular", "06", "1", "--s"}, {"--silencioso", "--sucursal"}},
        {{"verificar", "--a"}, {"--archivo"}},
        {{"calcular", "--a"}, {}},
        {{"calcular", "10", "1", "--fecha", ""}, {}},
        {{"help", "v"}, {"verificar"}},
        {{"calcular", "00", ""}, {}},
    };
    for (const auto& [palabras, esperadas] : casos) {
        QStringList ordenadas = esperadas;
        std::sort(ordenadas.begin(), ordenadas.end());
        EXPECT_EQ(Completar(palabras, dir.path()), ordenadas) << palabras.join(' ').toStdString();
    }
}

// The manual page has the usual sections, and every option the help names.
TEST(CliUnix, PaginaDeManual) {
    const QByteArray pagina = LeerArchivo(VAVIVIV_MANUAL);
    const char* secciones[] = {"NOMBRE", "SINOPSIS", "DESCRIPCI\\['O]N", "OPCIONES", "ESTADO DE SALIDA", "ARCHIVOS", "EJEMPLOS",
                               "V\\['E]ASE TAMBI\\['E]N"};
    for (const char* seccion : secciones) EXPECT_TRUE(pagina.contains(QByteArray("\n.SH ") + seccion + '\n')) << seccion;
    static const QRegularExpression opcion(QStringLiteral("(?<![\\w-])--?[a-z]+"));
    for (const auto& m : opcion.globalMatch(vaviviv::cli::TextoAyuda())) {
        QByteArray escrita = m.captured().toUtf8();
        escrita.replace("-", "\\-");
        EXPECT_TRUE(pagina.contains(escrita)) << m.captured().toStdString();
    }
    for (const QString& sub : kSubordenes) EXPECT_TRUE(pagina.contains(".B " + sub.toUtf8() + '\n') || pagina.contains(".BR " + sub.toUtf8() + ' ')) << sub.toStdString();
}

}  // namespace
