// frmMasivo's wiring through its named controls and routines, offscreen with scripted boxes: each
// path through the window once. The row rules, the reader and the writer: tests/reglas.

#include "archivo/listas_archivo.h"
#include "engine/catalogo.h"
#include "reglas/catalogo_textos.h"
#include "masivo/frmMasivo.h"
#include "masivo/rejilla.h"
#include "prueba_ventanas.h"
#include "reglas/archivo_entrada.h"
#include "reglas/reglas_fila.h"
#include "tests/libro_leido.h"
#include "tests/muestras_csv.h"
#include "tests/sin_permisos.h"

#include <QAccessible>
#include <QClipboard>
#include <QMimeData>
#include <QHeaderView>
#include <QInputDialog>
#include <QScopeGuard>
#include <QSettings>
#include <QMenu>
#include <QStyleOptionTitleBar>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace vaviviv;
using namespace vaviviv::prueba;

namespace {
const QString kSinSalvar = "Los datos no se han almacenado. ¿ Continuar sin salvar ?";
const QString kMantener = "¿Desea mantener los datos para el próximo calculo?";
const QString kAlmacenado = "Archivo Almacenado exitosamente !!!";
QByteArray Lineas(int n, const QByteArray& linea = "123456") { return (linea + "\r\n").repeated(n); }
}  // namespace

class PruebaMasivo : public QObject {
    Q_OBJECT
    std::unique_ptr<DialogosSimulados> dialogos;  // outlives the window
    std::unique_ptr<QTemporaryDir> carpeta;
    std::unique_ptr<frmMasivo> w;

    template <typename T = QPushButton> T* c(const char* nombre) { return w->findChild<T*>(nombre); }
    Rejilla& g() { return *c<Rejilla>("grdMasivo"); }
    bool sinGuardar() { return c("cmdGuardar")->isEnabled(); }  // the unsaved-results marker
    QString ruta(const QString& nombre) { return carpeta->filePath(nombre); }
    // A control of the file explorer the window opened.
    template <typename T = QWidget> T* x(const char* nombre) { return w->Explorador()->findChild<T*>(nombre); }
    void teclearNombre(const QString& nombre) {  // in the explorer's name box, then Enter
        QTest::keyClicks(x<QLineEdit>("txtArchivo"), nombre);
        QTest::keyClick(x<QLineEdit>("txtArchivo"), Qt::Key_Return);
    }
    // Files in the test folder, each with its contents; a name ending in "/" is a folder.
    bool archivos(std::initializer_list<std::pair<const char*, QByteArray>> lista) {
        for (const auto& [nombre, bytes] : lista)
            if (QString(nombre).endsWith(u'/') ? !QDir().mkpath(ruta(nombre)) : !Escribir(ruta(nombre), bytes)) return false;
        return true;
    }
    void elegir(int codigo) { Elegir(*c<QComboBox>("cboAlgoritmo"), codigo); }
    QStringList filas(int desde = 1) {  // each row's cells joined by "|"
        QStringList todas;
        for (int r = desde; r < g().Rows(); ++r) {
            QStringList celdas;
            for (int col = 0; col < g().Cols(); ++col) celdas << g().TextMatrix(r, col);
            todas << celdas.join(u'|');
        }
        return todas;
    }
    bool cargar(const QByteArray& contenido) {  // as the file explorer loads, minus the dialog
        w->ConfigurarRejilla();
        return Escribir(ruta("entrada.txt"), contenido) && w->CargarArchivo(ruta("entrada.txt"));
    }
    void abrirOtraVez() {  // a new window, as in a new run: the settings remain
        w.reset(), w = std::make_unique<frmMasivo>();
        w->show();
    }
    void calcular(int codigo, const QByteArray& contenido) {
        elegir(codigo);
        QVERIFY(cargar(contenido));
        QTest::mouseClick(c("cmdCalcular"), Qt::LeftButton);
    }
    QPoint centro(int fila, int columna) { return g().visualRect(g().model()->index(fila - 1, columna)).center(); }
    void pulsar(int fila, int columna, Qt::KeyboardModifiers teclas = {}) {
        g().scrollTo(g().model()->index(fila - 1, columna));
        QTest::mouseClick(g().viewport(), Qt::LeftButton, teclas, centro(fila, columna));
    }
    QString portapapeles() { return QGuiApplication::clipboard()->text(); }
    // Dragged over the grid and dropped there, as the desktop delivers it: the grid takes no drops.
    void soltar(QMimeData& datos) {
        const QPoint punto = g().viewport()->rect().center();
        QDragEnterEvent entra(punto, Qt::CopyAction, &datos, Qt::LeftButton, {});
        QApplication::sendEvent(g().viewport(), &entra);
        QVERIFY(entra.isAccepted());
        QDragMoveEvent mueve(punto, Qt::CopyAction, &datos, Qt::LeftButton, {});
        QApplication::sendEvent(g().viewport(), &mueve);
        QVERIFY(mueve.isAccepted());
        QDropEvent suelta(QPointF(punto), Qt::CopyAction, &datos, Qt::LeftButton, {});
        QApplication::sendEvent(g().viewport(), &suelta);
        QVERIFY(suelta.isAccepted());
    }

private slots:
    void initTestCase() { PrepararAplicacion(*qApp); }
    void init() {
        w.reset(), dialogos.reset();
        AjustesDePrueba::Olvidar();
        dialogos = std::make_unique<DialogosSimulados>(), carpeta = std::make_unique<QTemporaryDir>();
        abrirOtraVez();
    }

    // With no algorithm a store is refused before the file is touched. Each entry: the catalogue's
    // description, its titles, every column back to 1800 twips.
    void eleccion() {
        QCOMPARE(w->windowTitle(), "Calculo Masivo de Dígitos Verificadores - ");
        QCOMPARE(c<QLabel>("lblDigito")->text(), "Primero Seleccione el algoritmo deseado y luego el Archivo a calcular.");
        w->GuardarResultados(ruta("r.txt"));
        QVERIFY(dialogos->textos() == QStringList{"Debe seleccionar un Algoritmo de cálculo"});
        QVERIFY(!QFile::exists(ruta("r.txt")));
        for (const Algoritmo& a : Catalogo()) {
            g().setColWidth(0, 4000);
            elegir(a.codigo);
            QCOMPARE(c<QLabel>("lblDigito")->text(), DescripcionMasivo(a));
            const QString entradas = a.codigo == 6 ? "Sucursal|Cuenta|" : a.codigo == 10 ? "Importe|Fecha|" : "";
            QCOMPARE(filas(0), QStringList{"Referencia|" + entradas + "Referencia Completa|Dígito Verificador"});
            for (int col = 0; col < g().Cols(); ++col) QCOMPARE(g().ColWidth(col), kAnchoColumna);
        }
    }

    // A file's rows go after those there, its fields into the first three columns at most; past 30,000
    // records it is cut, and said so. A file that cannot be read to its end is named in a box with the
    // reason and adds nothing.
    void cargarArchivo() {
        elegir(6);
        QVERIFY(cargar("890\t123\t4567\t9\r\n1\r\n"));
        QCOMPARE(filas(0), QStringList({"Referencia|Sucursal|Cuenta|Referencia Completa|Dígito Verificador", "890|123|4567||", "1||||"}));
        QVERIFY(cargar("2\r\n"));
        QCOMPARE(filas(), QStringList({"890|123|4567||", "1||||", "2||||"}));
        QVERIFY(cargar(Lineas(kMaximoRegistros + 1)));
        QVERIFY(g().Rows() == 4 + kMaximoRegistros);
        QVERIFY(!sinGuardar());
        QCOMPARE(dialogos->textos(), QStringList{"El Archivo es demasiado grande, fue recortado a: 30,000 Registros"});
        QVERIFY(!cargar("1\r\n" + QByteArray(kLineaMaxima + 1, 'x')));
        QVERIFY(g().Rows() == 4 + kMaximoRegistros);
        QVERIFY(dialogos->textos()[1].startsWith("Error : 1 La línea 2"));
        QVERIFY(dialogos->cajas()[0].icono == Icono::Informacion);
        QVERIFY(dialogos->cajas()[1].icono == Icono::Critico);
        // A line too long past the 30,000th record is not read: the file is cut there, and said so.
        QVERIFY(cargar(Lineas(kMaximoRegistros) + QByteArray(kLineaMaxima + 1, 'x')));
        QVERIFY(g().Rows() == 4 + 2 * kMaximoRegistros);
        QCOMPARE(dialogos->textos().mid(2), QStringList{"El Archivo es demasiado grande, fue recortado a: 30,000 Registros"});
    }

    // A file named .csv loads as CSV: the rows of the tab-separated file of its records, whatever the
    // separator or the name's case; the same bytes under another name are rows of one field.
    void cargarCsv() {
        elegir(10);
        QVERIFY(cargar(prueba::kTabulado));
        const QStringList esperadas = filas();
        QCOMPARE(esperadas.size(), 6);
        for (const auto& [nombre, bytes] : prueba::kCsvEquivalentes) {
            for (const QString& archivo : {QString(nombre), nombre + QStringLiteral(".txt")}) {
                const int antes = g().Rows();  // the rows go after those there
                QVERIFY(Escribir(ruta(archivo), bytes));
                QVERIFY(w->CargarArchivo(ruta(archivo)));
                QCOMPARE(filas(antes) == esperadas, !archivo.endsWith(".txt"));
            }
        }
        QVERIFY(dialogos->textos().isEmpty());
    }

