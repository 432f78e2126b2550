// Screenshot of the report preview for 120 rows of algorithm 06, to check
// the pages by eye. Run under a virtual display:
//   xvfb-run -a <build>/tools/capturas/captura_informe salida.png

#include "engine/algoritmos.h"
#include "masivo/informe_masivo.h"
#include "masivo/rejilla.h"
#include "platform/aplicacion.h"
#include "platform/carpeta_aplicacion.h"

#include <QApplication>
#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vaviviv::PrepararAplicacion(app);
    if (argc < 2) {
        std::fprintf(stderr, "Uso: captura_informe salida.png\n");
        return 2;
    }
    // The logo that the build puts beside the program.
    const QString logo = vaviviv::ArchivoEnCarpetaAplicacion(QStringLiteral("tesk.bmp"));
    if (!QFile::exists(logo)) QFile::copy(QStringLiteral(VAVIVIV_CARPETA_PROGRAMA "/tesk.bmp"), logo);

    vaviviv::Rejilla grdMasivo, grdCriterios;
    const QStringList titulos{QStringLiteral("Referencia"), QStringLiteral("Sucursal"), QStringLiteral("Cuenta"),
                              QStringLiteral("Referencia Completa"), QString::fromUtf8("Dígito Verificador")};
    grdMasivo.setCols(5);
    for (int c = 0; c < 5; ++c) {
        grdMasivo.setTextMatrix(0, c, titulos[c]);
        grdMasivo.setColWidth(c, 1800);
    }
    for (int f = 1; f <= 120; ++f) {
        const std::string referencia = std::to_string(1000000 + 7919 * f);
        const std::string sucursal = std::to_string(100 + f % 37);
        const std::string cuenta = std::to_string(45670 + 13 * f);
        const std::string digitos = vaviviv::CalcularAlgoritmo06(sucursal, cuenta, referencia).digitos;
        const QString completa = f % 25 == 0 ? QString::fromUtf8("Error: Cuenta no válida.")
                                             : QString::fromStdString(referencia + digitos);
        grdMasivo.AddItem(QStringList{QString::fromStdString(referencia), QString::fromStdString(sucursal),
                                      f % 25 == 0 ? QStringLiteral("45A") : QString::fromStdString(cuenta), completa,
                                      f % 25 == 0 ? QString() : QString::fromStdString(digitos)}
                              .join(QLatin1Char('\t')));
    }

    int salida = 1;
    auto* reloj = new QTimer(&app);
    reloj->setInterval(100);
    int esperas = 0;
    QObject::connect(reloj, &QTimer::timeout, [&] {
        QWidget* vista = QApplication::activeModalWidget();
        // Let the pages render before the picture is taken.
        if (!vista || ++esperas < 15) return;
        reloj->stop();
        const QRect marco = vista->frameGeometry();
        QPixmap imagen = vista->screen()->grabWindow(0, marco.x(), marco.y(), marco.width(), marco.height());
        if (imagen.isNull() || QGuiApplication::platformName() == QLatin1String("offscreen")) imagen = vista->grab();
        if (imagen.save(QString::fromLocal8Bit(argv[1]))) {
            std::printf("%s: %dx%d\n", argv[1], imagen.width(), imagen.height());
            salida = 0;
        }
        vista->close();
    });
    reloj->start();
    vaviviv::ImprimirInformeMasivo(grdMasivo, grdCriterios, QStringLiteral("Algoritmo Vorantis 06"),
                                   QString::fromUtf8("2 Dígitos verificadores con Referencia de 1 a 18 dígitos; "
                                                     "Sucursal de 1 a 18 dígitos y Cuenta de 1 a 8 dígitos."));
    return salida;
}
