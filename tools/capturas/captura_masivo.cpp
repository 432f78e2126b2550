// Screenshot of frmMasivo with a calculated file, to check by eye that every
// text is readable. Run under a virtual display:
//   xvfb-run -a <build>/tools/capturas/captura_masivo salida.png [codigo [archivo]]
// By default algorithm 10 and the bundled samples/referencias_10.txt.

#include "dialogos_simulados.h"
#include "masivo/frmMasivo.h"
#include "platform/aplicacion.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vaviviv::PrepararAplicacion(app);
    if (argc < 2) {
        std::fprintf(stderr, "Uso: captura_masivo salida.png [codigo [archivo]]\n");
        return 2;
    }
    const int codigo = argc > 2 ? QByteArray(argv[2]).toInt() : 10;
    const QString archivo = argc > 3 ? QString::fromLocal8Bit(argv[3])
                                     : QStringLiteral(VAVIVIV_SAMPLES "/referencias_%1.txt").arg(codigo, 2, 10, QLatin1Char('0'));
    vaviviv::DialogosSimulados dialogos;
    vaviviv::frmMasivo ventana;
    ventana.show();
    if (!QTest::qWaitForWindowExposed(&ventana)) return 1;

    auto* cbo = ventana.findChild<QComboBox*>(QStringLiteral("cboAlgoritmo"));
    cbo->setCurrentIndex(cbo->findData(codigo));
    emit cbo->activated(cbo->currentIndex());
    ventana.ConfigurarRejilla();
    if (!ventana.CargarArchivo(archivo)) return 1;
    ventana.cmdCalcular_Click();
    QTest::qWait(300);

    // What the display shows, where it can be read back; else Qt's own drawing.
    const QRect marco = ventana.frameGeometry();
    QPixmap imagen = ventana.screen()->grabWindow(0, marco.x(), marco.y(), marco.width(), marco.height());
    if (imagen.isNull() || QGuiApplication::platformName() == QLatin1String("offscreen")) imagen = ventana.grab();
    if (!imagen.save(QString::fromLocal8Bit(argv[1]))) return 1;
    std::printf("%s: %dx%d (%s)\n", argv[1], imagen.width(), imagen.height(),
                qPrintable(QGuiApplication::platformName()));
    return dialogos.cajas().empty() ? 0 : 1;
}