    // A line of 32,766 characters is a row, in either encoding (a character outside the BMP is one); a
    // file with a line of one more is refused in a box that names it, and adds nothing to the rows there.
    void lineaDeHasta32766Caracteres_data() {
        QTest::addColumn<QByteArray>("inicio");
        QTest::addColumn<QByteArray>("caracter");
        QTest::addColumn<QString>("leido");
        QTest::addColumn<int>("n");
        const QByteArray bom = "\xEF\xBB\xBF", cara = "\xF0\x9F\x98\x80";
        for (const int n : {32766, 32767}) {
            const QByteArray sufijo = " " + QByteArray::number(n);
            QTest::newRow("Windows-1252" + sufijo) << QByteArray() << QByteArray("\xD1") << "Ñ" << n;
            QTest::newRow("tabuladores" + sufijo) << QByteArray() << QByteArray("\t") << QString() << n;
            QTest::newRow("UTF-8, dos bytes" + sufijo) << bom << QByteArray("\xC3\x91") << "Ñ" << n;
            QTest::newRow("UTF-8, cuatro bytes" + sufijo) << bom << cara << QString::fromUtf8(cara) << n;
        }
    }
    void lineaDeHasta32766Caracteres() {
        QFETCH(QByteArray, inicio); QFETCH(QByteArray, caracter); QFETCH(QString, leido); QFETCH(int, n);
        elegir(0);
        QVERIFY(cargar("1\r\n2\r\n"));
        const bool cabe = n <= 32766;
        QCOMPARE(cargar(inicio + "3\r\n" + caracter.repeated(n) + "\r\n4"), cabe);
        QCOMPARE(filas(), cabe ? QStringList({"1||", "2||", "3||", leido.repeated(caracter == "\t" ? 0 : n) + "||", "4||"})
                               : QStringList({"1||", "2||"}));
        QCOMPARE(dialogos->textos(), cabe ? QStringList() : QStringList{"Error : 1 La línea 2 tiene más de 32,766 caracteres"});
        QVERIFY(cabe || dialogos->cajas()[0].icono == Icono::Critico);
    }

    // Each row's outcome and digits from the row rules into the last two columns, a failing row too; a
    // rejected character in a box shown on its row, its cells emptied, the run going on.
    void calcular() {
        calcular(6, "890\t123\t4567\r\n890\t\t4567\r\n");
        QCOMPARE(filas(), QStringList({"890|123|4567|89062|62", "890||4567|" + CalcularFila(6, u"890", {}, u"4567").resultado + "|"}));
        QVERIFY(sinGuardar());
        QVERIFY(dialogos->cajas().empty());
        init();
        int filaEnPantalla = 0;
        dialogos->alMostrar = [&](const Caja&) { filaEnPantalla = g().Row(); };
        calcular(37, "A\xD1O\tx\r\nABC123\r\n");  // Windows-1252
        QCOMPARE(dialogos->textos(), QStringList{"Caracter no Válido en la referencia: ' Ñ '"});
        QVERIFY(filaEnPantalla == 1);
        QVERIFY(dialogos->cajas()[0].icono == Icono::Critico);
        QCOMPARE(filas(), QStringList({"AÑO||", "ABC123|ABC12303|03"}));
        QVERIFY(g().Row() == 2);
        QVERIFY(g().Col() == 2);
        QVERIFY(sinGuardar());
    }

    // Another algorithm over rows: unsaved results are asked about first, and No takes the choice back;
    // then whether to keep the rows (their results emptied) or drop them.
    void preguntarConservarDatos() {
        const QString vieja = "890|123|4567|89062|62", sinResultado = "890|123|4567||";
        const std::tuple<bool, QList<Respuesta>, QStringList, QStringList> casos[] = {  // stored first, answers, questions, rows left
            {false, {Respuesta::No}, {kSinSalvar}, {vieja}}, {false, {Respuesta::Si, Respuesta::Si}, {kSinSalvar, kMantener}, {sinResultado}},
            {false, {Respuesta::Si, Respuesta::No}, {kSinSalvar, kMantener}, {}}, {true, {Respuesta::Si}, {kMantener}, {sinResultado}}};
        for (const auto& [guardadas, respuestas, preguntas, quedan] : casos) {
            init();
            calcular(6, "890\t123\t4567\r\n");
            if (guardadas) w->GuardarResultados(ruta("r.txt")), dialogos->olvidar();
            for (Respuesta r : respuestas) dialogos->responderCon(r);
            elegir(10);
            QVERIFY(dialogos->textos() == preguntas);
            QVERIFY(dialogos->cajas()[0].titulo == "KIV- Dígito verificador");
            QCOMPARE(c<QComboBox>("cboAlgoritmo")->currentData().toInt(), quedan.value(0) == vieja ? 6 : 10);
            QCOMPARE(filas(), quedan);
        }
    }

    // Stored: the header, then each row; the success box, the marker off. An existing file is asked
    // about, and No leaves it. A failing store offers Retry and Cancel and leaves the earlier file whole,
    // no other file, and the marker on.
    void guardarResultados() {
        calcular(0, Lineas(2000));
        w->GuardarResultados(ruta("r.txt"));
        QVERIFY(Leer(ruta("r.txt")).endsWith("Verif\r\n" + Lineas(2000, "123456\t1234566\t6\t")));
        QVERIFY(!sinGuardar());
        QVERIFY(dialogos->textos() == QStringList{kAlmacenado});
        QVERIFY(dialogos->cajas()[0].titulo == "KIV- Dígito Verificador.");
        QVERIFY(Escribir(ruta("r.txt"), "anterior"));
        QTest::mouseClick(c("cmdCalcular"), Qt::LeftButton);
        w->GuardarResultados(ruta("r.txt"));  // unscripted: No
        QCOMPARE(dialogos->textos().mid(1), QStringList{"¿ El archivo ya existe, desea reescribirlo ?"});
        QVERIFY(dialogos->cajas()[1].titulo == "KIV- Digito verificador.");
        QVERIFY(dialogos->cajas()[1].botones == Botones::SiNo);
        dialogos->responderCon(Respuesta::Si), dialogos->responderCon(Respuesta::Reintentar);  // then Cancel
        {
            const TopeDeArchivo lleno(1000);  // a store failing half-way
            w->GuardarResultados(ruta("r.txt"));
        }
        for (const Caja& caja : {dialogos->cajas().at(3), dialogos->cajas().at(4)}) {
            QVERIFY2(caja.texto.startsWith("Error : "), qPrintable(caja.texto));
            QCOMPARE(caja.botones, Botones::ReintentarCancelar);
            QCOMPARE(caja.titulo, "KIV- Digito verificador.");
        }
        QVERIFY(Leer(ruta("r.txt")) == "anterior");
        QVERIFY(sinGuardar());
        QCOMPARE(QDir(carpeta->path()).entryList(QDir::Files), QStringList({"entrada.txt", "r.txt"}));
    }

    // Stored under a name ending in .xlsx: a workbook whose cells, read back by an independent reader, are
    // the text store's cells, zeros and 19 digits intact. The explorer lists workbooks when storing, not
    // when opening. A store failing half-way leaves the earlier workbook and nothing beside it.
    void guardarLibro() {
        calcular(0, "0000123\r\n1234567890123456789\r\nabc\xE9\r\n");
        w->GuardarResultados(ruta("r.txt"));
        w->GuardarResultados(ruta("r.xlsx"));
        QCOMPARE(dialogos->textos(), QStringList({kAlmacenado, kAlmacenado}));
        QVERIFY(!sinGuardar());
        const LibroLeido libro = LeerLibro(ruta("r.xlsx"));
        QVERIFY2(libro.error.isEmpty(), qPrintable(libro.error));
        QCOMPARE(libro.valores(), CeldasDeTexto(Leer(ruta("r.txt"))));
        QCOMPARE(libro.valores().value(1).value(0), "0000123");
        QCOMPARE(libro.valores().value(2).value(1), "12345678901234567894");
        QCOMPARE(libro.inmovil, "A2");
        QVERIFY(libro.filas.value(0).value(0).negrita);
        QVERIFY(!libro.filas.value(1).value(0).negrita);

        const auto listados = [&] {
            x<ListaCarpetas>("dirLista")->setPath(carpeta->path());
            const QStringList l = Textos(*x<QListWidget>("filArchivos"));
            w->Explorador()->close();
            return l;
        };
        c<QAction>("mnuArchivoGuardar")->trigger();
        QCOMPARE(listados(), QStringList({"entrada.txt", "r.txt", "r.xlsx"}));
        QTest::mouseClick(c("cmdAbrir"), Qt::LeftButton);
        QCOMPARE(listados(), QStringList({"entrada.txt", "r.txt"}));

        calcular(0, Lineas(2000, "0000123"));
        dialogos->olvidar();
        dialogos->responderCon(Respuesta::Si);  // overwrite; then Cancel
        {
            const TopeDeArchivo lleno(3000);  // less than the smallest workbook
            w->GuardarResultados(ruta("r.xlsx"));
        }
        QCOMPARE(dialogos->textos().size(), 2);
        QVERIFY2(dialogos->cajas().at(1).texto.startsWith("Error : "), qPrintable(dialogos->cajas().at(1).texto));
        QCOMPARE(dialogos->cajas().at(1).botones, Botones::ReintentarCancelar);
        QVERIFY(sinGuardar());
        QCOMPARE(LeerLibro(ruta("r.xlsx")).valores(), libro.valores());
        QCOMPARE(QDir(carpeta->path()).entryList(QDir::Files), QStringList({"entrada.txt", "r.txt", "r.xlsx"}));
    }

