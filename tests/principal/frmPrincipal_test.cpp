// frmPrincipal's wiring through clicks and keys on its named controls, offscreen with scripted
// boxes: each command calls its rule and shows the outcome. The rules: tests/reglas, tests/engine.

#include "engine/catalogo.h"
#include "reglas/catalogo_textos.h"
#include "engine/fecha.h"
#include "platform/lista_algoritmos.h"
#include "principal/frmPrincipal.h"
#include "prueba_ventanas.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QAbstractButton>

using namespace vaviviv;

namespace {
const char* const kCampos[] = {"txtReferenciaaCalcular", "txtSucursal", "txtCuenta", "mskImporte", "mskFecha"};
const QStringList kEjemplo06{"890", "123", "4567", "", ""}, kEjemplo10{"123456", "", "", "123.45", "15/06/2000"};
QDate AQDate(const Fecha& f) { return QDate(f.anio, f.mes, f.dia); }
}  // namespace

class PruebaPrincipal : public QObject {
    Q_OBJECT
    std::unique_ptr<DialogosSimulados> dialogos;  // outlives the window
    std::unique_ptr<frmPrincipal> v;

    template <typename T = QLineEdit> T* c(const QString& nombre) { return v->findChild<T*>(nombre); }
    QString texto(const QString& campo) { return c(campo)->text(); }
    QString resultado() { return texto("txtReferenciaCompleta") + ' ' + texto("txtVaviviVerificador"); }
    void clic(const QString& boton) { QTest::mouseClick(c<QPushButton>(boton), Qt::LeftButton); }
    void elegir(int codigo) { Elegir(*c<QComboBox>("cboAlgoritmo"), codigo); }
    void llenar(int codigo, const QStringList& datos) {  // and a result standing from before
        elegir(codigo);
        for (int i = 0; i < 5; ++i) c(kCampos[i])->setText(datos[i]);
        c("txtReferenciaCompleta")->setText("anterior"), c("txtVaviviVerificador")->setText("9");
    }
    QCalendarWidget* cld() { return c<QCalendarWidget>("cldCalendario"); }
    // The calendar's day grid, which holds the focus while it is open.
    QAbstractItemView* dias() { return qobject_cast<QAbstractItemView*>(cld()->focusProxy()); }
    // Clicks the year shown in the open calendar's navigation bar, which opens its year box.
    void pulsarAnio() {
        auto* cal = cld();
        const QString anio = QString::number(cal->yearShown());
        for (int x = 0; x < cal->width(); x += 2)
            if (auto* boton = qobject_cast<QAbstractButton*>(cal->childAt(x, 6)); boton && boton->text().remove(QRegularExpression("\\D")) == anio)
                return QTest::mouseClick(boton, Qt::LeftButton, {}, boton->mapFrom(cal, QPoint(x, 6)));
        QFAIL(qPrintable("no se ve el año " + anio));
    }
    // Browses the open calendar as a user does: "mes+" and "mes-" click the arrows at the ends of its
    // navigation bar, "anio+" and "anio-" click the year shown there and step it in the box that opens;
    // anything else is a key sequence pressed on its days ("PgDown", "Ctrl+PgUp", "Right").
    void hojear(const QStringList& pasos) {
        auto* cal = cld();
        const auto pulsar = [cal](QPoint punto) {
            QWidget* control = cal->childAt(punto);
            QVERIFY(control);
            QTest::mouseClick(control, Qt::LeftButton, {}, control->mapFrom(cal, punto));
        };
        for (const QString& paso : pasos) {
            if (paso == "mes+" || paso == "mes-") {
                pulsar({paso == "mes+" ? cal->width() - 6 : 6, 6});
            } else if (paso.startsWith("anio")) {
                pulsarAnio();
                QTest::keyClick(QApplication::focusWidget(), paso == "anio+" ? Qt::Key_Up : Qt::Key_Down);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            } else {
                QTest::keySequence(dias(), QKeySequence(paso));
            }
            QVERIFY(c<QWidget>("fraCalendario")->isVisible());
            QVERIFY(cal->isAncestorOf(QApplication::focusWidget()));
        }
    }
    void teclear(const QString& campo, const QString& tecleado) {
        for (QChar letra : tecleado) QTest::sendKeyEvent(QTest::Click, c(campo), Qt::Key_unknown, QString(letra), {});
    }

private slots:
    void initTestCase() { PrepararAplicacion(*qApp); }
    void init() {
        AjustesDePrueba::Olvidar();
        dialogos = std::make_unique<DialogosSimulados>();
        abrirOtraVez();
    }
    void abrirOtraVez() {  // a new window, as in a new run: the settings remain
        v.reset(), v = std::make_unique<frmPrincipal>();
        v->show();
        QVERIFY(Activar(*v));
    }
    void cleanup() { v.reset(), dialogos.reset(); }

