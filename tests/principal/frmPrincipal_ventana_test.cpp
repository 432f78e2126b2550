// frmPrincipal as it loads and as each algorithm configures it; what the fields
// let the user type and what their changes do; the month calendar.

#include "reglas/texto.h"
#include "engine/catalogo.h"
#include "platform/aplicacion.h"
#include "platform/lista_algoritmos.h"
#include "ventana_prueba.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

using namespace vaviviv;
using vaviviv::prueba::Ventana;

namespace {

const QStringList kOpcionales{"lblSucursal", "txtSucursal", "lblCuenta", "txtCuenta", "lblImporte",
                              "mskImporte",  "lblFecha",    "mskFecha",  "cmdFecha",  "cmdFechaR"};

}  // namespace

class PruebaVentana : public QObject {
    Q_OBJECT

    std::unique_ptr<Ventana> v;

    bool calendarioVisible() { return v->control("fraCalendario")->isVisible(); }
    bool focoEnElCalendario() { return v->foco() == v->calendario() || v->calendario()->isAncestorOf(v->foco()); }

    // A day picked with the mouse: its cell clicked once it is the current one.
    void clicEnElDia(const QDate& fecha) {
        v->calendario()->setSelectedDate(fecha);
        auto* vista = v->calendario()->findChild<QTableView*>("qt_calendar_calendarview");
        QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(vista->currentIndex()).center());
    }

    // The calendar opens on the press, over the result, and takes the focus on the release.
    void abrir(const char* boton) {
        QTest::mousePress(v->boton(boton), Qt::LeftButton);
        QVERIFY(calendarioVisible());
        QVERIFY(v->control("fraCalendario")->geometry().intersects(v->control("fraResultado")->geometry()));
        QTest::mouseRelease(v->boton(boton), Qt::LeftButton);
        QVERIFY(focoEnElCalendario());
    }

