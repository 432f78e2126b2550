// frmMasivo as it opens and as each algorithm sets the grid up: controls,
// menus, enabled states, columns and titles, the questions before rows are
// discarded, the single window and closing it.

#include "masivo_prueba.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

using namespace vaviviv;
using vaviviv::prueba::VentanaMasiva;

namespace {

const QString kIndicacion =
    QStringLiteral("Primero Seleccione el algoritmo deseado y luego el Archivo a calcular.");
const QString kSinSalvar = QString::fromUtf8("Los datos no se han almacenado. ¿ Continuar sin salvar ?");
const QString kMantener = QString::fromUtf8("¿Desea mantener los datos para el próximo calculo?");
const QString kTituloPregunta = QString::fromUtf8("KIV- Dígito verificador");

const QStringList kTitulos3{"Referencia", "Referencia Completa", QString::fromUtf8("Dígito Verificador")};
const QStringList kTitulos06{"Referencia", "Sucursal", "Cuenta", "Referencia Completa",
                             QString::fromUtf8("Dígito Verificador")};
const QStringList kTitulos10{"Referencia", "Importe", "Fecha", "Referencia Completa",
                             QString::fromUtf8("Dígito Verificador")};

}  // namespace

class PruebaVentanaMasiva : public QObject {
    Q_OBJECT

    std::unique_ptr<VentanaMasiva> v;

    // Two rows of algorithm 10 calculated: results present, marker on.
    void dosFilasCalculadas() {
        v->elegir(10);
        QVERIFY(v->cargar("123456\t123.45\t15/06/2000\r\n1\t0\t01/01/1988\r\n"));
        v->calcular();
        QCOMPARE(v->fila(1)[3], QStringLiteral("12345646337268"));
        QVERIFY(v->sinGuardar());
    }

private slots:
    void init() { v = std::make_unique<VentanaMasiva>(); }
    void cleanup() { v.reset(); }

    void estadoInicial() {
        QCOMPARE(v->ventana().windowTitle(), QString::fromUtf8("Calculo Masivo de Dígitos Verificadores - "));
        QVERIFY(!v->ventana().windowIcon().isNull());
        QCOMPARE(v->etiqueta(), kIndicacion);
        QCOMPARE(v->algoritmos()->count(), 9);
        QCOMPARE(v->algoritmos()->currentIndex(), -1);
        QCOMPARE(v->rejilla().Rows(), 1);
        QVERIFY(!v->control<Rejilla>("grdCriterios")->isVisible());
        QVERIFY(v->rejilla().isVisible());

        for (const char* apagado : {"cmdAbrir", "cmdCalcular", "cmdGuardar", "cmdImprimir"})
            QVERIFY2(!v->boton(apagado)->isEnabled(), apagado);
        for (const char* encendido : {"cmdCerrar", "cmdAyuda"}) QVERIFY2(v->boton(encendido)->isEnabled(), encendido);
        QVERIFY(!v->accion("mnuArchivoAbrir")->isEnabled());
        for (const char* entrada :
             {"mnuArchivoGuardar", "mnuArchivoPreliminar", "mnuArchivoImprimir", "mnuArchivoSalir",
              "mnuEditarInsertar", "mnuEditarBorrar", "mnuAyudaContenido", "mnuAyudaUso", "mnuAyudaEdicion",
              "mnuAyudaDespliegue", "mnuAyudaCalculo", "mnuAyudaAcerca"})
            QVERIFY2(v->accion(entrada)->isEnabled(), entrada);
    }

    void controles_data() {
        QTest::addColumn<QString>("contenedor");
        QTest::addColumn<QString>("ayuda");
        const auto fila = [](const char* control, const char* contenedor, const char* ayuda) {
            QTest::newRow(control) << QString::fromLatin1(contenedor) << QString::fromUtf8(ayuda);
        };
        fila("Picture1", "", "");
        fila("Image1", "Picture1", "");
        fila("cmdAbrir", "", "Abrir archivo de texto.");
        fila("cmdGuardar", "", "Almacenar");
        fila("cmdImprimir", "", "Imprimir");
        fila("cmdCalcular", "", "Calcular.");
        fila("cmdAyuda", "", "Ayuda.");
        fila("cmdCerrar", "", "Salir.");
        fila("fraTitulo", "", "");
        fila("cboAlgoritmo", "fraTitulo", "");
        fila("lblDigito", "fraTitulo", "");
        fila("fraPanel", "", "");
        fila("grdMasivo", "fraPanel", "");
        fila("grdCriterios", "fraPanel", "");
    }

