// frmPrincipal's wiring through clicks and keys on its named controls, offscreen with scripted
// boxes: each command calls its rule and shows the outcome. The rules: tests/reglas, tests/engine.

#include "engine/catalogo.h"
#include "platform/lista_algoritmos.h"
#include "principal/frmPrincipal.h"
#include "prueba_ventanas.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QTableView>

using namespace vaviviv;

namespace {
const char* const kCampos[] = {"txtReferenciaaCalcular", "txtSucursal", "txtCuenta", "mskImporte", "mskFecha"};
const QStringList kEjemplo06{"890", "123", "4567", "", ""}, kEjemplo10{"123456", "", "", "123.45", "15/06/2000"};
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
    void teclear(const QString& campo, const QString& tecleado) {
        for (QChar letra : tecleado) QTest::sendKeyEvent(QTest::Click, c(campo), Qt::Key_unknown, QString(letra), {});
    }

private slots:
    void initTestCase() { PrepararAplicacion(*qApp); }
    void init() {
        dialogos = std::make_unique<DialogosSimulados>(), v = std::make_unique<frmPrincipal>();
        v->show(), v->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(v.get()));
    }
    void cleanup() { v.reset(), dialogos.reset(); }

    // Nothing to type in until an entry is picked; then, whatever stood before, exactly its fields, the
    // catalogue's description and typed-length limit, all emptied but the date, which 02 and 10 set to today.
    void eleccion() {
        QVERIFY(!c<QWidget>("fraDatos")->isEnabled() && !c<QWidget>("cmdCalcularReferencia")->isEnabled());
        QCOMPARE(v->windowTitle(), "Calculo del Dígito Verificador");
        QCOMPARE(c<QLabel>("lblMensaje")->text(), "Primero seleccione el Algoritmo de Calculo deseado y luego teclee los datos solicitados.");
        const QMap<int, QStringList> visibles{{2, {"cmdFechaR"}}, {6, {"txtSucursal", "txtCuenta"}}, {10, {"mskImporte", "mskFecha", "cmdFecha"}}};
        for (const Algoritmo& a : Catalogo()) {
            llenar(10, {"1", "2", "3", "4", "01/02/2003"});
            elegir(a.codigo);
            QVERIFY(c<QWidget>("fraDatos")->isEnabled() && c<QWidget>("cmdCalcularReferencia")->isEnabled());
            QCOMPARE(c<QLabel>("lblMensaje")->text(), QString::fromUtf8(a.descripcionPrincipal));
            for (const QString opcional : {"txtSucursal", "txtCuenta", "mskImporte", "mskFecha", "cmdFecha", "cmdFechaR"})
                QVERIFY2(c<QWidget>(opcional)->isVisible() == visibles.value(a.codigo).contains(opcional), qPrintable(opcional));
            QCOMPARE(texto(kCampos[0]) + texto(kCampos[1]) + texto(kCampos[2]) + texto(kCampos[3]) + resultado(), " ");
            const QDate dia = a.codigo == 2 || a.codigo == 10 ? QDate::currentDate() : QDate(2003, 2, 1);
            QVERIFY(texto("mskFecha") == dia.toString("dd/MM/yyyy") && c<QCalendarWidget>("cldCalendario")->selectedDate() == dia);
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
        QVERIFY(CodigoSeleccionado(*lista) == 6 && texto(kCampos[1]) == "123" && resultado() == "anterior 9");
        lista->setFocus();
        for (const int codigo : {lista->itemData(lista->currentIndex() + 1).toInt(), 6}) {
            c(kCampos[0])->setText("1");
            codigo == 6 ? QTest::keyClick(lista, Qt::Key_Up) : girar();
            QVERIFY(CodigoSeleccionado(*lista) == codigo && texto(kCampos[0]).isEmpty() && c<QWidget>("txtSucursal")->isVisible() == (codigo == 6));
            QCOMPARE(c<QLabel>("lblMensaje")->text(), QString::fromUtf8(BuscarAlgoritmo(codigo)->descripcionPrincipal));
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
        for (const Caja& caja : dialogos->cajas()) QVERIFY(caja.icono == Icono::Critico && caja.titulo == "VaviviV");
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
            QVERIFY(texto(kCampos[i]) == queda[i] && resultado() == (i > 0 ? " " : "anterior 9") && c<QPushButton>("cmdImprime")->isEnabled() == (i == 0));
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
        auto* vista = cal->findChild<QTableView*>("qt_calendar_calendarview");
        const auto elegirDia = [&](const QString& boton, QDate dia, Qt::Key tecla) {
            clic(boton);
            // Next month, then a year in the year box. (The month menu is tried by hand: offscreen, the
            // activation stays on the popup once it closes.)
            for (const char* control : {"qt_calendar_nextmonth", "qt_calendar_yearbutton"})
                QTest::mouseClick(cal->findChild<QWidget*>(control), Qt::LeftButton);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down), QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(c<QWidget>("fraCalendario")->isVisible() && cal->isAncestorOf(QApplication::focusWidget()));
            cal->setSelectedDate(dia);
            if (tecla != Qt::Key_unknown) QTest::keyClick(QApplication::focusWidget(), tecla);
            else QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(vista->currentIndex()).center());
            QVERIFY(!c<QWidget>("fraCalendario")->isVisible());
        };
        llenar(10, kEjemplo10);
        for (const bool escape : {false, true}) {
            clic("cmdFecha");
            escape ? QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape) : QTest::mouseClick(c(kCampos[0]), Qt::LeftButton);
            QVERIFY(!c<QWidget>("fraCalendario")->isVisible() && texto("mskFecha") == "15/06/2000" && resultado() == "anterior 9");
        }
        elegirDia("cmdFecha", QDate(2001, 3, 14), Qt::Key_unknown);
        QVERIFY(texto("mskFecha") == "14/03/2001" && resultado() == " ");
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
        const Qt::WindowFlags marco = v->windowFlags();
        QVERIFY(!(marco & Qt::WindowMaximizeButtonHint) && (marco & Qt::WindowMinimizeButtonHint) && (marco & Qt::WindowCloseButtonHint));
        QVERIFY(v->windowType() == Qt::Window && v->minimumSize() == v->maximumSize() && v->size() == v->maximumSize());
    }

    // Every control one can act on has a name of its own for a screen reader: a field its label's text, the
    // label ending before the field so that its colon shows.
    void nombres() {
        elegir(10);
        const auto nombre = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        QMap<QWidget*, QString> nombres;
        for (const char* abrir : {"cmdFecha", "qt_calendar_yearbutton"}) {  // the calendar, then its year box
            QTest::mouseClick(c<QWidget>(abrir), Qt::LeftButton);
            for (QWidget* w : v->findChildren<QWidget*>())
                if (w->isVisible() && !w->focusProxy() && (w->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(w)))
                    nombres[w] = nombre(w);
        }
        const QStringList todos = nombres.values();
        QVERIFY2(!todos.contains("") && QSet(todos.begin(), todos.end()).size() == todos.size(), qPrintable(todos.join('|')));
        for (const QString campo : {"Sucursal", "Cuenta", "ReferenciaaCalcular", "Importe", "Fecha", "ReferenciaCompleta", "VaviviVerificador"}) {
            auto* etiqueta = c<QLabel>("lbl" + campo);
            QWidget* caja = v->findChild<QWidget*>((campo.front() == 'I' || campo.front() == 'F' ? "msk" : "txt") + campo);
            QCOMPARE(nombre(caja) + " :", etiqueta->text());
            QVERIFY(etiqueta->geometry().right() < caja->x() && etiqueta->fontMetrics().horizontalAdvance(etiqueta->text()) <= etiqueta->width());
        }
        for (const auto& [control, esperado] : {std::pair{"cboAlgoritmo", "Algoritmo"}, {"cmdFecha", "Mostar Calendario"}, {"cldCalendario", "Calendario"},
                                                {"mnuArchivo", "Archivo"}, {"mnuAyuda", "Ayuda"}})
            QCOMPARE(nombre(c<QWidget>(control)), esperado);
        const QAccessibleInterface* lista = QAccessible::queryAccessibleInterface(c<QComboBox>("cboAlgoritmo"));
        QVERIFY(lista->role() == QAccessible::ComboBox && lista->text(QAccessible::Value) == c<QComboBox>("cboAlgoritmo")->currentText());
    }

    // The window as shown goes to one page, then the confirmation. A failure offers Retry, which prints
    // again, or Cancel, which ends; the menu prints while the button is off.
    void imprimir() {
        QTemporaryDir carpeta;
        ImpresoraSimulada impresora(carpeta.filePath("ventana.pdf"));
        llenar(10, kEjemplo10);
        clic("cmdImprime");
        QVERIFY(TextoPdf(impresora.pdf.ruta()).size() == 1 && ImagenesPdf(impresora.pdf.ruta()) == QStringList{QString("%1x%2").arg(v->width()).arg(v->height())});
        c(kCampos[0])->clear();
        for (const bool reintentar : {true, false}) {
            impresora.errores.push_back({kErrorImpresoraDetenida, "La impresora está detenida."});
            if (reintentar) dialogos->responderCon(Respuesta::Reintentar);
            c<QAction>("mnuArchivoImprimir")->trigger();
        }
        const QString terminada = "Impresión Terminada !!!", error = "Error : 2 La impresora está detenida.";
        QVERIFY(impresora.impresas == 2 && dialogos->textos() == QStringList({terminada, error, terminada, error}));
        for (const Caja& caja : dialogos->cajas())
            QVERIFY(caja.titulo == "Digito KIV" && caja.icono == (caja.texto == error ? Icono::Ninguno : Icono::Exclamacion) &&
                    caja.botones == (caja.texto == error ? Botones::ReintentarCancelar : Botones::Aceptar));
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
};

QTEST_MAIN(PruebaPrincipal)
#include "frmPrincipal_test.moc"