    // Nothing to type in until an entry is picked; then, whatever stood before, exactly its fields, the
    // catalogue's description and typed-length limit, all emptied but the date, which 02 and 10 set to today.
    void eleccion() {
        QVERIFY(!c<QWidget>("fraDatos")->isEnabled());
        QVERIFY(!c<QWidget>("cmdCalcularReferencia")->isEnabled());
        QCOMPARE(v->windowTitle(), "Calculo del Dígito Verificador");
        QCOMPARE(c<QLabel>("lblMensaje")->text(), "Primero seleccione el Algoritmo de Calculo deseado y luego teclee los datos solicitados.");
        const QMap<int, QStringList> visibles{{2, {"cmdFechaR"}}, {6, {"txtSucursal", "txtCuenta"}}, {10, {"mskImporte", "mskFecha", "cmdFecha"}}};
        for (const Algoritmo& a : Catalogo()) {
            llenar(10, {"1", "2", "3", "4", "01/02/2003"});
            elegir(a.codigo);
            QVERIFY(c<QWidget>("fraDatos")->isEnabled());
            QVERIFY(c<QWidget>("cmdCalcularReferencia")->isEnabled());
            QCOMPARE(c<QLabel>("lblMensaje")->text(), DescripcionPrincipal(a));
            for (const QString opcional : {"txtSucursal", "txtCuenta", "mskImporte", "mskFecha", "cmdFecha", "cmdFechaR"})
                QVERIFY2(c<QWidget>(opcional)->isVisible() == visibles.value(a.codigo).contains(opcional), qPrintable(opcional));
            QCOMPARE(texto(kCampos[0]) + texto(kCampos[1]) + texto(kCampos[2]) + texto(kCampos[3]) + resultado(), " ");
            const QDate dia = a.codigo == 2 || a.codigo == 10 ? QDate::currentDate() : QDate(2003, 2, 1);
            // Under 10 the calendar goes no further than the algorithm's last date.
            QVERIFY(texto("mskFecha") == dia.toString("dd/MM/yyyy"));
            QVERIFY(cld()->selectedDate() == (a.codigo == 10 ? std::min(dia, AQDate(kFechaMaxima)) : dia));
            teclear(kCampos[0], QString(30, u'7'));
            QCOMPARE(texto(kCampos[0]).size(), a.longitudMaxima);
        }
    }