    // Name, container and tooltip of every control; the buttons show pictures.
    void controles() {
        QFETCH(QString, contenedor);
        QFETCH(QString, ayuda);
        QWidget* control = v->control(QTest::currentDataTag());
        if (!contenedor.isEmpty()) QCOMPARE(control->parentWidget()->objectName(), contenedor);
        QCOMPARE(control->toolTip(), ayuda);
        if (auto* boton = qobject_cast<QPushButton*>(control)) {
            QVERIFY(!boton->icon().isNull());
            QVERIFY(boton->text().isEmpty());
        }
    }

    // Fixed size; everything inside the window, the frames' controls inside them.
    void disposicion() {
        QWidget& w = v->ventana();
        QCOMPARE(w.minimumSize(), w.maximumSize());
        const QRect cliente = w.findChild<QWidget*>(QStringLiteral("areaCliente"))->rect();
        for (const char* nombre : {"Picture1", "cmdAbrir", "cmdGuardar", "cmdImprimir", "cmdCalcular", "cmdAyuda",
                                   "cmdCerrar", "fraTitulo", "fraPanel"})
            QVERIFY2(cliente.contains(v->control(nombre)->geometry()), nombre);
        for (const char* nombre : {"cboAlgoritmo", "lblDigito", "grdMasivo"}) {
            QWidget* c = v->control(nombre);
            QVERIFY2(c->parentWidget()->rect().contains(c->geometry()), nombre);
        }
        // The buttons in their row, left to right.
        int x = 0;
        for (const char* nombre : {"cmdAbrir", "cmdGuardar", "cmdImprimir", "cmdCalcular", "cmdAyuda", "cmdCerrar"}) {
            QVERIFY2(v->control(nombre)->x() > x, nombre);
            x = v->control(nombre)->x();
        }
    }

