// The desktop tool. Without a display it explains how to get one and runs
// the command-line tool on the bundled sample instead, so that starting it
// on a bare server still shows the calculation at work.

#include "platform/aplicacion.h"
#include "reglas/codificacion.h"
#include "principal/frmPrincipal.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>
#include <cstdlib>

namespace {

bool Definida(const char* variable) {
    const char* valor = std::getenv(variable);
    return valor && *valor;
}

bool HayPantalla() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // A platform named by the user is the user's business.
    return Definida("QT_QPA_PLATFORM") || Definida("DISPLAY") || Definida("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

// Next to the program first (an installed copy), then where the build put it.
QString Buscar(const QStringList& candidatos) {
    for (const QString& ruta : candidatos)
        if (QFileInfo(ruta).isFile()) return ruta;
    return {};
}

int SinPantalla(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QDir aqui(QCoreApplication::applicationDirPath());
    const QString programa = QCoreApplication::applicationFilePath();
    const QString cli = Buscar({aqui.filePath(QStringLiteral("vaviviv-cli")), QStringLiteral(VAVIVIV_CLI)});
    const QString muestra = Buscar({aqui.filePath(QStringLiteral("referencias_00.txt")),
                                    aqui.filePath(QStringLiteral("samples/referencias_00.txt")),
                                    QStringLiteral(VAVIVIV_MUESTRA)});

    std::fprintf(stderr,
                 "La ventana de VaviviV necesita una pantalla gráfica y aquí no hay ninguna\n"
                 "(DISPLAY y WAYLAND_DISPLAY están vacías).\n"
                 "Para abrirla en una pantalla virtual:\n"
                 "    xvfb-run -a %s\n\n",
                 qPrintable(programa));
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
    return proceso.exitCode();
}

}  // namespace

int main(int argc, char** argv) {
    if (!HayPantalla()) return SinPantalla(argc, argv);

    QApplication app(argc, argv);
    vaviviv::PrepararAplicacion(app);
    auto* ventana = new vaviviv::frmPrincipal;
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->show();
    return QApplication::exec();
}
