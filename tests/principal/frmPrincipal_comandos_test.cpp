// The commands of frmPrincipal: calculating (one case for each way the window
// answers), printing the window, help topics, F1 and the about box.

#include "pdf_prueba.h"
#include "platform/aplicacion.h"
#include "platform/ayuda.h"
#include "platform/impresion.h"
#include "simulados_impresion.h"
#include "ventana_prueba.h"

#include <QAction>
#include <QPrinterInfo>
#include <QTemporaryDir>

using namespace vaviviv;
using namespace vaviviv::prueba;

namespace {

struct Fila {
    int codigo;
    DatosPrincipal datos;
    QString foco;     // where the focus ends; empty: it stays on the algorithm list
    QString digitos;  // on success
};

DatosPrincipal Ref(const QString& referencia) { return {referencia, {}, {}, {}, {}}; }

void EsCajaDeImpresion(const Caja& caja, const QString& texto) {
    const bool terminada = texto.startsWith("Impresión");
    QCOMPARE(caja.texto, texto);
    QCOMPARE(caja.titulo, "Digito KIV");
    QCOMPARE(caja.icono, terminada ? Icono::Exclamacion : Icono::Ninguno);
    QCOMPARE(caja.botones, terminada ? Botones::Aceptar : Botones::ReintentarCancelar);
}

}  // namespace

Q_DECLARE_METATYPE(Fila)

class PruebaComandos : public QObject {
    Q_OBJECT

    std::unique_ptr<Ventana> v;
    QTemporaryDir carpeta;
    QString pdf = carpeta.filePath("ventana.pdf");

private slots:
    void initTestCase() { PrepararAplicacion(*qApp); }
    void init() { v = std::make_unique<Ventana>(); }
    void cleanup() { v.reset(); }

    // The messages and their field are the shared rules' (checked in full there); here one case
    // for each way the window answers: every field read and every field that can take the focus,
    // two boxes, no algorithm. The focus moves after the last box; a failure keeps the old result.
    void calcular_data() {
        QTest::addColumn<Fila>("fila");
        // The command guards itself although its button is off with no algorithm.
        QTest::newRow("sin algoritmo") << Fila{-1, Ref("123"), {}, {}};
        QTest::newRow("06") << Fila{6, {"890", "123", "4567", {}, {}}, {}, "62"};
        // The date reaches routine 10 trimmed, its day made two digits.
        QTest::newRow("10 dia sin cero") << Fila{10, {"123456", {}, {}, "123.45", " 1/02/2000"}, {}, "44957273"};
        QTest::newRow("02 corta y letra") << Fila{2, Ref("12a45"), "txtReferenciaaCalcular", {}};
        QTest::newRow("06 sucursal") << Fila{6, {"890", "", "4567", {}, {}}, "txtSucursal", {}};
        QTest::newRow("06 cuenta") << Fila{6, {"890", "123", "45.6", {}, {}}, "txtCuenta", {}};
        QTest::newRow("10 importe") << Fila{10, {"123456", {}, {}, "-1", "15/06/2000"}, "mskImporte", {}};
        // Accepted by the checks, refused by the preparation of the date.
        QTest::newRow("10 anio de dos cifras") << Fila{10, {"123456", {}, {}, "1", "01/02/00"}, "mskFecha", {}};
    }

