// Correcting rows in frmMasivo: the edit box on a double click, the context
// menu, inserting and removing rows, the row-count rule.

#include "masivo_prueba.h"

#include <QMenu>

using namespace vaviviv;
using vaviviv::prueba::Lineas;
using vaviviv::prueba::VentanaMasiva;

namespace {

const QString kTituloEdicion = QString::fromUtf8("KIV- Dígito Verificador.");

QPoint Centro(Rejilla& g, int fila, int columna) {
    return g.visualRect(g.model()->index(fila - 1, columna)).center();
}

}  // namespace

class PruebaEdicionMasiva : public QObject {
    Q_OBJECT

    std::unique_ptr<VentanaMasiva> v;

    // Algorithm 06 with five rows "r0".."r4" in column 0, loaded and stored:
    // the marker is off.
    void cincoFilasGuardadas() {
        v->elegir(6);
        QVERIFY(v->cargar("r1\t1\t2\r\nr2\t1\t2\r\nr3\t1\t2\r\nr4\t1\t2\r\n  r5 \t1\t2\r\n"));
        QVERIFY(!v->sinGuardar());
        v->dialogos().olvidar();
    }

    QStringList columna0() {
        QStringList textos;
        for (int r = 1; r < v->rejilla().Rows(); ++r) textos << v->rejilla().TextMatrix(r, 0);
        return textos;
    }

private slots:
    void init() { v = std::make_unique<VentanaMasiva>(); }
    void cleanup() { v.reset(); }

    void dobleClic_data() {
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("indicacion");
        QTest::addColumn<QString>("propuesta");
        QTest::newRow("referencia") << 0 << QStringLiteral("Ingrese el valor Referencia :") << QStringLiteral("r5");
        QTest::newRow("sucursal") << 1 << QStringLiteral("Ingrese el valor Sucursal :") << QStringLiteral("1");
        QTest::newRow("cuenta") << 2 << QStringLiteral("Ingrese el valor Cuenta :") << QStringLiteral("2");
    }

