// The help file and its viewer: topics with true examples, the file beside the
// program under both names, the viewer not blocking, missing files and topics,
// the about box. Which topic each command asks for: the windows' tests.

#include "dialogos_simulados.h"
#include "platform/aplicacion.h"
#include "platform/ayuda.h"
#include "platform/visor_ayuda.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>

using namespace vaviviv;

static const QString kAyuda = VAVIVIV_AYUDA;
static const QString kCarpetaPrograma = VAVIVIV_CARPETA_PROGRAMA;

class PruebaAyuda : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PrepararAplicacion(*qApp); }

    // Each topic a window asks for, by its title, holds what the user comes
    // for (an example with its result); every link leads to a topic.
    void temasYEnlaces() {
        QString error;
        const std::optional<ArchivoAyuda> archivo = ArchivoAyuda::Leer(kAyuda, &error);
        QVERIFY2(archivo, qPrintable(error));
        const std::pair<const char*, QStringList> temas[] = {
            {"100", {"Algoritmo Vorantis 00", "1234566"}}, {"2", {"Algoritmo Vorantis 02", "AAMMDD", "141118ABC1"}},
            {"3", {"Algoritmo Vorantis 03", "2718284"}}, {"4", {"Algoritmo Vorantis 04", "12345693"}},
            {"6", {"Algoritmo Vorantis 06", "Sucursal", "89062"}}, {"10", {"Algoritmo Vorantis 10", "12345646337268"}},
            {"35", {"Algoritmo Vorantis 35", "ABC1238"}}, {"36", {"Algoritmo Vorantis 36", "ABC1232"}},
            {"37", {"Algoritmo Vorantis 37", "ABC12303"}}, {"101", {"La ventana principal", "Calcular"}},
            {"102", {"Edición de los datos", "Insertar un Renglon"}}, {"103", {"La ventana de cálculo masivo"}},
            {"contenido", {"Contenido de la Ayuda"}}, {"uso", {"Uso de la Ayuda", "F1"}}};
        for (const auto& [id, partes] : temas) {
            const TemaAyuda* tema = archivo->tema(id);
            QVERIFY2(tema && tema->titulo == partes[0], id);
            const QString texto = QTextDocumentFragment::fromHtml(tema->html).toPlainText();
            for (const QString& parte : partes.mid(1)) QVERIFY2(texto.contains(parte), qPrintable(parte));
        }
        for (const QString& id : archivo->temas())
            for (auto it = QRegularExpression("href=\"#([^\"]+)\"").globalMatch(archivo->tema(id)->html); it.hasNext();) {
                const QString destino = it.next().captured(1);
                QVERIFY2(archivo->tema(destino), qPrintable(id + " -> " + destino));
            }
    }

    // The build puts the help file beside the program under both names the
    // windows use, and the report logo with it; any case of the name is found.
    void archivosJuntoAlPrograma() {
        for (const char* nombre : {"/VaviviV.hlp", "/Vaviviv.hlp"})
            QCOMPARE(QFileInfo(kCarpetaPrograma + nombre).size(), QFileInfo(kAyuda).size());
        QCOMPARE(QImage(kCarpetaPrograma + "/tesk.bmp", "BMP").size(), QSize(211, 55));
        QTemporaryDir carpeta;
        QFile::copy(kAyuda, carpeta.filePath("VAVIVIV.HLP"));
        QCOMPARE(ResolverArchivoAyuda(carpeta.filePath("Vaviviv.hlp")), carpeta.filePath("VAVIVIV.HLP"));
        QCOMPARE(ResolverArchivoAyuda(carpeta.filePath("otro.hlp")), QString());
    }

    // A missing file is said with its path and opens nothing. The viewer opens at
    // the topic and hands control back at once; later requests reuse it; an
    // unknown topic is said and the contents shown instead; links move within it.
    void visor() {
        DialogosSimulados dialogos;
        MostrarAyuda({"/no/existe/VaviviV.hlp", kAyudaTema, 10});
        QCOMPARE(VisorAyudaAbierto(), nullptr);
        MostrarAyuda({kAyuda, kAyudaTema, 10});
        VisorAyuda* visor = VisorAyudaAbierto();
        QVERIFY(visor && visor->isVisible() && !visor->isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(visor->tema(), "10");
        MostrarAyuda({kAyuda, kAyudaUso, 0});
        QCOMPARE(visor->tema(), "uso");
        MostrarAyuda({kAyuda, kAyudaContenido, 0});
        QCOMPARE(visor->tema(), "contenido");
        emit visor->navegador()->anchorClicked(QUrl("ayuda:contenido#35"));  // a link of the contents
        QCOMPARE(visor->tema(), "35");
        MostrarAyuda({kAyuda, kAyudaTema, 999});
        QCOMPARE(VisorAyudaAbierto(), visor);
        QCOMPARE(visor->tema(), "contenido");
        QCOMPARE(dialogos.cajas().size(), std::size_t(2));
        QVERIFY(dialogos.cajas()[0].texto.contains("No se encontró el archivo de ayuda «/no/existe/VaviviV.hlp»"));
        QVERIFY(dialogos.cajas()[1].texto.contains("no tiene el tema 999"));
        visor->close();
    }

    // The about box: the program, its version, what it does.
    void acercaDe() {
        DialogosSimulados dialogos;
        MostrarAcercaDe();
        const Caja caja = dialogos.cajas().at(0);
        QVERIFY(dialogos.cajas().size() == 1 && caja.titulo == "Acerca de VaviviV" && caja.botones == Botones::Aceptar);
        for (const char* parte : {"VaviviV", VAVIVIV_VERSION_ESPERADA, "dígitos verificadores"}) QVERIFY2(caja.texto.contains(parte), parte);
    }
};

QTEST_MAIN(PruebaAyuda)

#include "ayuda_test.moc"