    void calcular() {
        QFETCH(Fila, fila);
        v->llenar(fila.codigo, fila.datos);
        v->ponerResultado("anterior", "9");
        v->algoritmos()->setFocus();
        QList<QWidget*> focoConLaCajaAbierta;
        v->dialogos().alMostrar = [this, &focoConLaCajaAbierta](const Caja&) { focoConLaCajaAbierta << v->foco(); };
        fila.codigo < 0 ? v->ventana().cmdCalcularReferencia_Click() : v->boton("cmdCalcularReferencia")->click();
        const auto codigo = fila.codigo < 0 ? std::nullopt : std::optional(fila.codigo);
        QCOMPARE(v->dialogos().textos(), CalcularReferencia(codigo, fila.datos).mensajes);
        QCOMPARE(v->dialogos().textos().isEmpty(), !fila.digitos.isEmpty());
        for (const Caja& caja : v->dialogos().cajas())
            QVERIFY(caja.icono == Icono::Critico && caja.botones == Botones::Aceptar && caja.titulo == "VaviviV");
        QCOMPARE(focoConLaCajaAbierta, QList<QWidget*>(v->dialogos().cajas().size(), v->algoritmos()));
        QCOMPARE(v->foco()->objectName(), fila.foco.isEmpty() ? "cboAlgoritmo" : fila.foco);
        QCOMPARE(v->digitos(), fila.digitos.isEmpty() ? "9" : fila.digitos);
        QCOMPARE(v->referenciaCompleta(), fila.digitos.isEmpty() ? "anterior" : fila.datos.referencia + fila.digitos);
        QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), fila.datos.referencia);
    }

    // The window goes to one page as shown, at its screen size, then the confirmation.
    void imprimeLaVentana() {
        if (!HayHerramientasPdf()) QSKIP("Faltan las herramientas de poppler-utils");
        ImpresoraSimulada impresora(pdf);
        v->llenar10();
        const QImage pantalla = v->ventana().grab().toImage();
        v->boton("cmdImprime")->click();
        QCOMPARE(impresora.impresas(), 1);
        QCOMPARE(impresora.imagenes()[0].convertToFormat(QImage::Format_RGB32),
                 pantalla.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(PaginasPdf(pdf), 1);
        QCOMPARE(ImagenesPdf(pdf), QStringList{QString("%1x%2").arg(pantalla.width()).arg(pantalla.height())});
        const int ppp = qRound(v->ventana().logicalDpiX() * pantalla.devicePixelRatio());
        QVERIFY(qAbs(ResolucionImagenesPdf(pdf).value(0) - ppp) <= 1);
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(1));
        EsCajaDeImpresion(v->dialogos().cajas()[0], "Impresión Terminada !!!");
    }

    // An error offers Retry, which prints again, or Cancel, which ends; the
    // menu prints while the button is disabled. No printer at all is such an error.
    void errorDeImpresion() {
        for (bool reintentar : {true, false}) {
            ImpresoraSimulada impresora(pdf);
            v->dialogos().olvidar();
            impresora.fallarCon({kErrorImpresoraDetenida, "La impresora «Oficina» está detenida."});
            if (reintentar) v->dialogos().responderCon(Respuesta::Reintentar);
            QVERIFY(!v->boton("cmdImprime")->isEnabled());
            v->control<QAction>("mnuArchivoImprimir")->trigger();
            QCOMPARE(v->dialogos().cajas().size(), std::size_t(reintentar ? 2 : 1));
            EsCajaDeImpresion(v->dialogos().cajas()[0], "Error : 2 La impresora «Oficina» está detenida.");
            if (reintentar) EsCajaDeImpresion(v->dialogos().cajas()[1], "Impresión Terminada !!!");
            QCOMPARE(impresora.impresas(), reintentar ? 1 : 0);
        }
        if (!QPrinterInfo::availablePrinterNames().isEmpty()) QSKIP("Esta máquina tiene impresoras");
        v->dialogos().olvidar();
        v->control<QAction>("mnuArchivoImprimir")->trigger();
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(1));
        EsCajaDeImpresion(v->dialogos().cajas()[0], "Error : 1 No hay ninguna impresora predeterminada en el sistema.");
    }

    // Each help order asks for its topic in the program's help file: cmndAyuda and "Calculo de
    // Algoritmo" the chosen algorithm's (00 is 100, none the window's, 101); the other entries
    // fixed ones; F1 the contents of the file the window set at load. Then the about box.
    void ayudaYAcercaDe() {
        const auto pide = [this](const char* orden, int codigo, int comando, int contexto) {
            AyudaSimulada ayuda;
            if (orden[0] != 't') v->elegir(codigo);  // -1: none
            if (orden[0] == 'c') v->boton(orden)->click();
            if (orden[0] == 'm') v->control<QAction>(orden)->trigger();
            if (orden[0] == 't') QTest::keyClick(v->campo(orden), Qt::Key_F1);
            QCOMPARE(ayuda.peticiones().size(), std::size_t(1));
            const char* archivo = orden[0] == 't' ? "/VaviviV.hlp" : "/Vaviviv.hlp";  // both spellings
            QCOMPARE(ayuda.peticiones()[0].archivo, QCoreApplication::applicationDirPath() + archivo);
            QCOMPARE(ayuda.peticiones()[0].comando, comando);
            if (comando == kAyudaTema) QCOMPARE(ayuda.peticiones()[0].contexto, contexto);
        };
        for (int codigo : {-1, 0, 2, 3, 4, 6, 10, 35, 36, 37})
            for (const char* orden : {"cmndAyuda", "mnuAyudaCalculo"})
                pide(orden, codigo, kAyudaTema, codigo < 0 ? 101 : codigo == 0 ? 100 : codigo);
        pide("mnuAyudaContenido", 10, kAyudaContenido, 0);
        pide("mnuAyudaUso", 10, kAyudaUso, 0);
        pide("mnuAyudaEdicion", 10, kAyudaTema, 102);
        pide("mnuAyudaDespliegue", 10, kAyudaTema, 101);
        v->elegir(6);
        v->campo("txtCuenta")->setFocus();
        pide("txtCuenta", -1, kAyudaContenido, 0);
        QVERIFY(v->campo("txtCuenta")->text().isEmpty() && v->dialogos().cajas().empty());
        v->control<QAction>("mnuAyudaAcerca")->trigger();
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(1));
        QCOMPARE(v->dialogos().cajas()[0].titulo, "Acerca de VaviviV");
    }
};

QTEST_MAIN(PruebaComandos)
#include "frmPrincipal_comandos_test.moc"
