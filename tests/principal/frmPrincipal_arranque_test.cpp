// frmPrincipal as it loads and as each algorithm configures it: controls,
// captions, layout, tab order, menus, visible fields, limits, descriptions.

#include "ventana_prueba.h"

#include <QAction>
#include <QDate>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

using namespace vaviviv;
using vaviviv::prueba::Ventana;

namespace {

const QString kIndicacion = QStringLiteral(
    "Primero seleccione el Algoritmo de Calculo deseado y luego teclee los datos solicitados.");

// Every field an algorithm may show besides the reference.
const char* const kOpcionales[] = {"lblSucursal", "txtSucursal", "lblCuenta", "txtCuenta",
                                   "lblImporte",  "mskImporte",  "lblFecha",  "mskFecha",
                                   "cmdFecha",    "cmdFechaR"};

QString Hoy() { return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")); }

}  // namespace

class PruebaArranque : public QObject {
    Q_OBJECT

    std::unique_ptr<Ventana> v;

private slots:
    void init() { v = std::make_unique<Ventana>(); }
    void cleanup() { v.reset(); }

    void estadoInicial() {
        QCOMPARE(v->ventana().windowTitle(), QString::fromUtf8("Calculo del Dígito Verificador"));
        QVERIFY(!v->ventana().windowIcon().isNull());
        QComboBox* cbo = v->algoritmos();
        QCOMPARE(cbo->count(), 9);
        QCOMPARE(cbo->currentIndex(), -1);
        QCOMPARE(v->control<QLabel>("lblMensaje")->text(), kIndicacion);

        QVERIFY(!v->control("fraDatos")->isEnabled());
        QVERIFY(!v->boton("cmdCalcularReferencia")->isEnabled());
        QVERIFY(!v->boton("cmdImprime")->isEnabled());
        for (const char* usable : {"cmndMasivo", "cmndAyuda", "cmdSalir", "cboAlgoritmo"})
            QVERIFY2(v->control(usable)->isEnabled(), usable);
        QVERIFY(v->ventana().menuBar()->isEnabled());

        QVERIFY(v->campo("txtReferenciaaCalcular")->isVisible());
        QVERIFY(v->campo("txtReferenciaaCalcular")->text().isEmpty());
        for (const char* oculto : kOpcionales) QVERIFY2(!v->control(oculto)->isVisible(), oculto);
        QVERIFY(!v->control("fraCalendario")->isVisible());
        QCOMPARE(v->calendario()->selectedDate(), QDate::currentDate());
        QVERIFY(v->campo("txtReferenciaCompleta")->isReadOnly());
        QVERIFY(v->campo("txtVaviviVerificador")->isReadOnly());
    }

    // Each entry carries its code, which is not its position.
    void listaDeAlgoritmos() {
        const QList<QPair<QString, int>> esperado{
            {"Algoritmo Vorantis 00", 0},  {"Algoritmo Vorantis 02", 2},  {"Algoritmo Vorantis 03", 3},
            {"Algoritmo Vorantis 04", 4},  {"Algoritmo Vorantis 06", 6},  {"Algoritmo Vorantis 10", 10},
            {"Algoritmo Vorantis 35", 35}, {"Algoritmo Vorantis 36", 36}, {"Algoritmo Vorantis 37", 37}};
        QComboBox* cbo = v->algoritmos();
        QVERIFY(!cbo->isEditable());
        for (int i = 0; i < cbo->count(); ++i) {
            QCOMPARE(cbo->itemText(i), esperado[i].first);
            QCOMPARE(cbo->itemData(i).toInt(), esperado[i].second);
        }
    }

