// The commands of frmPrincipal: calculating (each algorithm, each kind of
// failure), printing the window, help topics, F1 and the about box.

#include "pdf_prueba.h"
#include "platform/ayuda.h"
#include "platform/impresion.h"
#include "platform/visor_ayuda.h"
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
    int cajas = 0;
};

DatosPrincipal Ref(const QString& referencia) { return {referencia, {}, {}, {}, {}}; }
DatosPrincipal D10(const QString& importe, const QString& fecha) { return {"123456", {}, {}, importe, fecha}; }

void EsCajaDeImpresion(const Caja& caja, const QString& texto) {
    const bool terminada = texto.startsWith("Impresión");
    QCOMPARE(caja.texto, texto);
    QCOMPARE(caja.titulo, "Digito KIV");
    QCOMPARE(caja.icono, terminada ? Icono::Exclamacion : Icono::Ninguno);
    QCOMPARE(caja.botones, terminada ? Botones::Aceptar : Botones::ReintentarCancelar);
}

QString EnCarpetaDelPrograma(const char* nombre) { return QCoreApplication::applicationDirPath() + "/" + nombre; }

}  // namespace

Q_DECLARE_METATYPE(Fila)

class PruebaComandos : public QObject {
    Q_OBJECT

    std::unique_ptr<Ventana> v;
    QTemporaryDir carpeta;
    QString pdf = carpeta.filePath("ventana.pdf");

private slots:
    void init() { v = std::make_unique<Ventana>(); }
    void cleanup() {
        v.reset();
        if (VisorAyuda* visor = VisorAyudaAbierto()) visor->close();
    }

    // The worked example of each algorithm, and one row per kind of failure.
    // Messages and field come from the shared rules (their texts are checked
    // there); the window shows exactly those boxes, moves the focus only
    // after the last one and keeps the previous result.
    void calcular_data() {
        QTest::addColumn<Fila>("fila");
        const QString ref = "txtReferenciaaCalcular";
        // The command guards itself although its button is off with no algorithm.
        QTest::newRow("sin algoritmo") << Fila{-1, Ref("123"), {}, {}, 1};
        QTest::newRow("00") << Fila{0, Ref("123456"), {}, "6"};
        QTest::newRow("02") << Fila{2, Ref("141118ABC"), {}, "1"};
        QTest::newRow("03") << Fila{3, Ref("271828"), {}, "4"};
        QTest::newRow("04") << Fila{4, Ref("123456"), {}, "93"};
        QTest::newRow("06") << Fila{6, {"890", "123", "4567", {}, {}}, {}, "62"};
        QTest::newRow("10") << Fila{10, D10("123.45", "15/06/2000"), {}, "46337268"};
        QTest::newRow("35") << Fila{35, Ref("ABC123"), {}, "8"};
        QTest::newRow("36") << Fila{36, Ref("ABC123"), {}, "2"};
        QTest::newRow("37") << Fila{37, Ref("ABC123"), {}, "03"};
        QTest::newRow("36 minusculas") << Fila{36, Ref("abc123"), {}, "2"};  // kept as typed
        // The date reaches routine 10 trimmed, its day made two digits.
        QTest::newRow("10 dia sin cero") << Fila{10, D10("123.45", " 1/02/2000"), {}, "44957273"};
        QTest::newRow("00 vacia") << Fila{0, Ref(""), ref, {}, 1};
        QTest::newRow("02 corta y letra") << Fila{2, Ref("12a45"), ref, {}, 2};
        QTest::newRow("06 vacio") << Fila{6, {}, "txtSucursal", {}, 1};
        QTest::newRow("06 cuenta") << Fila{6, {"890", "123", "45.6", {}, {}}, "txtCuenta", {}, 1};
        QTest::newRow("10 importe") << Fila{10, D10("-1", "15/06/2000"), "mskImporte", {}, 1};
        QTest::newRow("10 31 feb") << Fila{10, D10("1", "31/02/2000"), "mskFecha", {}, 1};
        // Accepted by the checks, refused by the preparation of the date.
        QTest::newRow("10 anio de dos cifras") << Fila{10, D10("1", "01/02/00"), "mskFecha", {}, 1};
        QTest::newRow("37 larga") << Fila{37, Ref(QString(19, u'A')), ref, {}, 1};
        // The routines' own refusals: the bad-character box, the focus unmoved.
        QTest::newRow("36 guion") << Fila{36, Ref("HOLA-2014"), {}, {}, 1};
        QTest::newRow("02 tras la fecha") << Fila{2, Ref("141118A-B"), {}, {}, 1};
    }