    // The wheel turns the list only while it has the focus; a turn there, or an arrow key, is a pick.
    void rueda() {
        auto* lista = c<QComboBox>("cboAlgoritmo");
        const auto girar = [lista] {
            const QPointF centro = QRectF(lista->rect()).center();
            QWheelEvent rueda(centro, lista->mapToGlobal(centro), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(lista, &rueda);
        };
        llenar(6, kEjemplo06);
        c(kCampos[0])->setFocus(), girar();
        QVERIFY(CodigoSeleccionado(*lista) == 6);
        QVERIFY(texto(kCampos[1]) == "123");
        QVERIFY(resultado() == "anterior 9");
        lista->setFocus();
        for (const int codigo : {lista->itemData(lista->currentIndex() + 1).toInt(), 6}) {
            c(kCampos[0])->setText("1");
            codigo == 6 ? QTest::keyClick(lista, Qt::Key_Up) : girar();
            QVERIFY(CodigoSeleccionado(*lista) == codigo);
            QVERIFY(texto(kCampos[0]).isEmpty());
            QVERIFY(c<QWidget>("txtSucursal")->isVisible() == (codigo == 6));
            QCOMPARE(c<QLabel>("lblMensaje")->text(), DescripcionPrincipal(*BuscarAlgoritmo(codigo)));
        }
    }

    // Success writes both result fields; a failure shows the rule's messages in critical boxes, then puts
    // the focus on the field at fault, keeping the previous result. Enter in an entry field calculates.
    void calcular_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QStringList>("datos");  // as kCampos
        QTest::addColumn<int>("enter");          // the field Enter is pressed in (the keypad's from 3 on); -1: the button
        QTest::addColumn<int>("foco");           // the field with the focus afterwards; -1: not looked at
        QTest::addColumn<QString>("resultado");
        QTest::newRow("06 boton") << 6 << kEjemplo06 << -1 << -1 << "89062 62";
        QTest::newRow("06 Enter cuenta") << 6 << kEjemplo06 << 2 << 2 << "89062 62";
        QTest::newRow("10 Enter fecha") << 10 << kEjemplo10 << 4 << 4 << "12345646337268 46337268";
        QTest::newRow("02 referencia, dos cajas") << 2 << QStringList{"12a45", "", "", "", ""} << 0 << 0 << "anterior 9";
        QTest::newRow("06 sucursal") << 6 << QStringList{"890", "", "4567", "", ""} << -1 << 1 << "anterior 9";
        QTest::newRow("06 cuenta") << 6 << QStringList{"890", "123", "45.6", "", ""} << 1 << 2 << "anterior 9";
        QTest::newRow("10 importe") << 10 << QStringList{"123456", "", "", "-1", "15/06/2000"} << 4 << 3 << "anterior 9";
        QTest::newRow("10 fecha") << 10 << QStringList{"123456", "", "", "1", "01/02/00"} << 3 << 4 << "anterior 9";
        // The months of 30 days and February, at their last day and the day after.
        for (const auto& [fecha, resultado] : {std::pair{"30/09/2013", "12345695771269 95771269"}, {"31/09/2013", "anterior 9"},
                                               {"30/04/2013", "12345694221260 94221260"}, {"31/04/2013", "anterior 9"},
                                               {"30/06/2013", "12345694841214 94841214"}, {"31/06/2013", "anterior 9"},
                                               {"30/11/2013", "12345696391250 96391250"}, {"31/11/2013", "anterior 9"},
                                               {"28/02/2013", "12345693581202 93581202"}, {"29/02/2013", "anterior 9"},
                                               {"29/02/2012", "12345689871272 89871272"}, {"30/02/2012", "anterior 9"}})
            QTest::newRow(qPrintable("10 " + QString(fecha))) << 10 << QStringList{"123456", "", "", "1", fecha} << 4 << 4 << resultado;
    }
    void calcular() {
        QFETCH(int, codigo);
        QFETCH(QStringList, datos);
        QFETCH(int, enter);
        QFETCH(int, foco);
        llenar(codigo, datos);
        if (enter < 0) clic("cmdCalcularReferencia");
        else c(kCampos[enter])->setFocus(), QTest::keyClick(c(kCampos[enter]), enter > 2 ? Qt::Key_Enter : Qt::Key_Return);
        QCOMPARE(dialogos->textos(), CalcularReferencia(codigo, {datos[0], datos[1], datos[2], datos[3], datos[4]}).mensajes);
        for (const Caja& caja : dialogos->cajas()) {
            QCOMPARE(caja.icono, Icono::Critico);
            QCOMPARE(caja.titulo, "VaviviV");
        }
        if (foco >= 0) QCOMPARE(QApplication::focusWidget(), c(kCampos[foco]));
        QTEST(resultado(), "resultado");
    }

    // Amount and date take digits, their separator and Backspace; the others anything. A change anywhere but
    // in the reference empties the result; printing needs something other than spaces there.
    void teclasYCambios() {
        const QString cualquiera = "aZ 9-ñ.";
        const QStringList tecleado{cualquiera, cualquiera, cualquiera, "-1,é0a0.50", "ñ25-12.2001/"}, queda{cualquiera, cualquiera, cualquiera, "100.50", "25122001/"};
        for (int i = 0; i < 5; ++i) {
            llenar(i == 1 || i == 2 ? 6 : 10, {"", "", "", "", ""});
            teclear(kCampos[i], tecleado[i]);
            QVERIFY(texto(kCampos[i]) == queda[i]);
            QVERIFY(resultado() == (i > 0 ? " " : "anterior 9"));
            QVERIFY(c<QPushButton>("cmdImprime")->isEnabled() == (i == 0));
            QTest::keyClick(c(kCampos[i]), Qt::Key_Backspace);
            QCOMPARE(texto(kCampos[i]), queda[i].chopped(1));
        }
        c(kCampos[0])->setText("   ");
        QVERIFY(!c<QPushButton>("cmdImprime")->isEnabled());
    }

