// The help file and its viewer: the topics the windows ask for, with true
// examples; the file beside the program under both names; the viewer opening
// at a topic without blocking; missing files and topics; F1; the about box.

#include "dialogos_simulados.h"
#include "platform/aplicacion.h"
#include "platform/ayuda.h"
#include "platform/visor_ayuda.h"
#include "simulados_impresion.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>

using namespace vaviviv;

namespace {

const QString kAyuda = QStringLiteral(VAVIVIV_AYUDA);
const QString kCarpetaPrograma = QStringLiteral(VAVIVIV_CARPETA_PROGRAMA);

QString TextoDe(const TemaAyuda& tema) { return QTextDocumentFragment::fromHtml(tema.html).toPlainText(); }

QByteArray Leer(const QString& ruta) {
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

void CerrarVisor() {
    if (VisorAyuda* visor = VisorAyudaAbierto()) visor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class PruebaAyuda : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { CerrarVisor(); }

    // Each topic that a window asks for, holding what the user comes for:
    // the worked examples with their results, the commands it explains.
    void temasDelArchivo_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QStringList>("contiene");
        const auto fila = [](const char* id, const char* titulo, QStringList contiene) {
            QTest::newRow(id) << QString::fromLatin1(id) << QString::fromUtf8(titulo) << contiene;
        };
        fila("100", "Algoritmo Vorantis 00", {"1 a 19 dígitos", "1 dígito", "123456", "1234566"});
        fila("2", "Algoritmo Vorantis 02", {"6 a 19", "AAMMDD", "141118ABC", "141118ABC1"});
        fila("3", "Algoritmo Vorantis 03", {"1 a 19 dígitos", "271828", "2718284"});
        fila("4", "Algoritmo Vorantis 04", {"1 a 18 dígitos", "2 dígitos", "123456", "12345693"});
        fila("6", "Algoritmo Vorantis 06", {"Sucursal", "Cuenta", "123", "4567", "890", "62", "89062"});
        fila("10", "Algoritmo Vorantis 10",
             {"1 a 12 dígitos", "8 dígitos", "01/01/1988", "18/11/2014", "123.45", "15/06/2000", "46337268",
              "12345646337268"});
        fila("35", "Algoritmo Vorantis 35", {"1 a 19", "ABC123", "ABC1238"});
        fila("36", "Algoritmo Vorantis 36", {"1 a 19", "ABC123", "ABC1232"});
        fila("37", "Algoritmo Vorantis 37", {"1 a 18", "ABC123", "ABC12303"});
        fila("101", "La ventana principal", {"Calcular", "Imprimir Pantalla", "Referencia Completa"});
        fila("102", "Edición de los datos", {"doble clic", "Insertar un Renglon", "Eliminar un Renglon", "30,000"});
        fila("103", "La ventana de cálculo masivo", {"tabulador", "30,000", "Almacenar", "presentación preliminar"});
        fila("contenido", "Contenido de la Ayuda", {"Algoritmo Vorantis 00", "Algoritmo Vorantis 37"});
        fila("uso", "Uso de la Ayuda", {"F1", "Atrás", "Contenido"});
    }
    void temasDelArchivo() {
        QFETCH(QString, id);
        QFETCH(QString, titulo);
        QFETCH(QStringList, contiene);
        QString error;
        const std::optional<ArchivoAyuda> archivo = ArchivoAyuda::Leer(kAyuda, &error);
        QVERIFY2(archivo, qPrintable(error));
        const TemaAyuda* tema = archivo->tema(id);
        QVERIFY(tema);
        QCOMPARE(tema->titulo, titulo);
        const QString texto = TextoDe(*tema);
        for (const QString& parte : contiene) QVERIFY2(texto.contains(parte), qPrintable(parte));
    }

    // Every link leads somewhere, and the contents reach every topic.
    void enlaces() {
        const std::optional<ArchivoAyuda> archivo = ArchivoAyuda::Leer(kAyuda);
        QVERIFY(archivo);
        const QRegularExpression enlace(QStringLiteral("href=\"#([^\"]+)\""));
        QSet<QString> alcanzados;
        for (const QString& id : archivo->temas()) {
            for (auto it = enlace.globalMatch(archivo->tema(id)->html); it.hasNext();) {
                const QString destino = it.next().captured(1);
                QVERIFY2(archivo->tema(destino), qPrintable(id + QStringLiteral(" -> ") + destino));
                if (id == QLatin1String(kTemaContenido)) alcanzados << destino;
            }
        }
        for (const QString& id : archivo->temas())
            if (id != QLatin1String(kTemaContenido)) QVERIFY2(alcanzados.contains(id), qPrintable(id));
    }

    // The build puts the help file beside the program under both names the
    // windows use, and the report logo with it.
    void archivosJuntoAlPrograma() {
        const QByteArray fuente = Leer(kAyuda);
        QVERIFY(!fuente.isEmpty());
        for (const char* nombre : {"VaviviV.hlp", "Vaviviv.hlp"})
            QVERIFY2(Leer(kCarpetaPrograma + QLatin1Char('/') + QLatin1String(nombre)) == fuente, nombre);

        const QByteArray logo = Leer(kCarpetaPrograma + QStringLiteral("/tesk.bmp"));
        QVERIFY(logo.startsWith("BM"));
        QCOMPARE(int(uchar(logo[28])), 24);  // bits per pixel
        const QImage imagen = QImage::fromData(logo, "BMP");
        QCOMPARE(imagen.size(), QSize(211, 55));
    }

    void nombreEnOtraMayuscula() {
        QTemporaryDir carpeta;
        QVERIFY(carpeta.isValid());
        QFile::copy(kAyuda, carpeta.filePath(QStringLiteral("VAVIVIV.HLP")));
        QCOMPARE(ResolverArchivoAyuda(carpeta.filePath(QStringLiteral("Vaviviv.hlp"))),
                 carpeta.filePath(QStringLiteral("VAVIVIV.HLP")));
        QCOMPARE(ResolverArchivoAyuda(carpeta.filePath(QStringLiteral("VAVIVIV.HLP"))),
                 carpeta.filePath(QStringLiteral("VAVIVIV.HLP")));
        QCOMPARE(ResolverArchivoAyuda(carpeta.filePath(QStringLiteral("otro.hlp"))), QString());
        QCOMPARE(ResolverArchivoAyuda(QString()), QString());
    }

    // The viewer opens at the topic and hands control back at once; later
    // requests reuse it. Contents and help on using help have their commands.
    void visorAbreElTemaSinBloquear() {
        DialogosSimulados dialogos;
        MostrarAyuda({kAyuda, kAyudaTema, 10});
        VisorAyuda* visor = VisorAyudaAbierto();
        QVERIFY(visor);
        QVERIFY(visor->isVisible());
        QVERIFY(!visor->isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(visor->tema(), QStringLiteral("10"));
        QVERIFY(visor->windowTitle().contains(QStringLiteral("Algoritmo Vorantis 10")));
        QVERIFY(visor->navegador()->toPlainText().contains(QStringLiteral("12345646337268")));

        MostrarAyuda({kAyuda, kAyudaContenido, 0});
        QCOMPARE(VisorAyudaAbierto(), visor);
        QCOMPARE(visor->tema(), QStringLiteral("contenido"));
        MostrarAyuda({kAyuda, kAyudaUso, 0});
        QCOMPARE(visor->tema(), QStringLiteral("uso"));
        MostrarAyuda({kAyuda, kAyudaTema, 100});
        QCOMPARE(visor->tema(), QStringLiteral("100"));
        QVERIFY(dialogos.cajas().empty());
    }

    // Links and the history buttons.
    void navegacion() {
        DialogosSimulados dialogos;
        MostrarAyuda({kAyuda, kAyudaContenido, 0});
        VisorAyuda* visor = VisorAyudaAbierto();
        QVERIFY(visor);
        auto* atras = visor->findChild<QPushButton*>(QStringLiteral("cmdAtras"));
        auto* adelante = visor->findChild<QPushButton*>(QStringLiteral("cmdAdelante"));
        QVERIFY(!atras->isEnabled());

        // A link of the contents, as the browser reports a click on it.
        emit visor->navegador()->anchorClicked(QUrl(QStringLiteral("ayuda:contenido#35")));
        QCOMPARE(visor->tema(), QStringLiteral("35"));
        QVERIFY(atras->isEnabled());
        atras->click();
        QCOMPARE(visor->tema(), QStringLiteral("contenido"));
        QVERIFY(adelante->isEnabled());
        adelante->click();
        QCOMPARE(visor->tema(), QStringLiteral("35"));
        visor->findChild<QPushButton*>(QStringLiteral("cmdUso"))->click();
        QCOMPARE(visor->tema(), QStringLiteral("uso"));
        visor->findChild<QPushButton*>(QStringLiteral("cmdContenido"))->click();
        QCOMPARE(visor->tema(), QStringLiteral("contenido"));

        // A link to nowhere changes nothing.
        emit visor->navegador()->anchorClicked(QUrl(QStringLiteral("#999")));
        QCOMPARE(visor->tema(), QStringLiteral("contenido"));
    }

    void archivoFaltante() {
        DialogosSimulados dialogos;
        const QString faltante = QStringLiteral("/no/existe/VaviviV.hlp");
        MostrarAyuda({faltante, kAyudaTema, 10});
        QCOMPARE(VisorAyudaAbierto(), nullptr);
        QCOMPARE(dialogos.cajas().size(), std::size_t(1));
        QCOMPARE(dialogos.cajas()[0].icono, Icono::Critico);
        QVERIFY(dialogos.cajas()[0].texto.contains(faltante));
        QVERIFY(dialogos.cajas()[0].texto.contains(QStringLiteral("No se encontró el archivo de ayuda")));
    }

    void archivoQueNoEsAyuda() {
        DialogosSimulados dialogos;
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("VaviviV.hlp"));
        QFile archivo(ruta);
        QVERIFY(archivo.open(QIODevice::WriteOnly));
        archivo.write("Referencia\tReferencia Completa\r\n123456\t1234566\r\n");
        archivo.close();
        MostrarAyuda({ruta, kAyudaTema, 10});
        QCOMPARE(VisorAyudaAbierto(), nullptr);
        QCOMPARE(dialogos.cajas().size(), std::size_t(1));
        QVERIFY(dialogos.cajas()[0].texto.contains(QStringLiteral("no tiene ningún tema")));
    }

    // An unknown number is said, and the contents are shown instead.
    void temaInexistente() {
        DialogosSimulados dialogos;
        MostrarAyuda({kAyuda, kAyudaTema, 999});
        QCOMPARE(dialogos.cajas().size(), std::size_t(1));
        QCOMPARE(dialogos.cajas()[0].icono, Icono::Exclamacion);
        QVERIFY(dialogos.cajas()[0].texto.contains(QStringLiteral("999")));
        QVERIFY(VisorAyudaAbierto());
        QCOMPARE(VisorAyudaAbierto()->tema(), QStringLiteral("contenido"));
    }

    void f1AbreElContenido() {
        AyudaSimulada ayuda;
        const QString archivo = QStringLiteral("/programa/VaviviV.hlp");
        PonerArchivoAyudaAplicacion(archivo);
        QLineEdit campo;
        campo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&campo));
        QTest::keyClick(&campo, Qt::Key_F1);
        QCOMPARE(ayuda.peticiones().size(), std::size_t(1));
        QCOMPARE(ayuda.peticiones()[0].archivo, archivo);
        QCOMPARE(ayuda.peticiones()[0].comando, kAyudaContenido);
        // Other keys, and F1 with a modifier, are the field's.
        QTest::keyClick(&campo, Qt::Key_F1, Qt::ShiftModifier);
        QTest::keyClicks(&campo, QStringLiteral("12"));
        QCOMPARE(ayuda.peticiones().size(), std::size_t(1));
        QCOMPARE(campo.text(), QStringLiteral("12"));