    void controles_data() {
        QTest::addColumn<QString>("contenedor");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("ayuda");
        const auto fila = [](const char* control, const char* contenedor, const char* texto,
                             const char* ayuda) {
            QTest::newRow(control) << QString::fromLatin1(contenedor) << QString::fromUtf8(texto)
                                   << QString::fromUtf8(ayuda);
        };
        fila("cmndMasivo", "", "", "Abrir archivo de texto");
        fila("cmdImprime", "", "", "Imprimir Pantalla");
        fila("cmdCalcularReferencia", "", "", "Calcular");
        fila("cmndAyuda", "", "", "Ayuda.");
        fila("cmdSalir", "", "", "Salir.");
        fila("Picture1", "", "", "");
        fila("Image1", "Picture1", "", "");
        fila("fraAlgoritmo", "", "Algoritmo", "");
        fila("cboAlgoritmo", "fraAlgoritmo", "", "");
        fila("lblMensaje", "fraAlgoritmo", "", "");
        fila("fraDatos", "", "Datos", "");
        fila("lblSucursal", "fraDatos", "Sucursal Corvana :", "");
        fila("txtSucursal", "fraDatos", "", "");
        fila("lblCuenta", "fraDatos", "Cuenta Corvana :", "");
        fila("txtCuenta", "fraDatos", "", "");
        fila("lblReferenciaaCalcular", "fraDatos", "Referencia a Calcular :", "");
        fila("txtReferenciaaCalcular", "fraDatos", "", "");
        fila("cmdFechaR", "fraDatos", "", "Mostar Calendario");
        fila("lblImporte", "fraDatos", "Importe :", "");
        fila("mskImporte", "fraDatos", "", "");
        fila("lblFecha", "fraDatos", "Fecha (dd/mm/aaaa) :", "");
        fila("mskFecha", "fraDatos", "", "");
        fila("cmdFecha", "fraDatos", "", "");
        fila("fraResultado", "fraDatos", "", "");
        fila("lblReferenciaCompleta", "fraResultado", "Referencia Completa :", "");
        fila("txtReferenciaCompleta", "fraResultado", "", "");
        fila("lblVaviviVerificador", "fraResultado", "Dígito Verificador :", "");
        fila("txtVaviviVerificador", "fraResultado", "", "");
        fila("fraCalendario", "fraDatos", "", "");
        fila("cldCalendario", "fraCalendario", "", "Seleccione con un click el día deseado");
    }

    // Name, container, caption and tooltip of every control.
    void controles() {
        QFETCH(QString, contenedor);
        QFETCH(QString, texto);
        QFETCH(QString, ayuda);
        QWidget* control = v->control(QTest::currentDataTag());
        if (contenedor.isEmpty())
            QCOMPARE(control->parentWidget(), v->ventana().centralWidget());
        else
            QCOMPARE(control->parentWidget()->objectName(), contenedor);
        if (auto* etiqueta = qobject_cast<QLabel*>(control); etiqueta && !texto.isEmpty())
            QCOMPARE(etiqueta->text(), texto);
        if (auto* marco = qobject_cast<QGroupBox*>(control)) QCOMPARE(marco->title(), texto);
        QCOMPARE(control->toolTip(), ayuda);
        // The icon buttons show a picture and no caption.
        if (auto* boton = qobject_cast<QPushButton*>(control); boton && !ayuda.isEmpty()) {
            QVERIFY(boton->text().isEmpty());
            QVERIFY(!boton->icon().isNull());
        }
    }

    void limitesDeLosCampos() {
        QCOMPARE(v->campo("mskImporte")->maxLength(), 20);
        QCOMPARE(v->campo("mskFecha")->maxLength(), 10);
        QCOMPARE(v->campo("txtSucursal")->maxLength(), QLineEdit().maxLength());
        QCOMPARE(v->campo("txtCuenta")->maxLength(), QLineEdit().maxLength());
    }

    void ordenDeTabulacion() {
        const QStringList esperado{"cmndMasivo",    "cmndAyuda",        "cboAlgoritmo",
                                   "txtSucursal",   "txtCuenta",        "cmdCalcularReferencia",
                                   "cmdSalir",      "txtReferenciaaCalcular", "txtReferenciaCompleta",
                                   "txtVaviviVerificador", "cldCalendario", "cmdFechaR",
                                   "cmdFecha",      "cmdImprime",       "mskFecha",
                                   "mskImporte"};
        QStringList visto;
        QWidget* w = v->control(esperado.first().toLatin1().constData());
        for (int paso = 0; paso < 500 && visto.size() < esperado.size(); ++paso, w = w->nextInFocusChain())
            if (esperado.contains(w->objectName()) && !visto.contains(w->objectName()))
                visto << w->objectName();
        QCOMPARE(visto, esperado);
    }

