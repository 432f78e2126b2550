// Help and the about box of the main window: the topic of each algorithm
// and of none, the help menu entries, F1 on the contents, a missing help
// file, and the window usable after the about box.

#include "platform/ayuda.h"
#include "platform/visor_ayuda.h"
#include "simulados_impresion.h"
#include "ventana_prueba.h"

#include <QAction>

using namespace vaviviv;
using vaviviv::prueba::Ventana;

namespace {

QString EnCarpetaDelPrograma(const char* nombre) {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(nombre);
}

}  // namespace

class PruebaAyudaPrincipal : public QObject {
    Q_OBJECT

    std::unique_ptr<Ventana> v;

private slots:
    void init() { v = std::make_unique<Ventana>(); }
    void cleanup() {
        v.reset();
        if (VisorAyuda* visor = VisorAyudaAbierto()) visor->close();
    }

    void botonAyuda_data() {
        QTest::addColumn<int>("codigo");  // -1: none chosen
        QTest::addColumn<int>("contexto");
        QTest::newRow("ninguno") << -1 << 101;
        QTest::newRow("00") << 0 << 100;
        for (int codigo : {2, 3, 4, 6, 10, 35, 36, 37})
            QTest::newRow(qPrintable(QStringLiteral("%1").arg(codigo, 2, 10, QLatin1Char('0')))) << codigo << codigo;
    }
    void botonAyuda() {
        QFETCH(int, codigo);
        QFETCH(int, contexto);
        AyudaSimulada ayuda;
        if (codigo >= 0) v->elegir(codigo);
        v->boton("cmndAyuda")->click();
        QCOMPARE(ayuda.peticiones().size(), std::size_t(1));
        const PeticionAyuda& pedida = ayuda.peticiones()[0];
        QCOMPARE(pedida.archivo, EnCarpetaDelPrograma("Vaviviv.hlp"));
        QCOMPARE(pedida.comando, kAyudaTema);
        QCOMPARE(pedida.contexto, contexto);
        QVERIFY(v->dialogos().cajas().empty());
    }

    // The entries open the matching topics, as the bulk window's do;
    // "Calculo de Algoritmo" the chosen algorithm's.
    void menuAyuda_data() {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<int>("comando");
        QTest::addColumn<int>("contexto");  // read only with command 1
        QTest::newRow("contenido") << "mnuAyudaContenido" << -1 << kAyudaContenido << 0;
        QTest::newRow("uso") << "mnuAyudaUso" << -1 << kAyudaUso << 0;
        QTest::newRow("edición") << "mnuAyudaEdicion" << -1 << kAyudaTema << 102;
        QTest::newRow("despliegue") << "mnuAyudaDespliegue" << 10 << kAyudaTema << 101;
        QTest::newRow("cálculo sin algoritmo") << "mnuAyudaCalculo" << -1 << kAyudaTema << 101;
        QTest::newRow("cálculo 00") << "mnuAyudaCalculo" << 0 << kAyudaTema << 100;
        QTest::newRow("cálculo 36") << "mnuAyudaCalculo" << 36 << kAyudaTema << 36;
    }
    void menuAyuda() {
        QFETCH(QString, entrada);
        QFETCH(int, codigo);
        QFETCH(int, comando);
        QFETCH(int, contexto);
        AyudaSimulada ayuda;
        if (codigo >= 0) v->elegir(codigo);
        v->control<QAction>(qPrintable(entrada))->trigger();
        QCOMPARE(ayuda.peticiones().size(), std::size_t(1));
        const PeticionAyuda& pedida = ayuda.peticiones()[0];
        QCOMPARE(pedida.archivo, EnCarpetaDelPrograma("Vaviviv.hlp"));
        QCOMPARE(pedida.comando, comando);
        if (comando == kAyudaTema) QCOMPARE(pedida.contexto, contexto);
    }

    // F1 shows the contents of the file the window set at load.
    void f1() {
        AyudaSimulada ayuda;
        QCOMPARE(ArchivoAyudaAplicacion(), EnCarpetaDelPrograma("VaviviV.hlp"));
        v->elegir(6);
        v->campo("txtCuenta")->setFocus();
        QTest::keyClick(v->campo("txtCuenta"), Qt::Key_F1);
        QCOMPARE(ayuda.peticiones().size(), std::size_t(1));
        QCOMPARE(ayuda.peticiones()[0].archivo, EnCarpetaDelPrograma("VaviviV.hlp"));
        QCOMPARE(ayuda.peticiones()[0].comando, kAyudaContenido);
        QVERIFY(v->campo("txtCuenta")->text().isEmpty());
    }

    // No help file beside this test program: the built-in viewer says so.
    void archivoDeAyudaFaltante() {
        v->elegir(10);
        v->boton("cmndAyuda")->click();
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(1));
        const Caja& caja = v->dialogos().cajas()[0];
        QCOMPARE(caja.icono, Icono::Critico);
        QVERIFY(caja.texto.contains(QStringLiteral("Vaviviv.hlp")));
        QCOMPARE(VisorAyudaAbierto(), nullptr);
        QVERIFY(v->ventana().isEnabled());
    }

    void acercaDe() {
        v->control<QAction>("mnuAyudaAcerca")->trigger();
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(1));
        const Caja& caja = v->dialogos().cajas()[0];
        QCOMPARE(caja.titulo, QStringLiteral("Acerca de VaviviV"));
        QCOMPARE(caja.botones, Botones::Aceptar);
        QVERIFY(caja.texto.contains(QStringLiteral("VaviviV")));

        // Fully usable afterwards.
        QVERIFY(v->ventana().isEnabled());
        v->elegir(0);
        v->teclear("txtReferenciaaCalcular", QStringLiteral("123456"));
        v->enter("txtReferenciaaCalcular");
        QCOMPARE(v->referenciaCompleta(), QStringLiteral("1234566"));
    }
};

VAVIVIV_QTEST_MAIN(PruebaAyudaPrincipal)

#include "frmPrincipal_ayuda_test.moc"