        // Without a help file F1 is left alone.
        PonerArchivoAyudaAplicacion(QString());
        QTest::keyClick(&campo, Qt::Key_F1);
        QCOMPARE(ayuda.peticiones().size(), std::size_t(1));
    }

    void contextoDeAlgoritmo_data() {
        QTest::addColumn<int>("codigo");  // -1: none chosen
        QTest::addColumn<int>("sinAlgoritmo");
        QTest::addColumn<int>("contexto");
        QTest::newRow("ninguno, principal") << -1 << 101 << 101;
        QTest::newRow("ninguno, masivo") << -1 << 103 << 103;
        QTest::newRow("00") << 0 << 101 << 100;
        for (int codigo : {2, 3, 4, 6, 10, 35, 36, 37})
            QTest::newRow(qPrintable(QString::number(codigo))) << codigo << 103 << codigo;
    }
    void contextoDeAlgoritmo() {
        QFETCH(int, codigo);
        QFETCH(int, sinAlgoritmo);
        QFETCH(int, contexto);
        const std::optional<int> elegido = codigo < 0 ? std::nullopt : std::optional<int>(codigo);
        QCOMPARE(ContextoDeAlgoritmo(elegido, sinAlgoritmo), contexto);
    }

    // A dialog keeps what was set: a later command without a context reuses it.
    void dialogoAyuda() {
        AyudaSimulada ayuda;
        DialogoAyuda cmDlg;
        cmDlg.setHelpFile(QStringLiteral("/p/Vaviviv.hlp"));
        cmDlg.setHelpContext(37);
        cmDlg.setHelpCommand(kAyudaTema);
        cmDlg.ShowHelp();
        cmDlg.setHelpCommand(kAyudaContenido);
        cmDlg.ShowHelp();
        QCOMPARE(ayuda.peticiones().size(), std::size_t(2));
        QCOMPARE(ayuda.peticiones()[0].contexto, 37);
        QCOMPARE(ayuda.peticiones()[1].comando, kAyudaContenido);
        QCOMPARE(ayuda.peticiones()[1].archivo, QStringLiteral("/p/Vaviviv.hlp"));
    }

    void acercaDe() {
        DialogosSimulados dialogos;
        MostrarAcercaDe();
        QCOMPARE(dialogos.cajas().size(), std::size_t(1));
        const Caja& caja = dialogos.cajas()[0];
        QCOMPARE(caja.titulo, QStringLiteral("Acerca de VaviviV"));
        QCOMPARE(caja.botones, Botones::Aceptar);
        QVERIFY(caja.texto.contains(QStringLiteral("VaviviV")));
        QVERIFY(caja.texto.contains(QStringLiteral(VAVIVIV_VERSION_ESPERADA)));
        QVERIFY(caja.texto.contains(QString::fromUtf8("dígitos verificadores")));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepararAplicacion(app);
    PruebaAyuda prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "ayuda_test.moc"