    // A real double click on row 5: the box names the column, proposes the
    // text without blanks, and the answer goes in exactly as typed.
    void dobleClic() {
        QFETCH(int, columna);
        QFETCH(QString, indicacion);
        QFETCH(QString, propuesta);
        cincoFilasGuardadas();
        v->dialogos().responderTexto(QStringLiteral(" nuevo "));
        Rejilla& g = v->rejilla();
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, Centro(g, 5, columna));
        QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, Centro(g, 5, columna));
        QCOMPARE(v->dialogos().peticiones().size(), std::size_t(1));
        const PeticionTexto& p = v->dialogos().peticiones()[0];
        QCOMPARE(p.indicacion, indicacion);
        QCOMPARE(p.titulo, kTituloEdicion);
        QCOMPARE(p.propuesta, propuesta);
        QCOMPARE(g.TextMatrix(5, columna), QStringLiteral(" nuevo "));
        QVERIFY(v->sinGuardar());
        QVERIFY(v->boton("cmdCalcular")->isEnabled());
        // The next edit proposes it without the blanks.
        v->ventana().grdMasivo_DblClick();
        QCOMPARE(v->dialogos().peticiones()[1].propuesta, QStringLiteral("nuevo"));
    }

    // Cancel and an empty answer change nothing: a box cannot empty a cell.
    void respuestaVacia_data() {
        QTest::addColumn<std::optional<QString>>("respuesta");
        QTest::newRow("cancelar") << std::optional<QString>();
        QTest::newRow("vacía") << std::optional<QString>(QString());
    }

    void respuestaVacia() {
        QFETCH(std::optional<QString>, respuesta);
        cincoFilasGuardadas();
        v->rejilla().setRowCol(2, 0);
        v->dialogos().responderTexto(respuesta);
        v->ventana().grdMasivo_DblClick();
        QCOMPARE(v->dialogos().peticiones().size(), std::size_t(1));
        QCOMPARE(v->rejilla().TextMatrix(2, 0), QStringLiteral("r2"));
        QVERIFY(!v->sinGuardar());
    }

    // Titles and result cells are not edited.
    void sinEdicion_data() {
        QTest::addColumn<int>("fila");
        QTest::addColumn<int>("columna");
        QTest::newRow("título") << 0 << 0;
        QTest::newRow("referencia completa") << 3 << 3;
        QTest::newRow("dígito") << 3 << 4;
    }

    void sinEdicion() {
        QFETCH(int, fila);
        QFETCH(int, columna);
        cincoFilasGuardadas();
        v->rejilla().setRowCol(fila, columna);
        v->dialogos().responderTexto(QStringLiteral("x"));
        v->ventana().grdMasivo_DblClick();
        QCOMPARE(v->dialogos().peticiones().size(), std::size_t(0));
        QVERIFY(!v->sinGuardar());
    }

    // The right button on a data row pops the edit menu up; with the title
    // row current there is none.
    void menuContextual() {
        cincoFilasGuardadas();
        auto* menu = v->control<QMenu>("mnuEditar");
        Rejilla& g = v->rejilla();
        g.setRowCol(0, 0);
        v->ventana().grdMasivo_MouseDown(kBotonDerecho, 0, 10, 10);
        QVERIFY(!menu->isVisible());
        QTest::mouseClick(g.viewport(), Qt::RightButton, {}, Centro(g, 3, 1));
        QCOMPARE(g.Row(), 3);
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->actions().size(), 2);
        menu->hide();
        // The left button shows nothing.
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, Centro(g, 2, 1));
        QVERIFY(!menu->isVisible());
    }

    void insertar() {
        cincoFilasGuardadas();
        v->rejilla().setRowCol(3, 1);
        v->accion("mnuEditarInsertar")->trigger();
        QCOMPARE(columna0(), (QStringList{"r1", "r2", "", "r3", "r4", "  r5 "}));
        QCOMPARE(v->fila(3), (QStringList{"", "", "", "", ""}));
        QCOMPARE(v->rejilla().Row(), 3);
        QVERIFY(v->sinGuardar());
        QVERIFY(v->boton("cmdCalcular")->isEnabled());
    }

    void borrar() {
        cincoFilasGuardadas();
        v->rejilla().setRowCol(2, 0);
        v->accion("mnuEditarBorrar")->trigger();
        QCOMPARE(columna0(), (QStringList{"r1", "r3", "r4", "  r5 "}));
        QVERIFY(v->sinGuardar());
        // Down to one row; the last one stays.
        for (int i = 0; i < 5; ++i) v->accion("mnuEditarBorrar")->trigger();
        QCOMPARE(v->filasDeDatos(), 1);
        QCOMPARE(v->rejilla().Row(), 1);
    }

    // With one data row, removing does nothing but turn the marker on.
    void borrarUltimaFila() {
        v->elegir(0);
        QVERIFY(v->cargar("solo\r\n"));
        QVERIFY(!v->sinGuardar());
        v->accion("mnuEditarBorrar")->trigger();
        QCOMPARE(v->filas(), (QList<QStringList>{{"solo", "", ""}}));
        QVERIFY(v->sinGuardar());
    }

    // At 30,000 data rows nothing is inserted, but the marker goes on.
    void insertarEnElTope() {
        v->elegir(0);
        QVERIFY(v->cargar(Lineas(kMaximoRegistros)));
        QVERIFY(!v->sinGuardar());
        v->rejilla().setRowCol(10, 0);
        v->accion("mnuEditarInsertar")->trigger();
        QCOMPARE(v->filasDeDatos(), kMaximoRegistros);
        QCOMPARE(v->rejilla().TextMatrix(10, 0), QStringLiteral("10"));
        QVERIFY(v->sinGuardar());
        // Below the cap it inserts again.
        v->accion("mnuEditarBorrar")->trigger();
        v->accion("mnuEditarInsertar")->trigger();
        QCOMPARE(v->filasDeDatos(), kMaximoRegistros);
        QCOMPARE(v->rejilla().TextMatrix(10, 0), QString());
    }

    // With the title row current the edit commands do nothing at all.
    void filaDeTitulos_data() {
        QTest::addColumn<QString>("accion");
        QTest::newRow("insertar") << QStringLiteral("mnuEditarInsertar");
        QTest::newRow("borrar") << QStringLiteral("mnuEditarBorrar");
    }

    void filaDeTitulos() {
        QFETCH(QString, accion);
        cincoFilasGuardadas();
        v->rejilla().setRowCol(0, 0);
        v->accion(qPrintable(accion))->trigger();
        QCOMPARE(v->filasDeDatos(), 5);
        QCOMPARE(v->fila(0)[0], QStringLiteral("Referencia"));
        QVERIFY(!v->sinGuardar());
        // Also on a fresh window with no rows at all.
        v.reset();
        v = std::make_unique<VentanaMasiva>();
        v->accion(qPrintable(accion))->trigger();
        QCOMPARE(v->rejilla().Rows(), 1);
        QVERIFY(!v->sinGuardar());
        QVERIFY(!v->boton("cmdCalcular")->isEnabled());
    }

    // Printing and calculating follow the row count; the title row is fixed
    // while there are data rows.
    void reglaDeFilas() {
        v->elegir(0);
        QCOMPARE(v->rejilla().FixedRows(), 0);
        QVERIFY(!v->boton("cmdImprimir")->isEnabled());
        QVERIFY(!v->boton("cmdCalcular")->isEnabled());
        QVERIFY(v->cargar("1\r\n2\r\n"));
        QCOMPARE(v->rejilla().FixedRows(), 1);
        QVERIFY(v->boton("cmdImprimir")->isEnabled());
        QVERIFY(v->boton("cmdCalcular")->isEnabled());
        // Rows cleared by the open menu entry.
        v->accion("mnuArchivoAbrir")->trigger();
        QCOMPARE(v->rejilla().FixedRows(), 0);
        QVERIFY(!v->boton("cmdImprimir")->isEnabled());
        QVERIFY(!v->boton("cmdCalcular")->isEnabled());
    }
};

VAVIVIV_QTEST_MAIN(PruebaEdicionMasiva)

#include "frmMasivo_editar_test.moc"
