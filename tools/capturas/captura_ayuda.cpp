// Screenshot of the help viewer at a topic, to check it by eye. Run under a
// virtual display:
//   xvfb-run -a <build>/tools/capturas/captura_ayuda salida.png [tema]

#include "platform/aplicacion.h"
#include "platform/ayuda.h"
#include "platform/visor_ayuda.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vaviviv::PrepararAplicacion(app);
    if (argc < 2) {
        std::fprintf(stderr, "Uso: captura_ayuda salida.png [tema]\n");
        return 2;
    }
    const int tema = argc > 2 ? std::atoi(argv[2]) : 10;
    vaviviv::MostrarAyuda({QStringLiteral(VAVIVIV_CARPETA_PROGRAMA "/Vaviviv.hlp"), vaviviv::kAyudaTema, tema});
    vaviviv::VisorAyuda* visor = vaviviv::VisorAyudaAbierto();
    if (!visor || !QTest::qWaitForWindowExposed(visor)) return 1;
    QTest::qWait(300);

    const QRect marco = visor->frameGeometry();
    QPixmap imagen = visor->screen()->grabWindow(0, marco.x(), marco.y(), marco.width(), marco.height());
    if (imagen.isNull() || QGuiApplication::platformName() == QLatin1String("offscreen")) imagen = visor->grab();
    if (!imagen.save(QString::fromLocal8Bit(argv[1]))) return 1;
    std::printf("%s: %dx%d, tema %s\n", argv[1], imagen.width(), imagen.height(), qPrintable(visor->tema()));
    return 0;
}
