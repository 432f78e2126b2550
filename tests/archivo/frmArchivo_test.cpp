// The file explorer on its own: its lists, the name rule, the path it builds,
// Enter and double click, Cancel, a dead drive. Loading and storing through it: frmMasivo_test.

#include "archivo/frmArchivo.h"
#include "archivo/listas_archivo.h"
#include "dialogos_simulados.h"
#include "platform/aplicacion.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

using namespace vaviviv;

namespace {

struct RutinasGrabadas final : RutinasArchivo {  // records what the dialog runs
    QStringList llamadas;
    void ConfigurarRejilla() override { llamadas << QStringLiteral("ConfigurarRejilla"); }
    bool CargarArchivo(const QString& ruta) override { llamadas << "CargarArchivo " + ruta; return true; }
    void GuardarResultados(const QString& ruta) override { llamadas << "GuardarResultados " + ruta; }
};

}  // namespace

class PruebaExplorador : public QObject {
    Q_OBJECT

    DialogosSimulados dialogos;
    RutinasGrabadas rutinas;
    QTemporaryDir carpeta;  // a.txt, B.TXT, c.asc, d.csv, .oculto.txt, sub/dentro.txt
    std::unique_ptr<frmArchivo> f;

    template <typename T>
    T* control(const char* nombre) { return f->findChild<T*>(QString::fromLatin1(nombre)); }
    QLineEdit* nombre() { return control<QLineEdit>("txtArchivo"); }
    ListaCarpetas* carpetas() { return control<ListaCarpetas>("dirLista"); }
    ListaArchivos* archivos() { return control<ListaArchivos>("filArchivos"); }
    QString enCarpeta(const QString& nombre) { return QDir::toNativeSeparators(carpeta.filePath(nombre)); }

    // A fresh dialog opened in a mode, as the bulk window opens it, in the test's folder.
    void abrir(const QString& modo) {
        dialogos.olvidar();
        rutinas.llamadas.clear();
        f = std::make_unique<frmArchivo>(rutinas);
        f->Form_Load();
        f->setAccion(modo);
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        carpetas()->setPath(carpeta.path());
    }
    QStringList textos(QListWidget* lista) {
        QStringList vistos;
        for (int i = 0; i < lista->count(); ++i) vistos << lista->item(i)->text();
        return vistos;
    }
    void clic(QListWidget* lista, int fila, bool doble = false) {
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(lista->item(fila)).center());
        if (doble) QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(lista->item(fila)).center());
    }

private slots:
    void initTestCase() {
        PrepararAplicacion(*qApp);
        QVERIFY(QDir(carpeta.path()).mkdir(QStringLiteral("sub")));
        for (const char* n : {"a.txt", "B.TXT", "c.asc", "d.csv", ".oculto.txt", "sub/dentro.txt"})
            QVERIFY(QFile(carpeta.filePath(QString::fromLatin1(n))).open(QIODevice::WriteOnly));
    }

    // Not modal; the drive of the application's folder first; .txt and .asc files of either case,
    // no hidden ones; folders from the root down; a click fills the name, a new folder empties it.
    void listas() {
        abrir(kModoAbrir);
        QCOMPARE(f->windowModality(), Qt::NonModal);
        auto* unidades = control<QComboBox>("driUnidad");
        QVERIFY(unidades->currentIndex() == 0 && unidades->currentData() == UnidadDe(QCoreApplication::applicationDirPath()));
        QCOMPARE(textos(archivos()), (QStringList{"a.txt", "B.TXT", "c.asc"}));
        QCOMPARE(ListaCarpetas::CarpetaDe(*carpetas()->item(0)), QDir::rootPath());
        clic(archivos(), 1);
        QVERIFY(nombre()->text() == "B.TXT" && control<QPushButton>("cmdAlmacenar")->isEnabled());
        clic(carpetas(), carpetas()->row(carpetas()->findItems(QStringLiteral("sub"), Qt::MatchEndsWith).value(0)), true);
        QCOMPARE(carpetas()->Path(), carpeta.filePath(QStringLiteral("sub")));
        QCOMPARE(textos(archivos()), QStringList{"dentro.txt"});
        QVERIFY(nombre()->text().isEmpty() && !control<QPushButton>("cmdAlmacenar")->isEnabled() && rutinas.llamadas.isEmpty());
        // A drive that cannot be read: the system's error, Retry and Cancel; Retry once it answers shows it.
        const QString ausente = carpeta.filePath(QStringLiteral("montaje"));
        unidades->addItem(QStringLiteral("montaje"), ausente);
        dialogos.responderCon(Respuesta::Reintentar);
        dialogos.alMostrar = [&](const Caja&) { QVERIFY(QDir().mkpath(ausente)); };
        unidades->setCurrentIndex(unidades->count() - 1);
        dialogos.alMostrar = nullptr;
        QCOMPARE(dialogos.textos(), QStringList{QStringLiteral("Error: %1 %2").arg(ENOENT).arg(qt_error_string(ENOENT))});
        QVERIFY(dialogos.cajas()[0].botones == Botones::ReintentarCancelar);
        QCOMPARE(carpetas()->Path(), ausente);
    }

    // Blank names refused; Enter as the button; folder, one separator, the name trimmed (root too); double
    // click. Then Cancel and Escape: nothing run, nothing shown.
    void nombreRutaYCancelar() {
        abrir(kModoAlmacenar);
        for (const char* texto : {"", "   ", "  a b.txt  "}) {
            QTest::keyClicks(nombre(), QString::fromLatin1(texto));
            QTest::keyClick(nombre(), Qt::Key_Return);
        }
        QVERIFY(!f->isVisible() && dialogos.cajas().empty());
        QCOMPARE(rutinas.llamadas, QStringList{"GuardarResultados " + enCarpeta("a b.txt")});
        abrir(kModoAlmacenar);
        clic(archivos(), 2, true);
        QCOMPARE(rutinas.llamadas, QStringList{"GuardarResultados " + enCarpeta("c.asc")});
        carpetas()->setPath(QDir::rootPath());
        nombre()->setText(QStringLiteral("a.txt"));
        QCOMPARE(f->RutaElegida(), QDir::toNativeSeparators(QDir::rootPath() + QStringLiteral("a.txt")));
        for (const bool escape : {false, true}) {
            abrir(kModoAlmacenar);
            nombre()->setText(QStringLiteral("a.txt"));
            escape ? QTest::keyClick(nombre(), Qt::Key_Escape) : control<QPushButton>("cmdCancelar")->click();
            QVERIFY(!f->isVisible() && rutinas.llamadas.isEmpty() && dialogos.cajas().empty());
        }
    }
};

QTEST_MAIN(PruebaExplorador)

#include "frmArchivo_test.moc"
