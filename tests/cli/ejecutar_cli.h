#pragma once
// vaviviv-cli run as a real process by the tests: what it wrote and how it ended.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <grp.h>
#include <unistd.h>

// Bytes shown as text in failures, non-printable ones escaped.
inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << '"';
    for (const char c : b) {
        if (c == '\n') *os << "\\n";
        else if (c == '\r') *os << "\\r";
        else if (c == '\t') *os << "\\t";
        else if (static_cast<unsigned char>(c) < 0x20) *os << "\\x" << std::hex << int(c) << std::dec;
        else *os << c;
    }
    *os << '"';
}

namespace vaviviv::prueba {

struct Salida {
    int codigo;
    QByteArray out, err;  // err without the program's name that starts each of its lines
    QByteArray errCompleto = {};  // err as written
};

// Compared whole, a run's outcome names in a failure every part that differs.
inline bool operator==(const Salida& a, const Salida& b) { return a.codigo == b.codigo && a.out == b.out && a.err == b.err; }
inline void PrintTo(const Salida& s, std::ostream* os) {
    *os << "{codigo " << s.codigo << ", out ";
    ::PrintTo(s.out, os);
    *os << ", err ";
    ::PrintTo(s.err, os);
    *os << '}';
}

inline constexpr char kNombre[] = "vaviviv-cli: ";

// Standard error with the program's name taken off each line; a line without
// it fails the test.
inline QByteArray SinNombre(const QByteArray& err) {
    QByteArray sin;
    for (const QByteArray& linea : err.split('\n').mid(0, err.count('\n'))) {
        EXPECT_TRUE(linea.startsWith(kNombre)) << "sin el nombre del programa: " << linea.toStdString();
        sin += (linea.startsWith(kNombre) ? linea.sliced(sizeof kNombre - 1) : linea) + '\n';
    }
    EXPECT_TRUE(err.isEmpty() || err.endsWith('\n')) << err.toStdString();
    return sin;
}

// A shell script's streams mix the tool's lines with others: the name comes
// off the lines that have it.
inline QByteArray QuitarNombre(const QByteArray& bytes) {
    static const QRegularExpression nombre(QStringLiteral("^vaviviv-cli: "), QRegularExpression::MultilineOption);
    return QString::fromLatin1(bytes).remove(nombre).toLatin1();
}

// `programa` with `args` and `entrada` on stdin, its stdout into `destino` if
// one is named; not ended in two minutes, it fails the test. guion: a shell
// script that runs the tool (see QuitarNombre).
inline Salida Ejecutar(const QString& programa, const QStringList& args, const QByteArray& entrada = {}, const QString& destino = {},
                       bool guion = false) {
    QProcess p;
    if (!destino.isEmpty()) p.setStandardOutputFile(destino);
    p.start(programa, args);
    p.write(entrada);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(120000)) << args.join(' ').left(200).toStdString();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << args.join(' ').left(200).toStdString();
    const QByteArray out = p.readAllStandardOutput(), err = p.readAllStandardError();
    if (guion) return {p.exitCode(), QuitarNombre(out), QuitarNombre(err), err};
    return {p.exitCode(), out, SinNombre(err), err};
}

inline Salida Correr(const QStringList& args, const QByteArray& entrada = {}, const QString& destino = {}) {
    return Ejecutar(VAVIVIV_CLI, args, entrada, destino);
}

// Root ignores folder permissions and process limits: a test that needs them
// enforced runs the tool as nobody; any other user is already bound by them.
inline bool EsRoot() { return ::geteuid() == 0; }
inline constexpr uid_t kNadie = 65534;

// For QProcess::setChildProcessModifier: as root, become nobody with no
// supplementary groups (root's would still open doors); 99 if that fails.
inline void DejarPrivilegios() {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNadie) != 0 || ::setuid(kNadie) != 0)) ::_exit(99);
}

// A folder every user can reach and write, for files the tool must open as
// nobody: a checkout under /root (0700) is out of its reach, and so is the
// 0700 folder QTemporaryDir makes.
class CarpetaComun {
public:
    CarpetaComun() {
        QFile::setPermissions(dir_.path(), QFileDevice::Permissions(0x7777));
    }
    // Folders a test closed would keep their files from being removed.
    ~CarpetaComun() {
        for (QDirIterator i(dir_.path(), QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories); i.hasNext();)
            QFile::setPermissions(i.next(), QFileDevice::Permissions(0x7777));
    }
    CarpetaComun(const CarpetaComun&) = delete;
    CarpetaComun& operator=(const CarpetaComun&) = delete;
    QString path() const { return dir_.path(); }
    QString filePath(const QString& nombre) const { return dir_.filePath(nombre); }

private:
    QTemporaryDir dir_{QDir::tempPath() + "/vaviviv-XXXXXX"};
};

// `archivo` copied, once, where nobody can read (and run) it; the tool links
// the project's libraries statically, Qt from the system.
inline QString Alcanzable(const QString& archivo) {
    static CarpetaComun carpeta;
    const QString copia = carpeta.filePath(QFileInfo(archivo).fileName());
    if (!QFileInfo::exists(copia)) {
        QFile::copy(archivo, copia);
        QFile::setPermissions(copia, QFileDevice::Permissions(0x7555));
    }
    return copia;
}

// The tool where nobody can run it. A sanitizer build's leak checker reads its
// suppressions file at start and stops when it cannot: that file goes too.
inline QString CliAlcanzable() {
    static const QString cli = [] {
        QString opciones = qEnvironmentVariable("LSAN_OPTIONS");
        static const QRegularExpression supresiones("suppressions=([^:]+)");
        if (const auto m = supresiones.match(opciones); m.hasMatch()) {
            opciones.replace(m.capturedStart(1), m.capturedLength(1), Alcanzable(m.captured(1)));
            qputenv("LSAN_OPTIONS", opciones.toLocal8Bit());
        }
        return Alcanzable(VAVIVIV_CLI);
    }();
    return cli;
}

// A results line in Windows-1252: each cell followed by a tab, then CR LF.
template <class... C> QByteArray Fila(const C&... celdas) { return (QByteArray() + ... + (QByteArray(celdas) + '\t')) + "\r\n"; }

// A folder's entries, hidden ones and devices too.
inline QStringList Entradas(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

inline QByteArray LeerArchivo(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : "(no se pudo leer " + ruta.toUtf8() + ")";
}

inline void EscribirArchivo(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(datos) == datos.size()) << ruta.toStdString();
}

}  // namespace vaviviv::prueba
