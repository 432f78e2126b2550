// Printing the main window: its image as shown, on one page, at its screen
// size; the confirmation; an error offered for retry; the menu entry that
// prints while the button is disabled; a machine without printers.

#include "pdf_prueba.h"
#include "platform/impresion.h"
#include "simulados_impresion.h"
#include "ventana_prueba.h"

#include <QAction>
#include <QPrinterInfo>
#include <QTemporaryDir>

using namespace vaviviv;
using namespace vaviviv::prueba;

namespace {

const QString kTitulo = QStringLiteral("Digito KIV");
const QString kTerminada = QString::fromUtf8("Impresión Terminada !!!");

void EsConfirmacion(const Caja& caja) {
    QCOMPARE(caja.texto, kTerminada);
    QCOMPARE(caja.titulo, kTitulo);
    QCOMPARE(caja.icono, Icono::Exclamacion);
    QCOMPARE(caja.botones, Botones::Aceptar);
}

void EsError(const Caja& caja, const QString& texto) {
    QCOMPARE(caja.texto, texto);
    QCOMPARE(caja.titulo, kTitulo);
    QCOMPARE(caja.icono, Icono::Ninguno);
    QCOMPARE(caja.botones, Botones::ReintentarCancelar);
}

}  // namespace

class PruebaImpresion : public QObject {
    Q_OBJECT

    std::unique_ptr<Ventana> v;
    QTemporaryDir carpeta;
    QString pdf;

private slots:
    void initTestCase() {
        QVERIFY(carpeta.isValid());
        pdf = carpeta.filePath(QStringLiteral("ventana.pdf"));
    }
    void init() {
        QFile::remove(pdf);
        v = std::make_unique<Ventana>();
    }
    void cleanup() { v.reset(); }

    // The window with its result on screen goes to the page as it is shown.
    void imprimeLaVentana() {
        if (!HayHerramientasPdf()) QSKIP("Faltan las herramientas de poppler-utils");
        ImpresoraSimulada impresora(pdf);
        v->elegir(10);
        v->llenar(QStringLiteral("123456"), {}, {}, QStringLiteral("123.45"), QStringLiteral("15/06/2000"));
        v->calcular();
        QCOMPARE(v->referenciaCompleta(), QStringLiteral("12345646337268"));
        QVERIFY(v->boton("cmdImprime")->isEnabled());
        const QImage pantalla = v->ventana().grab().toImage();

        v->boton("cmdImprime")->click();

        QCOMPARE(impresora.impresas(), 1);
        QCOMPARE(impresora.imagenes().size(), std::size_t(1));
        const QImage impresa = impresora.imagenes()[0];
        QCOMPARE(impresa.convertToFormat(QImage::Format_RGB32), pantalla.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(PaginasPdf(pdf), 1);
        QCOMPARE(ImagenesPdf(pdf),
                 QStringList{QStringLiteral("%1x%2").arg(pantalla.width()).arg(pantalla.height())});
        // At the size it has on screen.
        const int ppp = qRound(v->ventana().logicalDpiX() * pantalla.devicePixelRatio());
        QVERIFY(qAbs(ResolucionImagenesPdf(pdf).value(0) - ppp) <= 1);

        QCOMPARE(v->dialogos().cajas().size(), std::size_t(1));
        EsConfirmacion(v->dialogos().cajas()[0]);
        // Printing changes nothing in the window.
        QCOMPARE(v->referenciaCompleta(), QStringLiteral("12345646337268"));
    }

    void menuImprimeConElBotonDeshabilitado() {
        ImpresoraSimulada impresora(pdf);
        QVERIFY(!v->boton("cmdImprime")->isEnabled());
        v->control<QAction>("mnuArchivoImprimir")->trigger();
        QCOMPARE(impresora.impresas(), 1);
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(1));
        EsConfirmacion(v->dialogos().cajas()[0]);
    }

    // Retry repeats the print, which then goes through and is confirmed.
    void errorReintentar_data() {
        QTest::addColumn<int>("fallas");
        QTest::newRow("una") << 1;
        QTest::newRow("tres") << 3;
    }
    void errorReintentar() {
        QFETCH(int, fallas);
        ImpresoraSimulada impresora(pdf);
        const ErrorImpresion error{kErrorImpresoraDetenida,
                                   QString::fromUtf8("La impresora «Oficina» está detenida o tiene un error.")};
        for (int i = 0; i < fallas; ++i) {
            impresora.fallarCon(error);
            v->dialogos().responderCon(Respuesta::Reintentar);
        }
        v->boton("cmdImprime")->setEnabled(true);
        v->boton("cmdImprime")->click();

        const auto& cajas = v->dialogos().cajas();
        QCOMPARE(cajas.size(), std::size_t(fallas + 1));
        for (int i = 0; i < fallas; ++i)
            EsError(cajas[std::size_t(i)],
                    QString::fromUtf8("Error : 2 La impresora «Oficina» está detenida o tiene un error."));
        EsConfirmacion(cajas.back());
        QCOMPARE(impresora.imagenes().size(), std::size_t(fallas + 1));
        QCOMPARE(impresora.impresas(), 1);
        if (HayHerramientasPdf()) QCOMPARE(PaginasPdf(pdf), 1);
    }

    // Cancel ends the command: nothing printed, nothing else shown.
    void errorCancelar() {
        ImpresoraSimulada impresora(pdf);
        impresora.fallarCon({kErrorImpresoraNoAbre, QString::fromUtf8("No se pudo empezar a imprimir.")});
        v->elegir(0);
        v->llenar(QStringLiteral("123456"));
        v->calcular();
        v->dialogos().responderCon(Respuesta::Cancelar);
        v->boton("cmdImprime")->click();
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(1));
        EsError(v->dialogos().cajas()[0], QString::fromUtf8("Error : 3 No se pudo empezar a imprimir."));
        QCOMPARE(impresora.impresas(), 0);
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(v->referenciaCompleta(), QStringLiteral("1234566"));
        QVERIFY(v->ventana().isEnabled());
    }

    // With no printer installed the default printer gives the error box;
    // Retry asks again, Cancel ends it.
    void sinImpresoras() {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("Esta máquina tiene impresoras: la prueba imprimiría de verdad");
        v->dialogos().responderCon(Respuesta::Reintentar);
        v->dialogos().responderCon(Respuesta::Cancelar);
        v->control<QAction>("mnuArchivoImprimir")->trigger();
        const QString texto = QString::fromUtf8("Error : 1 No hay ninguna impresora predeterminada en el sistema.");
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(2));
        EsError(v->dialogos().cajas()[0], texto);
        EsError(v->dialogos().cajas()[1], texto);
        QVERIFY(v->ventana().isEnabled());
    }
};

VAVIVIV_QTEST_MAIN(PruebaImpresion)

#include "frmPrincipal_impresion_test.moc"
