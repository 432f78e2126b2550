// frmMasivo and its grid, headless with scripted boxes: set-up, the questions
// before rows go, files in and out, calculation, editing, report, help, closing.

#include "engine/catalogo.h"
#include "platform/aplicacion.h"
#include "simulados_impresion.h"
#include "ventana_masivo.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QToolTip>
#include <csignal>
#include <sys/resource.h>

using namespace vaviviv;
using namespace vaviviv::prueba;

namespace {

const QString kSinSalvar = QString::fromUtf8("Los datos no se han almacenado. ¿ Continuar sin salvar ?");
const QString kMantener = QString::fromUtf8("¿Desea mantener los datos para el próximo calculo?");
const QStringList kTitulos3{"Referencia", "Referencia Completa", QString::fromUtf8("Dígito Verificador")};
const QStringList kTitulos06{"Referencia", "Sucursal", "Cuenta", kTitulos3[1], kTitulos3[2]};
const QStringList kTitulos10{"Referencia", "Importe", "Fecha", kTitulos3[1], kTitulos3[2]};

QByteArray Lineas(int n) {  // "1", "2", ... each ended by CR LF
    QByteArray bytes;
    for (int i = 1; i <= n; ++i) bytes += QByteArray::number(i) + "\r\n";
    return bytes;
}

QByteArray Cp1252(const char* utf8) { return QString::fromUtf8(utf8).toLatin1(); }  // the same bytes for these texts

void Llenar(Rejilla& g, int filas, int columnas) {  // cells reading "r,c", titles included
    g.setCols(columnas);
    g.setRows(filas);
    for (int r = 0; r < filas; ++r)
        for (int c = 0; c < columnas; ++c) g.setTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
}

QPoint Centro(Rejilla& g, int fila, int columna) { return g.visualRect(g.model()->index(fila - 1, columna)).center(); }

// Lowers the largest file this process may write, so that a store fails as on a full disk.
struct LimiteDeTamano {
    rlimit antes{};
    explicit LimiteDeTamano(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &antes);
        const rlimit nuevo{bytes, antes.rlim_max};
        setrlimit(RLIMIT_FSIZE, &nuevo);
    }
    ~LimiteDeTamano() { levantar(); }
    void levantar() { setrlimit(RLIMIT_FSIZE, &antes); }
};

}  // namespace

class PruebaMasivo : public VentanaMasivo {
    Q_OBJECT

    QString etiqueta() { return control<QLabel>("lblDigito")->text(); }

private slots:
    void initTestCase() { PrepararAplicacion(*qApp); }
    void init() { nueva(); }

    // Row 0 is the header; dropped columns come back empty; AddItem splits at tabs; rows appended at once: one signal.
    void rejillaFilasYColumnas() {
        Rejilla& g = rejilla();
        Llenar(g, 4, 5);
        QCOMPARE(g.model()->rowCount(), 3);
        QCOMPARE(g.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("0,1"));
        QCOMPARE(g.model()->index(1, 0).data().toString(), QStringLiteral("2,0"));
        g.setCols(2);
        g.setCols(3);
        g.AddItem(QStringLiteral("a\tb\tc\td"), 2);
        g.RemoveItem(1);
        g.RemoveItem(0);
        g.RemoveItem(9);
        QCOMPARE(Filas({Fila(g, 0), Fila(g, 1), Fila(g, 2)}), (Filas{{"0,0", "0,1", ""}, {"a", "b", "c"}, {"2,0", "2,1", ""}}));
        QSignalSpy insertadas(g.model(), &QAbstractItemModel::rowsInserted);
        g.AgregarFilas({"x", "y", "z", "w", "v", "u"});
        QCOMPARE(insertadas.count(), 1);
        QCOMPARE(Fila(g, 5), (QStringList{"w", "v", "u"}));
    }

    // RowColChange only on a real move; the title row can be current; the cell keeps its numbers while they exist.
    void rejillaCeldaActual() {
        Rejilla& g = rejilla();
        Llenar(g, 5, 3);
        g.setRowCol(0, 0);
        QSignalSpy cambios(&g, &Rejilla::RowColChange);
        g.setRow(2);
        g.setCol(1);
        g.setRowCol(2, 1);
        g.setRowCol(9, 0);
        QCOMPARE(cambios.count(), 2);
        QCOMPARE(g.currentIndex(), g.model()->index(1, 1));
        g.setRow(0);
        QVERIFY(!g.currentIndex().isValid());
        g.setRowCol(4, 2);
        cambios.clear();
        g.RemoveItem(4);
        g.setCols(2);
        g.setRows(1);
        QCOMPARE(QPoint(g.Row(), g.Col()), QPoint(0, 1));
        QCOMPARE(cambios.count(), 3);
    }

