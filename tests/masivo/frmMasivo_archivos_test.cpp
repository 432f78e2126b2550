// Loading the input file into frmMasivo and storing the results file: fields
// and rows, the 30,000-record cap, files that cannot be read, the header and
// bytes of the results file, the overwrite question, failed stores, the
// marker, and the same file as vaviviv-cli masivo.

#include "masivo_prueba.h"

#include "archivo/listas_archivo.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <csignal>
#include <sys/resource.h>

using namespace vaviviv;
using vaviviv::prueba::EscribirArchivo;
using vaviviv::prueba::LeerArchivo;
using vaviviv::prueba::Lineas;
using vaviviv::prueba::VentanaMasiva;

namespace {

const QString kCargado = QStringLiteral("Archivo cargado Exitosamente !!!");
const QString kRecortado = QStringLiteral("El Archivo es demasiado grande, fue recortado a: 30,000 Registros");
const QString kAlmacenado = QStringLiteral("Archivo Almacenado exitosamente !!!");
const QString kExiste = QString::fromUtf8("¿ El archivo ya existe, desea reescribirlo ?");
const QString kSinAlgoritmo = QString::fromUtf8("Debe seleccionar un Algoritmo de cálculo");
const QString kTituloArchivo = QStringLiteral("KIV- Digito verificador.");

using Filas = QList<QStringList>;

// Lowers the largest file this process may write, so that a store fails the
// way a full disk makes it fail; restored on destruction.
class LimiteDeTamano {
public:
    explicit LimiteDeTamano(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &antes_);
        rlimit nuevo = antes_;
        nuevo.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &nuevo);
    }
    ~LimiteDeTamano() { levantar(); }
    void levantar() { setrlimit(RLIMIT_FSIZE, &antes_); }

private:
    rlimit antes_{};
};

QByteArray Cp1252(const char* utf8) {
    QByteArray bytes;
    for (QChar c : QString::fromUtf8(utf8)) bytes.append(char(c.unicode() & 0xFF));
    return bytes;
}

}  // namespace

class PruebaArchivosMasivo : public QObject {
    Q_OBJECT

    std::unique_ptr<VentanaMasiva> v;

    // The file explorer as the user drives it: folder, name, the action.
    void confirmarEnExplorador(const QString& nombre) {
        frmArchivo* explorador = v->ventana().Explorador();
        QVERIFY(explorador && explorador->isVisible());
        explorador->findChild<ListaCarpetas*>("dirLista")->setPath(QFileInfo(v->ruta(nombre)).absolutePath());
        auto* nombreArchivo = explorador->findChild<QLineEdit*>("txtArchivo");
        nombreArchivo->setText(nombre);
        explorador->findChild<QPushButton*>("cmdAlmacenar")->click();
        QVERIFY(!explorador->isVisible());
    }

private slots:
    void init() { v = std::make_unique<VentanaMasiva>(); }
    void cleanup() { v.reset(); }

