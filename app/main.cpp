// The desktop tool, given the files to open or none. Without a display it explains how to get one and runs
// the command-line tool on the bundled sample instead, so that starting it
// on a bare server still shows the calculation at work.

#include "platform/aplicacion.h"
#include "platform/carpeta_aplicacion.h"
#include "reglas/codificacion.h"
#include "reglas/descriptores.h"
#include "principal/frmPrincipal.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <netdb.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

// Exit status when the window could not open and the sample was computed
// instead: neither success nor one of vaviviv-cli's failures.
constexpr int kSinPantalla = 3;

QByteArray Variable(const char* nombre) { return qgetenv(nombre); }

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// Qt aborts when the display it is given cannot be reached, so ask first:
// a server listens there. A socket file left by a server that died refuses.
bool Conecta(const sockaddr* direccion, socklen_t largo, int familia) {
    const int s = ::socket(familia, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) return false;
    const bool bien = ::connect(s, direccion, largo) == 0;
    ::close(s);
    return bien;
}

bool ConectaLocal(const QByteArray& ruta, bool abstracto) {
    sockaddr_un d{};
    d.sun_family = AF_UNIX;
    const int desde = abstracto ? 1 : 0;  // Linux's abstract names start with a NUL
    if (ruta.isEmpty() || desde + ruta.size() >= int(sizeof d.sun_path)) return false;
    std::memcpy(d.sun_path + desde, ruta.constData(), std::size_t(ruta.size()));
    return Conecta(reinterpret_cast<sockaddr*>(&d), socklen_t(offsetof(sockaddr_un, sun_path) + desde + ruta.size()),
                   AF_UNIX);
}

bool ConectaRed(const QByteArray& anfitrion, int puerto) {
    addrinfo pista{};
    pista.ai_socktype = SOCK_STREAM;
    addrinfo* lista = nullptr;
    if (::getaddrinfo(anfitrion.constData(), QByteArray::number(puerto).constData(), &pista, &lista) != 0) return false;
    bool bien = false;
    for (addrinfo* a = lista; a && !bien; a = a->ai_next) bien = Conecta(a->ai_addr, a->ai_addrlen, a->ai_family);
    ::freeaddrinfo(lista);
    return bien;
}

// DISPLAY is [host]:number[.screen]; no host means the local socket.
bool XAlcanzable(const QByteArray& pantalla) {
    const qsizetype dosPuntos = pantalla.lastIndexOf(':');
    bool numero = false;
    const int n = pantalla.mid(dosPuntos + 1).split('.').first().toInt(&numero);
    if (dosPuntos < 0 || !numero) return false;
    const QByteArray anfitrion = pantalla.left(dosPuntos);
    if (!anfitrion.isEmpty() && anfitrion != "unix") return ConectaRed(anfitrion, 6000 + n);
    const QByteArray ruta = "/tmp/.X11-unix/X" + QByteArray::number(n);
    return ConectaLocal(ruta, true) || ConectaLocal(ruta, false);
}

bool WaylandAlcanzable(const QByteArray& nombre) {
    const QByteArray carpeta = Variable("XDG_RUNTIME_DIR");
    if (nombre.startsWith('/')) return ConectaLocal(nombre, false);
    return !carpeta.isEmpty() && ConectaLocal(carpeta + '/' + nombre, false);
}

bool QtConWayland() {
    const QDir plataformas(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    return !plataformas.entryList({QStringLiteral("*wayland*")}, QDir::Files).isEmpty();
}
#endif

// Why the window cannot open here, or nothing when it can. With only a
// Wayland display to reach, Qt is told to use it.
QString SinPantallaPorque() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!Variable("QT_QPA_PLATFORM").isEmpty()) return {};  // a platform named by the user is the user's business
    const QByteArray x = Variable("DISPLAY"), wayland = Variable("WAYLAND_DISPLAY");
    if (x.isEmpty() && wayland.isEmpty()) return QString::fromUtf8("DISPLAY y WAYLAND_DISPLAY están vacías");
    if (!x.isEmpty() && XAlcanzable(x)) return {};
    if (!wayland.isEmpty() && WaylandAlcanzable(wayland)) {
        if (!QtConWayland()) return QString::fromUtf8("a Qt le falta el soporte de Wayland, qt6-wayland");
        qputenv("QT_QPA_PLATFORM", "wayland");
        return {};
    }
    QStringList nombradas;
    if (!x.isEmpty()) nombradas << QStringLiteral("DISPLAY=") + QString::fromLocal8Bit(x);
    if (!wayland.isEmpty()) nombradas << QStringLiteral("WAYLAND_DISPLAY=") + QString::fromLocal8Bit(wayland);
    return QString::fromUtf8("no se puede conectar con ") + nombradas.join(QStringLiteral(" ni con "));