    // Widths in twips, the user's drag included; a cut text shows whole under the pointer.
    void rejillaAnchosYAyuda() {
        Rejilla& g = rejilla();
        Llenar(g, 3, 2);
        g.setPixelesPorTwip(0.1);
        g.setColWidth(0, 800);
        QCOMPARE(g.horizontalHeader()->sectionSize(0), 80);
        g.horizontalHeader()->resizeSection(1, 250);
        QCOMPARE(g.ColWidth(1), 2500);
        g.setTextMatrix(1, 0, QStringLiteral("Error: Importe mayor a $ 999999999.99"));
        const auto ayuda = [&](int fila) {
            QHelpEvent evento(QEvent::ToolTip, Centro(g, fila, 0), g.viewport()->mapToGlobal(Centro(g, fila, 0)));
            QApplication::sendEvent(g.viewport(), &evento);
        };
        ayuda(1);
        QVERIFY(QToolTip::isVisible() && QToolTip::text() == g.TextMatrix(1, 0));
        ayuda(2);  // "2,0" fits
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    // MouseDown with button, Shift and place; the right button pops the edit menu up, not on the title row.
    void rejillaRaton() {
        Rejilla& g = rejilla();
        Llenar(g, 4, 3);
        auto* menu = control<QMenu>("mnuEditar");
        QSignalSpy pulsados(&g, &Rejilla::MouseDown);
        w->grdMasivo_MouseDown(kBotonDerecho, 0, 10, 10);
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, Centro(g, 1, 0));
        QVERIFY(!menu->isVisible());
        QTest::mouseClick(g.viewport(), Qt::RightButton, Qt::ShiftModifier, Centro(g, 3, 2));
        const QPoint punto = g.viewport()->mapTo(&g, Centro(g, 3, 2));
        QCOMPARE(pulsados[0][0].toInt(), kBotonIzquierdo);
        QCOMPARE(pulsados[1], (QList<QVariant>{kBotonDerecho, 1, punto.x(), punto.y()}));
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    // The window as it opens; with no algorithm, storing and calculating are refused untouched.
    void estadoInicial() {
        QCOMPARE(w->windowTitle(), QString::fromUtf8("Calculo Masivo de Dígitos Verificadores - "));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(etiqueta(), QStringLiteral("Primero Seleccione el algoritmo deseado y luego el Archivo a calcular."));
        QCOMPARE(algoritmos()->count(), 9);
        QCOMPARE(algoritmos()->currentIndex(), -1);
        QVERIFY(!control("grdCriterios")->isVisible());
        // name:container:tooltip:enabled; each lies inside its container.
        for (const char* fila : {"Picture1:areaCliente::1", "Image1:Picture1::1", "cmdAbrir:areaCliente:Abrir archivo de texto.:0",
                                 "cmdGuardar:areaCliente:Almacenar:0", "cmdImprimir:areaCliente:Imprimir:0",
                                 "cmdCalcular:areaCliente:Calcular.:0", "cmdAyuda:areaCliente:Ayuda.:1",
                                 "cmdCerrar:areaCliente:Salir.:1", "fraTitulo:areaCliente::1", "cboAlgoritmo:fraTitulo::1",
                                 "lblDigito:fraTitulo::1", "fraPanel:areaCliente::1", "grdMasivo:fraPanel::1"}) {
            const QStringList p = QString::fromLatin1(fila).split(u':');
            QWidget* c = control(qPrintable(p[0]));
            QVERIFY2(c->parentWidget()->rect().contains(c->geometry()), fila);
            QCOMPARE(QStringList({c->parentWidget()->objectName(), c->toolTip(), QString::number(c->isEnabled())}), p.mid(1));
        }
        // Captions, order and separators of the menus; all enabled but opening, which has Ctrl+A.
        QStringList vistas;
        for (const char* menu : {"mnuArchivo", "mnuEditar", "mnuAyuda"}) {
            vistas << control<QMenu>(menu)->title();
            for (QAction* a : control<QMenu>(menu)->actions()) {
                vistas << (a->isSeparator() ? a->objectName() : a->objectName() + u'=' + a->text());
                QCOMPARE(a->isEnabled(), a != accion("mnuArchivoAbrir"));
            }
        }
        QCOMPARE(vistas.join(u'|'),
                 QString::fromUtf8("&Archivo|mnuArchivoAbrir=&Abrir Archivo de Texto|mnulinea0|mnuArchivoGuardar=&Guardar|"
                                   "mnulinea1|mnuArchivoPreliminar=Pr&esentacion Preliminar|mnuArchivoImprimir=&Imprimir "
                                   "Reporte|mnulinea2|mnuArchivoSalir=&Salir|&Edición|mnuEditarInsertar=&Insertar un Renglon|"
                                   "mnuEditarBorrar=&Eliminar un Renglon|A&yuda|mnuAyudaContenido=Contenido de la A&yuda|"
                                   "mnuAyudaUso=&Uso de la Ayuda|mnuAyudaEdicion=Ayuda de &Edición|mnuAyudaDespliegue="
                                   "Despliegue de &Pantalla|mnuAyudaCalculo=Calculo de &Algoritmo|mnulinea3|"
                                   "mnuAyudaAcerca=A&cerca de..."));
        QCOMPARE(accion("mnuArchivoAbrir")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
        guardar();
        calcular();
        QCOMPARE(dialogos->textos(), QStringList(2, QString::fromUtf8("Debe seleccionar un Algoritmo de cálculo")));
        QCOMPARE(dialogos->cajas()[0].icono, Icono::Critico);
        QVERIFY(!QFileInfo::exists(ruta("r.txt")) && !sinGuardar());
    }

    // With no rows nothing is asked; titles, description (fitting its label), widths back to 1800.
    void columnasPorAlgoritmo() {
        auto* lbl = control<QLabel>("lblDigito");
        for (int i = 0; i < algoritmos()->count(); ++i) {
            const int codigo = algoritmos()->itemData(i).toInt();
            rejilla().setColWidth(0, 4000);
            elegir(codigo);
            QCOMPARE(fila(0), codigo == 6 ? kTitulos06 : codigo == 10 ? kTitulos10 : kTitulos3);
            for (int c = 0; c < rejilla().Cols(); ++c) QCOMPARE(rejilla().ColWidth(c), 1800);
            const std::string_view descripcion = BuscarAlgoritmo(codigo)->descripcionMasivo;
            QCOMPARE(etiqueta(), QString::fromUtf8(descripcion.data(), qsizetype(descripcion.size())));
            QVERIFY(lbl->fontMetrics().boundingRect(lbl->rect(), Qt::TextWordWrap, etiqueta()).height() <= lbl->height());
        }
        QVERIFY(dialogos->cajas().empty());
    }

    // 06 → 00 → 10 with the rows kept: column 0 stays, the rest is moved, not lost; then an entry with no layout.
    void cambiosDeColumnas() {
        elegir(6);
        QVERIFY(cargar("890\t123\t4567\r\n1\t2\t3\r\n"));
        dialogos->responderCon(Respuesta::Si);
        elegir(0);
        QCOMPARE(dialogos->textos(), QStringList{kMantener});
        QCOMPARE(fila(0), kTitulos3);
        QCOMPARE(filas(), (Filas{{"890", "", ""}, {"1", "", ""}}));
        rejilla().setTextMatrix(1, 1, QStringLiteral("x"));
        dialogos->responderCon(Respuesta::Si);
        elegir(10);
        QCOMPARE(fila(0), kTitulos10);
        QCOMPARE(filas(), (Filas{{"890", "x", "", "", ""}, {"1", "", "", "", ""}}));
        algoritmos()->addItem(QStringLiteral("Otro"), 99);
        dialogos->responderCon(Respuesta::Si);
        elegir(99);
        QCOMPARE(etiqueta(), QStringLiteral("Algoritmo No Disponible"));
        QCOMPARE(fila(0), kTitulos10);
        QVERIFY(!boton("cmdAbrir")->isEnabled() && !accion("mnuArchivoAbrir")->isEnabled() && !boton("cmdCalcular")->isEnabled());
    }

    // Unsaved results and No: the change of algorithm is taken back, nothing lost.
    void preguntarConservarDatos() {
        const Respuesta si = Respuesta::Si, no = Respuesta::No;
        struct Caso { bool calculadas; QList<Respuesta> respuestas; QStringList preguntas; int filas; };  // -1: taken back
        for (const Caso& caso : {Caso{true, {no}, {kSinSalvar}, -1}, Caso{true, {si, si}, {kSinSalvar, kMantener}, 2},
                                 Caso{true, {si, no}, {kSinSalvar, kMantener}, 0}, Caso{false, {si}, {kMantener}, 2},
                                 Caso{false, {no}, {kMantener}, 0}}) {
            nueva();
            elegir(10);
            QVERIFY(cargar("123456\t123.45\t15/06/2000\r\n1\t0\t01/01/1988\r\n"));
            calcular();
            if (!caso.calculadas) guardar();
            const Filas antes = filas();
            dialogos->olvidar();
            for (Respuesta r : caso.respuestas) dialogos->responderCon(r);
            elegir(6);
            QCOMPARE(dialogos->textos(), caso.preguntas);
            for (const Caja& caja : dialogos->cajas())
                QVERIFY(caja.titulo == QString::fromUtf8("KIV- Dígito verificador") && caja.botones == Botones::SiNo);
            QCOMPARE(sinGuardar(), caso.calculadas);
            if (caso.filas < 0) {
                QCOMPARE(algoritmos()->currentData().toInt(), 10);
                QCOMPARE(fila(0), kTitulos10);
                QCOMPARE(filas(), antes);
                continue;
            }
            QCOMPARE(fila(0), kTitulos06);
            QCOMPARE(filasDeDatos(), caso.filas);
            // Kept rows keep their input; their result columns are emptied.
            for (int r = 1; r <= caso.filas; ++r) QCOMPARE(fila(r), antes[r - 1].mid(0, 3) << "" << "");
        }
    }

    // Not modal, one at a time; closing (three ways) asks nothing, enables the main window and unloads.
    void unaSolaVentanaYCerrar() {
        QWidget principal;
        frmMasivo* primera = MostrarMasivo(&principal);
        QCOMPARE(primera->windowModality(), Qt::NonModal);
        primera->findChild<QComboBox*>("cboAlgoritmo")->setCurrentIndex(2);
        QCOMPARE(MostrarMasivo(&principal), primera);
        for (const QString como : {"cmdCerrar", "mnuArchivoSalir", "close"}) {
            frmMasivo* ventana = MostrarMasivo(&principal);
            QCOMPARE(ventana->findChild<QComboBox*>("cboAlgoritmo")->currentIndex(), como == u"cmdCerrar" ? 2 : -1);
            QPointer<frmMasivo> vigilada = ventana;
            principal.setEnabled(false);
            ventana->findChild<QPushButton*>("cmdGuardar")->setEnabled(true);
            if (como == u"cmdCerrar") ventana->findChild<QPushButton*>("cmdCerrar")->click();
            else if (como == u"close") ventana->close();
            else ventana->findChild<QAction*>("mnuArchivoSalir")->trigger();
            QVERIFY(principal.isEnabled());
            QTRY_VERIFY(!vigilada);
        }
        QVERIFY(dialogos->cajas().empty());
    }

    // Tabs, missing and extra fields, blank lines, Windows-1252; the marker untouched, the last row current.
    void campos() {
        struct Caso { int codigo; QByteArray contenido; Filas filas; };
        for (const Caso& caso : {Caso{6, "890\t\t4567\r\n", {{"890", "", "4567", "", ""}}},
                                 Caso{10, "1\r\n2\t5\t3\t4\t5\r\n", {{"1", "", "", "", ""}, {"2", "5", "3", "", ""}}},
                                 Caso{0, "1\tx\ty\r\n\r\n 2 ", {{"1", "x", "y"}, {"", "", ""}, {" 2 ", "", ""}}},
                                 Caso{35, Cp1252("AÑO\r\n"), {{QString::fromUtf8("AÑO"), "", ""}}}, Caso{0, "", {}}}) {
            nueva();
            elegir(caso.codigo);
            QVERIFY(cargar(caso.contenido));
            QCOMPARE(filas(), caso.filas);
            QVERIFY(dialogos->cajas().empty() && !sinGuardar());
            QCOMPARE(boton("cmdCalcular")->isEnabled(), !caso.filas.isEmpty());
            QCOMPARE(rejilla().Row(), int(caso.filas.size()));
        }
    }

    // 30,000: loaded without a word, no insert past it (the marker on all the same); a longer file is cut.
    void tope() {
        elegir(0);
        QVERIFY(cargar(Lineas(kMaximoRegistros)));
        QVERIFY(dialogos->cajas().empty());
        rejilla().setRowCol(10, 0);
        accion("mnuEditarInsertar")->trigger();
        QCOMPARE(QStringList({fila(10)[0], fila(kMaximoRegistros)[0]}), (QStringList{"10", "30000"}));
        QVERIFY(sinGuardar());
        accion("mnuEditarBorrar")->trigger();
        accion("mnuEditarInsertar")->trigger();
        QCOMPARE(QStringList({fila(10)[0], fila(kMaximoRegistros)[0]}), (QStringList{"", "30000"}));
        nueva();
        elegir(0);
        QVERIFY(cargar("a\r\nb\r\n"));
        Escribir(ruta("grande.txt"), Lineas(kMaximoRegistros + 1));
        dialogos->responderCon(Respuesta::Si);  // keep the rows
        boton("cmdAbrir")->click();
        confirmarEnExplorador("grande.txt");
        QCOMPARE(dialogos->textos(), (QStringList{kMantener, "El Archivo es demasiado grande, fue recortado a: 30,000 Registros",
                                                  "Archivo cargado Exitosamente !!!"}));
        QVERIFY(dialogos->cajas()[1].icono == Icono::Informacion && dialogos->cajas()[2].titulo == "VaviviV");
        QCOMPARE(QStringList({fila(2)[0], fila(3)[0], fila(30002)[0]}), (QStringList{"b", "1", "30000"}));
        QCOMPARE(filasDeDatos(), 30002);
    }

    // The open menu entry clears everything, titles included; unsaved results only after a Yes.
    void menuAbrirVaciaLaRejilla() {
        elegir(0);
        QVERIFY(cargar("1\r\n2\r\n"));
        calcular();
        accion("mnuArchivoAbrir")->trigger();  // unscripted: No
        QCOMPARE(dialogos->textos(), QStringList{kSinSalvar});
        QCOMPARE(filas(), (Filas{{"1", "18", "8"}, {"2", "26", "6"}}));
        QVERIFY(!w->Explorador());
        dialogos->responderCon(Respuesta::Si);
        accion("mnuArchivoAbrir")->trigger();
        QVERIFY(rejilla().Rows() == 1 && fila(0) == QStringList({"", "", ""}));
        Escribir(ruta("e.txt"), "7\r\n");
        confirmarEnExplorador("e.txt");  // loading writes the titles again
        QCOMPARE(fila(0)[0], QStringLiteral("Referencia"));
        QCOMPARE(filas(), (Filas{{"7", "", ""}}));
    }

    // cmdAbrir asks, then opens whatever the answer; one dialog, its mode the last command's; storing through it.
    void explorador() {
        elegir(6);
        QVERIFY(cargar("890\t123\t4567\r\n"));
        calcular();
        boton("cmdAbrir")->click();  // unscripted: No
        QCOMPARE(dialogos->textos(), QStringList{kSinSalvar});
        QCOMPARE(control<QPushButton>("cmdAlmacenar", w->Explorador())->text(), kModoAbrir);
        auto* nombre = control<QLineEdit>("txtArchivo", w->Explorador());
        nombre->setText(QStringLiteral("algo.txt"));
        boton("cmdGuardar")->click();
        QCOMPARE(control<QPushButton>("cmdAlmacenar", w->Explorador())->text(), kModoAlmacenar);
        QCOMPARE(nombre->text(), QStringLiteral("algo.txt"));
        confirmarEnExplorador("uno.txt");
        accion("mnuArchivoGuardar")->trigger();
        QCOMPARE(nombre->text(), QString());
        confirmarEnExplorador("dos.txt");
        QCOMPARE(Leer(ruta("dos.txt")), Leer(ruta("uno.txt")));
        QCOMPARE(dialogos->textos().mid(1), (QStringList{kAlmacenado, kAlmacenado}));
    }

    // Outcome and digits per row, input kept, old results replaced; ends on the last cell, the marker on.
    void calculo() {
        struct Caso { int codigo; QString entrada; const char* resultado; const char* digitos; };
        for (const Caso& caso : {Caso{0, "  123456 ", "1234566", "6"}, Caso{0, "12.5", "Error: Referencia no válida.", ""},
                                 Caso{2, "141118ABC", "141118ABC1", "1"}, Caso{3, "271828", "2718284", "4"},
                                 Caso{4, "123456", "12345693", "93"}, Caso{6, "890\t123\t4567", "89062", "62"},
                                 Caso{10, " 123456 \t123.45\t15/06/2000", "12345646337268", "46337268"},
                                 Caso{10, "123456\t5\t1/6/2000", "Formato de fecha no válido.", ""},
                                 Caso{35, "ABC123", "ABC1238", "8"}, Caso{36, "ABC123", "ABC1232", "2"},
                                 Caso{37, "ABC123", "ABC12303", "03"}}) {
            nueva();
            elegir(caso.codigo);
            // Three-column codes load the second line's extra fields into the result columns.
            QVERIFY(cargar((caso.entrada + u'\n' + caso.entrada + QStringLiteral("\tviejo\t9\n")).toUtf8()));
            calcular();
            QVERIFY(dialogos->cajas().empty() && sinGuardar());
            const QStringList esperada = caso.entrada.split(u'\t') << QString::fromUtf8(caso.resultado) << QString::fromUtf8(caso.digitos);
            QCOMPARE(filas(), (Filas{esperada, esperada}));
            QCOMPARE(QPoint(rejilla().Row(), rejilla().Col()), QPoint(2, int(esperada.size()) - 1));
        }
    }

    // One box per bad row, shown on that row; two empty cells; the run goes on.
    void caracterNoValido() {
        for (const QStringList& caso : {QStringList{"35", "ABC-1", "-", "ABC1238", "8"}, QStringList{"36", "HOL#A-2014", "#", "ABC1232", "2"},
                                        QStringList{"37", QString::fromUtf8("AÑO"), QString::fromUtf8("Ñ"), "ABC12303", "03"}}) {
            nueva();
            elegir(caso[0].toInt());
            QVERIFY(cargar(caso[1].toLatin1() + "\tviejo\t1\r\nABC123\r\n"));  // Windows-1252
            int filaEnPantalla = -1;
            dialogos->alMostrar = [&](const Caja&) { filaEnPantalla = rejilla().Row(); };
            calcular();
            QCOMPARE(dialogos->textos(), QStringList{QString::fromUtf8("Caracter no Válido en la referencia: ' %1 '").arg(caso[2])});
            QCOMPARE(dialogos->cajas()[0].icono, Icono::Critico);
            QCOMPARE(filaEnPantalla, 1);
            QCOMPARE(filas(), (Filas{{caso[1], "", ""}, QStringList{"ABC123"} + caso.mid(3)}));
        }
    }

    // Header by code, a tab after every cell, CR LF, Windows-1252; the success box, the marker off.
    void cabeceraYBytes() {
        struct Caso { int codigo; QByteArray entrada; QByteArray esperado; };
        for (const Caso& caso : {Caso{0, "123456\r\n12.5\r\n", Cp1252("Referencia\tReferencia Completa\tDígito Verif\r\n"
                                                                      "123456\t1234566\t6\t\r\n12.5\tError: Referencia no válida.\t\t\r\n")},
                                 Caso{6, "890\t123\t4567\r\n", "Referencia\tSucursal\tCuenta\tReferencia Completa\tD\xEDgito Verif\r\n"
                                                              "890\t123\t4567\t89062\t62\t\r\n"},
                                 Caso{10, "123456\t123.45\t15/06/2000\r\n", "Referencia\tImporte\tFecha\tReferencia Completa\tD\xEDgito Verif\r\n"
                                                                           "123456\t123.45\t15/06/2000\t12345646337268\t46337268\t\r\n"},
                                 Caso{2, "", "Referencia\tReferencia Completa\tD\xEDgito Verif\r\n"}}) {
            nueva();
            elegir(caso.codigo);
            QVERIFY(cargar(caso.entrada));
            calcular();
            guardar();
            QCOMPARE(Leer(ruta("r.txt")), caso.esperado);
            QCOMPARE(dialogos->textos(), QStringList{kAlmacenado});
            QVERIFY(dialogos->cajas()[0].titulo == QString::fromUtf8("KIV- Dígito Verificador.") && dialogos->cajas()[0].icono == Icono::Informacion);
            QVERIFY(!sinGuardar());
            if (filasDeDatos() > 0) QCOMPARE(QPoint(rejilla().Row(), rejilla().Col()), QPoint(filasDeDatos(), rejilla().Cols() - 1));
        }
    }

    // An existing file and No: it stays as it was, the marker on.
    void sobrescribirNo() {
        Escribir(ruta("r.txt"), "anterior");
        elegir(0);
        QVERIFY(cargar("123456\r\n"));
        calcular();
        guardar();  // unscripted: No
        QCOMPARE(dialogos->textos(), QStringList{QString::fromUtf8("¿ El archivo ya existe, desea reescribirlo ?")});
        QVERIFY(dialogos->cajas()[0].titulo == kTituloArchivo && dialogos->cajas()[0].botones == Botones::SiNo);
        QCOMPARE(Leer(ruta("r.txt")), QByteArray("anterior"));
        QVERIFY(sinGuardar());
    }

    // A write failing half-way leaves the old file whole, no partial file; Retry stores, Cancel keeps the marker.
    void escrituraFallida() {
        for (const bool reintentar : {false, true}) {
            nueva();
            elegir(0);
            QVERIFY(cargar(Lineas(2000)));
            calcular();
            Escribir(ruta("r.txt"), "anterior");
            LimiteDeTamano limite(1000);
            dialogos->responderCon(Respuesta::Si);
            dialogos->responderCon(reintentar ? Respuesta::Reintentar : Respuesta::Cancelar);
            QByteArray durante;
            dialogos->alMostrar = [&](const Caja& caja) {
                if (caja.botones != Botones::ReintentarCancelar) return;
                durante = Leer(ruta("r.txt"));
                limite.levantar();
            };
            guardar();
            limite.levantar();
            QCOMPARE(durante, QByteArray("anterior"));
            const Caja error = dialogos->cajas()[1];
            QVERIFY(error.texto.startsWith(QStringLiteral("Error : ")));
            QVERIFY(error.titulo == kTituloArchivo && error.botones == Botones::ReintentarCancelar);
            QCOMPARE(QDir(carpeta->path()).entryList(QDir::Files), (QStringList{"entrada.txt", "r.txt"}));
            QCOMPARE(Leer(ruta("r.txt")).count("\r\n"), reintentar ? 2001 : 0);
            QCOMPARE(dialogos->textos().last(), reintentar ? kAlmacenado : error.texto);
            QCOMPARE(sinGuardar(), !reintentar);
        }
    }

    void igualQueLaLineaDeOrdenes_data() {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QByteArray>("entrada");
        for (const char* codigo : {"00", "02", "06", "10", "35"})
            QTest::newRow(codigo) << codigo << Leer(QStringLiteral(VAVIVIV_SAMPLES "/referencias_%1.txt").arg(codigo));
        // Line ends of all kinds, missing and extra fields, blanks, accents, errors of every kind.
        const QByteArray mezcla = "  123456 \t9\r\n\r\n12.5\n-5\r\n1234567890123456789\t\t\r" + Cp1252("ÑA\tx\ty\tz\r\n") +
                                  "141118ABC\r\n1411181-\r\n14A118\t\r\n123456\t1000000000\t15/06/2000\r\n1\tabc\t1/6/2000\r\n1\t5\t19/11/2014";
        for (const char* codigo : {"00", "02", "03", "04", "06", "10", "36", "37"})
            QTest::newRow(qPrintable(QStringLiteral("mezcla %1").arg(codigo))) << codigo << mezcla;
        QTest::newRow("vacía") << "04" << QByteArray();
    }

    // Byte for byte what vaviviv-cli masivo writes for the same file.
    void igualQueLaLineaDeOrdenes() {
        QFETCH(QString, codigo);
        QFETCH(QByteArray, entrada);
        elegir(codigo.toInt());
        QVERIFY(cargar(entrada));
        calcular();
        guardar("ventana.txt");
        QCOMPARE(Leer(ruta("ventana.txt")), segunLaLineaDeOrdenes(codigo.toInt(), ruta("entrada.txt")));
    }

    // Double click: prompt by column, text offered trimmed, answer kept as typed; empty or Cancel, titles, results: nothing.
    void edicion() {
        elegir(6);
        QVERIFY(cargar("r1\t1\t2\r\nr2\t1\t2\r\nr3\t1\t2\r\nr4\t1\t2\r\n  r5 \t1\t2\r\n"));
        dialogos->responderTexto(QStringLiteral(" nuevo "));
        Rejilla& g = rejilla();
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, Centro(g, 5, 0));
        QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, Centro(g, 5, 0));
        QCOMPARE(g.TextMatrix(5, 0), QStringLiteral(" nuevo "));
        QVERIFY(sinGuardar());
        guardar();
        dialogos->responderTexto(QString());
        for (const QPoint celda : {QPoint(2, 1), QPoint(2, 1), QPoint(0, 0), QPoint(3, 3), QPoint(3, 4)}) {
            g.setRowCol(celda.x(), celda.y());
            w->grdMasivo_DblClick();
        }
        QStringList vistas;
        for (const PeticionTexto& p : dialogos->peticiones()) vistas << p.indicacion + u'|' + p.titulo + u'|' + p.propuesta;
        QCOMPARE(vistas, (QStringList{QString::fromUtf8("Ingrese el valor Referencia :|KIV- Dígito Verificador.|r5"),
                                      QString::fromUtf8("Ingrese el valor Sucursal :|KIV- Dígito Verificador.|1"),
                                      QString::fromUtf8("Ingrese el valor Sucursal :|KIV- Dígito Verificador.|1")}));
        QCOMPARE(g.TextMatrix(2, 1), QStringLiteral("1"));
        QVERIFY(!sinGuardar());
    }