    void menus() {
        const auto entradas = [this](const char* menu) {
            QStringList lista;
            for (QAction* a : v->control<QMenu>(menu)->actions())
                lista << (a->isSeparator() ? QStringLiteral("-") + a->objectName()
                                           : a->objectName() + QStringLiteral("=") + a->text());
            return lista;
        };
        QCOMPARE(v->control<QMenu>("mnuArchivo")->title(), QStringLiteral("&Archivo"));
        QCOMPARE(entradas("mnuArchivo"),
                 QStringList({"mnuArchivoAbrir=&Abrir Archivo de Texto", "-mnulinea1",
                              "mnuArchivoImprimir=&Imprimir Pantalla", "-mnulinea2",
                              "mnuArchivoSalir=&Salir"}));
        QCOMPARE(v->control<QMenu>("mnuAyuda")->title(), QStringLiteral("A&yuda"));
        QCOMPARE(entradas("mnuAyuda"),
                 QStringList({"mnuAyudaContenido=&Contenido de la Ayuda", "mnuAyudaUso=&Uso de la Ayuda",
                              QString::fromUtf8("mnuAyudaEdicion=Ayuda de &Edición"),
                              "mnuAyudaDespliegue=Despliegue de &Pantalla",
                              "mnuAyudaCalculo=Calculo de &Algoritmo", "-mnulinea3",
                              "mnuAyudaAcerca=A&cerca de..."}));
        QCOMPARE(v->control<QAction>("mnuArchivoAbrir")->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    }

    // Ctrl+A reaches the menu even from a text field, which would otherwise
    // take it to select its text.
    void ctrlAAbreDesdeUnCampo() {
        v->elegir(0);
        auto* abrir = v->control<QAction>("mnuArchivoAbrir");
        int veces = 0;
        connect(abrir, &QAction::triggered, [&veces] { ++veces; });
        v->teclear("txtReferenciaaCalcular", QStringLiteral("123"));
        QLineEdit* referencia = v->campo("txtReferenciaaCalcular");
        QTest::keyClick(referencia, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(referencia->selectedText(), QString());
        QCOMPARE(veces, 1);
    }

    // The drawing in twips, at the screen's dpi, grown evenly until every
    // text fits: fixed size, proportions kept, every caption readable.
    void tamanoProporcionesYTextosLegibles() {
        const double minimo = v->ventana().logicalDpiX() / 1440.0;
        QWidget* cliente = v->ventana().centralWidget();
        QCOMPARE(v->ventana().minimumSize(), v->ventana().maximumSize());
        QVERIFY(cliente->width() >= qRound(9525 * minimo));
        const double escala = cliente->width() / 9525.0;
        QVERIFY(qAbs(cliente->height() - 4425 * escala) <= 1);
        const QRect datos = v->control("fraDatos")->geometry();
        QVERIFY(qAbs(datos.left() - 120 * escala) <= 1);
        QVERIFY(qAbs(datos.top() - 1440 * escala) <= 1);
        QVERIFY(qAbs(datos.width() - 9255 * escala) <= 1);
        QVERIFY(v->ventana().height() > cliente->height());  // the menu bar on top

        // Centred on the screen.
        const QRect pantalla = v->ventana().screen()->geometry();
        QVERIFY(qAbs(v->ventana().x() - (pantalla.width() - v->ventana().width()) / 2) <= 1);
        QVERIFY(qAbs(v->ventana().y() - (pantalla.height() - v->ventana().height()) / 2) <= 1);

        for (QLabel* etiqueta : v->ventana().findChildren<QLabel*>()) {
            if (etiqueta->text().isEmpty() || etiqueta->wordWrap()) continue;
            QVERIFY2(etiqueta->fontMetrics().horizontalAdvance(etiqueta->text()) <= etiqueta->width(),
                     qPrintable(etiqueta->objectName()));
            QVERIFY2(etiqueta->fontMetrics().height() <= etiqueta->height(),
                     qPrintable(etiqueta->objectName()));
        }
        for (QLineEdit* campo : v->ventana().findChildren<QLineEdit*>())
            QVERIFY2(campo->minimumSizeHint().height() <= campo->height(), qPrintable(campo->objectName()));
        QVERIFY(v->algoritmos()->minimumSizeHint().width() <= v->algoritmos()->width());
        QVERIFY(v->calendario()->minimumSizeHint().width() <= v->calendario()->width());
        QVERIFY(v->calendario()->minimumSizeHint().height() <= v->calendario()->height());

        // The description, word-wrapped, whichever algorithm is chosen.
        auto* mensaje = v->control<QLabel>("lblMensaje");
        for (int i = -1; i < v->algoritmos()->count(); ++i) {
            if (i >= 0) v->elegir(v->algoritmos()->itemData(i).toInt());
            const QRect ocupado = mensaje->fontMetrics().boundingRect(
                QRect(0, 0, mensaje->width(), 10000), Qt::TextWordWrap, mensaje->text());
            QVERIFY2(ocupado.height() <= mensaje->height(), qPrintable(mensaje->text()));
        }
    }

    void configuracionPorAlgoritmo_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QStringList>("visibles");
        QTest::addColumn<int>("limite");
        QTest::addColumn<QString>("descripcion");
        QTest::addColumn<bool>("fechaDeHoy");
        const QString d0y3 = QString::fromUtf8("1 Dígito verificador con Referencia de 1 a 19 dígitos.");
        const QString d35y36 =
            QString::fromUtf8("1 Dígito verificador con Referencia de 1 a 19 caracteres alfanumércos.");
        QTest::newRow("00") << 0 << QStringList() << 19 << d0y3 << false;
        QTest::newRow("02") << 2 << QStringList{"cmdFechaR"} << 19
                            << QString::fromUtf8("1 Dígito verificador con Referencia de 6 a 19 caracteres "
                                                 "alfanumércos, anteponiendo la Fecha con formato (AAMMDD).")
                            << true;
        QTest::newRow("03") << 3 << QStringList() << 19 << d0y3 << false;
        QTest::newRow("04") << 4 << QStringList() << 18
                            << QString::fromUtf8("2 Dígitos verificadores con Referencia de 1 a 18 dígitos.")
                            << false;
        QTest::newRow("06") << 6 << QStringList{"lblSucursal", "txtSucursal", "lblCuenta", "txtCuenta"} << 18
                            << QString::fromUtf8("2 Dígitos verificadores con Referencia de 1 a 18 dígitos; "
                                                 "Sucursal de 1 a 18 dígitos y Cuenta de 1 a 8 dígitos.")
                            << false;
        QTest::newRow("10") << 10
                            << QStringList{"lblImporte", "mskImporte", "lblFecha", "mskFecha", "cmdFecha"}
                            << 12
                            << QString::fromUtf8("8 Dígitos verificadores considernado la referencia de 1 a 12 "
                                                 "dígitos; el importe y la fecha con formato (DD/MM/AAAA)")
                            << true;
        QTest::newRow("35") << 35 << QStringList() << 19 << d35y36 << false;
        QTest::newRow("36") << 36 << QStringList() << 19 << d35y36 << false;
        QTest::newRow("37") << 37 << QStringList() << 18
                            << QString::fromUtf8(
                                   "2 Dígitos verificadores con Referencia de 1 a 18 caracteres alfanumércos.")
                            << false;
    }

    // Whatever stood before, picking an entry shows exactly its fields,
    // empties them and the result, and sets limit and description.
    void configuracionPorAlgoritmo() {
        QFETCH(int, codigo);
        QFETCH(QStringList, visibles);
        QFETCH(int, limite);
        QFETCH(QString, descripcion);
        QFETCH(bool, fechaDeHoy);

        // Another algorithm first, with every field and the result filled.
        v->elegir(10);
        v->llenar(QStringLiteral("123456"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                 QStringLiteral("01/02/2003"));
        v->ponerResultado(QStringLiteral("1234567"), QStringLiteral("7"));
        QCOMPARE(v->calendario()->selectedDate(), QDate(2003, 2, 1));
        QVERIFY(v->boton("cmdImprime")->isEnabled());

        v->elegir(codigo);

        QVERIFY(v->control("fraDatos")->isEnabled());
        QVERIFY(v->boton("cmdCalcularReferencia")->isEnabled());
        QCOMPARE(v->control<QLabel>("lblMensaje")->text(), descripcion);
        QCOMPARE(v->campo("txtReferenciaaCalcular")->maxLength(), limite);
        QVERIFY(v->campo("txtReferenciaaCalcular")->isVisible());
        for (const char* opcional : kOpcionales)
            QVERIFY2(v->control(opcional)->isVisible() == visibles.contains(QLatin1String(opcional)), opcional);
        for (const char* vacio : {"txtReferenciaaCalcular", "txtSucursal", "txtCuenta", "mskImporte",
                                  "txtReferenciaCompleta", "txtVaviviVerificador"})
            QVERIFY2(v->campo(vacio)->text().isEmpty(), vacio);
        QVERIFY(!v->boton("cmdImprime")->isEnabled());
        // The date is never emptied; 02 and 10 reset it, and the calendar, to today.
        QCOMPARE(v->campo("mskFecha")->text(), fechaDeHoy ? Hoy() : QStringLiteral("01/02/2003"));
        QCOMPARE(v->calendario()->selectedDate(), fechaDeHoy ? QDate::currentDate() : QDate(2003, 2, 1));
    }

    // The reference takes no more than the limit by typing.
    void limiteAlTeclear() {
        v->elegir(6);
        v->teclear("txtReferenciaaCalcular", QString(25, QLatin1Char('7')));
        QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), QString(18, QLatin1Char('7')));
        v->elegir(10);
        v->teclear("txtReferenciaaCalcular", QString(25, QLatin1Char('7')));
        QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), QString(12, QLatin1Char('7')));
    }

    // From 10 to 00 the date and amount hide; the date text stays behind.
    void de10a00LaFechaQuedaOculta() {
        v->elegir(10);
        v->campo("mskFecha")->setText(QStringLiteral("05/03/2001"));
        v->elegir(0);
        QVERIFY(!v->campo("mskFecha")->isVisible());
        QVERIFY(!v->campo("mskImporte")->isVisible());
        QCOMPARE(v->campo("mskFecha")->text(), QStringLiteral("05/03/2001"));
    }

    // The list answers the keyboard as it answers the mouse.
    void elegirConElTeclado() {
        QComboBox* cbo = v->algoritmos();
        cbo->setFocus();
        QTest::keyClick(cbo, Qt::Key_Down);
        QCOMPARE(cbo->currentData().toInt(), 0);
        QVERIFY(v->control("fraDatos")->isEnabled());
        QTest::keyClick(cbo, Qt::Key_End);
        QCOMPARE(cbo->currentData().toInt(), 37);
        QCOMPARE(v->campo("txtReferenciaaCalcular")->maxLength(), 18);
    }

    void salirCierraLaVentana() {
        QVERIFY(v->ventana().isVisible());
        v->boton("cmdSalir")->click();
        QVERIFY(!v->ventana().isVisible());
    }

    // The bulk window opens beside the main one, never twice.
    void abreLaVentanaMasivaUnaSolaVez() {
        v->boton("cmndMasivo")->click();
        v->control<QAction>("mnuArchivoAbrir")->trigger();
        QList<QWidget*> masivas;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == u"frmMasivo" && w->isVisible()) masivas << w;
        QCOMPARE(masivas.size(), 1);
        QVERIFY(!masivas.front()->isModal());
        QVERIFY(v->ventana().isEnabled());
        masivas.front()->close();
    }

    void menuSalirPulsaSalir() {
        int pulsado = 0;
        connect(v->boton("cmdSalir"), &QPushButton::clicked, [&pulsado] { ++pulsado; });
        v->control<QAction>("mnuArchivoSalir")->trigger();
        QCOMPARE(pulsado, 1);
        QVERIFY(!v->ventana().isVisible());
    }
};

VAVIVIV_QTEST_MAIN(PruebaArranque)
#include "frmPrincipal_arranque_test.moc"
