// The bulk grid on its own: counts, cells, the current cell and the events
// the bulk window relies on.

#include "masivo/rejilla.h"
#include "platform/aplicacion.h"

#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

using namespace vaviviv;

namespace {

// A grid of `filas` rows (titles included) and `columnas` columns whose
// cells read "r,c".
void Llenar(Rejilla& g, int filas, int columnas) {
    g.setCols(columnas);
    g.setRows(filas);
    for (int r = 0; r < filas; ++r)
        for (int c = 0; c < columnas; ++c) g.setTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
}

QStringList Columna(const Rejilla& g, int c) {
    QStringList textos;
    for (int r = 0; r < g.Rows(); ++r) textos << g.TextMatrix(r, c);
    return textos;
}

QStringList Fila(const Rejilla& g, int r) {
    QStringList textos;
    for (int c = 0; c < g.Cols(); ++c) textos << g.TextMatrix(r, c);
    return textos;
}

QPoint Centro(Rejilla& g, int fila, int columna) {
    return g.visualRect(g.model()->index(fila - 1, columna)).center();
}

}  // namespace

class PruebaRejilla : public QObject {
    Q_OBJECT

    std::unique_ptr<Rejilla> g;

private slots:
    void init() {
        g = std::make_unique<Rejilla>();
        g->resize(600, 400);
        g->show();
        QVERIFY(QTest::qWaitForWindowExposed(g.get()));
    }
    void cleanup() { g.reset(); }

    // Row 0 is the header; data rows are the view's rows.
    void tituloEnLaCabecera() {
        Llenar(*g, 3, 2);
        QCOMPARE(g->model()->rowCount(), 2);
        QCOMPARE(g->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("0,1"));
        QCOMPARE(g->model()->index(0, 1).data().toString(), QStringLiteral("1,1"));
        QCOMPARE(g->model()->index(1, 0).data().toString(), QStringLiteral("2,0"));
    }

    void columnasMenosYMas() {
        Llenar(*g, 3, 5);
        g->setCols(3);
        QCOMPARE(g->Cols(), 3);
        QCOMPARE(Fila(*g, 2), (QStringList{"2,0", "2,1", "2,2"}));
        g->setCols(5);
        // The dropped cells do not come back.
        QCOMPARE(Fila(*g, 2), (QStringList{"2,0", "2,1", "2,2", "", ""}));
        QCOMPARE(Fila(*g, 0), (QStringList{"0,0", "0,1", "0,2", "", ""}));
    }

    void filasUnoSoloTitulos() {
        Llenar(*g, 4, 3);
        g->setRows(1);
        QCOMPARE(g->Rows(), 1);
        QCOMPARE(g->model()->rowCount(), 0);
        QCOMPARE(Fila(*g, 0), (QStringList{"0,0", "0,1", "0,2"}));
        g->setRows(3);
        QCOMPARE(Fila(*g, 2), (QStringList{"", "", ""}));
    }

    void addItem() {
        Llenar(*g, 4, 2);
        g->AddItem(QString());
        QCOMPARE(g->Rows(), 5);
        QCOMPARE(Columna(*g, 0), (QStringList{"0,0", "1,0", "2,0", "3,0", ""}));
        g->AddItem(QString(), 2);
        QCOMPARE(Columna(*g, 0), (QStringList{"0,0", "1,0", "", "2,0", "3,0", ""}));
        QCOMPARE(Columna(*g, 1), (QStringList{"0,1", "1,1", "", "2,1", "3,1", ""}));
        // Cells of the new row separated by tabs; more than the columns are dropped.
        g->AddItem(QStringLiteral("a\tb\tc"), 1);
        QCOMPARE(Fila(*g, 1), (QStringList{"a", "b"}));
        QCOMPARE(g->Rows(), 7);
    }

    void removeItem() {
        Llenar(*g, 5, 2);
        g->RemoveItem(2);
        QCOMPARE(Columna(*g, 0), (QStringList{"0,0", "1,0", "3,0", "4,0"}));
        g->RemoveItem(0);  // the title row is not a record
        g->RemoveItem(9);
        QCOMPARE(g->Rows(), 4);
    }

    void clearBorraTextosYConservaCuentas() {
        Llenar(*g, 3, 3);
        g->Clear();
        QCOMPARE(g->Rows(), 3);
        QCOMPARE(g->Cols(), 3);
        for (int r = 0; r < 3; ++r) QCOMPARE(Fila(*g, r), (QStringList{"", "", ""}));
    }

