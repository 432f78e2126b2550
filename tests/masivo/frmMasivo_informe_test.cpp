// The bulk window's report, help and about commands, through the window:
// what cmdImprimir hands over, the topics of cmdAyuda and the help menu, F1,
// and both windows usable after the about box.

#include "masivo_prueba.h"
#include "pdf_prueba.h"
#include "platform/ayuda.h"
#include "platform/informe.h"
#include "simulados_impresion.h"

using namespace vaviviv;
using namespace vaviviv::prueba;

namespace {

QString EnCarpetaDelPrograma(const char* nombre) {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(nombre);
}

}  // namespace

class PruebaInformeVentana : public QObject {
    Q_OBJECT

    std::unique_ptr<VentanaMasiva> v;
    QTemporaryDir carpeta;

private slots:
    void init() { v = std::make_unique<VentanaMasiva>(); }
    void cleanup() { v.reset(); }

    // Algorithm 06 calculated: the report names it, lists every row under
    // the grid's five titles, and the grid keeps its five columns.
    void imprimirReporte() {
        if (!HayHerramientasPdf()) QSKIP("Faltan las herramientas de poppler-utils");
        v->elegir(6);
        v->poner({{"890", "123", "4567"}, {"1234567890", "1", "1"}, {"x", "1", "1"}});
        v->calcular();
        QVERIFY(v->boton("cmdImprimir")->isEnabled());
        const bool sinGuardar = v->sinGuardar();
        const QString pdf = carpeta.filePath(QStringLiteral("reporte.pdf"));
        PresentacionPdf presentacion(pdf);
        int columnasAlProducir = 0;
        presentacion.alPresentar = [&] { columnasAlProducir = v->rejilla().Cols(); };

        v->boton("cmdImprimir")->click();

        QCOMPARE(presentacion.veces(), 1);
        QCOMPARE(columnasAlProducir, 6);
        QCOMPARE(v->rejilla().Cols(), 5);
        QCOMPARE(v->rejilla().Row(), 0);
        QCOMPARE(v->rejilla().Col(), 4);
        QCOMPARE(v->sinGuardar(), sinGuardar);
        QCOMPARE(PaginasPdf(pdf), 1);
        const QString texto = TextoPdf(pdf).value(0);
        for (const QString& parte :
             {QStringLiteral("Reporte de Calculo Masivo de"), QString::fromUtf8("Dígitos Verificadores"),
              QStringLiteral("Algoritmo utilizado en el calculo: Algoritmo Vorantis 06"),
              QString::fromUtf8("Dígitos calculados : 2 Dígitos verificadores"), QStringLiteral("Sucursal"),
              QStringLiteral("Cuenta"), QStringLiteral("89062"), QStringLiteral("123456789039"),
              QString::fromUtf8("Error: Referencia no válida.")})
            QVERIFY2(texto.contains(parte), qPrintable(parte));
        QVERIFY(v->dialogos().cajas().empty());
    }

    void botonAyuda_data() {
        QTest::addColumn<int>("codigo");  // -1: none chosen
        QTest::addColumn<int>("contexto");
        QTest::newRow("ninguno") << -1 << 103;
        QTest::newRow("00") << 0 << 100;
        for (int codigo : {2, 3, 4, 6, 10, 35, 36, 37})
            QTest::newRow(qPrintable(QStringLiteral("%1").arg(codigo, 2, 10, QLatin1Char('0')))) << codigo << codigo;
    }
    void botonAyuda() {
        QFETCH(int, codigo);
        QFETCH(int, contexto);
        AyudaSimulada ayuda;
        if (codigo >= 0) v->elegir(codigo);
        v->boton("cmdAyuda")->click();
        QCOMPARE(ayuda.peticiones().size(), std::size_t(1));
        QCOMPARE(ayuda.peticiones()[0].archivo, EnCarpetaDelPrograma("Vaviviv.hlp"));
        QCOMPARE(ayuda.peticiones()[0].comando, kAyudaTema);
        QCOMPARE(ayuda.peticiones()[0].contexto, contexto);
    }

    void menuAyuda_data() {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<int>("peticiones");
        QTest::addColumn<int>("comando");
        QTest::addColumn<int>("contexto");  // read only with command 1
        QTest::newRow("contenido") << "mnuAyudaContenido" << 1 << kAyudaContenido << 0;
        QTest::newRow("uso") << "mnuAyudaUso" << 1 << kAyudaUso << 0;
        QTest::newRow("edición") << "mnuAyudaEdicion" << 1 << kAyudaTema << 102;
        QTest::newRow("despliegue") << "mnuAyudaDespliegue" << 1 << kAyudaTema << 103;
        QTest::newRow("cálculo: nada") << "mnuAyudaCalculo" << 0 << 0 << 0;
    }
    void menuAyuda() {
        QFETCH(QString, entrada);
        QFETCH(int, peticiones);
        QFETCH(int, comando);
        QFETCH(int, contexto);
        AyudaSimulada ayuda;
        v->elegir(10);
        v->accion(qPrintable(entrada))->trigger();
        QCOMPARE(int(ayuda.peticiones().size()), peticiones);
        if (peticiones == 0) return;
        QCOMPARE(ayuda.peticiones()[0].archivo, EnCarpetaDelPrograma("Vaviviv.hlp"));
        QCOMPARE(ayuda.peticiones()[0].comando, comando);
        if (comando == kAyudaTema) QCOMPARE(ayuda.peticiones()[0].contexto, contexto);
    }

    void f1() {
        AyudaSimulada ayuda;
        QTest::keyClick(v->algoritmos(), Qt::Key_F1);
        QCOMPARE(ayuda.peticiones().size(), std::size_t(1));
        QCOMPARE(ayuda.peticiones()[0].archivo, EnCarpetaDelPrograma("VaviviV.hlp"));
        QCOMPARE(ayuda.peticiones()[0].comando, kAyudaContenido);
    }

    void acercaDe() {
        v->accion("mnuAyudaAcerca")->trigger();
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(1));
        QCOMPARE(v->dialogos().cajas()[0].titulo, QStringLiteral("Acerca de VaviviV"));
        QVERIFY(v->ventana().isEnabled());
        v->elegir(0);
        v->poner({{"123456"}});
        v->calcular();
        QCOMPARE(v->fila(1), (QStringList{QStringLiteral("123456"), QStringLiteral("1234566"), QStringLiteral("6")}));
    }
};

VAVIVIV_QTEST_MAIN(PruebaInformeVentana)

#include "frmMasivo_informe_test.moc"