    void menus_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("entradas");
        QTest::newRow("mnuArchivo") << QStringLiteral("&Archivo")
                                    << QStringList{"mnuArchivoAbrir=&Abrir Archivo de Texto", "mnulinea0",
                                                   "mnuArchivoGuardar=&Guardar", "mnulinea1",
                                                   "mnuArchivoPreliminar=Pr&esentacion Preliminar",
                                                   "mnuArchivoImprimir=&Imprimir Reporte", "mnulinea2",
                                                   "mnuArchivoSalir=&Salir"};
        QTest::newRow("mnuEditar") << QString::fromUtf8("&Edición")
                                   << QStringList{"mnuEditarInsertar=&Insertar un Renglon",
                                                  "mnuEditarBorrar=&Eliminar un Renglon"};
        QTest::newRow("mnuAyuda") << QStringLiteral("A&yuda")
                                  << QStringList{"mnuAyudaContenido=Contenido de la A&yuda",
                                                 "mnuAyudaUso=&Uso de la Ayuda",
                                                 QString::fromUtf8("mnuAyudaEdicion=Ayuda de &Edición"),
                                                 "mnuAyudaDespliegue=Despliegue de &Pantalla",
                                                 "mnuAyudaCalculo=Calculo de &Algoritmo", "mnulinea3",
                                                 "mnuAyudaAcerca=A&cerca de..."};
    }

    // Captions and order of the entries; "mnulineaN" are the separators.
    void menus() {
        QFETCH(QString, menu);
        QFETCH(QStringList, entradas);
        auto* m = v->control<QMenu>(QTest::currentDataTag());
        QCOMPARE(m->title(), menu);
        QStringList vistas;
        for (QAction* a : m->actions())
            vistas << (a->isSeparator() ? a->objectName() : a->objectName() + u'=' + a->text());
        QCOMPARE(vistas, entradas);
        QCOMPARE(v->accion("mnuArchivoAbrir")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    }

    void columnasPorAlgoritmo_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QStringList>("titulos");
        QTest::addColumn<QString>("descripcion");
        const auto fila = [](int codigo, const QStringList& titulos, const char* descripcion) {
            QTest::newRow(qPrintable(QString::number(codigo))) << codigo << titulos << QString::fromUtf8(descripcion);
        };
        fila(0, kTitulos3, "1 Dígito verificador con Referencia de 1 a 19 dígitos.");
        fila(2, kTitulos3,
             "1 Dígito verificador con Referencia de 6 a 19 caractéres alfanuméricos, anteponiendo la Fecha con "
             "formato (AAMMDD).");
        fila(3, kTitulos3, "1 Dígito verificador con Referencia de 1 a 19 dígitos.");
        fila(4, kTitulos3, "2 Dígitos verificadores con Referencia de 1 a 18 dígitos.");
        fila(6, kTitulos06,
             "2 Dígitos verificadores con Referencia de 1 a 18 dígitos; Sucursal de 1 a 18 dígitos y Cuenta de 1 a 8 "
             "dígitos.");
        fila(10, kTitulos10,
             "8 Dígitos verificadores considerando la referencia de 1 a 12 dígitos; el importe y la fecha con formato "
             "(DD/MM/AAAA).");
        fila(35, kTitulos3, "1 Dígito verificador con Referencia de 1 a 19 caractéres alfanuméricos.");
        fila(36, kTitulos3, "1 Dígito verificador con Referencia de 1 a 19 caractéres alfanuméricos.");
        fila(37, kTitulos3, "2 Dígitos verificadores con Referencia de 1 a 18 caracteres alfanuméricos.");
    }

    // With no rows, a choice writes titles and description and allows opening.
    void columnasPorAlgoritmo() {
        QFETCH(int, codigo);
        QFETCH(QStringList, titulos);
        QFETCH(QString, descripcion);
        v->elegir(codigo);
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(0));
        QCOMPARE(v->fila(0), titulos);
        QCOMPARE(v->etiqueta(), descripcion);
        QCOMPARE(v->rejilla().Rows(), 1);
        QVERIFY(v->boton("cmdAbrir")->isEnabled());
        QVERIFY(v->accion("mnuArchivoAbrir")->isEnabled());
        // Nothing to calculate or print yet.
        QVERIFY(!v->boton("cmdCalcular")->isEnabled());
        QVERIFY(!v->boton("cmdImprimir")->isEnabled());
        QVERIFY(!v->sinGuardar());
        for (int c = 0; c < v->rejilla().Cols(); ++c) QCOMPARE(v->rejilla().ColWidth(c), 1800);
        // The description fits its label.
        auto* etiqueta = v->control<QLabel>("lblDigito");
        const QRect ocupado = etiqueta->fontMetrics().boundingRect(QRect(0, 0, etiqueta->width(), 10000),
                                                                  Qt::TextWordWrap, descripcion);
        QVERIFY(ocupado.height() <= etiqueta->height());
    }

    // From 06 or 10 to a three-column code: column 0 stays, the old branch
    // and account become result columns and are emptied; back to 10 they
    // come back empty.
    void deCincoATresColumnasYVuelta() {
        v->elegir(6);
        QVERIFY(v->cargar("890\t123\t4567\r\n1\t2\t3\r\n"));
        QVERIFY(!v->sinGuardar());
        v->dialogos().responderCon(Respuesta::Si);  // keep the rows
        v->elegir(0);
        QCOMPARE(v->dialogos().textos(), QStringList{kMantener});
        QCOMPARE(v->fila(0), kTitulos3);
        QCOMPARE(v->filas(), (QList<QStringList>{{"890", "", ""}, {"1", "", ""}}));

        v->rejilla().setTextMatrix(1, 1, QStringLiteral("x"));
        v->rejilla().setTextMatrix(1, 2, QStringLiteral("y"));
        v->dialogos().responderCon(Respuesta::Si);
        v->elegir(10);
        QCOMPARE(v->fila(0), kTitulos10);
        // The old result columns become amount and date and keep their text.
        QCOMPARE(v->filas(), (QList<QStringList>{{"890", "x", "y", "", ""}, {"1", "", "", "", ""}}));
        for (int c = 0; c < 5; ++c) QCOMPARE(v->rejilla().ColWidth(c), 1800);
        QVERIFY(v->boton("cmdCalcular")->isEnabled());
        QVERIFY(v->boton("cmdImprimir")->isEnabled());
    }

    // An entry whose code has no layout: only the label says so, and opening
    // and calculating are off until another entry is chosen.
    void algoritmoNoDisponible() {
        v->elegir(6);
        QVERIFY(v->cargar("890\t123\t4567\r\n"));
        v->algoritmos()->addItem(QStringLiteral("Otro"), 99);
        v->dialogos().responderCon(Respuesta::Si);
        v->elegir(99);
        QCOMPARE(v->etiqueta(), QStringLiteral("Algoritmo No Disponible"));
        QCOMPARE(v->dialogos().textos(), QStringList{kMantener});
        QVERIFY(!v->boton("cmdAbrir")->isEnabled());
        QVERIFY(!v->accion("mnuArchivoAbrir")->isEnabled());
        QVERIFY(!v->boton("cmdCalcular")->isEnabled());
        QCOMPARE(v->fila(0), kTitulos06);
        v->dialogos().responderCon(Respuesta::Si);
        v->elegir(0);
        QVERIFY(v->boton("cmdAbrir")->isEnabled());
        QVERIFY(v->boton("cmdCalcular")->isEnabled());
    }

    void anchosVuelvenA1800() {
        v->elegir(0);
        v->rejilla().setColWidth(0, 4000);
        v->elegir(4);
        QCOMPARE(v->rejilla().ColWidth(0), 1800);
    }

    void preguntarConservarDatos_data() {
        QTest::addColumn<bool>("calculadas");
        QTest::addColumn<QList<int>>("respuestas");  // Respuesta values, in order
        QTest::addColumn<QStringList>("preguntas");
        QTest::addColumn<int>("codigoFinal");
        QTest::addColumn<int>("filasFinales");
        QTest::addColumn<bool>("resultadosFinales");  // results still in the rows
        QTest::addColumn<bool>("marcadorFinal");
        const int si = int(Respuesta::Si), no = int(Respuesta::No);
        // Unsaved results, No: the change of algorithm is taken back, nothing lost.
        QTest::newRow("sin guardar, no") << true << QList<int>{no} << QStringList{kSinSalvar} << 10 << 2 << true
                                         << true;
        QTest::newRow("sin guardar, sí, mantener") << true << QList<int>{si, si} << QStringList{kSinSalvar, kMantener}
                                                   << 6 << 2 << false << true;
        QTest::newRow("sin guardar, sí, no mantener") << true << QList<int>{si, no}
                                                      << QStringList{kSinSalvar, kMantener} << 6 << 0 << false << true;
        QTest::newRow("guardadas, mantener") << false << QList<int>{si} << QStringList{kMantener} << 6 << 2 << false
                                             << false;
        QTest::newRow("guardadas, no mantener") << false << QList<int>{no} << QStringList{kMantener} << 6 << 0
                                                << false << false;
    }

    void preguntarConservarDatos() {
        QFETCH(bool, calculadas);
        QFETCH(QList<int>, respuestas);
        QFETCH(QStringList, preguntas);
        QFETCH(int, codigoFinal);
        QFETCH(int, filasFinales);
        QFETCH(bool, resultadosFinales);
        QFETCH(bool, marcadorFinal);

        dosFilasCalculadas();
        if (!calculadas) {
            v->ventana().GuardarResultados(v->ruta(QStringLiteral("r.txt")));
            QVERIFY(!v->sinGuardar());
        }
        const QList<QStringList> antes = v->filas();
        v->dialogos().olvidar();
        for (int r : respuestas) v->dialogos().responderCon(Respuesta(r));
        v->elegir(6);

        QCOMPARE(v->dialogos().textos(), preguntas);
        for (const Caja& caja : v->dialogos().cajas()) {
            QCOMPARE(caja.titulo, kTituloPregunta);
            QCOMPARE(caja.botones, Botones::SiNo);
            QCOMPARE(caja.icono, Icono::Ninguno);
        }
        QCOMPARE(v->elegido(), std::optional<int>(codigoFinal));
        QCOMPARE(v->filasDeDatos(), filasFinales);
        QCOMPARE(v->sinGuardar(), marcadorFinal);
        if (resultadosFinales) {
            QCOMPARE(v->filas(), antes);
            QCOMPARE(v->fila(0), kTitulos10);
            QVERIFY(v->etiqueta().startsWith(QStringLiteral("8 D")));
        } else {
            QCOMPARE(v->fila(0), kTitulos06);
            // Kept rows keep their input; their result columns are emptied.
            for (int r = 1; r <= filasFinales; ++r) {
                QCOMPARE(v->fila(r)[0], antes[r - 1][0]);
                QCOMPARE(v->fila(r)[3], QString());
                QCOMPARE(v->fila(r)[4], QString());
            }
        }
    }

    // The first choice asks nothing, rows or not; with no rows later ones neither.
    void primeraEleccionNoPregunta() {
        v->elegir(0);
        v->elegir(35);
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(0));
        QCOMPARE(v->fila(0), kTitulos3);
    }

    // The open button asks too, and goes on to the dialog whatever the answer.
    void botonAbrirPregunta() {
        dosFilasCalculadas();
        v->dialogos().olvidar();
        v->dialogos().responderCon(Respuesta::No);
        v->boton("cmdAbrir")->click();
        QCOMPARE(v->dialogos().textos(), QStringList{kSinSalvar});
        QCOMPARE(v->filasDeDatos(), 2);
        QVERIFY(v->ventana().Explorador() && v->ventana().Explorador()->isVisible());
        QCOMPARE(v->ventana().Explorador()->findChild<QPushButton*>("cmdAlmacenar")->text(), kModoAbrir);
    }

    void unaSolaVentanaNoModal() {
        QWidget principal;
        principal.show();
        frmMasivo* primera = MostrarMasivo(&principal);
        QVERIFY(primera);
        QVERIFY(primera->isVisible());
        QCOMPARE(primera->windowModality(), Qt::NonModal);
        QVERIFY(principal.isEnabled());
        primera->findChild<QComboBox*>("cboAlgoritmo")->setCurrentIndex(2);
        QCOMPARE(MostrarMasivo(&principal), primera);
        int ventanas = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmMasivo*>(w) && w->isVisible()) ++ventanas;
        QCOMPARE(ventanas, 2);  // this test's own and the shown one
        // Closed, it is unloaded: the next one starts afresh.
        QPointer<frmMasivo> cerrada = primera;
        primera->close();
        frmMasivo* nueva = MostrarMasivo(&principal);
        QVERIFY(nueva != primera);
        QCOMPARE(nueva->findChild<QComboBox*>("cboAlgoritmo")->currentIndex(), -1);
        QTRY_VERIFY(!cerrada);
        nueva->close();
    }

    // No question, whatever the marker; the main window is enabled again.
    void cerrar_data() {
        QTest::addColumn<QString>("como");
        QTest::newRow("cmdCerrar") << QStringLiteral("cmdCerrar");
        QTest::newRow("mnuArchivoSalir") << QStringLiteral("mnuArchivoSalir");
        QTest::newRow("cuadro de cierre") << QStringLiteral("close");
    }

    void cerrar() {
        QFETCH(QString, como);
        QWidget principal;
        principal.setEnabled(false);
        frmMasivo* ventana = MostrarMasivo(&principal);
        QPointer<frmMasivo> vigilada = ventana;
        auto* cbo = ventana->findChild<QComboBox*>("cboAlgoritmo");
        cbo->setCurrentIndex(0);
        ventana->cboAlgoritmo_Click();
        ventana->findChild<QPushButton*>("cmdGuardar")->setEnabled(true);
        if (como == u"cmdCerrar")
            ventana->findChild<QPushButton*>("cmdCerrar")->click();
        else if (como == u"mnuArchivoSalir")
            ventana->findChild<QAction*>("mnuArchivoSalir")->trigger();
        else
            ventana->close();
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(0));
        QVERIFY(principal.isEnabled());
        QTRY_VERIFY(!vigilada);
    }
};

VAVIVIV_QTEST_MAIN(PruebaVentanaMasiva)

#include "frmMasivo_ventana_test.moc"