    // Insert above, remove, never the last data row (the marker on all the same); nothing on the title row.
    void insertarYBorrar() {
        elegir(0);
        QVERIFY(cargar("r1\r\nr2\r\nr3\r\n"));
        for (const char* nombre : {"mnuEditarInsertar", "mnuEditarBorrar"}) {
            rejilla().setRowCol(0, 0);
            accion(nombre)->trigger();
        }
        QVERIFY(filasDeDatos() == 3 && !sinGuardar());
        rejilla().setRowCol(2, 1);
        accion("mnuEditarInsertar")->trigger();
        QCOMPARE(filas(), (Filas{{"r1", "", ""}, {"", "", ""}, {"r2", "", ""}, {"r3", "", ""}}));
        QCOMPARE(rejilla().Row(), 2);
        QVERIFY(sinGuardar());
        rejilla().setRowCol(3, 0);
        accion("mnuEditarBorrar")->trigger();
        QCOMPARE(filas(), (Filas{{"r1", "", ""}, {"", "", ""}, {"r3", "", ""}}));
        for (int i = 0; i < 2; ++i) accion("mnuEditarBorrar")->trigger();
        guardar();
        accion("mnuEditarBorrar")->trigger();
        QCOMPARE(filas(), (Filas{{"r1", "", ""}}));
        QVERIFY(sinGuardar());
    }