    void celdaActualYTexto() {
        Llenar(*g, 4, 3);
        QSignalSpy cambios(g.get(), &Rejilla::RowColChange);
        g->setRow(2);
        g->setCol(1);
        QCOMPARE(cambios.count(), 2);
        QCOMPARE(g->Text(), QStringLiteral("2,1"));
        QCOMPARE(g->currentIndex(), g->model()->index(1, 1));
        g->setText(QStringLiteral("otro\tcon tab"));
        QCOMPARE(g->TextMatrix(2, 1), QStringLiteral("otro\tcon tab"));
        g->setRowCol(2, 1);  // where it already is
        QCOMPARE(cambios.count(), 2);
        g->setRowCol(9, 0);  // no such row
        QCOMPARE(g->Row(), 2);

        // The title row can be made current by code; no cell of the view is then.
        g->setRow(0);
        QCOMPARE(cambios.count(), 3);
        QVERIFY(!g->currentIndex().isValid());
        QCOMPARE(g->Text(), QStringLiteral("0,1"));
    }

    // The current cell keeps its numbers while they exist.
    void celdaActualTrasCambiosDeFilas() {
        Llenar(*g, 5, 3);
        g->setRowCol(4, 2);
        QSignalSpy cambios(g.get(), &Rejilla::RowColChange);
        g->RemoveItem(4);
        QCOMPARE(g->Row(), 3);
        QCOMPARE(cambios.count(), 1);
        g->AddItem(QString(), 2);
        QCOMPARE(g->Row(), 3);
        QCOMPARE(g->Text(), QStringLiteral("2,2"));
        g->setCols(2);
        QCOMPARE(g->Col(), 1);
        g->setRows(1);
        QCOMPARE(g->Row(), 0);
        QCOMPARE(cambios.count(), 3);
    }

    void agregarFilasDeUnaVez() {
        Llenar(*g, 2, 2);
        QSignalSpy insertadas(g->model(), &QAbstractItemModel::rowsInserted);
        g->AgregarFilas({"a", "b", "c", "d", "e", "f"});
        QCOMPARE(insertadas.count(), 1);
        QCOMPARE(g->Rows(), 5);
        QCOMPARE(Fila(*g, 4), (QStringList{"e", "f"}));
    }

    void anchosEnTwips() {
        Llenar(*g, 2, 3);
        g->setPixelesPorTwip(0.1);
        g->setColWidth(1, 1800);
        QCOMPARE(g->ColWidth(1), 1800);
        QCOMPARE(g->horizontalHeader()->sectionSize(1), 180);
        QCOMPARE(g->ColWidth(0), -1);
        // Widened by the user.
        g->horizontalHeader()->resizeSection(1, 250);
        QCOMPARE(g->ColWidth(1), 2500);
    }

    // A text cut short by its column shows whole under the pointer.
    void textoCortadoEnAyuda() {
        Llenar(*g, 3, 2);
        const QString largo = QStringLiteral("Error: Importe mayor a $ 999999999.99");
        g->setTextMatrix(1, 0, largo);
        g->setPixelesPorTwip(0.1);
        g->setColWidth(0, 800);
        g->setColWidth(1, 800);
        const auto ayuda = [&](int fila) {
            const QPoint punto = Centro(*g, fila, 0);
            QHelpEvent evento(QEvent::ToolTip, punto, g->viewport()->mapToGlobal(punto));
            QApplication::sendEvent(g->viewport(), &evento);
        };
        ayuda(1);
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), largo);
        ayuda(2);  // "2,0" fits
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void eventosDelRaton() {
        Llenar(*g, 4, 3);
        QSignalSpy cambios(g.get(), &Rejilla::RowColChange);
        QSignalSpy dobles(g.get(), &Rejilla::DblClick);
        QSignalSpy pulsados(g.get(), &Rejilla::MouseDown);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, Centro(*g, 2, 1));
        QCOMPARE(g->Row(), 2);
        QCOMPARE(g->Col(), 1);
        QCOMPARE(cambios.count(), 1);
        QCOMPARE(pulsados.count(), 1);
        QCOMPARE(pulsados[0][0].toInt(), kBotonIzquierdo);

        QTest::mouseClick(g->viewport(), Qt::RightButton, Qt::ShiftModifier, Centro(*g, 3, 2));
        QCOMPARE(pulsados.count(), 2);
        QCOMPARE(pulsados[1][0].toInt(), kBotonDerecho);
        QCOMPARE(pulsados[1][1].toInt(), 1);
        const QPoint enRejilla = g->viewport()->mapTo(g.get(), Centro(*g, 3, 2));
        QCOMPARE(QPoint(pulsados[1][2].toInt(), pulsados[1][3].toInt()), enRejilla);

        // A double click comes after the press of its first click.
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, Centro(*g, 1, 0));
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, Centro(*g, 1, 0));
        QCOMPARE(dobles.count(), 1);
        QCOMPARE(g->Row(), 1);
        QCOMPARE(g->Col(), 0);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepararAplicacion(app);
    PruebaRejilla prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "rejilla_test.moc"