    // A file that cannot be loaded or stored is named by the system's error number and a Spanish text;
    // nothing is loaded. In a folder that takes no new entries, a writable file is stored in place.
    void errores_data() {
        QTest::addColumn<bool>("guardar");
        QTest::addColumn<QString>("nombre");  // in the test folder; "ro" refuses new entries and holds r.txt
        QTest::addColumn<int>("modo");        // of ro/r.txt
        QTest::addColumn<QString>("texto");
        QTest::newRow("falta") << false << "falta.txt" << 0644 << "Error : 2 No existe el archivo o la carpeta";
        QTest::newRow("carpeta") << false << "ro" << 0644 << "Error : 21 Es una carpeta";
        QTest::newRow("sin permiso") << false << "ro/r.txt" << 0 << "Error : 13 Permiso denegado";
        // A device or a FIFO is no results file (a FIFO with no reader would hang the window).
        QTest::newRow("dispositivo") << true << "/dev/full" << 0644 << "No se puede almacenar en «/dev/full»: no es un archivo.";
        QTest::newRow("fifo") << true << "tubo" << 0644 << "No se puede almacenar en «%1»: no es un archivo.";
        QTest::newRow("en carpeta") << true << "ro" << 0644 << "Error : 21 Es una carpeta";
        QTest::newRow("carpeta falta") << true << "no/r.txt" << 0644 << "Error : 2 No existe el archivo o la carpeta";
        QTest::newRow("bajo archivo") << true << "ro/r.txt/x" << 0644 << "Error : 20 No es una carpeta";
        QTest::newRow("solo lectura") << true << "ro/r.txt" << 0444 << "Error : 13 Permiso denegado";
        QTest::newRow("en su lugar") << true << "ro/r.txt" << 0644 << kAlmacenado;
    }
    void errores() {
        QFETCH(bool, guardar); QFETCH(QString, nombre); QFETCH(int, modo); QFETCH(QString, texto);
        calcular(0, Lineas(1));
        QVERIFY(QDir(carpeta->path()).mkdir("ro"));
        QVERIFY(Escribir(ruta("ro/r.txt"), "anterior"));
        QVERIFY(::mkfifo(QFile::encodeName(ruta("tubo")), 0600) == 0);
        QVERIFY(::chmod(QFile::encodeName(ruta("ro/r.txt")), mode_t(modo)) == 0);
        QVERIFY(::chmod(QFile::encodeName(ruta("ro")), 0555) == 0);
        dialogos->olvidar(), dialogos->responderCon(Respuesta::Si);  // overwrite; then Cancel
        prueba::SaltarPermisos(false);
        const bool cargado = !guardar && w->CargarArchivo(nombre.startsWith('/') ? nombre : ruta(nombre));
        if (guardar) w->GuardarResultados(nombre.startsWith('/') ? nombre : ruta(nombre));
        prueba::SaltarPermisos(true);
        ::chmod(QFile::encodeName(ruta("ro")), 0755);
        QCOMPARE(dialogos->textos().value(dialogos->textos().size() - 1), texto.contains("%1") ? texto.arg(ruta(nombre)) : texto);
        QVERIFY(!cargado);
        QVERIFY(g().Rows() == 2);
        QVERIFY(sinGuardar() == (texto != kAlmacenado));
        QCOMPARE(Leer(ruta("ro/r.txt")).endsWith("Verif\r\n123456\t1234566\t6\t\r\n"), texto == kAlmacenado);
        QCOMPARE(QDir(ruta("ro")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"r.txt"});
    }

    // A double click on an input cell asks for its value, offered trimmed, kept as typed; nothing on a
    // result cell or on Cancel. Insert above the current row, remove it, never the last one; each edit
    // turns the marker on. The right button pops the edit menu up.
    void edicion() {
        elegir(6);
        QVERIFY(cargar("r1\t1\t2\r\n  r2 \t1\t2\r\n"));
        dialogos->responderTexto(" nuevo ");
        for (const auto& [fila, columna] : {std::pair{1, 0}, {1, 3}, {0, 1}}) {  // the last answered with Cancel
            const QPoint punto = g().visualRect(g().model()->index(fila, columna)).center();
            QTest::mouseClick(g().viewport(), Qt::LeftButton, {}, punto);
            QTest::mouseDClick(g().viewport(), Qt::LeftButton, {}, punto);
        }
        QCOMPARE(dialogos->peticiones().size(), std::size_t(2));
        const PeticionTexto p = dialogos->peticiones()[0];
        QCOMPARE(QStringList({p.indicacion, p.titulo, p.propuesta}), QStringList({"Ingrese el valor Referencia :", "KIV- Dígito Verificador.", "r2"}));
        QCOMPARE(dialogos->peticiones()[1].indicacion, "Ingrese el valor Sucursal :");
        QVERIFY(filas() == QStringList({"r1|1|2||", " nuevo |1|2||"}));
        QVERIFY(sinGuardar());
        w->GuardarResultados(ruta("r.txt"));
        g().setRowCol(2, 0);
        c<QAction>("mnuEditarInsertar")->trigger();
        QVERIFY(filas() == QStringList({"r1|1|2||", "||||", " nuevo |1|2||"}));
        QVERIFY(sinGuardar());
        for (int i = 0; i < 3; ++i) c<QAction>("mnuEditarBorrar")->trigger();
        QCOMPARE(filas(), QStringList({"r1|1|2||"}));
        QTest::mouseClick(g().viewport(), Qt::RightButton, {}, g().visualRect(g().model()->index(0, 0)).center());
        QTRY_VERIFY(c<QMenu>("mnuEditar")->isVisible());
        c<QMenu>("mnuEditar")->hide();
    }

