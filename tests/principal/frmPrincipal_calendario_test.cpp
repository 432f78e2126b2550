// The date field and the month calendar: opening beside the date or the
// reference, a picked day going to its place, closing on loss of focus, and
// the calendar following a complete typed date.

#include "ventana_prueba.h"

#include <QAbstractItemModel>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

using namespace vaviviv;
using vaviviv::prueba::Ventana;

class PruebaCalendario : public QObject {
    Q_OBJECT

    std::unique_ptr<Ventana> v;

    bool calendarioVisible() { return v->control("fraCalendario")->isVisible(); }

    bool focoEnElCalendario() {
        for (QWidget* w = v->foco(); w; w = w->parentWidget())
            if (w == v->calendario()) return true;
        return false;
    }

    // Clicks the day `fecha` in the calendar with the mouse, as the user
    // picks it, after turning the calendar to its month.
    void clicEnElDia(const QDate& fecha) {
        QCalendarWidget* cal = v->calendario();
        cal->setCurrentPage(fecha.year(), fecha.month());
        auto* vista = cal->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
        QVERIFY(vista);
        QAbstractItemModel* modelo = vista->model();
        // The day's number shows once in the month's own rows; days of the
        // neighbouring months are at most 14 and shown before the 1st or
        // after the last, so look from the row holding the 1st onwards.
        bool visto1 = false;
        for (int fila = 0; fila < modelo->rowCount(); ++fila)
            for (int col = 0; col < modelo->columnCount(); ++col) {
                const QModelIndex celda = modelo->index(fila, col);
                const QString dia = modelo->data(celda).toString();
                if (dia == QLatin1String("1")) visto1 = true;
                if (visto1 && dia == QString::number(fecha.day())) {
                    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(celda).center());
                    QCOMPARE(cal->selectedDate(), fecha);
                    return;
                }
            }
        QFAIL("El día no está a la vista");
    }

    void abrir(const char* boton) {
        QTest::mouseClick(v->boton(boton), Qt::LeftButton);
        QVERIFY(calendarioVisible());
    }