    // Either button opens the calendar with the focus in it; its own month and year controls keep it open;
    // a click elsewhere or Escape closes it untouched. A day picked (click, Enter or Space) goes under 10 to
    // the date field (result emptied), under 02 over the first six characters of the trimmed reference.
    // It follows a complete date typed by hand.
    void calendario() {
        auto* cal = c<QCalendarWidget>("cldCalendario");
        QAbstractItemView* vista = dias();
        const auto elegirDia = [&](const QString& boton, QDate dia, Qt::Key tecla) {
            clic(boton);
            // Next month, then a year in the year box. (The month menu is tried by hand: offscreen, the
            // activation stays on the popup once it closes.)
            hojear({"mes+", "anio-"});
            cal->setSelectedDate(dia);
            if (tecla != Qt::Key_unknown) QTest::keyClick(QApplication::focusWidget(), tecla);
            else QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(vista->currentIndex()).center());
            QVERIFY(!c<QWidget>("fraCalendario")->isVisible());
        };
        llenar(10, kEjemplo10);
        for (const bool escape : {false, true}) {
            clic("cmdFecha");
            escape ? QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape) : QTest::mouseClick(c(kCampos[0]), Qt::LeftButton);
            QVERIFY(!c<QWidget>("fraCalendario")->isVisible());
            QVERIFY(texto("mskFecha") == "15/06/2000");
            QVERIFY(resultado() == "anterior 9");
        }
        elegirDia("cmdFecha", QDate(2001, 3, 14), Qt::Key_unknown);
        QVERIFY(texto("mskFecha") == "14/03/2001");
        QVERIFY(resultado() == " ");
        c("mskFecha")->clear(), teclear("mskFecha", "25/12/2001");
        c("mskFecha")->clear(), teclear("mskFecha", "31/04/2002");  // no such day
        QCOMPARE(cal->selectedDate(), QDate(2001, 12, 25));
        elegir(2);
        const std::tuple<QString, Qt::Key, QString> filas[] = {  // reference, how the day is picked, reference after
            {"12345", Qt::Key_Return, "010314"}, {"  9912311234", Qt::Key_Space, "0103141234"}, {"abcde😀x", Qt::Key_Enter, "010314x"}};
        for (const auto& [referencia, tecla, queda] : filas) {
            c(kCampos[0])->setText(referencia);
            elegirDia("cmdFechaR", QDate(2001, 3, 14), tecla);
            QCOMPARE(texto(kCampos[0]), queda);
        }
    }

    // The window keeps its size: its title bar offers minimise and close, no maximise button.
    void tamanoFijo() {
        ComprobarTamanoFijo(*v, true);
        QCOMPARE(v->windowType(), Qt::Window);
    }

    // After a change of month or year Enter, the keypad's Enter and Space pick the day shown framed (the
    // same day in the new month, the last one if it has fewer), as the arrow keys and a click do; the
    // calendar opens again on that day.
    void calendarioEnmarcado_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("fecha");  // the date field, which sets the calendar
        QTest::addColumn<QStringList>("pasos");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<QString>("elegida");  // the date field after (code 02: the reference)
        QTest::newRow("mes siguiente, Enter") << 10 << "15/06/2000" << QStringList{"mes+"} << int(Qt::Key_Return) << "15/07/2000";
        QTest::newRow("año anterior, Intro") << 10 << "15/06/2000" << QStringList{"anio-"} << int(Qt::Key_Enter) << "15/06/1999";
        QTest::newRow("mes y año, Espacio") << 10 << "15/06/2000" << QStringList{"mes-", "anio+"} << int(Qt::Key_Space) << "15/05/2001";
        QTest::newRow("a un mes más corto") << 10 << "31/01/2000" << QStringList{"mes+"} << int(Qt::Key_Space) << "29/02/2000";
        QTest::newRow("mes y flecha") << 10 << "15/06/2000" << QStringList{"mes+", "Right"} << int(Qt::Key_Return) << "16/07/2000";
        QTest::newRow("PageDown") << 10 << "15/06/2000" << QStringList{"PgDown"} << int(Qt::Key_Return) << "15/07/2000";
        QTest::newRow("Ctrl+PageUp y mes") << 10 << "15/06/2000" << QStringList{"Ctrl+PgUp", "mes-"} << int(Qt::Key_Space) << "15/04/2000";
        QTest::newRow("sin hojear") << 10 << "15/06/2000" << QStringList{} << int(Qt::Key_Enter) << "15/06/2000";
        QTest::newRow("02 mes siguiente") << 2 << "15/06/2000" << QStringList{"mes+"} << int(Qt::Key_Return) << "000715";
        QTest::newRow("02 año, Espacio") << 2 << "15/06/2000" << QStringList{"anio+"} << int(Qt::Key_Space) << "010615";
    }
    void calendarioEnmarcado() {
        QFETCH(int, codigo);
        QFETCH(QString, fecha);
        QFETCH(QStringList, pasos);
        QFETCH(int, tecla);
        llenar(codigo, {"12345", "", "", "1", fecha});
        clic(codigo == 2 ? "cmdFechaR" : "cmdFecha");
        QCOMPARE(QApplication::focusWidget(), dias());
        hojear(pasos);
        QTest::keyClick(dias(), Qt::Key(tecla));
        QVERIFY(!c<QWidget>("fraCalendario")->isVisible());
        QTEST(texto(codigo == 2 ? kCampos[0] : "mskFecha"), "elegida");
        // It opens again on the day picked, which Enter picks again.
        clic(codigo == 2 ? "cmdFechaR" : "cmdFecha"), QTest::keyClick(dias(), Qt::Key_Return);
        QTEST(texto(codigo == 2 ? kCampos[0] : "mskFecha"), "elegida");
    }

    // However it was browsed and closed, the calendar opens again on the date in the field (a half-typed
    // one leaves the last complete date), framed and selected.
    void calendarioReabierto_data() {
        QTest::addColumn<QStringList>("pasos");
        QTest::addColumn<bool>("escape");     // else a click in the reference field
        QTest::addColumn<QString>("despues");  // typed in the date field while closed, after emptying it
        QTest::addColumn<QDate>("abre");
        QTest::newRow("mes, Escape") << QStringList{"mes+"} << true << "" << QDate(2000, 6, 15);
        QTest::newRow("año, clic fuera") << QStringList{"anio-", "anio-"} << false << "" << QDate(2000, 6, 15);
        QTest::newRow("PageDown, Escape") << QStringList{"PgDown", "PgDown"} << true << "" << QDate(2000, 6, 15);
        QTest::newRow("flechas, clic fuera") << QStringList{"Down", "Down"} << false << "" << QDate(2000, 6, 15);
        QTest::newRow("otra fecha tecleada") << QStringList{"mes+"} << true << "03/02/2001" << QDate(2001, 2, 3);
        QTest::newRow("fecha a medias") << QStringList{"PgUp"} << true << "03/02/20" << QDate(2000, 6, 15);
    }
    void calendarioReabierto() {
        QFETCH(QStringList, pasos);
        QFETCH(bool, escape);
        QFETCH(QString, despues);
        QFETCH(QDate, abre);
        auto* cal = cld();
        llenar(10, kEjemplo10);
        clic("cmdFecha");
        hojear(pasos);
        escape ? QTest::keyClick(dias(), Qt::Key_Escape) : QTest::mouseClick(c(kCampos[0]), Qt::LeftButton);
        QVERIFY(!c<QWidget>("fraCalendario")->isVisible());
        if (!despues.isEmpty()) c("mskFecha")->clear(), teclear("mskFecha", despues);
        const QString campo = texto("mskFecha");
        clic("cmdFecha");
        QCOMPARE(QList<int>({cal->yearShown(), cal->monthShown()}), QList<int>({abre.year(), abre.month()}));
        QCOMPARE(cal->selectedDate(), abre);
        QCOMPARE(dias()->currentIndex().data().toInt(), abre.day());
        QTest::keyClick(dias(), Qt::Key_Escape);
        QCOMPARE(texto("mskFecha"), campo);
        clic("cmdFecha"), QTest::keyClick(dias(), Qt::Key_Return);
        QCOMPARE(texto("mskFecha"), abre.toString("dd/MM/yyyy"));
    }

    // Under 10 the calendar offers only the dates the algorithm takes: it opens on the field's date or the
    // nearest of them, the field keeping its own (today's by default); no key or click gets past the ends.
    // The other algorithms take any date.
    void calendarioAlgoritmo10_data() {
        const QDate desde = AQDate(kFechaMinima), hasta = AQDate(kFechaMaxima);
        QTest::addColumn<QString>("fecha");  // empty: the field as choosing 10 leaves it
        QTest::addColumn<QDate>("abre");
        QTest::addColumn<QStringList>("pasos");
        QTest::addColumn<QDate>("elegida");
        QTest::newRow("dentro") << "15/06/2000" << QDate(2000, 6, 15) << QStringList{"Left"} << QDate(2000, 6, 14);
        QTest::newRow("hoy") << "" << std::min(QDate::currentDate(), hasta) << QStringList{} << std::min(QDate::currentDate(), hasta);
        QTest::newRow("primer día") << desde.toString("dd/MM/yyyy") << desde << QStringList{"Left", "Up", "PgUp", "Ctrl+PgUp"} << desde;
        QTest::newRow("día antes") << desde.addDays(-1).toString("dd/MM/yyyy") << desde << QStringList{"mes-", "anio-"} << desde;
        QTest::newRow("año antes") << "01/06/1950" << desde << QStringList{"Right"} << desde.addDays(1);
        QTest::newRow("último día") << hasta.toString("dd/MM/yyyy") << hasta << QStringList{"Right", "Down", "PgDown", "End"} << hasta;
        QTest::newRow("día después") << hasta.addDays(1).toString("dd/MM/yyyy") << hasta << QStringList{"mes+", "anio+"} << hasta;
        QTest::newRow("años después") << "01/01/2030" << hasta << QStringList{"Left"} << hasta.addDays(-1);
        QTest::newRow("mes del último") << "30/10/2014" << QDate(2014, 10, 30) << QStringList{"mes+"} << hasta;
    }
    void calendarioAlgoritmo10() {
        QFETCH(QString, fecha);
        QFETCH(QDate, abre);
        QFETCH(QStringList, pasos);
        auto* cal = cld();
        elegir(10);
        if (!fecha.isEmpty()) c("mskFecha")->setText(fecha);
        const QString campo = texto("mskFecha");
        QVERIFY(!fecha.isEmpty() || campo == QDate::currentDate().toString("dd/MM/yyyy"));
        clic("cmdFecha");
        QVERIFY(cal->minimumDate() == AQDate(kFechaMinima));
        QVERIFY(cal->maximumDate() == AQDate(kFechaMaxima));
        QVERIFY(cal->selectedDate() == abre);
        QVERIFY(cal->yearShown() == abre.year());
        QVERIFY(cal->monthShown() == abre.month());
        QCOMPARE(texto("mskFecha"), campo);
        hojear(pasos);
        // A day shown past an end is no pick: the calendar stays open, the field as it was. The day after the
        // last is the only 19 of its month's page; the day before the first, the 31 of the first week.
        const auto pagina = [cal](const Fecha& f) { return cal->yearShown() == f.anio && cal->monthShown() == f.mes; };
        const bool alFinal = pagina(kFechaMaxima), alPrincipio = pagina(kFechaMinima);
        int pulsados = 0;
        for (int fila = 1; fila < dias()->model()->rowCount() && (alFinal || alPrincipio); ++fila)
            for (int col = 0; col < dias()->model()->columnCount(); ++col)
                if (const QModelIndex dia = dias()->model()->index(fila, col);
                    (alFinal && dia.data().toInt() == kFechaMaxima.dia + 1) || (alPrincipio && fila == 1 && dia.data().toInt() == 31)) {
                    QTest::mouseClick(dias()->viewport(), Qt::LeftButton, {}, dias()->visualRect(dia).center()), ++pulsados;
                    QVERIFY(c<QWidget>("fraCalendario")->isVisible());
                    QVERIFY(texto("mskFecha") == campo);
                }
        QCOMPARE(pulsados, alFinal || alPrincipio ? 1 : 0);
        QTest::keyClick(dias(), Qt::Key_Return);
        QTEST(QDate::fromString(texto("mskFecha"), "dd/MM/yyyy"), "elegida");
        // Code 02 lifts the limits.
        elegir(2), c("mskFecha")->setText("01/01/2030"), clic("cmdFechaR");
        QVERIFY(cal->selectedDate() == QDate(2030, 1, 1));
        QVERIFY(cal->minimumDate() < AQDate(kFechaMinima));
    }

    // Every control one can act on has a name of its own for a screen reader: a field its label's text, the
    // label ending before the field so that its colon shows.
    void nombres() {
        elegir(10);
        const auto nombre = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        QMap<QWidget*, QString> nombres;
        for (const bool anio : {false, true}) {  // the calendar, then its year box
            anio ? pulsarAnio() : clic("cmdFecha");
            for (QWidget* w : v->findChildren<QWidget*>())
                if (w->isVisible() && !w->focusProxy() && (w->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(w)))
                    nombres[w] = nombre(w);
        }
        const QStringList todos = nombres.values();
        QVERIFY2(!todos.contains(""), qPrintable(todos.join('|')));
        QVERIFY2(QSet(todos.begin(), todos.end()).size() == todos.size(), qPrintable(todos.join('|')));
        for (const QString campo : {"Sucursal", "Cuenta", "ReferenciaaCalcular", "Importe", "Fecha", "ReferenciaCompleta", "VaviviVerificador"}) {
            auto* etiqueta = c<QLabel>("lbl" + campo);
            QWidget* caja = v->findChild<QWidget*>((campo.front() == 'I' || campo.front() == 'F' ? "msk" : "txt") + campo);
            QCOMPARE(nombre(caja) + " :", etiqueta->text());
            QVERIFY(etiqueta->geometry().right() < caja->x());
            QVERIFY(etiqueta->fontMetrics().horizontalAdvance(etiqueta->text()) <= etiqueta->width());
        }
        for (const auto& [control, esperado] : {std::pair{"cboAlgoritmo", "Algoritmo"}, {"cmdFecha", "Mostar Calendario"}, {"cldCalendario", "Calendario"},
                                                {"mnuArchivo", "Archivo"}, {"mnuAyuda", "Ayuda"}})
            QCOMPARE(nombre(c<QWidget>(control)), esperado);
        const QAccessibleInterface* lista = QAccessible::queryAccessibleInterface(c<QComboBox>("cboAlgoritmo"));
        QVERIFY(lista->role() == QAccessible::ComboBox);
        QVERIFY(lista->text(QAccessible::Value) == c<QComboBox>("cboAlgoritmo")->currentText());
    }

    // The window as shown goes to one page, then the confirmation. A failure offers Retry, which prints
    // again, or Cancel, which ends; the menu prints while the button is off.
    void imprimir() {
        QTemporaryDir carpeta;
        ImpresoraSimulada impresora(carpeta.filePath("ventana.pdf"));
        llenar(10, kEjemplo10);
        clic("cmdImprime");
        QVERIFY(TextoPdf(impresora.pdf.ruta()).size() == 1);
        QVERIFY(ImagenesPdf(impresora.pdf.ruta()) == QStringList{QString("%1x%2").arg(v->width()).arg(v->height())});
        c(kCampos[0])->clear();
        for (const bool reintentar : {true, false}) {
            impresora.errores.push_back({kErrorImpresoraDetenida, "La impresora está detenida."});
            if (reintentar) dialogos->responderCon(Respuesta::Reintentar);
            c<QAction>("mnuArchivoImprimir")->trigger();
        }
        const QString terminada = "Impresión Terminada !!!", error = "Error : 2 La impresora está detenida.";
        QVERIFY(impresora.impresas == 2);
        QVERIFY(dialogos->textos() == QStringList({terminada, error, terminada, error}));
        for (const Caja& caja : dialogos->cajas()) {
            QCOMPARE(caja.titulo, "Digito KIV");
            QCOMPARE(caja.icono, caja.texto == error ? Icono::Ninguno : Icono::Exclamacion);
            QCOMPARE(caja.botones, caja.texto == error ? Botones::ReintentarCancelar : Botones::Aceptar);
        }
    }

    // The help menu, last on the menu bar, with its entries in order.
    void menuAyuda() { QCOMPARE(EntradasMenuAyuda(*v), MenuAyudaEsperado("&Contenido de la Ayuda")); }

    // Each help order asks for its topic in the help file beside the program: the help button (also by Enter)
    // and "Calculo de Algoritmo" the chosen algorithm's (00 is 100, none the window's, 101); F1 the contents.
    void ayuda() {
        const std::tuple<QString, int, int, int> filas[] = {  // order, algorithm (-1 none), command, context
            {"cmndAyuda", -1, kAyudaTema, 101}, {"cmndAyuda", 0, kAyudaTema, 100}, {"mnuAyudaCalculo", 37, kAyudaTema, 37},
            {"mnuAyudaContenido", 6, kAyudaContenido, 0}, {"mnuAyudaUso", 6, kAyudaUso, 0}, {"mnuAyudaEdicion", 6, kAyudaTema, 102},
            {"mnuAyudaDespliegue", 6, kAyudaTema, 101}, {"F1", 6, kAyudaContenido, 0}, {"Enter", 37, kAyudaTema, 37}};
        for (const auto& [orden, codigo, comando, contexto] : filas) {
            AyudaSimulada ayuda;
            if (codigo >= 0) elegir(codigo);
            if (orden == "F1") QTest::keyClick(c(kCampos[0]), Qt::Key_F1);
            else if (orden == "Enter") c<QPushButton>("cmndAyuda")->setFocus(), QTest::keyClick(c<QPushButton>("cmndAyuda"), Qt::Key_Return);
            else orden.startsWith("mnu") ? c<QAction>(orden)->trigger() : clic(orden);
            QCOMPARE(ayuda.peticiones.size(), std::size_t(1));
            const PeticionAyuda& p = ayuda.peticiones[0];
            QCOMPARE(p.archivo, QCoreApplication::applicationDirPath() + (orden == "F1" ? "/VaviviV.hlp" : "/Vaviviv.hlp"));
            QCOMPARE(QList<int>({p.comando, comando == kAyudaTema ? p.contexto : 0}), QList<int>({comando, contexto}));
        }
    }

    // One bulk window beside this one however often asked: Ctrl+A from a text field, the button.
    void masivo() {
        elegir(0);
        QTest::keyClick(c(kCampos[0]), Qt::Key_A, Qt::ControlModifier);
        clic("cmndMasivo");
        const QWidgetList ventanas = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(ventanas.begin(), ventanas.end(), [](QWidget* w) { return w->objectName() == "frmMasivo" && w->isVisible(); }), 1);
    }

    // Files given to the program (the desktop's "open with") open the bulk window; there they wait for an algorithm.
    void abrirArchivos() {
        QTemporaryDir carpeta;
        QVERIFY(Escribir(carpeta.filePath("a.txt"), "1\r\n2\r\n"));
        v->AbrirArchivos({carpeta.filePath("a.txt")});
        QMainWindow* masivo = nullptr;
        for (QWidget* ventana : QApplication::topLevelWidgets())
            if (ventana->objectName() == "frmMasivo" && ventana->isVisible()) masivo = qobject_cast<QMainWindow*>(ventana);
        QVERIFY(masivo);
        QVERIFY(QTest::qWaitForWindowActive(masivo));
        QVERIFY(dialogos->cajas().empty());
        Elegir(*masivo->findChild<QComboBox*>("cboAlgoritmo"), 0);
        QCOMPARE(dialogos->textos(), QStringList{"Archivo cargado Exitosamente !!!"});
        QCOMPARE(masivo->findChild<QAbstractItemView*>("grdMasivo")->model()->rowCount(), 2);  // the two records
        masivo->close();
    }

    // The window opens again where it was closed.
    void posicionRecordada() {
        const QPoint donde = v->screen()->availableGeometry().topLeft() + QPoint(7, 9);
        v->move(donde);
        clic("cmdSalir");
        abrirOtraVez();
        QCOMPARE(v->pos(), donde);
    }
};

QTEST_MAIN(PruebaPrincipal)
#include "frmPrincipal_test.moc"