    // A corrected input cell (F2 or a double click, the box answered) empties its own row's two results,
    // no other row's: stored and printed, the row no longer carries the result of what it held before.
    // Cancel or an empty answer leaves the row and the marker as they were.
    void edicionVaciaResultados_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QByteArray>("entrada");
        QTest::addColumn<int>("fila");
        QTest::addColumn<int>("columna");
        QTest::addColumn<bool>("doble");  // a double click; else F2
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QStringList>("antes");  // once calculated
        QTest::addColumn<QStringList>("despues");
        const QByteArray dos00 = "12a4\r\n123456\r\n", dos10 = "123456\t123.45\t31/02/2000\r\n123456\t123.45\t15/06/2000\r\n";
        const QStringList calculadas00{"12a4|Error: Referencia no válida.|", "123456|1234566|6"};
        const QStringList calculadas10{"123456|123.45|31/02/2000|Error: Fecha no válida.|", "123456|123.45|15/06/2000|12345646337268|46337268"};
        QTest::newRow("00 error, F2") << 0 << dos00 << 1 << 0 << false << "1345" << calculadas00 << QStringList{"1345||", calculadas00[1]};
        QTest::newRow("00 calculada, doble clic") << 0 << dos00 << 2 << 0 << true << "12345" << calculadas00 << QStringList{calculadas00[0], "12345||"};
        QTest::newRow("10 fecha, doble clic") << 10 << dos10 << 1 << 2 << true << "15/06/2000" << calculadas10
                                              << QStringList{"123456|123.45|15/06/2000||", calculadas10[1]};
        QTest::newRow("10 importe, F2") << 10 << dos10 << 2 << 1 << false << "0" << calculadas10
                                        << QStringList{calculadas10[0], "123456|0|15/06/2000||"};
        QTest::newRow("06 cuenta, F2") << 6 << QByteArray("890\t123\t4567\r\n") << 1 << 2 << false << "4568"
                                       << QStringList{"890|123|4567|89062|62"} << QStringList{"890|123|4568||"};
    }
    void edicionVaciaResultados() {
        QFETCH(int, codigo); QFETCH(QByteArray, entrada); QFETCH(int, fila); QFETCH(int, columna); QFETCH(bool, doble);
        QFETCH(QString, valor); QFETCH(QStringList, antes); QFETCH(QStringList, despues);
        const auto editar = [&] {
            const QPoint punto = g().visualRect(g().model()->index(fila - 1, columna)).center();
            QTest::mouseClick(g().viewport(), Qt::LeftButton, {}, punto);
            if (doble) QTest::mouseDClick(g().viewport(), Qt::LeftButton, {}, punto);
            else QTest::keyClick(&g(), Qt::Key_F2);
        };
        const auto guardado = [&](const QString& nombre) {  // through the window's store routine, read back
            w->GuardarResultados(ruta(nombre));
            return Leer(ruta(nombre));
        };
        const auto impreso = [&] {
            PresentacionPdf presentacion(ruta("informe.pdf"));
            QTest::mouseClick(c("cmdImprimir"), Qt::LeftButton);
            return TextoPdf(presentacion.ruta).join(u'\f');
        };
        calcular(codigo, entrada);
        QCOMPARE(filas(), antes);
        QVERIFY(guardado("antes.txt").size() > 0);
        QVERIFY(!sinGuardar());
        for (const QString& vacia : {QString(), QString("")}) {  // Cancel, then an empty answer
            if (!vacia.isNull()) dialogos->responderTexto(vacia);
            editar();
            QVERIFY(filas() == antes);
            QVERIFY(!sinGuardar());
        }
        const QString impresoAntes = impreso();
        dialogos->responderTexto(valor);
        editar();
        QCOMPARE(dialogos->peticiones().size(), std::size_t(3));
        QCOMPARE(filas(), despues);
        QVERIFY(sinGuardar());
        QVERIFY(c("cmdCalcular")->isEnabled());
        const QByteArray archivo = guardado("despues.txt");
        QByteArray esperado;
        for (const QString& f : despues)  // each cell tab-ended; "á" is the same byte in Windows-1252 as in Latin-1
            esperado += (QString(f).replace(u'|', u'\t') + "\t\r\n").toLatin1();
        QCOMPARE(archivo.mid(archivo.indexOf("Verif\r\n") + 7), esperado);  // after the header
        const QString impresoDespues = impreso();
        // The edited row's result before, as much of it as its printed column surely shows.
        const QString viejo = antes[fila - 1].section(u'|', -2, -2);
        QVERIFY2(impresoAntes.contains(viejo.left(12)), qPrintable(impresoAntes));
        QVERIFY2(!impresoDespues.contains(viejo.left(12)), qPrintable(impresoDespues));
        QVERIFY2(impresoDespues.contains(valor), qPrintable(impresoDespues));
    }

    // Over the algorithm list the wheel turns it only while the list has the focus; then a notch, like an
    // arrow key, is a pick with its questions. On a cell Enter and F2 edit as a double click does, the menu key
    // and Shift+F10 open the row menu, Tab leaves the grid; Enter presses a focused button.
    void teclado() {
        auto* lista = c<QComboBox>("cboAlgoritmo");
        const auto rueda = [&] {
            QWheelEvent muesca({5, 5}, lista->mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(lista, &muesca);
        };
        calcular(6, "890\t123\t4567\r\n r2\t1\t2\r\n");
        QVERIFY(Activar(*w));  // after the list's popup
        QTest::mouseClick(g().viewport(), Qt::LeftButton, {}, g().visualRect(g().model()->index(1, 0)).center());
        rueda();
        QVERIFY(g().hasFocus());
        QVERIFY(lista->currentData() == 6);
        QVERIFY(dialogos->cajas().empty());
        lista->setFocus();
        dialogos->responderCon(Respuesta::Si), dialogos->responderCon(Respuesta::Si);
        rueda();
        QTest::keyClick(lista, Qt::Key_Up);  // unscripted: No to losing the results, the choice taken back
        QCOMPARE(dialogos->textos(), QStringList({kSinSalvar, kMantener, kSinSalvar}));
        QVERIFY(lista->currentData() == 10);
        QVERIFY(filas() == QStringList({"890|123|4567||", " r2|1|2||"}));
        dialogos->responderTexto("nuevo");
        QTest::mouseClick(g().viewport(), Qt::LeftButton, {}, g().visualRect(g().model()->index(1, 0)).center());
        for (const Qt::Key tecla : {Qt::Key_Return, Qt::Key_F2, Qt::Key_Enter}) QTest::keyClick(&g(), tecla);
        QVERIFY(dialogos->peticiones().size() == 3);
        QVERIFY(dialogos->peticiones()[1].propuesta == "nuevo");
        QVERIFY(g().TextMatrix(2, 0) == "nuevo");
        auto* menu = c<QMenu>("mnuEditar");
        for (const auto& [tecla, mods] : {std::pair{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}}) {
            QTest::keyClick(&g(), tecla, mods);
            QTRY_VERIFY(menu->isVisible());
            QVERIFY(g().visualRect(g().currentIndex()).contains(g().viewport()->mapFromGlobal(menu->pos())));
            menu->hide();
        }
        QTest::keyClick(&g(), Qt::Key_Tab);
        QVERIFY(!g().hasFocus());
        QVERIFY(g().Row() == 2);
        QVERIFY(g().Col() == 0);
        AyudaSimulada ayuda;
        c("cmdAyuda")->setFocus();
        QTest::keyClick(c("cmdAyuda"), Qt::Key_Return);
        QCOMPARE(ayuda.peticiones.size(), std::size_t(1));
    }

    // Every control a user can act on is named by its own text (the grid's rows numbered in a header drawn
    // beside it, no column of its own); a menu popped up alone by its caption.
    void accesible() {
        const auto nombre = [](QObject* o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); };
        QStringList nombres;
        for (QWidget* control : w->findChildren<QWidget*>())
            if (control->focusPolicy() != Qt::NoFocus && control->isVisibleTo(w.get())) nombres << nombre(control);
        QVERIFY2(!nombres.contains(""), qPrintable(nombres.join(u',')));
        QVERIFY2(nombres.removeDuplicates() == 0, qPrintable(nombres.join(u',')));
        QVERIFY(nombres.contains("Algoritmo"));
        QVERIFY(nombres.contains("Registros"));
        QVERIFY(nombre(c<QMenu>("mnuEditar")) == "Edición");
        calcular(0, Lineas(2));
        QVERIFY(g().verticalHeader()->isVisible());
        QVERIFY(g().Cols() == 3);
        QVERIFY(g().model()->headerData(1, Qt::Vertical) == 2);
        QCOMPARE(nombre(c<QComboBox>("cboAlgoritmo")), "Algoritmo");  // an entry chosen, the list keeps its name
    }

    // Closing with results not stored asks first: No keeps the window, its rows and the main window disabled.
    void cerrar() {
        const std::tuple<int, bool, Respuesta, bool> casos[] = {  // how, unsaved, answer, closed
            {0, true, Respuesta::No, false}, {1, true, Respuesta::Si, true}, {2, true, Respuesta::No, false}, {2, false, Respuesta::No, true}};
        for (const auto& [como, sinGuardarAun, respuesta, cerrada] : casos) {
            QWidget principal;
            principal.setEnabled(false);
            w = std::make_unique<frmMasivo>(&principal), w->show();
            calcular(0, Lineas(1));
            if (!sinGuardarAun) w->GuardarResultados(ruta("r.txt"));
            dialogos->olvidar(), dialogos->responderCon(respuesta);
            if (como == 0) QTest::mouseClick(c("cmdCerrar"), Qt::LeftButton);
            if (como == 1) c<QAction>("mnuArchivoSalir")->trigger();
            if (como == 2) w->windowHandle()->close();  // the title bar's close box
            QCOMPARE(dialogos->textos(), sinGuardarAun ? QStringList{kSinSalvar} : QStringList{});
            QVERIFY(w->isVisible() != cerrada);
            QVERIFY(principal.isEnabled() == cerrada);
            QVERIFY(g().Rows() == 2);
            w.reset();
        }
    }

    // The report gets the titles, the algorithm's name and description, and the rows; the grid is as it
    // was afterwards. Each help order asks for its topic: 103 the window's, then the algorithm's.
    void informeYAyuda() {
        AyudaSimulada ayuda;
        QTest::mouseClick(c("cmdAyuda"), Qt::LeftButton);
        elegir(6);
        QVERIFY(cargar("890\t123\t4567\r\n"));
        PresentacionPdf presentacion(ruta("informe.pdf"));
        QTest::mouseClick(c("cmdImprimir"), Qt::LeftButton);
        const QString pagina = TextoPdf(presentacion.ruta).value(0);
        for (const QString parte : {"Reporte de Calculo Masivo de", "Dígitos Verificadores", "Sucursal", "4567", "Algoritmo utilizado en el calculo: Algoritmo Vorantis 06"})
            QVERIFY2(pagina.contains(parte), qPrintable(parte));
        QCOMPARE(c<Rejilla>("grdCriterios")->TextMatrix(1, 1), "Dígitos calculados : " + c<QLabel>("lblDigito")->text());
        QVERIFY(presentacion.veces == 1);
        QVERIFY(g().Cols() == 5);
        QTest::mouseClick(c("cmdAyuda"), Qt::LeftButton);
        for (const char* entrada : {"mnuAyudaContenido", "mnuAyudaUso", "mnuAyudaEdicion", "mnuAyudaDespliegue", "mnuAyudaCalculo"})
            c<QAction>(entrada)->trigger();
        QTest::keyClick(c<QComboBox>("cboAlgoritmo"), Qt::Key_F1);
        QStringList vistas;
        for (const PeticionAyuda& p : ayuda.peticiones)
            vistas << QString("%1 %2 %3").arg(QFileInfo(p.archivo).fileName()).arg(p.comando).arg(p.comando == kAyudaTema ? p.contexto : 0);
        QCOMPARE(vistas.join(u','), "Vaviviv.hlp 1 103,Vaviviv.hlp 1 6,Vaviviv.hlp 11 0,Vaviviv.hlp 4 0,Vaviviv.hlp 1 102,Vaviviv.hlp 1 103,Vaviviv.hlp 1 6,VaviviV.hlp 11 0");
    }

    // The report's menu entries are enabled with the print button, and the entry for the algorithm's help with
    // the help button; reached with the keyboard through the menu bar, each does what its button does: the
    // preview, the report printed without one (the grid as it was afterwards), the chosen algorithm's topic.
    void menusComoSusBotones() {
        AyudaSimulada ayuda;
        QVERIFY(Activar(*w));
        const auto porMenu = [&](Qt::Key menu, Qt::Key entrada) {  // Alt and the menu's letter, then the entry's
            QTest::keyClick(w.get(), menu, Qt::AltModifier);
            auto* abierto = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(abierto);
            QTest::keyClick(abierto, entrada);
            QTRY_VERIFY(!QApplication::activePopupWidget());
        };
        const auto temas = [&] {
            QList<int> vistos;
            for (const PeticionAyuda& p : ayuda.peticiones) vistos << p.comando * 1000 + p.contexto;
            return vistos;
        };
        const std::tuple<const char*, std::function<void()>, bool> pasos[] = {  // what is done, then the report's entries enabled
            {"al abrir", [] {}, false},
            {"algoritmo elegido", [&] { elegir(6); }, false},
            {"registros cargados", [&] { QVERIFY(cargar("890\t123\t4567\r\n")); }, true},
            {"calculados", [&] { QTest::mouseClick(c("cmdCalcular"), Qt::LeftButton); }, true},
            {"borrados al abrir", [&] { dialogos->responderCon(Respuesta::Si), c<QAction>("mnuArchivoAbrir")->trigger(), w->Explorador()->close(); }, false},
        };
        for (const auto& [paso, hacer, informe] : pasos) {
            hacer();
            QVERIFY2(c("cmdImprimir")->isEnabled() == informe, paso);
            QVERIFY2(c("cmdAyuda")->isEnabled(), paso);
            QVERIFY2(c<QAction>("mnuArchivoPreliminar")->isEnabled() == informe, paso);
            QVERIFY2(c<QAction>("mnuArchivoImprimir")->isEnabled() == informe, paso);
            QVERIFY2(c<QAction>("mnuAyudaCalculo")->isEnabled(), paso);
        }
        init();
        QVERIFY(Activar(*w));
        porMenu(Qt::Key_Y, Qt::Key_A);
        for (const int codigo : {37, 0, 6}) elegir(codigo), porMenu(Qt::Key_Y, Qt::Key_A);
        QCOMPARE(temas(), QList<int>({1103, 1037, 1100, 1006}));
        QVERIFY(cargar("890\t123\t4567\r\n"));
        QTest::mouseClick(c("cmdCalcular"), Qt::LeftButton);
        PresentacionPdf presentacion(ruta("informe.pdf"));
        const auto reporte = [&] {
            const QString paginas = TextoPdf(presentacion.ruta).join(u'\f');
            QFile::remove(presentacion.ruta);
            return paginas.contains("Reporte de Calculo Masivo de") && paginas.contains("89062") &&
                   paginas.contains("Algoritmo utilizado en el calculo: Algoritmo Vorantis 06") && g().Cols() == 5 && filas() == QStringList{"890|123|4567|89062|62"};
        };
        porMenu(Qt::Key_A, Qt::Key_E);
        QVERIFY(presentacion.veces == 1);
        QVERIFY(presentacion.impresas == 0);
        QVERIFY(reporte());
        porMenu(Qt::Key_A, Qt::Key_I);
        QVERIFY(presentacion.veces == 1);
        QVERIFY(presentacion.impresas == 1);
        QVERIFY(reporte());
        QVERIFY(dialogos->cajas().empty());
        QVERIFY(temas().size() == 4);
    }

    // The help menu, last on the menu bar, with its entries in order.
    void menuAyuda() { QCOMPARE(EntradasMenuAyuda(*w), MenuAyudaEsperado("Contenido de la A&yuda")); }

    // Storing with no algorithm chosen is refused in a box before the file explorer would ask for a name.
    void guardarSinAlgoritmo() {
        QVERIFY(Activar(*w));
        bool exploradorAbierto = false;
        dialogos->alMostrar = [&](const Caja&) { exploradorAbierto = w->Explorador() && w->Explorador()->isVisible(); };
        QTest::keyClick(w.get(), Qt::Key_A, Qt::AltModifier);
        auto* archivo = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(archivo);
        QVERIFY(archivo->objectName() == "mnuArchivo");
        QTest::keyClick(archivo, Qt::Key_G);
        QCOMPARE(dialogos->textos(), QStringList{"Debe seleccionar un Algoritmo de cálculo"});
        QVERIFY(dialogos->cajas()[0].icono == Icono::Critico);
        QVERIFY(!exploradorAbierto);
        QVERIFY(!w->Explorador());
    }

    // Every opening starts afresh, however the last one ended (a file picked then Cancel, Esc or the close box, a
    // file opened by a double click): the name box empty, the action off, the keyboard in the name box. In
    // storing mode one click on the action then asks nothing.
    void exploradorAbreVacio() {
        QVERIFY(archivos({{"a.txt", "7\r\n"}, {"b.txt", "8\r\n"}}));
        elegir(0);
        frmArchivo* e = nullptr;
        const auto control = [&](const char* nombre) { return x(nombre); };
        const auto clic = [&](const QString& texto, bool doble) { Pulsar(*x<ListaArchivos>("filArchivos"), texto, doble); };
        const QString fresca = "nombre «», acción apagada, foco en txtArchivo";
        const auto abrir = [&](bool almacenar) {  // how the dialog opens
            almacenar ? c<QAction>("mnuArchivoGuardar")->trigger() : QTest::mouseClick(c("cmdAbrir"), Qt::LeftButton);
            e = w->Explorador();
            if (!e || !QTest::qWaitForWindowActive(e)) return QString("sin activar");
            return QString("nombre «%1», acción %2, foco en %3").arg(qobject_cast<QLineEdit*>(control("txtArchivo"))->text(),
                control("cmdAlmacenar")->isEnabled() ? "encendida" : "apagada", QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "nada");
        };
        QCOMPARE(abrir(false), fresca);
        e->findChild<ListaCarpetas*>("dirLista")->setPath(carpeta->path());
        clic("b.txt", true);  // opens it; the next opening starts in its folder
        QVERIFY(!e->isVisible());
        QCOMPARE(filas(), QStringList{"8||"});
        const std::function<void()> salidas[] = {
            [&] { clic("b.txt", false), QTest::mouseClick(qobject_cast<QPushButton*>(control("cmdCancelar")), Qt::LeftButton); },
            [&] { clic("a.txt", false), QTest::keyClick(e, Qt::Key_Escape); },
            [&] { control("filArchivos")->setFocus(), QTest::keyClick(control("filArchivos"), Qt::Key_Down), e->windowHandle()->close(); },
            [&] { clic("a.txt", true); }};
        for (const bool almacenar : {false, true}) {
            for (const auto& salir : salidas) {
                QCOMPARE(abrir(almacenar), fresca);
                QCOMPARE(e->findChild<ListaArchivos*>("filArchivos")->count(), 2);  // the folder with the files
                salir();
                QVERIFY(!e->isVisible());
                QCOMPARE(abrir(almacenar), fresca);
                QTest::mouseClick(qobject_cast<QPushButton*>(control("cmdAlmacenar")), Qt::LeftButton);
                QVERIFY(e->isVisible());
                e->close();
            }
        }
        // Only the double click on a file asked.
        QCOMPARE(dialogos->textos().count("¿ El archivo ya existe, desea reescribirlo ?"), 1);
    }

    // The explorer by the keyboard and the wheel. A notch over the drive list without the focus changes nothing;
    // a screen reader hears the drive shown from the start. In the folder list the arrows move the highlight
    // alone: the files shown and the folder the action uses stay the open one until Enter opens the highlighted
    // folder. In the file list Enter on the highlighted file runs the action, as a double click does.
    void exploradorTeclado() {
        QVERIFY(archivos({{"sub/", {}}, {"a.txt", "7\r\n"}, {"b.txt", "9\r\n"}, {"sub/dentro.txt", "8\r\n"}}));
        elegir(0);
        QTest::mouseClick(c("cmdAbrir"), Qt::LeftButton);
        frmArchivo* e = w->Explorador();
        QVERIFY(QTest::qWaitForWindowActive(e));
        auto* unidades = e->findChild<QComboBox*>("driUnidad");
        auto* carpetas = e->findChild<ListaCarpetas*>("dirLista");
        auto* archivos = e->findChild<ListaArchivos*>("filArchivos");
        auto* nombre = e->findChild<QLineEdit*>("txtArchivo");
        const auto nombres = [&] { return Textos(*archivos); };

        QAccessibleInterface* lector = QAccessible::queryAccessibleInterface(unidades);
        QStringList oidas;  // the entries of the drop-down a reader finds selected
        for (int i = 0; i < lector->child(0)->childCount(); ++i)
            if (lector->child(0)->child(i)->state().selected) oidas << lector->child(0)->child(i)->text(QAccessible::Name);
        QVERIFY(!unidades->currentText().isEmpty());
        QVERIFY(lector->text(QAccessible::Name) == "Unidad");
        QCOMPARE(oidas, QStringList{unidades->currentText()});
        QCOMPARE(lector->text(QAccessible::Value), unidades->currentText());

        unidades->addItem("otra", ruta("otra"));  // a second drive, not there
        QTest::keyClicks(nombre, "x.txt");
        for (const int muesca : {-120, 120}) {
            QWheelEvent rueda({5, 5}, unidades->mapToGlobal(QPointF(5, 5)), {}, {0, muesca}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(unidades, &rueda);
            QVERIFY(unidades->currentIndex() == 0);
            QVERIFY(nombre->text() == "x.txt");
            QVERIFY(dialogos->cajas().empty());
        }

        carpetas->setPath(carpeta->path());
        carpetas->setFocus();
        QTest::keyClick(carpetas, Qt::Key_Down);  // onto "sub"
        QCOMPARE(carpetas->currentItem()->text(), "sub");
        QCOMPARE(carpetas->Path(), carpeta->path());
        QCOMPARE(nombres(), QStringList({"a.txt", "b.txt"}));
        archivos->setFocus();  // the first file highlighted, none picked
        QVERIFY(nombre->text().isEmpty());
        QTest::keyClick(archivos, Qt::Key_Down);
        QCOMPARE(nombre->text(), "b.txt");
        QTest::keyClick(archivos, Qt::Key_Return);
        QVERIFY(!e->isVisible());
        QVERIFY(filas() == QStringList{"9||"});
        QVERIFY(dialogos->textos() == QStringList{"Archivo cargado Exitosamente !!!"});

        QTest::mouseClick(c("cmdAbrir"), Qt::LeftButton);  // unscripted: the rows go
        QVERIFY(QTest::qWaitForWindowActive(e));
        QCOMPARE(carpetas->Path(), carpeta->path());
        carpetas->setFocus();
        QTest::keyClick(carpetas, Qt::Key_Down);
        QTest::keyClick(carpetas, Qt::Key_Return);
        QVERIFY(carpetas->Path() == ruta("sub"));
        QVERIFY(nombres() == QStringList{"dentro.txt"});
        QTest::keyClick(carpetas, Qt::Key_Up);  // the highlight on the folder above: still "sub" shown and used
        QCOMPARE(carpetas->Path(), ruta("sub"));
        QCOMPARE(nombres(), QStringList{"dentro.txt"});
        archivos->setFocus();  // Enter on the file highlighted, not yet picked
        QTest::keyClick(archivos, Qt::Key_Enter);
        QVERIFY(!e->isVisible());
        QVERIFY(filas() == QStringList{"8||"});
    }

    // Where the explorer opens: the folder of the last file loaded or stored, in this run or an earlier one,
    // while it is there; else the process's folder, unless no file can be stored there (a launcher starting the
    // program in "/" or in its own folder), then the user's home.
    void exploradorEmpieza_data() {
        QTest::addColumn<bool>("usada");           // a file was loaded from "usada" before
        QTest::addColumn<bool>("usadaSigue");      // and that folder is still there
        QTest::addColumn<QString>("delProceso");   // the process's current folder
        QTest::addColumn<QString>("esperada");
        QTest::newRow("la del proceso") << false << false << "trabajo" << "trabajo";
        QTest::newRow("la personal, el proceso donde no se escribe") << false << false << "solo_lectura" << "casa";
        QTest::newRow("la última usada") << true << true << "trabajo" << "usada";
        QTest::newRow("la última usada, el proceso donde no se escribe") << true << true << "solo_lectura" << "usada";
        QTest::newRow("la del proceso, la última ya no está") << true << false << "trabajo" << "trabajo";
        QTest::newRow("la personal, la última ya no está") << true << false << "solo_lectura" << "casa";
    }
    void exploradorEmpieza() {
        QFETCH(bool, usada); QFETCH(bool, usadaSigue); QFETCH(QString, delProceso); QFETCH(QString, esperada);
        for (const char* sub : {"usada", "trabajo", "solo_lectura", "casa"}) QVERIFY(QDir(carpeta->path()).mkdir(sub));
        QVERIFY(QFile::setPermissions(ruta("solo_lectura"), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        const QString antes = QDir::currentPath();
        const QByteArray casa = qgetenv("HOME");
        const auto restaurar = qScopeGuard([&] { QDir::setCurrent(antes), qputenv("HOME", casa); });
        qputenv("HOME", QFile::encodeName(ruta("casa")));
        elegir(0);
        if (usada) {
            QVERIFY(Escribir(ruta("usada/a.txt"), "7\r\n"));
            QTest::mouseClick(c("cmdAbrir"), Qt::LeftButton);
            teclearNombre(ruta("usada/a.txt"));
            QCOMPARE(filas(), QStringList{"7||"});
            QVERIFY(!w->Explorador()->isVisible());
            QSettings().sync();
            QVERIFY(Leer(QSettings().fileName()).contains(QFile::encodeName(ruta("usada"))));  // where a later run reads it
            if (!usadaSigue) QVERIFY(QDir(ruta("usada")).removeRecursively());
        }
        abrirOtraVez();
        elegir(0);
        QVERIFY(QDir::setCurrent(ruta(delProceso)));
        {
            const prueba::SinSaltarPermisos comoUnUsuario;
            QTest::mouseClick(c("cmdAbrir"), Qt::LeftButton);
        }
        QCOMPARE(x<ListaCarpetas>("dirLista")->Path(), ruta(esperada));
        QCOMPARE(x<ListaArchivos>("filArchivos")->Path(), ruta(esperada));
    }

    // The window opens where it was closed, kept whole inside the screen's free area.
    void posicionRecordada_data() {
        QTest::addColumn<QPoint>("desde");  // from the free area's top left corner
        QTest::addColumn<QString>("esperada");
        const QRect libre = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::newRow("dentro") << QPoint(10, 20) << "donde se dejó";
        QTest::newRow("fuera, arriba a la izquierda") << QPoint(-4000, -3000) << "esquina superior izquierda";
        QTest::newRow("fuera, abajo a la derecha") << QPoint(libre.width(), libre.height()) << "esquina inferior derecha";
    }
    void posicionRecordada() {
        QFETCH(QPoint, desde); QFETCH(QString, esperada);
        const QRect libre = w->screen()->availableGeometry();
        w->move(libre.topLeft() + desde);
        w->windowHandle()->close();  // the title bar's close box
        abrirOtraVez();
        const QRect marco = w->frameGeometry();
        const QPoint esquina = esperada == "donde se dejó" ? libre.topLeft() + desde
                               : esperada == "esquina superior izquierda" ? libre.topLeft()
                                                                           : libre.bottomRight() - QPoint(marco.width(), marco.height()) + QPoint(1, 1);
        QCOMPARE(marco.topLeft(), esquina);
    }

    // Files given to the program wait for an algorithm, the keyboard in its list. Then each is loaded in turn as
    // the open command loads one, with its question; one that cannot be read is said as that command says it.
    void abrirAlElegir() {
        QVERIFY(archivos({{"a.txt", "1\r\n2\r\n"}, {"b.txt", "3\r\n"}}));
        QVERIFY(Activar(*w));
        w->AbrirAlElegir({ruta("a.txt"), ruta("falta.txt"), ruta("b.txt")});
        QCOMPARE(g().Rows(), 1);
        QVERIFY(dialogos->cajas().empty());
        QCOMPARE(QApplication::focusWidget(), c<QComboBox>("cboAlgoritmo"));
        for (const Respuesta r : {Respuesta::Aceptar, Respuesta::Si, Respuesta::Aceptar, Respuesta::No}) dialogos->responderCon(r);  // a's rows kept, then let go
        elegir(0);
        const QString cargado = "Archivo cargado Exitosamente !!!";
        QCOMPARE(dialogos->textos().size(), 5);
        QCOMPARE(dialogos->textos().mid(0, 2), QStringList({cargado, kMantener}));
        QCOMPARE(dialogos->textos().mid(3), QStringList({kMantener, cargado}));
        QCOMPARE(filas(), QStringList{"3||"});
        const QString faltaAlElegir = dialogos->textos()[2];
        QTest::mouseClick(c("cmdAbrir"), Qt::LeftButton);
        teclearNombre(ruta("falta.txt"));
        QCOMPARE(dialogos->textos().last(), faltaAlElegir);
        QVERIFY(dialogos->cajas().back().icono == dialogos->cajas()[2].icono);
        elegir(3);  // nothing waits any more
        QCOMPARE(dialogos->textos().count(cargado), 2);
    }

    // Ctrl+C copies what is selected (the rectangle of its rows and columns, results included, a cell
    // in it not selected left empty), or the current row when nothing is: tab-separated, each line
    // ending in CR LF. A cell that would split on pasting is quoted.
    void copiar() {
        calcular(6, "890\t123\t4567\r\n1\t2\t3\r\n7\t8\t9\r\n");
        g().setTextMatrix(3, 1, "a\tb \"c\"");
        QVERIFY(Activar(*w));
        const auto ctrlC = [&] { QGuiApplication::clipboard()->clear(), QTest::keyClick(&g(), Qt::Key_C, Qt::ControlModifier); };
        pulsar(1, 3);
        ctrlC();
        QCOMPARE(portapapeles(), "89062\r\n");
        pulsar(2, 4, Qt::ShiftModifier);
        ctrlC();
        QCOMPARE(portapapeles(), "89062\t62\r\n171\t71\r\n");
        pulsar(1, 0);
        pulsar(3, 4, Qt::ShiftModifier);
        ctrlC();
        QCOMPARE(portapapeles(), "890\t123\t4567\t89062\t62\r\n1\t2\t3\t171\t71\r\n7\t\"a\tb \"\"c\"\"\"\t9\t784\t84\r\n");
        pulsar(1, 0);
        pulsar(3, 2, Qt::ControlModifier);
        ctrlC();
        QCOMPARE(portapapeles(), "890\t\r\n\t9\r\n");
        pulsar(1, 0, Qt::ControlModifier);
        pulsar(3, 2, Qt::ControlModifier);  // nothing selected: the current row
        QVERIFY(g().selectionModel()->selectedIndexes().isEmpty());
        ctrlC();
        QCOMPARE(portapapeles(), "7\t\"a\tb \"\"c\"\"\"\t9\t784\t84\r\n");
        // The menu entry, through its letter, and the row menu do the same.
        pulsar(1, 3);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(w.get(), Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_C);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(portapapeles(), "89062\r\n");
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(g().viewport(), Qt::RightButton, {}, centro(1, 0));
        QTRY_VERIFY(c<QMenu>("mnuEditar")->isVisible());
        QTest::keyClick(c<QMenu>("mnuEditar"), Qt::Key_C);
        QTRY_VERIFY(!c<QMenu>("mnuEditar")->isVisible());
        QCOMPARE(portapapeles(), "890\r\n");
        QVERIFY(dialogos->cajas().empty());
    }

    // Ctrl+V inserts the clipboard's lines before the current row, split as an input file's lines
    // (first three fields, CR LF, CR or LF, a final line end adding nothing); the marker goes on.
    void pegar_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("fila");
        QTest::addColumn<QStringList>("esperadas");
        QTest::newRow("al principio") << "a\t1\t2\r\nb\r\n" << 1 << QStringList{"a|1|2||", "b||||", "x||||", "y||||"};
        QTest::newRow("en medio") << "a\t1\t2\r\nb" << 2 << QStringList{"x||||", "a|1|2||", "b||||", "y||||"};
        QTest::newRow("en el último") << "a\nb\rc\r\n" << 2 << QStringList{"x||||", "a||||", "b||||", "c||||", "y||||"};
        QTest::newRow("campos de más") << "a\t1\t2\t3\t4\r\n" << 1 << QStringList{"a|1|2||", "x||||", "y||||"};
        QTest::newRow("celdas vacías") << "\t\t5\r\n\r\n" << 2 << QStringList{"x||||", "||5||", "||||", "y||||"};
        QTest::newRow("sin recortar, con acentos") << " ñ \t€\r\n" << 1 << QStringList{" ñ |€|||", "x||||", "y||||"};
    }
    void pegar() {
        QFETCH(QString, texto);
        QFETCH(int, fila);
        QFETCH(QStringList, esperadas);
        elegir(6);
        QVERIFY(cargar("x\r\ny\r\n"));
        QVERIFY(!sinGuardar());
        QGuiApplication::clipboard()->setText(texto);
        QVERIFY(Activar(*w));
        pulsar(fila, 0);
        QTest::keyClick(&g(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(filas(), esperadas);
        QVERIFY(sinGuardar());
        QVERIFY(c("cmdCalcular")->isEnabled());
        QCOMPARE(g().Row(), fila);
        QVERIFY(dialogos->cajas().empty());
    }

    // An empty grid takes the pasted rows as its first; past 30,000 rows in the grid the rest is left
    // out and said; a full grid takes none, pasted or inserted. Nothing pastes without an algorithm, from an empty clipboard,
    // or from text with a line too long (said, nothing inserted).
    void pegarTope() {
        QGuiApplication::clipboard()->setText("1\r\n");
        c<QAction>("mnuEditarPegar")->trigger();
        QCOMPARE(dialogos->textos(), QStringList{"Debe seleccionar un Algoritmo de cálculo"});
        elegir(0);
        QVERIFY(g().Rows() == 1);
        QGuiApplication::clipboard()->setText("1\r\n2");
        c<QAction>("mnuEditarPegar")->trigger();
        QCOMPARE(filas(), QStringList({"1||", "2||"}));
        QVERIFY(sinGuardar());
        QVERIFY(c("cmdImprimir")->isEnabled());
        QCOMPARE(g().Row(), 1);
        QGuiApplication::clipboard()->setText(QString());
        c<QAction>("mnuEditarPegar")->trigger();
        QCOMPARE(dialogos->textos().mid(1), QStringList{"El portapapeles no contiene texto para pegar."});
        QGuiApplication::clipboard()->setText("3\r\n" + QString(kLineaMaxima + 1, u'x'));
        c<QAction>("mnuEditarPegar")->trigger();
        QVERIFY(dialogos->textos()[2].startsWith("La línea 2"));
        QVERIFY(dialogos->cajas()[2].icono == Icono::Critico);
        QVERIFY(g().Rows() == 3);
        QVERIFY(cargar(Lineas(kMaximoRegistros - 5)));
        dialogos->olvidar();
        QGuiApplication::clipboard()->setText(QString::fromLatin1(Lineas(7, "p")));
        c<QAction>("mnuEditarPegar")->trigger();
        QVERIFY(g().Rows() - 1 == kMaximoRegistros);
        // Before the current (last) row: three of seven fit.
        QCOMPARE(QStringList({g().TextMatrix(g().Rows() - 5, 0), g().TextMatrix(g().Rows() - 4, 0), g().TextMatrix(g().Rows() - 2, 0), g().TextMatrix(g().Rows() - 1, 0)}),
                 QStringList({"123456", "p", "p", "123456"}));
        QCOMPARE(dialogos->textos(), QStringList{"No se pegaron 4 renglones: la tabla admite hasta 30,000 Registros."});
        QGuiApplication::clipboard()->setText("q\r\nr\r\n");
        c<QAction>("mnuEditarPegar")->trigger();
        QVERIFY(g().Rows() - 1 == kMaximoRegistros);
        QCOMPARE(dialogos->textos().mid(1), QStringList{"No se pegaron 2 renglones: la tabla admite hasta 30,000 Registros."});
        QVERIFY(dialogos->cajas()[1].icono == Icono::Informacion);
        c<QAction>("mnuEditarInsertar")->trigger();  // nor a row inserted by hand
        QCOMPARE(g().Rows() - 1, kMaximoRegistros);
    }

    // Copying rows and pasting them gives the same input cells, the grid's reader splitting what it wrote.
    void copiarYPegar() {
        calcular(10, "12\t1.234,5\t01/02/2010\r\n0000123\t\t\r\n");
        const QStringList antes = filas();
        pulsar(1, 0);
        pulsar(2, 2, Qt::ShiftModifier);
        c<QAction>("mnuEditarCopiar")->trigger();
        pulsar(1, 0);
        c<QAction>("mnuEditarPegar")->trigger();
        QCOMPARE(filas().mid(0, 2), QStringList({"12|1.234,5|01/02/2010||", "0000123||||"}));
        QCOMPARE(filas().mid(2), antes);
    }

    // The entries read as their captions, with their keys shown beside them.
    void menuEdicion() {
        QStringList entradas;
        for (QAction* a : c<QMenu>("mnuEditar")->actions())
            if (!a->isSeparator()) entradas << a->text() + u' ' + a->shortcut().toString(QKeySequence::PortableText);
        QCOMPARE(entradas, QStringList({"&Insertar un Renglon ", "&Eliminar un Renglon ", "&Copiar Ctrl+C", "&Pegar Ctrl+V"}));
        QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(c<QMenu>("mnuEditar"));
        const auto nombre = [&](QAction* a) {
            QAccessibleInterface* entrada = menu->child(int(c<QMenu>("mnuEditar")->actions().indexOf(a)));
            return entrada->text(QAccessible::Name) + u'|' + entrada->text(QAccessible::Accelerator);
        };
        QCOMPARE(nombre(c<QAction>("mnuEditarCopiar")), "Copiar|Ctrl+C");
        QCOMPARE(nombre(c<QAction>("mnuEditarPegar")), "Pegar|Ctrl+V");
    }

    // Input files dropped on the window open as the open command opens them, each in turn after the same
    // question; anything else is refused with a message, first.
    void soltarArchivos() {
        QVERIFY(archivos({{"a.txt", "1\r\n2\r\n"}, {"b.ASC", "3\r\n"}, {"c.png", "x"}, {"d.txt/", {}}}));
        elegir(0);
        QVERIFY(cargar("9\r\n"));
        QMimeData datos;
        datos.setUrls({QUrl::fromLocalFile(ruta("a.txt")), QUrl::fromLocalFile(ruta("c.png")), QUrl::fromLocalFile(ruta("b.ASC")),
                       QUrl::fromLocalFile(ruta("d.txt")), QUrl("https://example.org/e.txt")});
        for (const Respuesta r : {Respuesta::Aceptar, Respuesta::Si, Respuesta::Aceptar, Respuesta::Si}) dialogos->responderCon(r);
        soltar(datos);
        QVERIFY(dialogos->cajas().empty());  // not while the drop is under way
        const QString cargado = "Archivo cargado Exitosamente !!!";
        QTRY_COMPARE(dialogos->textos().size(), 5);
        QCOMPARE(dialogos->textos(), QStringList({"Solo se pueden abrir archivos de texto (*.txt;*.asc;*.csv).\nNo se abre: c.png, d.txt, https://example.org/e.txt",
                                                  kMantener, cargado, kMantener, cargado}));
        QVERIFY(dialogos->cajas()[0].icono == Icono::Exclamacion);
        QCOMPARE(filas(), QStringList({"9||", "1||", "2||", "3||"}));
        dialogos->olvidar();
        QMimeData texto;
        texto.setText("1\t2\r\n");
        soltar(texto);
        QTRY_COMPARE(dialogos->textos(), QStringList{"Solo se pueden abrir archivos de texto (*.txt;*.asc;*.csv)."});
        QVERIFY(g().Rows() == 5);
    }

    // Dropped before an algorithm is chosen, the files wait for one, as files given to the program do.
    void soltarSinAlgoritmo() {
        QVERIFY(Escribir(ruta("a.txt"), "1\r\n"));
        QMimeData datos;
        datos.setUrls({QUrl::fromLocalFile(ruta("a.txt"))});
        soltar(datos);
        QTest::qWait(0);
        QCoreApplication::processEvents();
        QCOMPARE(g().Rows(), 1);
        QVERIFY(dialogos->cajas().empty());
        elegir(3);
        QCOMPARE(dialogos->textos(), QStringList{"Archivo cargado Exitosamente !!!"});
        QCOMPARE(filas(), QStringList{"1||"});
    }

    // The window and the explorer keep their size: their title bars offer no maximise button, the window its
    // minimise one, the explorer (a dialog) none.
    void tamanoFijo() {
        elegir(0);
        QTest::mouseClick(c("cmdAbrir"), Qt::LeftButton);
        ComprobarTamanoFijo(*w, true);
        ComprobarTamanoFijo(*w->Explorador(), false);
        QCOMPARE(w->Explorador()->windowType(), Qt::Dialog);
    }

    // Qt's own cell edit box shows its whole title: in a title bar as the style lays one out (the window's picture,
    // minimise, maximise and close) as wide as the box, the title in the bar's letter, bold as most window
    // managers draw it, fits the label's room.
    void cajaEdicionConTitulo() {
        elegir(0);
        QVERIFY(cargar("1\r\n"));
        Dialogos* simulados = InstalarDialogos(nullptr);
        QString titulo;
        int ancho = 0, necesario = 0;
        QTimer::singleShot(0, [&] {  // once the box's own event loop runs
            auto* caja = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!caja) return;
            QStyleOptionTitleBar barra;
            barra.initFrom(caja);
            barra.rect = QRect(0, 0, caja->width(), caja->style()->pixelMetric(QStyle::PM_TitleBarHeight, &barra, caja));
            barra.titleBarFlags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
            barra.subControls = QStyle::SC_All;
            ancho = caja->style()->subControlRect(QStyle::CC_TitleBar, &barra, QStyle::SC_TitleBarLabel, caja).width();
            QFont letra = QApplication::font("QMdiSubWindowTitleBar");
            letra.setBold(true);
            titulo = caja->windowTitle();
            necesario = QFontMetrics(letra).horizontalAdvance(titulo);
            caja->reject();
        });
        g().setRowCol(1, 0);
        QTest::keyClick(&g(), Qt::Key_F2);
        InstalarDialogos(simulados);
        QCOMPARE(titulo, "KIV- Dígito Verificador.");
        QVERIFY2(ancho >= necesario, qPrintable(QString("%1 < %2").arg(ancho).arg(necesario)));
    }

    // The explorer's action wants a name: blanks typed alone, or left after the name is erased, keep its button
    // disabled and Enter in the name box runs nothing; a name among blanks enables it, and Enter loads that file.
    void exploradorNombreEnBlanco() {
        QVERIFY(Escribir(ruta("a.txt"), "7\r\n"));
        elegir(0);
        QTest::mouseClick(c("cmdAbrir"), Qt::LeftButton);
        frmArchivo* e = w->Explorador();
        e->findChild<ListaCarpetas*>("dirLista")->setPath(carpeta->path());
        auto* nombre = e->findChild<QLineEdit*>("txtArchivo");
        auto* accion = e->findChild<QPushButton*>("cmdAlmacenar");
        QVERIFY(nombre->text().isEmpty());
        QVERIFY(!accion->isEnabled());
        QVERIFY(accion->text() == kModoAbrir);
        for (int i = 1; i <= 3; ++i) {
            QTest::keyClick(nombre, Qt::Key_Space);
            QVERIFY(nombre->text() == QString(i, u' '));
            QVERIFY(!accion->isEnabled());
        }
        QTest::keyClick(nombre, Qt::Key_Return);
        QVERIFY(e->isVisible());
        QVERIFY(g().Rows() == 1);
        QVERIFY(dialogos->cajas().empty());
        QTest::keyClick(nombre, Qt::Key_A);
        QVERIFY(accion->isEnabled());
        QTest::keyClick(nombre, Qt::Key_Backspace);
        QVERIFY(nombre->text() == "   ");
        QVERIFY(!accion->isEnabled());
        QTest::keyClicks(nombre, "a.txt ");
        QVERIFY(nombre->text() == "   a.txt ");
        QVERIFY(accion->isEnabled());
        QTest::keyClick(nombre, Qt::Key_Return);
        QVERIFY(!e->isVisible());
        QVERIFY(filas() == QStringList{"7||"});
        QCOMPARE(dialogos->textos(), QStringList{"Archivo cargado Exitosamente !!!"});
    }

    // The open menu entry's No to unsaved results opens nothing; the open button asks, then opens the explorer
    // anyway, later where the last file was. A screen reader finds a dialog
    // and a name for each control. There drive, folder and file lists follow each other, files under
    // *.txt;*.asc;*.csv, folders found by their first letters; a drive that cannot be read is said, and Retry lists
    // it once it answers. Each mode runs its routine: Enter in the name box loads a typed full path, blanks
    // around it dropped; a double click stores under the file's own name, blanks and all (the store entry
    // turns the same explorer to storing); Enter on Cancel runs nothing. Closing, the results stored, asks nothing.
    void explorador() {
        QVERIFY(archivos({{"sub/", {}}, {"a.txt", "7\r\n"}, {"B.TXT", "7\r\n"}, {" c.asc", "7\r\n"}, {"d.csv", "7\r\n"}, {".oculto.txt", "7\r\n"},
                          {"sub/dentro.txt", "7\r\n"}}));
        calcular(0, "123456\r\n");
        c<QAction>("mnuArchivoAbrir")->trigger();  // unscripted: No
        QVERIFY(!w->Explorador());
        QCOMPARE(g().Rows(), 2);
        QTest::mouseClick(c("cmdAbrir"), Qt::LeftButton);
        frmArchivo* e = w->Explorador();
        auto* carpetas = e->findChild<ListaCarpetas*>("dirLista");
        auto* archivos = e->findChild<ListaArchivos*>("filArchivos");
        auto* nombre = e->findChild<QLineEdit*>("txtArchivo");
        QStringList leidos{QString::number(QAccessible::queryAccessibleInterface(e)->role())};
        for (const char* control : {"driUnidad", "dirLista", "filArchivos", "txtArchivo", "cmdAlmacenar", "cmdCancelar"})
            leidos << QAccessible::queryAccessibleInterface(e->findChild<QWidget*>(control))->text(QAccessible::Name);
        QCOMPARE(leidos, QStringList({QString::number(QAccessible::Dialog), "Unidad", "Carpetas", "Archivos", "Archivo :", "Abrir", "Cancelar"}));
        const auto nombres = [&] { return Textos(*archivos); };
        auto* unidades = e->findChild<QComboBox*>("driUnidad");
        unidades->addItem("otra", ruta("unidad"));
        dialogos->responderCon(Respuesta::Reintentar);
        dialogos->alMostrar = [&](const Caja& caja) { if (caja.botones == Botones::ReintentarCancelar) QDir().mkpath(ruta("unidad")); };
        unidades->setCurrentIndex(unidades->count() - 1);
        QCOMPARE(dialogos->textos(), QStringList({kSinSalvar, kSinSalvar, QString("Error: %1 %2").arg(ENOENT).arg(qt_error_string(ENOENT))}));
        QVERIFY(dialogos->cajas()[2].botones == Botones::ReintentarCancelar);
        QVERIFY(carpetas->Path() == ruta("unidad"));
        QVERIFY(nombres().isEmpty());
        carpetas->setPath(carpeta->path());
        QCOMPARE(nombres(), QStringList({" c.asc", "a.txt", "B.TXT", "d.csv", "entrada.txt"}));
        Pulsar(*archivos, "B.TXT");
        QCOMPARE(nombre->text(), "B.TXT");
        QTest::keyClicks(carpetas, "su");
        QTest::keyClick(carpetas, Qt::Key_Return);
        QVERIFY(nombre->text().isEmpty());
        QVERIFY(nombres() == QStringList{"dentro.txt"});
        QTest::keyClicks(nombre, " " + ruta("a.txt") + " ");
        QTest::keyClick(nombre, Qt::Key_Return);
        QVERIFY(!e->isVisible());
        QVERIFY(filas() == QStringList({"123456|1234566|6", "7||"}));
        QVERIFY(dialogos->textos().last() == "Archivo cargado Exitosamente !!!");
        c<QAction>("mnuArchivoGuardar")->trigger();
        QVERIFY(w->Explorador() == e);
        QVERIFY(e->findChild<QPushButton*>("cmdAlmacenar")->text() == kModoAlmacenar);
        QCOMPARE(carpetas->Path(), carpeta->path());
        dialogos->responderCon(Respuesta::Si);  // overwrite
        Pulsar(*archivos, " c.asc", true);
        QVERIFY(!e->isVisible());
        QVERIFY(Leer(ruta(" c.asc")).endsWith("\r\n123456\t1234566\t6\t\r\n7\t\t\t\r\n"));
        QVERIFY(dialogos->textos().last() == kAlmacenado);
        dialogos->olvidar();
        QTest::mouseClick(c("cmdAbrir"), Qt::LeftButton);  // unscripted: the rows go
        nombre->setText("a.txt");
        QTest::keyClick(e->findChild<QPushButton*>("cmdCancelar"), Qt::Key_Return);
        QVERIFY(!e->isVisible());
        QVERIFY(g().Rows() == 1);
        QVERIFY(dialogos->textos() == QStringList{kMantener});
        QTest::mouseClick(c("cmdCalcular"), Qt::LeftButton);
        QTest::mouseClick(c("cmdCerrar"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QVERIFY(dialogos->cajas().size() == 1);
    }
};

QTEST_MAIN(PruebaMasivo)
#include "frmMasivo_test.moc"