    void campos_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<Filas>("filas");
        QTest::newRow("06 tabuladores") << 6 << QByteArray("890\t123\t4567\r\n") << Filas{{"890", "123", "4567", "", ""}};
        QTest::newRow("06 sucursal vacía") << 6 << QByteArray("890\t\t4567\r\n") << Filas{{"890", "", "4567", "", ""}};
        QTest::newRow("10 faltan campos") << 10 << QByteArray("1\r\n2\t5\r\n") << Filas{{"1", "", "", "", ""}, {"2", "5", "", "", ""}};
        QTest::newRow("10 campos de más") << 10 << QByteArray("1\t2\t3\t4\t5\r\n") << Filas{{"1", "2", "3", "", ""}};
        // The second and third fields land in the result columns until calculated.
        QTest::newRow("00 tres campos") << 0 << QByteArray("1\tx\ty\r\n") << Filas{{"1", "x", "y"}};
        QTest::newRow("00 tabulador final") << 0 << QByteArray("123\t\r\n") << Filas{{"123", "", ""}};
        QTest::newRow("00 línea vacía") << 0 << QByteArray("1\r\n\r\n2\r\n") << Filas{{"1", "", ""}, {"", "", ""}, {"2", "", ""}};
        QTest::newRow("00 solo blancos") << 0 << QByteArray("   \r\n") << Filas{{"   ", "", ""}};
        QTest::newRow("00 sin fin de línea") << 0 << QByteArray("1\r\n2") << Filas{{"1", "", ""}, {"2", "", ""}};
        QTest::newRow("00 CR solo") << 0 << QByteArray("1\r2\r") << Filas{{"1", "", ""}, {"2", "", ""}};
        QTest::newRow("00 vacío") << 0 << QByteArray() << Filas{};
        QTest::newRow("35 Windows-1252") << 35 << Cp1252("AÑO\tÍ\r\n") << Filas{{QString::fromUtf8("AÑO"), QString::fromUtf8("Í"), ""}};
        QTest::newRow("00 texto exacto") << 0 << QByteArray(" a B \r\n") << Filas{{" a B ", "", ""}};
    }

    void campos() {
        QFETCH(int, codigo);
        QFETCH(QByteArray, contenido);
        QFETCH(Filas, filas);
        v->elegir(codigo);
        QVERIFY(v->cargar(contenido));
        QCOMPARE(v->filas(), filas);
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(0));
        QVERIFY(!v->sinGuardar());  // loading does not touch the marker
        QCOMPARE(v->boton("cmdCalcular")->isEnabled(), !filas.isEmpty());
        QCOMPARE(v->boton("cmdImprimir")->isEnabled(), !filas.isEmpty());
        if (!filas.isEmpty()) QCOMPARE(v->rejilla().Row(), filas.size());
    }

    void tope_data() {
        QTest::addColumn<int>("lineas");
        QTest::addColumn<int>("cargadas");
        QTest::addColumn<bool>("aviso");
        QTest::newRow("30000") << 30000 << 30000 << false;
        QTest::newRow("30001") << 30001 << 30000 << true;
        QTest::newRow("30005") << 30005 << 30000 << true;
    }

    void tope() {
        QFETCH(int, lineas);
        QFETCH(int, cargadas);
        QFETCH(bool, aviso);
        v->elegir(0);
        QVERIFY(v->cargar(Lineas(lineas)));
        QCOMPARE(v->filasDeDatos(), cargadas);
        QCOMPARE(v->fila(cargadas)[0], QString::number(cargadas));
        QCOMPARE(v->dialogos().textos(), aviso ? QStringList{kRecortado} : QStringList{});
        if (aviso) {
            QCOMPARE(v->dialogos().cajas()[0].icono, Icono::Informacion);
            QCOMPARE(v->dialogos().cajas()[0].titulo, QStringLiteral("VaviviV"));
        }
    }

    // The cap counts the file's records only; kept rows come first.
    void agregaTrasFilasConservadas() {
        v->elegir(0);
        QVERIFY(v->cargar("a\r\nb\r\n"));
        v->dialogos().responderCon(Respuesta::Si);  // keep them
        v->elegir(3);
        QVERIFY(v->cargar(Lineas(30001), QStringLiteral("grande.txt")));
        QCOMPARE(v->filasDeDatos(), 30002);
        QCOMPARE(v->fila(1)[0], QStringLiteral("a"));
        QCOMPARE(v->fila(3)[0], QStringLiteral("1"));
        QCOMPARE(v->fila(30002)[0], QStringLiteral("30000"));
        QCOMPARE(v->dialogos().textos().last(), kRecortado);
    }

    // Through the dialog: the truncation message, then the success message.
    void topeConExplorador() {
        v->elegir(0);
        EscribirArchivo(v->ruta(QStringLiteral("grande.txt")), Lineas(30001));
        v->boton("cmdAbrir")->click();
        confirmarEnExplorador(QStringLiteral("grande.txt"));
        QCOMPARE(v->dialogos().textos(), (QStringList{kRecortado, kCargado}));
        QCOMPARE(v->dialogos().cajas()[1].icono, Icono::Ninguno);
        QCOMPARE(v->dialogos().cajas()[1].titulo, QStringLiteral("VaviviV"));
        QCOMPARE(v->filasDeDatos(), 30000);
    }

    void noSePuedeLeer_data() {
        QTest::addColumn<QString>("nombre");
        QTest::newRow("no existe") << QStringLiteral("no-existe.txt");
        QTest::newRow("carpeta") << QStringLiteral("carpeta.txt");
    }

    // The system's error in a box; nothing loaded, no success message.
    void noSePuedeLeer() {
        QFETCH(QString, nombre);
        QVERIFY(QDir().mkpath(v->ruta(QStringLiteral("carpeta.txt"))));
        // The system's own words for it, in the language the application runs in.
        QFile intento(v->ruta(nombre));
        QVERIFY(!intento.open(QIODevice::ReadOnly));
        const QString mensaje = QStringLiteral("Error : %1 %2").arg(int(QFileDevice::OpenError)).arg(intento.errorString());
        v->elegir(0);
        QVERIFY(v->cargar("1\r\n"));
        v->dialogos().olvidar();
        v->dialogos().responderCon(Respuesta::Si);  // keep the row
        v->boton("cmdAbrir")->click();
        confirmarEnExplorador(nombre);
        QCOMPARE(v->dialogos().textos(), (QStringList{QString::fromUtf8("¿Desea mantener los datos para el próximo calculo?"), mensaje}));
        QCOMPARE(v->dialogos().cajas()[1].icono, Icono::Critico);
        QCOMPARE(v->filas(), (Filas{{"1", "", ""}}));
    }

    // The open menu entry clears everything, titles included; results not
    // yet stored are only wiped after a Yes.
    void menuAbrirVaciaLaRejilla() {
        v->elegir(0);
        QVERIFY(v->cargar("1\r\n2\r\n"));
        v->calcular();
        v->accion("mnuArchivoAbrir")->trigger();  // unscripted: No
        QCOMPARE(v->dialogos().textos(),
                 QStringList{QString::fromUtf8("Los datos no se han almacenado. ¿ Continuar sin salvar ?")});
        QCOMPARE(v->filas(), (Filas{{"1", "18", "8"}, {"2", "26", "6"}}));
        QVERIFY(!v->ventana().Explorador() || !v->ventana().Explorador()->isVisible());
        v->dialogos().responderCon(Respuesta::Si);
        v->accion("mnuArchivoAbrir")->trigger();
        QCOMPARE(v->rejilla().Rows(), 1);
        QCOMPARE(v->fila(0), (QStringList{"", "", ""}));
        // Cancelled: still one empty title row.
        v->ventana().Explorador()->findChild<QPushButton*>("cmdCancelar")->click();
        QCOMPARE(v->fila(0), (QStringList{"", "", ""}));
        QVERIFY(!v->ventana().Explorador()->isVisible());
        // Loading writes the titles again.
        EscribirArchivo(v->ruta(QStringLiteral("e.txt")), "7\r\n");
        v->accion("mnuArchivoAbrir")->trigger();
        confirmarEnExplorador(QStringLiteral("e.txt"));
        QCOMPARE(v->fila(0)[0], QStringLiteral("Referencia"));
        QCOMPARE(v->filas(), (Filas{{"7", "", ""}}));
    }

    void cabeceraYBytes_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QByteArray>("entrada");
        QTest::addColumn<QByteArray>("esperado");
        QTest::newRow("00") << 0 << QByteArray("123456\r\n12.5\r\n")
                            << Cp1252("Referencia\tReferencia Completa\tDígito Verif\r\n"
                                      "123456\t1234566\t6\t\r\n"
                                      "12.5\tError: Referencia no válida.\t\t\r\n");
        QTest::newRow("06") << 6 << QByteArray("890\t123\t4567\r\n")
                            << Cp1252("Referencia\tSucursal\tCuenta\tReferencia Completa\tDígito Verif\r\n"
                                      "890\t123\t4567\t89062\t62\t\r\n");
        QTest::newRow("10") << 10 << QByteArray("123456\t123.45\t15/06/2000\r\n")
                            << Cp1252("Referencia\tImporte\tFecha\tReferencia Completa\tDígito Verif\r\n"
                                      "123456\t123.45\t15/06/2000\t12345646337268\t46337268\t\r\n");
        QTest::newRow("37") << 37 << QByteArray("ABC123\r\n")
                            << Cp1252("Referencia\tReferencia Completa\tDígito Verif\r\n"
                                      "ABC123\tABC12303\t03\t\r\n");
        QTest::newRow("sin filas") << 2 << QByteArray()
                                   << Cp1252("Referencia\tReferencia Completa\tDígito Verif\r\n");
    }

    // Header by code, every cell followed by a tab, CR LF, Windows-1252.
    void cabeceraYBytes() {
        QFETCH(int, codigo);
        QFETCH(QByteArray, entrada);
        QFETCH(QByteArray, esperado);
        v->elegir(codigo);
        QVERIFY(v->cargar(entrada));
        v->calcular();
        QVERIFY(v->sinGuardar());
        const QString salida = v->ruta(QStringLiteral("salida.txt"));
        v->ventana().GuardarResultados(salida);
        QCOMPARE(LeerArchivo(salida), esperado);
        QCOMPARE(v->dialogos().textos(), QStringList{kAlmacenado});
        const Caja& exito = v->dialogos().cajas()[0];
        QCOMPARE(exito.titulo, QString::fromUtf8("KIV- Dígito Verificador."));
        QCOMPARE(exito.icono, Icono::Informacion);
        QVERIFY(!v->sinGuardar());
        QVERIFY(v->boton("cmdCalcular")->isEnabled() || v->filasDeDatos() == 0);
        if (v->filasDeDatos() > 0) {
            QCOMPARE(v->rejilla().Row(), v->filasDeDatos());
            QCOMPARE(v->rejilla().Col(), v->rejilla().Cols() - 1);
        }
    }

    // Cells are written as they stand: edited text with a tab, characters
    // the code page lacks.
    void celdasTalCual() {
        v->elegir(0);
        QVERIFY(v->cargar("1\r\n"));
        v->rejilla().setTextMatrix(1, 0, QStringLiteral("a\tb"));
        v->rejilla().setTextMatrix(1, 1, QString::fromUtf8("ñ€ω"));
        const QString salida = v->ruta(QStringLiteral("s.txt"));
        v->ventana().GuardarResultados(salida);
        QCOMPARE(LeerArchivo(salida),
                 QByteArray("Referencia\tReferencia Completa\tD\xEDgito Verif\r\na\tb\t\xF1\x80?\t\t\r\n"));
    }

    void sobrescribir_data() {
        QTest::addColumn<int>("respuesta");
        QTest::newRow("no") << int(Respuesta::No);
        QTest::newRow("sí") << int(Respuesta::Si);
    }

    void sobrescribir() {
        QFETCH(int, respuesta);
        const QString salida = v->ruta(QStringLiteral("existe.txt"));
        EscribirArchivo(salida, "anterior");
        v->elegir(0);
        QVERIFY(v->cargar("123456\r\n"));
        v->calcular();
        v->dialogos().responderCon(Respuesta(respuesta));
        v->ventana().GuardarResultados(salida);
        const Caja& pregunta = v->dialogos().cajas()[0];
        QCOMPARE(pregunta.texto, kExiste);
        QCOMPARE(pregunta.titulo, kTituloArchivo);
        QCOMPARE(pregunta.botones, Botones::SiNo);
        QCOMPARE(pregunta.icono, Icono::Ninguno);
        if (Respuesta(respuesta) == Respuesta::No) {
            QCOMPARE(v->dialogos().cajas().size(), std::size_t(1));
            QCOMPARE(LeerArchivo(salida), QByteArray("anterior"));
            QVERIFY(v->sinGuardar());
        } else {
            QCOMPARE(v->dialogos().textos(), (QStringList{kExiste, kAlmacenado}));
            QVERIFY(LeerArchivo(salida).startsWith("Referencia\t"));
            QVERIFY(!v->sinGuardar());
        }
    }

    // A folder that does not exist yet: the error, then Retry once it does.
    void errorYReintentar() {
        v->elegir(0);
        QVERIFY(v->cargar("123456\r\n"));
        v->calcular();
        const QString carpeta = v->ruta(QStringLiteral("nueva"));
        const QString salida = carpeta + QStringLiteral("/r.txt");
        v->dialogos().responderCon(Respuesta::Reintentar);
        v->dialogos().alMostrar = [&](const Caja& caja) {
            if (caja.botones == Botones::ReintentarCancelar) QDir().mkpath(carpeta);
        };
        v->ventana().GuardarResultados(salida);
        const Caja& error = v->dialogos().cajas()[0];
        QVERIFY(error.texto.startsWith(QStringLiteral("Error : %1 ").arg(int(QFileDevice::OpenError))));
        QVERIFY(error.texto.size() > 10);
        QCOMPARE(error.titulo, kTituloArchivo);
        QCOMPARE(error.botones, Botones::ReintentarCancelar);
        QCOMPARE(v->dialogos().textos().last(), kAlmacenado);
        QVERIFY(LeerArchivo(salida).contains("123456\t1234566\t6\t\r\n"));
        QVERIFY(!v->sinGuardar());
    }

    // A write that fails half-way (file too large for the process): the old
    // file stays whole, no partial file; Retry after the cause is gone
    // stores, Cancel leaves everything as it was.
    void escrituraFallida_data() {
        QTest::addColumn<bool>("reintentar");
        QTest::newRow("cancelar") << false;
        QTest::newRow("reintentar") << true;
    }

    void escrituraFallida() {
        QFETCH(bool, reintentar);
        v->elegir(0);
        QVERIFY(v->cargar(Lineas(2000)));
        v->calcular();
        const QString salida = v->ruta(QStringLiteral("resultado.txt"));
        EscribirArchivo(salida, "anterior");
        LimiteDeTamano limite(1000);
        v->dialogos().responderCon(Respuesta::Si);  // overwrite
        v->dialogos().responderCon(reintentar ? Respuesta::Reintentar : Respuesta::Cancelar);
        QByteArray durante;
        v->dialogos().alMostrar = [&](const Caja& caja) {
            if (caja.botones != Botones::ReintentarCancelar) return;
            durante = LeerArchivo(salida);
            limite.levantar();
        };
        v->ventana().GuardarResultados(salida);
        limite.levantar();
        QCOMPARE(durante, QByteArray("anterior"));
        QVERIFY(v->dialogos().cajas().size() >= 2);
        QVERIFY(v->dialogos().cajas()[1].texto.startsWith(QStringLiteral("Error : ")));
        const QStringList restos = QDir(v->ruta(QString())).entryList(QDir::Files);
        if (reintentar) {
            QCOMPARE(v->dialogos().textos().last(), kAlmacenado);
            const QByteArray escrito = LeerArchivo(salida);
            QCOMPARE(escrito.count("\r\n"), 2001);
            QVERIFY(escrito.contains("\r\n2000\t2000"));
            QVERIFY(!v->sinGuardar());
        } else {
            QCOMPARE(v->dialogos().cajas().size(), std::size_t(2));
            QCOMPARE(LeerArchivo(salida), QByteArray("anterior"));
            QVERIFY(v->sinGuardar());
        }
        QCOMPARE(restos, (QStringList{"entrada.txt", "resultado.txt"}));
    }

    // No algorithm: refused before the file is touched, in both commands.
    void sinAlgoritmo() {
        const QString salida = v->ruta(QStringLiteral("nada.txt"));
        v->ventana().GuardarResultados(salida);
        QCOMPARE(v->dialogos().textos(), QStringList{kSinAlgoritmo});
        QCOMPARE(v->dialogos().cajas()[0].icono, Icono::Critico);
        QVERIFY(!QFileInfo::exists(salida));
        v->calcular();
        QCOMPARE(v->dialogos().textos(), (QStringList{kSinAlgoritmo, kSinAlgoritmo}));
        QVERIFY(!v->sinGuardar());
    }

    // Stored through the store button and twice through the menu entry: one
    // file, the same each time.
    void almacenarConExplorador() {
        v->elegir(6);
        QVERIFY(v->cargar("890\t123\t4567\r\n"));
        v->calcular();
        v->boton("cmdGuardar")->click();
        QCOMPARE(v->ventana().Explorador()->findChild<QPushButton*>("cmdAlmacenar")->text(), kModoAlmacenar);
        confirmarEnExplorador(QStringLiteral("uno.txt"));
        QVERIFY(!v->sinGuardar());
        QVERIFY(!v->boton("cmdGuardar")->isEnabled());
        v->accion("mnuArchivoGuardar")->trigger();
        confirmarEnExplorador(QStringLiteral("dos.txt"));
        QCOMPARE(LeerArchivo(v->ruta(QStringLiteral("dos.txt"))), LeerArchivo(v->ruta(QStringLiteral("uno.txt"))));
        QCOMPARE(v->dialogos().textos(), (QStringList{kAlmacenado, kAlmacenado}));
    }

    // A second command while the dialog is open reuses it with the new mode.
    void unExploradorQueCambiaDeModo() {
        v->elegir(0);
        v->accion("mnuArchivoGuardar")->trigger();
        frmArchivo* primero = v->ventana().Explorador();
        auto* nombre = primero->findChild<QLineEdit*>("txtArchivo");
        nombre->setText(QStringLiteral("algo.txt"));
        v->boton("cmdAbrir")->click();
        QCOMPARE(v->ventana().Explorador(), primero);
        QCOMPARE(primero->findChild<QPushButton*>("cmdAlmacenar")->text(), kModoAbrir);
        QCOMPARE(nombre->text(), QStringLiteral("algo.txt"));
        // Closed and opened again it starts afresh.
        primero->findChild<QPushButton*>("cmdCancelar")->click();
        v->accion("mnuArchivoGuardar")->trigger();
        QCOMPARE(nombre->text(), QString());
        QVERIFY(!primero->findChild<QPushButton*>("cmdAlmacenar")->isEnabled());
    }

    void igualQueLaLineaDeOrdenes_data() {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QByteArray>("entrada");
        const auto muestra = [](const char* nombre) {
            return LeerArchivo(QStringLiteral(VAVIVIV_SAMPLES "/") + QLatin1String(nombre));
        };
        QTest::newRow("muestra 00") << "00" << muestra("referencias_00.txt");
        QTest::newRow("muestra 02") << "02" << muestra("referencias_02.txt");
        QTest::newRow("muestra 06") << "06" << muestra("referencias_06.txt");
        QTest::newRow("muestra 10") << "10" << muestra("referencias_10.txt");
        QTest::newRow("muestra 35") << "35" << muestra("referencias_35.txt");
        // Odd input: line ends of all kinds, missing and extra fields,
        // blanks, accents, errors of every kind.
        const QByteArray mezcla = QByteArray("  123456 \t9\r\n\r\n12.5\n-5\r\n1234567890123456789\t\t\r") +
                                  Cp1252("ÑA\tx\ty\tz\r\n") + "141118ABC\r\n1411181-\r\n14A118\t\r\n" +
                                  "123456\t1000000000\t15/06/2000\r\n1\tabc\t1/6/2000\r\n1\t5\t19/11/2014";
        for (const char* codigo : {"00", "02", "03", "04", "06", "10", "36", "37"})
            QTest::newRow(qPrintable(QStringLiteral("mezcla %1").arg(QLatin1String(codigo)))) << codigo << mezcla;
        QTest::newRow("vacía") << "04" << QByteArray();
    }

    void igualQueLaLineaDeOrdenes() {
        QFETCH(QString, codigo);
        QFETCH(QByteArray, entrada);
        const QString rutaEntrada = v->ruta(QStringLiteral("comun.txt"));
        const QString deLaVentana = v->ruta(QStringLiteral("ventana.txt"));
        const QString deLaCli = v->ruta(QStringLiteral("cli.txt"));
        v->elegir(codigo.toInt());
        QVERIFY(v->cargar(entrada, QStringLiteral("comun.txt")));
        v->calcular();
        v->ventana().GuardarResultados(deLaVentana);

        QProcess cli;
        cli.start(QStringLiteral(VAVIVIV_CLI), {QStringLiteral("masivo"), codigo, rutaEntrada, QStringLiteral("-o"), deLaCli});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        const QByteArray ventana = LeerArchivo(deLaVentana);
        QVERIFY(!ventana.isEmpty());
        QCOMPARE(ventana, LeerArchivo(deLaCli));
    }
};

VAVIVIV_QTEST_MAIN(PruebaArchivosMasivo)

#include "frmMasivo_archivos_test.moc"
