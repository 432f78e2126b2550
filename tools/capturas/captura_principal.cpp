// Screenshot of frmPrincipal with algorithm 10 calculated, to check by eye
// that every text is readable. Run under a virtual display:
//   xvfb-run -a <build>/tools/capturas/captura_principal salida.png [--calendario]

#include "dialogos_simulados.h"
#include "platform/aplicacion.h"
#include "principal/frmPrincipal.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vaviviv::PrepararAplicacion(app);
    if (argc < 2) {
        std::fprintf(stderr, "Uso: captura_principal salida.png [--calendario]\n");
        return 2;
    }
    vaviviv::DialogosSimulados dialogos;
    vaviviv::frmPrincipal ventana;
    ventana.show();
    if (!QTest::qWaitForWindowExposed(&ventana)) return 1;

    auto* cbo = ventana.findChild<QComboBox*>(QStringLiteral("cboAlgoritmo"));
    cbo->setCurrentIndex(cbo->findData(10));
    emit cbo->activated(cbo->currentIndex());
    const auto teclear = [&ventana](const char* campo, const char* texto) {
        auto* destino = ventana.findChild<QLineEdit*>(QString::fromLatin1(campo));
        destino->setFocus();
        QTest::keyClicks(destino, QString::fromLatin1(texto));
    };
    teclear("txtReferenciaaCalcular", "123456");
    teclear("mskImporte", "123.45");
    auto* fecha = ventana.findChild<QLineEdit*>(QStringLiteral("mskFecha"));
    fecha->clear();
    teclear("mskFecha", "15/06/2000");
    ventana.findChild<QPushButton*>(QStringLiteral("cmdCalcularReferencia"))->click();
    if (argc > 2 && QByteArray(argv[2]) == "--calendario")
        ventana.findChild<QPushButton*>(QStringLiteral("cmdFecha"))->click();
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