    // Printing, calculating and the fixed title row follow the row count; calculating no rows sets the marker.
    void reglaDeFilas() {
        elegir(0);
        const auto estado = [&] {
            return QList<bool>{rejilla().FixedRows() == 1, boton("cmdImprimir")->isEnabled(), boton("cmdCalcular")->isEnabled(),
                               sinGuardar()};
        };
        QCOMPARE(estado(), (QList<bool>{false, false, false, false}));
        calcular();
        QCOMPARE(estado(), (QList<bool>{false, false, false, true}));
        QVERIFY(cargar("1\r\n2\r\n"));
        guardar();
        QCOMPARE(estado(), (QList<bool>{true, true, true, false}));
        accion("mnuArchivoAbrir")->trigger();  // clears the rows
        QCOMPARE(estado(), (QList<bool>{false, false, false, false}));
    }

    // The report gets the algorithm and its description; help topics per command; F1; the about box.
    void informeYAyuda() {
        AyudaSimulada ayuda;
        boton("cmdAyuda")->click();
        elegir(6);
        QVERIFY(cargar("890\t123\t4567\r\n"));
        PresentacionPdf presentacion(ruta("reporte.pdf"));
        boton("cmdImprimir")->click();
        QCOMPARE(presentacion.veces(), 1);
        QCOMPARE(Fila(*control<Rejilla>("grdCriterios"), 1)[1], QString::fromUtf8("Dígitos calculados : ") + etiqueta());
        QCOMPARE(Fila(*control<Rejilla>("grdCriterios"), 0)[1], QStringLiteral("Algoritmo utilizado en el calculo: Algoritmo Vorantis 06"));
        boton("cmdAyuda")->click();
        for (const char* entrada : {"mnuAyudaContenido", "mnuAyudaUso", "mnuAyudaEdicion", "mnuAyudaDespliegue", "mnuAyudaCalculo"})
            accion(entrada)->trigger();
        QTest::keyClick(algoritmos(), Qt::Key_F1);
        QStringList vistas;
        for (const PeticionAyuda& p : ayuda.peticiones())
            vistas << QStringLiteral("%1 %2 %3").arg(QFileInfo(p.archivo).fileName()).arg(p.comando).arg(p.comando == kAyudaTema ? p.contexto : 0);
        QCOMPARE(vistas.join(u','), QStringLiteral("Vaviviv.hlp %3 103,Vaviviv.hlp %3 6,Vaviviv.hlp %1 0,Vaviviv.hlp %2 0,Vaviviv.hlp %3 102,"
                                                   "Vaviviv.hlp %3 103,VaviviV.hlp %1 0").arg(kAyudaContenido).arg(kAyudaUso).arg(kAyudaTema));
        QCOMPARE(QFileInfo(ayuda.peticiones()[0].archivo).path(), QCoreApplication::applicationDirPath());
        accion("mnuAyudaAcerca")->trigger();
        QCOMPARE(dialogos->cajas().back().titulo, QStringLiteral("Acerca de VaviviV"));
        QVERIFY(w->isEnabled());
    }
};

QTEST_MAIN(PruebaMasivo)

#include "frmMasivo_test.moc"