#else
    return {};
#endif
}

// Beside the program (installed), or where the build tree puts it.
QString Buscar(const QStringList& candidatos) {
    for (const QString& ruta : candidatos)
        if (QFileInfo(ruta).isFile()) return QDir::cleanPath(ruta);
    return {};
}

int SinPantalla(int argc, char** argv, const QString& porque) {
    QCoreApplication app(argc, argv);
    const QDir aqui(QCoreApplication::applicationDirPath());
    const QString programa = QCoreApplication::applicationFilePath();
    const QString cli = Buscar({aqui.filePath(QStringLiteral("vaviviv-cli")),
                                aqui.filePath(QStringLiteral("../cli/vaviviv-cli"))});
    const QString muestra = Buscar({vaviviv::ArchivoEnCarpetaAplicacion(QStringLiteral("samples/referencias_00.txt"))});

    std::fprintf(stderr,
                 "La ventana de VaviviV necesita una pantalla gráfica y aquí no hay ninguna\n"
                 "(%s).\n"
                 "Para abrirla en una pantalla virtual:\n"
                 "    xvfb-run -a %s\n\n",
                 qPrintable(porque), qPrintable(programa));
    if (cli.isEmpty() || muestra.isEmpty()) {
        std::fprintf(stderr, "Tampoco se encontró %s para calcular el ejemplo.\n",
                     cli.isEmpty() ? "la herramienta vaviviv-cli" : "el archivo referencias_00.txt");
        return 1;
    }
    const QStringList argumentos{QStringLiteral("masivo"), QStringLiteral("00"), muestra};
    std::fprintf(stderr, "Mientras tanto, el cálculo de la muestra con la línea de órdenes:\n    %s %s\n\n",
                 qPrintable(cli), qPrintable(argumentos.join(QLatin1Char(' '))));
    std::fflush(stderr);

    QProcess proceso;
    proceso.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    proceso.start(cli, argumentos);
    if (!proceso.waitForFinished(-1) || proceso.exitStatus() != QProcess::NormalExit) {
        std::fprintf(stderr, "No se pudo ejecutar %s: %s\n", qPrintable(cli), qPrintable(proceso.errorString()));
        return 1;
    }
    // The results come in the files' code page with CR LF; the terminal
    // wants its own text.
    QString resultados = vaviviv::DecodificarWindows1252(proceso.readAllStandardOutput());
    resultados.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray texto = resultados.toLocal8Bit();
    std::fwrite(texto.constData(), 1, std::size_t(texto.size()), stdout);
    return proceso.exitCode() == 0 ? kSinPantalla : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // No file the window opens may take the number of a standard stream the caller closed.
    vaviviv::AbrirDescriptoresEstandar();
    if (const QString porque = SinPantallaPorque(); !porque.isEmpty()) return SinPantalla(argc, argv, porque);

    QApplication app(argc, argv);
    vaviviv::PrepararAplicacion(app);
    auto* ventana = new vaviviv::frmPrincipal;
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->show();
    // Files to open, as the desktop passes them to "vaviviv %F" (Qt has taken its own options).
    QStringList archivos;
    for (const QString& argumento : QApplication::arguments().mid(1))
        archivos << QDir::toNativeSeparators(QFileInfo(argumento).absoluteFilePath());
    if (!archivos.isEmpty()) ventana->AbrirArchivos(archivos);
    return QApplication::exec();
}