private slots:
    void initTestCase() { PrepararAplicacion(*qApp); }
    void init() { v = std::make_unique<Ventana>(); }
    void cleanup() { v.reset(); }

    // As it loads: nothing chosen, only the list and the commands usable. Every control in its
    // container with its caption or tooltip (icon buttons show only a picture; the rest have none).
    void alCargar() {
        QCOMPARE(v->ventana().windowTitle(), "Calculo del Dígito Verificador");
        QVERIFY(!v->ventana().windowIcon().isNull() && !v->algoritmos()->isEditable());
        QCOMPARE(v->algoritmos()->currentIndex(), -1);
        QCOMPARE(v->control<QLabel>("lblMensaje")->text(),
                 "Primero seleccione el Algoritmo de Calculo deseado y luego teclee los datos solicitados.");
        for (const char* apagado : {"fraDatos", "cmdCalcularReferencia", "cmdImprime"})
            QVERIFY2(!v->control(apagado)->isEnabled(), apagado);
        for (const char* usable : {"cmndMasivo", "cmndAyuda", "cmdSalir", "cboAlgoritmo"})
            QVERIFY2(v->control(usable)->isEnabled(), usable);
        for (const QString& oculto : kOpcionales + QStringList{"fraCalendario"})
            QVERIFY2(!v->control(oculto)->isVisible(), qPrintable(oculto));
        QCOMPARE(v->calendario()->selectedDate(), QDate::currentDate());
        QCOMPARE(v->calendario()->locale().monthName(3), "marzo");
        QVERIFY(v->campo("txtReferenciaCompleta")->isReadOnly() && v->campo("txtVaviviVerificador")->isReadOnly());
        QVERIFY(v->campo("mskImporte")->maxLength() == 20 && v->campo("mskFecha")->maxLength() == 10);

        const QStringList grupos{
            ":cmndMasivo cmdImprime cmdCalcularReferencia cmndAyuda cmdSalir Picture1 fraAlgoritmo fraDatos",
            "Picture1:Image1", "fraAlgoritmo:cboAlgoritmo lblMensaje", "fraCalendario:cldCalendario",
            "fraDatos:" + kOpcionales.join(' ') + " lblReferenciaaCalcular txtReferenciaaCalcular fraResultado fraCalendario",
            "fraResultado:lblReferenciaCompleta txtReferenciaCompleta lblVaviviVerificador txtVaviviVerificador"};
        const QMap<QString, QString> textos{
            {"fraAlgoritmo", "Algoritmo"}, {"fraDatos", "Datos"}, {"lblSucursal", "Sucursal Corvana :"},
            {"lblCuenta", "Cuenta Corvana :"}, {"lblImporte", "Importe :"}, {"lblFecha", "Fecha (dd/mm/aaaa) :"},
            {"lblReferenciaaCalcular", "Referencia a Calcular :"}, {"lblReferenciaCompleta", "Referencia Completa :"},
            {"lblVaviviVerificador", "Dígito Verificador :"}, {"cmndMasivo", "Abrir archivo de texto"},
            {"cmdImprime", "Imprimir Pantalla"}, {"cmndAyuda", "Ayuda."}, {"cmdCalcularReferencia", "Calcular"},
            {"cmdSalir", "Salir."}, {"cmdFechaR", "Mostar Calendario"},
            {"cldCalendario", "Seleccione con un click el día deseado"}};
        for (const QString& grupo : grupos)
            for (const QString& nombre : grupo.section(':', 1).split(' ')) {
                QWidget* c = v->control(nombre);
                const QString padre = grupo.section(':', 0, 0);
                QCOMPARE(c->parentWidget(), padre.isEmpty() ? v->ventana().centralWidget() : v->control(padre));
                auto* l = nombre == u"lblMensaje" ? nullptr : qobject_cast<QLabel*>(c);
                auto* marco = qobject_cast<QGroupBox*>(c);
                QCOMPARE(c->toolTip(), l || marco ? QString() : textos.value(nombre));
                if (l || marco) QCOMPARE(l ? l->text() : marco->title(), textos.value(nombre));
                if (auto* b = qobject_cast<QPushButton*>(c); b && textos.contains(nombre))
                    QVERIFY(b->text().isEmpty() && !b->icon().isNull());
            }
    }

    void ordenDeTabulacionYMenus() {
        const QStringList orden{"cmndMasivo", "cmndAyuda", "cboAlgoritmo", "txtSucursal", "txtCuenta",
                                "cmdCalcularReferencia", "cmdSalir", "txtReferenciaaCalcular", "txtReferenciaCompleta",
                                "txtVaviviVerificador", "cldCalendario", "cmdFechaR", "cmdFecha", "cmdImprime",
                                "mskFecha", "mskImporte"};
        QStringList visto;
        QWidget* w = v->control(orden.first());
        for (int paso = 0; paso < 500 && visto.size() < orden.size(); ++paso, w = w->nextInFocusChain())
            if (orden.contains(w->objectName()) && !visto.contains(w->objectName())) visto << w->objectName();
        QCOMPARE(visto, orden);

        QStringList menus;
        for (const char* menu : {"mnuArchivo", "mnuAyuda"}) {
            menus << v->control<QMenu>(menu)->title();
            for (QAction* a : v->control<QMenu>(menu)->actions())
                menus << (a->isSeparator() ? "-" + a->objectName() : a->objectName() + "=" + a->text());
        }
        QCOMPARE(menus, QStringList({"&Archivo", "mnuArchivoAbrir=&Abrir Archivo de Texto", "-mnulinea1",
                                     "mnuArchivoImprimir=&Imprimir Pantalla", "-mnulinea2", "mnuArchivoSalir=&Salir",
                                     "A&yuda", "mnuAyudaContenido=&Contenido de la Ayuda", "mnuAyudaUso=&Uso de la Ayuda",
                                     "mnuAyudaEdicion=Ayuda de &Edición", "mnuAyudaDespliegue=Despliegue de &Pantalla",
                                     "mnuAyudaCalculo=Calculo de &Algoritmo", "-mnulinea3", "mnuAyudaAcerca=A&cerca de..."}));
    }

    // The drawing in twips at the screen's dpi, grown evenly until every text fits: fixed size,
    // proportions kept, centred, every caption readable.
    void tamanoProporcionesYTextosLegibles() {
        frmPrincipal& f = v->ventana();
        const double escala = f.centralWidget()->width() / 9525.0;
        QCOMPARE(f.minimumSize(), f.maximumSize());
        QVERIFY(f.centralWidget()->width() >= qRound(9525 * f.logicalDpiX() / 1440.0));
        QVERIFY(qAbs(f.centralWidget()->height() - 4425 * escala) <= 1);
        QVERIFY(qAbs(v->control("fraDatos")->width() - 9255 * escala) <= 1);
        QVERIFY((f.screen()->geometry().center() - QRect(f.pos(), f.size()).center()).manhattanLength() <= 2);
        const auto cabe = [](QLabel* l) {
            const QRect ocupado = l->fontMetrics().boundingRect(QRect(0, 0, l->width(), 10000),
                                                                l->wordWrap() ? Qt::TextWordWrap : 0, l->text());
            return l->text().isEmpty() || (ocupado.width() <= l->width() && ocupado.height() <= l->height());
        };
        for (QLabel* l : f.findChildren<QLabel*>()) QVERIFY2(cabe(l), qPrintable(l->objectName()));
        for (QLineEdit* c : f.findChildren<QLineEdit*>())
            QVERIFY2(c->minimumSizeHint().height() <= c->height(), qPrintable(c->objectName()));
        for (const Algoritmo& a : Catalogo()) {  // the description, whichever algorithm is chosen
            v->elegir(a.codigo);
            QVERIFY2(cabe(v->control<QLabel>("lblMensaje")), DesdeUtf8(a.descripcionPrincipal).toUtf8());
        }
    }

    // Whatever stood before, picking an entry shows exactly its fields, empties them and the
    // result; entry text, description and limit come from the catalogue.
    void configuracionPorAlgoritmo() {
        const QMap<int, QStringList> visibles{{2, {"cmdFechaR"}},
                                              {6, {"lblSucursal", "txtSucursal", "lblCuenta", "txtCuenta"}},
                                              {10, {"lblImporte", "mskImporte", "lblFecha", "mskFecha", "cmdFecha"}}};
        for (const Algoritmo& a : Catalogo()) {
            QCOMPARE(v->algoritmos()->itemText(v->algoritmos()->findData(a.codigo)), DesdeUtf8(a.texto));
            v->llenar(10, {"123456", "1", "2", "3", "01/02/2003"});
            v->ponerResultado("1234567", "7");
            v->elegir(a.codigo);
            QVERIFY(v->control("fraDatos")->isEnabled() && v->boton("cmdCalcularReferencia")->isEnabled());
            QVERIFY(!v->boton("cmdImprime")->isEnabled());
            QCOMPARE(v->control<QLabel>("lblMensaje")->text(), DesdeUtf8(a.descripcionPrincipal));
            QCOMPARE(v->campo("txtReferenciaaCalcular")->maxLength(), a.longitudMaxima);
            for (const QString& opcional : kOpcionales)
                QVERIFY2(v->control(opcional)->isVisible() == visibles.value(a.codigo).contains(opcional),
                         qPrintable(opcional));
            for (const char* vacio : {"txtReferenciaaCalcular", "txtSucursal", "txtCuenta", "mskImporte",
                                      "txtReferenciaCompleta", "txtVaviviVerificador"})
                QVERIFY2(v->campo(vacio)->text().isEmpty(), vacio);
            // The date is never emptied; 02 and 10 reset it, and the calendar, to today.
            const bool hoy = a.codigo == 2 || a.codigo == 10;
            QCOMPARE(v->campo("mskFecha")->text(), hoy ? QDate::currentDate().toString("dd/MM/yyyy") : "01/02/2003");
            QCOMPARE(v->calendario()->selectedDate(), hoy ? QDate::currentDate() : QDate(2003, 2, 1));
        }
    }

    // The bulk window opens beside the main one, never twice: by Ctrl+A even from a text field
    // (which would otherwise take it to select its text), its button, its menu entry. Salir closes.
    void masivoYSalir() {
        int veces = 0;
        connect(v->control<QAction>("mnuArchivoAbrir"), &QAction::triggered, [&veces] { ++veces; });
        v->elegir(0);
        v->teclear("txtReferenciaaCalcular", "123");
        QTest::keyClick(v->campo("txtReferenciaaCalcular"), Qt::Key_A, Qt::ControlModifier);
        QVERIFY(v->campo("txtReferenciaaCalcular")->selectedText().isEmpty() && veces == 1);
        v->boton("cmndMasivo")->click();
        v->control<QAction>("mnuArchivoAbrir")->trigger();
        QList<QWidget*> masivas;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == u"frmMasivo" && w->isVisible()) masivas << w;
        QCOMPARE(masivas.size(), 1);
        QVERIFY(!masivas.front()->isModal() && v->ventana().isEnabled());
        masivas.front()->close();
        v->control<QAction>("mnuArchivoSalir")->trigger();
        QVERIFY(!v->ventana().isVisible());
    }

    // Amount and date filter keys (Backspace still works); the others take anything.
    // Typing anywhere but in the reference empties the result.
    void filtrosYCambios() {
        const char* const filas[][3] = {
            {"mskImporte", "-1,é0a0.50", "100.50"}, {"mskFecha", "ñ25-12.2001/", "25122001/"},
            {"txtReferenciaaCalcular", "aZ 9-ñ.", "aZ 9-ñ."}, {"txtSucursal", "aZ 9-ñ.", "aZ 9-ñ."},
            {"txtCuenta", "aZ 9-ñ.", "aZ 9-ñ."}};
        for (const auto& [campo, tecleado, queda] : filas) {
            v->elegir(campo[0] == 'm' ? 10 : 6);
            v->campo("mskFecha")->clear();
            v->ponerResultado("1234566", "6");
            v->teclear(campo, tecleado);
            QCOMPARE(v->campo(campo)->text(), queda);
            const bool vacia = QString(campo) != "txtReferenciaaCalcular";
            QCOMPARE(v->referenciaCompleta().isEmpty() && v->digitos().isEmpty(), vacia);
            QTest::keyClick(v->campo(campo), Qt::Key_Backspace);
            QCOMPARE(v->campo(campo)->text(), QString(queda).chopped(1));
        }
    }

    // Enter (the keypad's too) in any entry field calculates with the data so far; the focus stays.
    void enterCalcula() {
        for (const auto& [campo, es06] : {std::pair{"txtReferenciaaCalcular", false}, {"mskImporte", false},
                                          {"mskFecha", false}, {"txtSucursal", true}, {"txtCuenta", true}}) {
            es06 ? v->llenar(6, {"890", "123", "4567", {}, {}}) : v->llenar10();
            v->campo(campo)->setFocus();
            QTest::keyClick(v->campo(campo), campo[0] == 'm' ? Qt::Key_Enter : Qt::Key_Return);
            QCOMPARE(v->digitos(), es06 ? "62" : "46337268");
            QCOMPARE(v->foco(), v->campo(campo));
        }
        QCOMPARE(v->dialogos().textos(), QStringList());
    }

    // The print button is on while the reference holds anything but spaces (a tab is no space).
    void botonImprimirSigueLaReferencia() {
        v->elegir(0);
        for (const auto& [texto, encendido] : {std::pair{"7", true}, {"   ", false}, {" \t", true}}) {
            v->campo("txtReferenciaaCalcular")->setText(texto);
            QCOMPARE(v->boton("cmdImprime")->isEnabled(), encendido);
        }
    }

    // Under 10: a date set from code is no pick; moving about inside (next month, the year box) is
    // no loss of focus; a click elsewhere is, and changes nothing. A pick sets the date and empties
    // the result; under 02 it takes the place of the reference's AAMMDD prefix; under others it only closes.
    void elegirUnDia() {
        v->llenar10();
        v->boton("cmdCalcularReferencia")->click();
        abrir("cmdFecha");
        QCalendarWidget* cal = v->calendario();
        cal->setSelectedDate(QDate(2001, 3, 14));
        QTest::mouseClick(cal->findChild<QToolButton*>("qt_calendar_nextmonth"), Qt::LeftButton);
        QCOMPARE(cal->monthShown(), 4);
        QTest::mouseClick(cal->findChild<QToolButton*>("qt_calendar_yearbutton"), Qt::LeftButton);
        QVERIFY(cal->findChild<QSpinBox*>("qt_calendar_yearedit")->isVisible() && calendarioVisible());
        QTest::mouseClick(v->campo("txtReferenciaaCalcular"), Qt::LeftButton);
        QVERIFY(!calendarioVisible() && cal->selectedDate() == QDate(2001, 3, 14));
        QVERIFY(v->campo("mskFecha")->text() == "15/06/2000" && v->digitos() == "46337268");
        abrir("cmdFecha");
        abrir("cmdFecha");  // its own button again leaves it open
        clicEnElDia(QDate(2001, 3, 15));
        QCOMPARE(v->campo("mskFecha")->text(), "15/03/2001");
        QVERIFY(!calendarioVisible() && v->referenciaCompleta().isEmpty() && v->digitos().isEmpty());
        QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), "123456");
        for (const auto& [referencia, queda] : {std::pair{"12345", "010314"}, {"  991231X", "010314X"}}) {
            v->elegir(2);
            v->campo("txtReferenciaaCalcular")->setText(referencia);
            abrir("cmdFechaR");
            abrir("cmdFechaR");
            clicEnElDia(QDate(2001, 3, 14));
            QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), queda);
            QVERIFY(!calendarioVisible());
        }
        v->elegir(0);
        v->control("fraCalendario")->show();
        clicEnElDia(QDate(2001, 3, 16));
        QVERIFY(v->campo("txtReferenciaaCalcular")->text().isEmpty() && !calendarioVisible());
        QCOMPARE(v->campo("mskFecha")->text(), QDate::currentDate().toString("dd/MM/yyyy"));
    }

    // The calendar follows a typed date once complete and real (beyond 2014 too); anything
    // else leaves it where it was, silently.
    void fechasTecleadas() {
        v->elegir(10);
        v->calendario()->setSelectedDate(QDate(2000, 1, 1));
        for (const auto& [texto, queda] : {std::pair{"25/12/200", QDate(2000, 1, 1)}, {"25/12/2001", {2001, 12, 25}},
                                           {"31/04/2001", {2001, 12, 25}}, {"2001/12/31", {2001, 12, 25}},
                                           {"01/13/2000", {2001, 12, 25}}, {" 1/02/2001", {2001, 12, 25}},
                                           {"29/02/2000", {2000, 2, 29}}, {"05/03/2101", {2101, 3, 5}}}) {
            v->campo("mskFecha")->setText(texto);
            QCOMPARE(v->calendario()->selectedDate(), queda);
            QCOMPARE(v->calendario()->yearShown(), queda.year());
        }
        QCOMPARE(v->dialogos().textos(), QStringList());
    }
};

QTEST_MAIN(PruebaVentana)
#include "frmPrincipal_ventana_test.moc"