private slots:
    void init() { v = std::make_unique<Ventana>(); }
    void cleanup() { v.reset(); }

    void enEspanol() {
        const QLocale lugar = v->calendario()->locale();
        QCOMPARE(lugar.language(), QLocale::Spanish);
        QCOMPARE(lugar.monthName(3), QStringLiteral("marzo"));
    }

    void abrirConElBoton_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("boton");
        QTest::newRow("fecha, algoritmo 10") << 10 << "cmdFecha";
        QTest::newRow("referencia, algoritmo 02") << 2 << "cmdFechaR";
    }

    void abrirConElBoton() {
        QFETCH(int, codigo);
        QFETCH(QString, boton);
        v->elegir(codigo);
        QVERIFY(!calendarioVisible());
        QTest::mousePress(v->boton(boton.toLatin1().constData()), Qt::LeftButton);
        QVERIFY(calendarioVisible());  // already on the press
        QTest::mouseRelease(v->boton(boton.toLatin1().constData()), Qt::LeftButton);
        QVERIFY(calendarioVisible());
        QVERIFY(focoEnElCalendario());
        // It lies over the result frame.
        QVERIFY(v->control("fraCalendario")->geometry().intersects(v->control("fraResultado")->geometry()));
    }

    void elegirDiaAlgoritmo10() {
        v->elegir(10);
        v->llenar(QStringLiteral("123456"), {}, {}, QStringLiteral("123.45"), QStringLiteral("15/06/2000"));
        v->calcular();
        QVERIFY(!v->digitos().isEmpty());
        abrir("cmdFecha");
        clicEnElDia(QDate(2001, 3, 14));
        QCOMPARE(v->campo("mskFecha")->text(), QStringLiteral("14/03/2001"));
        QVERIFY(!calendarioVisible());
        QVERIFY(v->referenciaCompleta().isEmpty());
        QVERIFY(v->digitos().isEmpty());
        QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), QStringLiteral("123456"));
    }

    // The picked day takes the place of the reference's AAMMDD prefix.
    void elegirDiaAlgoritmo02_data() {
        QTest::addColumn<QString>("referencia");
        QTest::addColumn<QString>("queda");
        QTest::newRow("cinco caracteres") << "12345" << "010314";
        QTest::newRow("vacia") << "" << "010314";
        QTest::newRow("seis caracteres") << "123456" << "010314";
        QTest::newRow("con resto") << "9912311234" << "0103141234";
        QTest::newRow("espacios delante") << "  991231X" << "010314X";
        QTest::newRow("espacios detras") << "991231X  " << "010314X";
    }

    void elegirDiaAlgoritmo02() {
        QFETCH(QString, referencia);
        QFETCH(QString, queda);
        v->elegir(2);
        v->campo("txtReferenciaaCalcular")->setText(referencia);
        const QString fecha = v->campo("mskFecha")->text();
        abrir("cmdFechaR");
        clicEnElDia(QDate(2001, 3, 14));
        QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), queda);
        QCOMPARE(v->campo("mskFecha")->text(), fecha);
        QVERIFY(!calendarioVisible());
    }

    // Under the other algorithms a pick changes nothing but closes.
    void elegirDiaOtroAlgoritmo() {
        v->elegir(0);
        v->campo("txtReferenciaaCalcular")->setText(QStringLiteral("123"));
        v->ponerResultado(QStringLiteral("1236"), QStringLiteral("6"));
        v->control("fraCalendario")->show();
        v->calendario()->setSelectedDate(QDate(2001, 3, 14));
        v->ventana().cldCalendario_Click();
        QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), QStringLiteral("123"));
        QCOMPARE(v->referenciaCompleta(), QStringLiteral("1236"));
        QVERIFY(v->campo("mskFecha")->text() != QStringLiteral("14/03/2001"));
        QVERIFY(!calendarioVisible());
    }

    // Only a day picked by the user counts; a date set from code is no pick.
    void fechaDesdeCodigoNoEsElegir() {
        v->elegir(10);
        abrir("cmdFecha");
        const QString fecha = v->campo("mskFecha")->text();
        v->calendario()->setSelectedDate(QDate(2001, 3, 14));
        QCOMPARE(v->campo("mskFecha")->text(), fecha);
        QVERIFY(calendarioVisible());
    }

    void cierraAlPerderElFoco() {
        v->elegir(10);
        v->campo("txtReferenciaaCalcular")->setText(QStringLiteral("123"));
        abrir("cmdFecha");
        const QString fecha = v->campo("mskFecha")->text();
        const QDate dia = v->calendario()->selectedDate();
        QTest::mouseClick(v->campo("txtReferenciaaCalcular"), Qt::LeftButton);
        QVERIFY(!calendarioVisible());
        QCOMPARE(v->campo("mskFecha")->text(), fecha);
        QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), QStringLiteral("123"));
        QCOMPARE(v->calendario()->selectedDate(), dia);
    }

    // Clicking its own button again while it is open leaves it open.
    void suBotonLoDejaAbierto() {
        v->elegir(10);
        abrir("cmdFecha");
        abrir("cmdFecha");
        QVERIFY(focoEnElCalendario());
    }

    // Moving about inside the calendar (next month, the year box) is no loss
    // of focus.
    void navegarDentroNoCierra() {
        v->elegir(10);
        abrir("cmdFecha");
        QCalendarWidget* cal = v->calendario();
        const int mes = cal->monthShown();
        QTest::mouseClick(cal->findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth")), Qt::LeftButton);
        QCOMPARE(cal->monthShown(), mes % 12 + 1);
        QVERIFY(calendarioVisible());
        QTest::mouseClick(cal->findChild<QToolButton*>(QStringLiteral("qt_calendar_yearbutton")), Qt::LeftButton);
        auto* anio = cal->findChild<QSpinBox*>(QStringLiteral("qt_calendar_yearedit"));
        QVERIFY(anio && anio->isVisible());
        QVERIFY(calendarioVisible());
    }

    // Typing a date: the result goes at every key; the calendar moves once
    // the date is complete.
    void sigueLaFechaTecleada() {
        v->elegir(10);
        QCalendarWidget* cal = v->calendario();
        cal->setSelectedDate(QDate(2000, 1, 1));
        v->campo("mskFecha")->clear();
        const QString fecha = QStringLiteral("25/12/2001");
        for (int i = 0; i < fecha.size(); ++i) {
            v->ponerResultado(QStringLiteral("1234566"), QStringLiteral("6"));
            v->teclear("mskFecha", fecha.mid(i, 1));
            QVERIFY(v->referenciaCompleta().isEmpty());
            QVERIFY(v->digitos().isEmpty());
            QCOMPARE(cal->selectedDate(), i < fecha.size() - 1 ? QDate(2000, 1, 1) : QDate(2001, 12, 25));
        }
    }

    // Anything but a complete, real DD/MM/AAAA date leaves the calendar
    // where it was, silently.
    void fechasQueNoLoMueven_data() {
        QTest::addColumn<QString>("texto");
        QTest::newRow("un digito") << "1/2/2001";
        QTest::newRow("incompleta") << "25/12/200";
        QTest::newRow("31 de abril") << "31/04/2001";
        QTest::newRow("29 feb no bisiesto") << "29/02/2001";
        QTest::newRow("anio primero") << "2001/12/31";
        QTest::newRow("mes 13") << "01/13/2000";
        QTest::newRow("espacio delante") << " 1/02/2001";
        QTest::newRow("letras") << "aa/bb/cccc";
        QTest::newRow("vacia") << "";
        QTest::newRow("en blanco") << "  /  /    ";
    }

    void fechasQueNoLoMueven() {
        QFETCH(QString, texto);
        v->elegir(10);
        QCalendarWidget* cal = v->calendario();
        cal->setSelectedDate(QDate(2000, 1, 1));
        v->campo("mskFecha")->setText(QStringLiteral("x"));
        v->campo("mskFecha")->setText(texto);
        QCOMPARE(cal->selectedDate(), QDate(2000, 1, 1));
        QCOMPARE(v->dialogos().textos(), QStringList());
    }

    void fechasQueLoMueven() {
        v->elegir(10);
        QCalendarWidget* cal = v->calendario();
        v->campo("mskFecha")->setText(QStringLiteral("29/02/2000"));
        QCOMPARE(cal->selectedDate(), QDate(2000, 2, 29));
        v->campo("mskFecha")->setText(QStringLiteral("05/03/2101"));
        QCOMPARE(cal->selectedDate(), QDate(2101, 3, 5));
        QCOMPARE(cal->monthShown(), 3);
        QCOMPARE(cal->yearShown(), 2101);
    }
};

VAVIVIV_QTEST_MAIN(PruebaCalendario)
#include "frmPrincipal_calendario_test.moc"
