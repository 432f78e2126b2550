// frmMasivo and its grid, headless with scripted boxes: each path of the window once (set-up, the questions
// before rows go, files in and out, calculation, editing, report, help, closing), and its stored file against
// vaviviv-cli's; the row rules, the reader and the writer have tests of their own.

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

    // Row 0 is the header; rows appended at once: one signal. Widths in twips, the user's drag included; a cut
    // text shows whole under the pointer. MouseDown with button, Shift and place; the right button pops the edit
    // menu up, not on the title row. RowColChange only on a real move; the title row can be current; the cell
    // keeps its numbers while they exist.
    void contratoDeLaRejilla() {
        Rejilla& g = rejilla();
        g.setCols(3);
        g.setRows(3);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) g.setTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
        QSignalSpy insertadas(g.model(), &QAbstractItemModel::rowsInserted);
        g.AgregarFilas({"x", "y", "z", "w", "v", "u"});
        QCOMPARE(insertadas.count(), 1);
        QCOMPARE(g.model()->headerData(1, Qt::Horizontal).toString() + g.model()->index(3, 0).data().toString(), "0,1w");
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
        QSignalSpy cambios(&g, &Rejilla::RowColChange);
        g.setRow(2);
        g.setCol(1);
        g.setRowCol(2, 1);
        g.setRowCol(99, 0);
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

    // The window as it opens; with no algorithm, storing and calculating are refused untouched. Each algorithm
    // (no rows: nothing asked): its titles, its description fitting the label, widths back to 1800.
    void alAbrirYAlElegir() {
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
        dialogos->olvidar();
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

    // A file's fields fill the first three columns at most, missing ones empty. 06 → 00 → 10 with the rows
    // kept: column 0 stays, the rest is moved, not lost; then an entry with no layout.
    void cambiosDeColumnas() {
        elegir(10);
        QVERIFY(cargar("2\t5\t3\t4\t5\r\n1\r\n"));
        QCOMPARE(filas(), (Filas{{"2", "5", "3", "", ""}, {"1", "", "", "", ""}}));
        nueva();
        elegir(6);
        QVERIFY(cargar("890\t123\t4567\r\n1\t2\t3\r\n"));
        for (int i = 0; i < 3; ++i) dialogos->responderCon(Respuesta::Si);
        elegir(0);
        QCOMPARE(filas(), (Filas{{"890", "", ""}, {"1", "", ""}}));
        rejilla().setTextMatrix(1, 1, QStringLiteral("x"));
        elegir(10);
        QCOMPARE(filas(), (Filas{{"890", "x", "", "", ""}, {"1", "", "", "", ""}}));
        algoritmos()->addItem(QStringLiteral("Otro"), 99);
        elegir(99);
        QCOMPARE(etiqueta(), QStringLiteral("Algoritmo No Disponible"));
        QCOMPARE(fila(0), kTitulos10);
        QVERIFY(!boton("cmdAbrir")->isEnabled() && !accion("mnuArchivoAbrir")->isEnabled() && !boton("cmdCalcular")->isEnabled());
    }

    // Unsaved results and No: the change of algorithm is taken back, nothing lost. Kept rows keep their
    // input; their result columns are emptied.
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
            const bool atras = caso.filas < 0;
            QCOMPARE(algoritmos()->currentData().toInt(), atras ? 10 : 6);
            QCOMPARE(fila(0), atras ? kTitulos10 : kTitulos06);
            Filas esperadas = antes.mid(0, atras ? antes.size() : caso.filas);
            if (!atras) for (QStringList& f : esperadas) f[3] = f[4] = QString();
            QCOMPARE(filas(), esperadas);
        }
    }

    // One at a time (not modal: frmPrincipal_ventana_test); closing (three ways) asks nothing, enables the
    // main window and unloads.
    void unaSolaVentanaYCerrar() {
        QWidget principal;
        MostrarMasivo(&principal)->findChild<QComboBox*>("cboAlgoritmo")->setCurrentIndex(2);
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

    // 30,000: loaded without a word, the marker off, the last row current; no insert past it (the marker on
    // all the same). A longer file is cut, and said so; a file's rows go after the rows kept.
    void tope() {
        elegir(0);
        QVERIFY(cargar(Lineas(kMaximoRegistros)));
        QVERIFY(dialogos->cajas().empty() && !sinGuardar());
        QCOMPARE(rejilla().Row(), kMaximoRegistros);
        rejilla().setRowCol(10, 0);
        accion("mnuEditarInsertar")->trigger();
        QCOMPARE(QStringList({fila(10)[0], fila(kMaximoRegistros)[0]}), (QStringList{"10", "30000"}));
        QVERIFY(sinGuardar());
        accion("mnuEditarBorrar")->trigger();
        accion("mnuEditarInsertar")->trigger();
        QCOMPARE(QStringList({fila(10)[0], fila(kMaximoRegistros)[0]}), (QStringList{"", "30000"}));
        Escribir(ruta("grande.txt"), Lineas(kMaximoRegistros + 1));
        for (int i = 0; i < 2; ++i) dialogos->responderCon(Respuesta::Si);  // go on unsaved, keep the rows
        boton("cmdAbrir")->click();
        confirmarEnExplorador("grande.txt");
        QCOMPARE(dialogos->textos().mid(1), (QStringList{kMantener, "El Archivo es demasiado grande, fue recortado a: 30,000 Registros",
                                                         "Archivo cargado Exitosamente !!!"}));
        QVERIFY(dialogos->cajas()[2].icono == Icono::Informacion && dialogos->cajas()[3].titulo == "VaviviV");
        QCOMPARE(QStringList({fila(30000)[0], fila(30001)[0], fila(60000)[0]}), (QStringList{"30000", "1", "30000"}));
        QCOMPARE(filasDeDatos(), 2 * kMaximoRegistros);
    }

    // The open menu entry asks before unsaved results go, No changes nothing; cmdAbrir asks, then opens
    // whatever the answer. One dialog, its mode the last command's; storing through it. After a Yes the
    // open menu entry clears everything, titles included, and loading writes them again.
    void explorador() {
        elegir(6);
        QVERIFY(cargar("890\t123\t4567\r\n"));
        calcular();
        accion("mnuArchivoAbrir")->trigger();  // unscripted: No
        QVERIFY(!w->Explorador() && fila(1)[3] == "89062");
        boton("cmdAbrir")->click();  // No again, and it opens
        QCOMPARE(dialogos->textos(), (QStringList{kSinSalvar, kSinSalvar}));
        auto* modo = control<QPushButton>("cmdAlmacenar", w->Explorador());
        auto* nombre = control<QLineEdit>("txtArchivo", w->Explorador());
        const QString abrir = modo->text();
        nombre->setText(QStringLiteral("algo.txt"));
        boton("cmdGuardar")->click();
        QCOMPARE(QStringList({abrir, modo->text(), nombre->text()}), (QStringList{kModoAbrir, kModoAlmacenar, "algo.txt"}));
        confirmarEnExplorador("uno.txt");
        accion("mnuArchivoGuardar")->trigger();
        QCOMPARE(nombre->text(), QString());
        confirmarEnExplorador("dos.txt");
        QCOMPARE(Leer(ruta("dos.txt")), Leer(ruta("uno.txt")));
        QCOMPARE(dialogos->textos().mid(2), (QStringList{kAlmacenado, kAlmacenado}));
        calcular();
        dialogos->responderCon(Respuesta::Si);
        accion("mnuArchivoAbrir")->trigger();
        QVERIFY(rejilla().Rows() == 1 && fila(0) == QStringList(5, QString()) && !boton("cmdImprimir")->isEnabled());
        Escribir(ruta("e.txt"), "7\r\n");
        confirmarEnExplorador("e.txt");
        QCOMPARE(Filas{fila(0)} + filas(), (Filas{kTitulos06, {"7", "", "", "", ""}}));
    }

    // One box per bad row, shown on that row, its result cells emptied, the input kept; the run goes on to the
    // last cell; the marker on.
    void caracterNoValido() {
        elegir(37);
        QVERIFY(cargar(QString::fromUtf8("AÑO\tviejo\t1\r\nABC123\r\n").toLatin1()));  // Windows-1252
        int filaEnPantalla = -1;
        dialogos->alMostrar = [&](const Caja&) { filaEnPantalla = rejilla().Row(); };
        calcular();
        QCOMPARE(dialogos->textos(), QStringList{QString::fromUtf8("Caracter no Válido en la referencia: ' Ñ '")});
        QCOMPARE(dialogos->cajas()[0].icono, Icono::Critico);
        QCOMPARE(filaEnPantalla, 1);
        QCOMPARE(filas(), (Filas{{QString::fromUtf8("AÑO"), "", ""}, {"ABC123", "ABC12303", "03"}}));
        QVERIFY(QPoint(rejilla().Row(), rejilla().Col()) == QPoint(2, 2) && sinGuardar());
    }

    // An existing file and No: it stays. A write failing half-way leaves the old file whole and no partial
    // file; Retry stores, Cancel keeps the marker.
    void sobrescribirYEscrituraFallida() {
        for (const Respuesta despues : {Respuesta::No, Respuesta::Cancelar, Respuesta::Reintentar}) {
            nueva();
            elegir(0);
            QVERIFY(cargar(Lineas(2000)));
            calcular();
            Escribir(ruta("r.txt"), "anterior");
            LimiteDeTamano limite(1000);
            dialogos->responderCon(despues == Respuesta::No ? Respuesta::No : Respuesta::Si);
            dialogos->responderCon(despues);
            QByteArray durante;
            dialogos->alMostrar = [&](const Caja& caja) {
                if (caja.botones != Botones::ReintentarCancelar) return;
                durante = Leer(ruta("r.txt"));
                limite.levantar();
            };
            guardar();
            limite.levantar();
            const bool reintentar = despues == Respuesta::Reintentar;
            QCOMPARE(dialogos->textos()[0], QString::fromUtf8("¿ El archivo ya existe, desea reescribirlo ?"));
            QVERIFY(dialogos->cajas()[0].titulo == kTituloArchivo && dialogos->cajas()[0].botones == Botones::SiNo);
            QCOMPARE(QDir(carpeta->path()).entryList(QDir::Files), (QStringList{"entrada.txt", "r.txt"}));
            const QByteArray queda = Leer(ruta("r.txt"));
            QVERIFY(reintentar ? queda.count("\r\n") == 2001 : queda == "anterior");
            QCOMPARE(sinGuardar(), !reintentar);
            QCOMPARE(dialogos->textos().size(), despues == Respuesta::No ? 1 : reintentar ? 3 : 2);
            if (despues == Respuesta::No) continue;
            QCOMPARE(durante, QByteArray("anterior"));
            const Caja error = dialogos->cajas()[1];
            QVERIFY(error.texto.startsWith("Error : ") && error.titulo == kTituloArchivo && error.botones == Botones::ReintentarCancelar);
            if (reintentar) QCOMPARE(dialogos->textos()[2], kAlmacenado);
        }
    }

    void igualQueLaLineaDeOrdenes_data() {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QByteArray>("entrada");
        for (const char* codigo : {"00", "02", "06", "10", "35"})
            QTest::newRow(codigo) << codigo << Leer(QStringLiteral(VAVIVIV_SAMPLES "/referencias_%1.txt").arg(codigo));
        // Line ends of all kinds, missing and extra fields, blanks, accents, errors of every kind.
        const QByteArray mezcla = "  123456 \t9\r\n\r\n12.5\n-5\r\n1234567890123456789\t\t\r" + QString::fromUtf8("ÑA\tx\ty\tz\r\n").toLatin1() +
                                  "141118ABC\r\n1411181-\r\n14A118\t\r\n123456\t1000000000\t15/06/2000\r\n1\tabc\t1/6/2000\r\n1\t5\t19/11/2014";
        for (const char* codigo : {"00", "02", "03", "04", "06", "10", "36", "37"})
            QTest::newRow(qPrintable(QStringLiteral("mezcla %1").arg(codigo))) << codigo << mezcla;
        QTest::newRow("vacía") << "04" << QByteArray();
    }

    // Byte for byte what vaviviv-cli masivo writes for the same file; the success box, the marker off, the
    // last cell current.
    void igualQueLaLineaDeOrdenes() {
        QFETCH(QString, codigo);
        QFETCH(QByteArray, entrada);
        elegir(codigo.toInt());
        QVERIFY(cargar(entrada));
        calcular();
        guardar("ventana.txt");
        QCOMPARE(Leer(ruta("ventana.txt")), segunLaLineaDeOrdenes(codigo.toInt(), ruta("entrada.txt")));
        const Caja exito = dialogos->cajas().back();
        QCOMPARE(exito.texto, kAlmacenado);
        QVERIFY(exito.titulo == QString::fromUtf8("KIV- Dígito Verificador.") && exito.icono == Icono::Informacion && !sinGuardar());
        if (filasDeDatos() > 0) QCOMPARE(QPoint(rejilla().Row(), rejilla().Col()), QPoint(filasDeDatos(), rejilla().Cols() - 1));
    }

    // Printing, calculating and the fixed title row follow the row count; calculating no rows sets the marker.
    // Double click: prompt by column, text offered trimmed, answer kept as typed; empty or Cancel, titles,
    // results: nothing. Insert above, remove, never the last data row (the marker on all the same); nothing on
    // the title row.
    void edicion() {
        elegir(6);
        Rejilla& g = rejilla();
        const auto estado = [&] {
            return QList<bool>{g.FixedRows() == 1, boton("cmdImprimir")->isEnabled(), boton("cmdCalcular")->isEnabled(), sinGuardar()};
        };
        QCOMPARE(estado(), (QList<bool>{false, false, false, false}));
        calcular();
        QCOMPARE(estado(), (QList<bool>{false, false, false, true}));
        QVERIFY(cargar("r1\t1\t2\r\nr2\t1\t2\r\n  r3 \t1\t2\r\n"));
        guardar("a.txt");
        QCOMPARE(estado(), (QList<bool>{true, true, true, false}));
        dialogos->responderTexto(QStringLiteral(" nuevo "));
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, Centro(g, 3, 0));
        QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, Centro(g, 3, 0));
        QCOMPARE(g.TextMatrix(3, 0), QStringLiteral(" nuevo "));
        QVERIFY(sinGuardar());
        guardar("b.txt");
        dialogos->responderTexto(QString());
        for (const QPoint celda : {QPoint(2, 1), QPoint(2, 1), QPoint(0, 0), QPoint(3, 3), QPoint(3, 4)}) {
            g.setRowCol(celda.x(), celda.y());
            w->grdMasivo_DblClick();
        }
        QStringList vistas;
        for (const PeticionTexto& p : dialogos->peticiones()) vistas << p.indicacion + u'|' + p.titulo + u'|' + p.propuesta;
        QCOMPARE(vistas, (QStringList{QString::fromUtf8("Ingrese el valor Referencia :|KIV- Dígito Verificador.|r3"),
                                      QString::fromUtf8("Ingrese el valor Sucursal :|KIV- Dígito Verificador.|1"),
                                      QString::fromUtf8("Ingrese el valor Sucursal :|KIV- Dígito Verificador.|1")}));
        QVERIFY(g.TextMatrix(2, 1) == "1" && !sinGuardar());
        for (const char* nombre : {"mnuEditarInsertar", "mnuEditarBorrar"}) {
            g.setRowCol(0, 0);
            accion(nombre)->trigger();
        }
        QVERIFY(filasDeDatos() == 3 && !sinGuardar());
        g.setRowCol(2, 1);
        accion("mnuEditarInsertar")->trigger();
        QCOMPARE(Filas({fila(2), fila(3)}), (Filas{QStringList(5, QString()), {"r2", "1", "2", "", ""}}));
        QVERIFY(filasDeDatos() == 4 && g.Row() == 2 && sinGuardar());
        g.setRowCol(3, 0);
        accion("mnuEditarBorrar")->trigger();
        QCOMPARE(QStringList({fila(1)[0], fila(2)[0], fila(3)[0]}), (QStringList{"r1", "", " nuevo "}));
        for (int i = 0; i < 2; ++i) accion("mnuEditarBorrar")->trigger();
        guardar("c.txt");
        accion("mnuEditarBorrar")->trigger();
        QCOMPARE(filas(), (Filas{{"r1", "1", "2", "", ""}}));
        QVERIFY(sinGuardar());
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