    void calcular() {
        QFETCH(Fila, fila);
        v->elegir(fila.codigo);
        v->campo("txtReferenciaaCalcular")->setMaxLength(32767);  // more than the user can type
        v->llenar(fila.datos);
        v->ponerResultado("anterior", "9");
        v->algoritmos()->setFocus();
        QList<QWidget*> focoConLaCajaAbierta;
        v->dialogos().alMostrar = [this, &focoConLaCajaAbierta](const Caja&) { focoConLaCajaAbierta << v->foco(); };
        fila.codigo < 0 ? v->ventana().cmdCalcularReferencia_Click() : v->calcular();
        QCOMPARE(v->dialogos().textos(),
                 CalcularReferencia(fila.codigo < 0 ? std::nullopt : std::optional(fila.codigo), fila.datos).mensajes);
        QCOMPARE(v->dialogos().textos().size(), fila.cajas);
        for (const Caja& caja : v->dialogos().cajas())
            QVERIFY(caja.icono == Icono::Critico && caja.botones == Botones::Aceptar && caja.titulo == "VaviviV");
        for (QWidget* w : focoConLaCajaAbierta) QCOMPARE(w, v->algoritmos());
        QCOMPARE(v->foco()->objectName(), fila.foco.isEmpty() ? "cboAlgoritmo" : fila.foco);
        QCOMPARE(v->digitos(), fila.cajas ? "9" : fila.digitos);
        QCOMPARE(v->referenciaCompleta(), fila.cajas ? "anterior" : fila.datos.referencia + fila.digitos);
        QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), fila.datos.referencia);
    }

    // The window goes to one page as shown, at its screen size, then the confirmation.
    void imprimeLaVentana() {
        if (!HayHerramientasPdf()) QSKIP("Faltan las herramientas de poppler-utils");
        ImpresoraSimulada impresora(pdf);
        v->llenar10();
        v->calcular();
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

    // Each help order asks for its topic in the program's help file:
    // cmndAyuda and "Calculo de Algoritmo" the chosen algorithm's (00 is 100,
    // none the window's, 101); the other entries fixed ones; F1 the contents
    // of the file the window set at load.
    void temasDeAyuda() {
        const auto pide = [this](const char* orden, int codigo, int comando, int contexto) {
            AyudaSimulada ayuda;
            if (codigo >= 0) v->elegir(codigo);
            if (orden[0] == 'c') v->boton(orden)->click();
            if (orden[0] == 'm') v->control<QAction>(orden)->trigger();
            if (orden[0] == 't') QTest::keyClick(v->campo(orden), Qt::Key_F1);
            QCOMPARE(ayuda.peticiones().size(), std::size_t(1));
            const char* archivo = orden[0] == 't' ? "VaviviV.hlp" : "Vaviviv.hlp";  // both spellings
            QCOMPARE(ayuda.peticiones()[0].archivo, EnCarpetaDelPrograma(archivo));
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
        QVERIFY(v->campo("txtCuenta")->text().isEmpty());
        QVERIFY(v->dialogos().cajas().empty());
    }

    // No help file beside this test program: the built-in viewer says so; the
    // about box; the window usable after both.
    void sinArchivoDeAyudaYAcercaDe() {
        v->boton("cmndAyuda")->click();
        v->control<QAction>("mnuAyudaAcerca")->trigger();
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(2));
        QCOMPARE(v->dialogos().cajas()[0].icono, Icono::Critico);
        QVERIFY(v->dialogos().cajas()[0].texto.contains("Vaviviv.hlp"));
        QCOMPARE(VisorAyudaAbierto(), nullptr);
        QCOMPARE(v->dialogos().cajas()[1].titulo, "Acerca de VaviviV");
        QVERIFY(v->dialogos().cajas()[1].texto.contains("VaviviV"));
        v->elegir(0);
        v->teclear("txtReferenciaaCalcular", "123456");
        QTest::keyClick(v->campo("txtReferenciaaCalcular"), Qt::Key_Return);
        QCOMPARE(v->referenciaCompleta(), "1234566");
    }
};

VAVIVIV_QTEST_MAIN(PruebaComandos)
#include "frmPrincipal_comandos_test.moc"
