// The file explorer on its own: its lists, the name rule, the path it
// builds, the routine each mode runs, Enter and double click, Cancel, and a
// drive that cannot be read.

#include "archivo/frmArchivo.h"
#include "archivo/listas_archivo.h"
#include "dialogos_simulados.h"
#include "platform/aplicacion.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

using namespace vaviviv;

namespace {

// Records what the dialog runs.
class RutinasGrabadas final : public RutinasArchivo {
public:
    QStringList llamadas;
    bool cargaCorrecta = true;

    void ConfigurarRejilla() override { llamadas << QStringLiteral("ConfigurarRejilla"); }
    bool CargarArchivo(const QString& ruta) override {
        llamadas << QStringLiteral("CargarArchivo ") + ruta;
        return cargaCorrecta;
    }
    void GuardarResultados(const QString& ruta) override { llamadas << QStringLiteral("GuardarResultados ") + ruta; }
};

void Tocar(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly)) qFatal("No se pudo crear %s", qPrintable(ruta));
}

QStringList Textos(const QListWidget& lista) {
    QStringList textos;
    for (int i = 0; i < lista.count(); ++i) textos << lista.item(i)->text();
    return textos;
}

}  // namespace

class PruebaExplorador : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogosSimulados> dialogos;
    std::unique_ptr<RutinasGrabadas> rutinas;
    std::unique_ptr<frmArchivo> f;
    std::unique_ptr<QTemporaryDir> carpeta;

    template <typename T = QWidget>
    T* control(const char* nombre) {
        T* encontrado = f->findChild<T*>(QString::fromLatin1(nombre));
        if (!encontrado) qFatal("frmArchivo no tiene el control %s", nombre);
        return encontrado;
    }
    QLineEdit* nombre() { return control<QLineEdit>("txtArchivo"); }
    QPushButton* accion() { return control<QPushButton>("cmdAlmacenar"); }
    ListaCarpetas* carpetas() { return control<ListaCarpetas>("dirLista"); }
    ListaArchivos* archivos() { return control<ListaArchivos>("filArchivos"); }
    QComboBox* unidades() { return control<QComboBox>("driUnidad"); }

    // The dialog opened in a mode, as the bulk window opens it, in a folder
    // holding a.txt, B.TXT, c.asc, d.csv, .oculto.txt and a subfolder.
    void abrir(const QString& modo) {
        f->Form_Load();
        f->setAccion(modo);
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        carpetas()->setPath(carpeta->path());
    }

private slots:
    void init() {
        dialogos = std::make_unique<DialogosSimulados>();
        rutinas = std::make_unique<RutinasGrabadas>();
        f = std::make_unique<frmArchivo>(*rutinas);
        carpeta = std::make_unique<QTemporaryDir>();
        for (const char* n : {"a.txt", "B.TXT", "c.asc", "d.csv", ".oculto.txt"}) Tocar(carpeta->filePath(n));
        QDir(carpeta->path()).mkdir(QStringLiteral("sub"));
        Tocar(carpeta->filePath(QStringLiteral("sub/dentro.txt")));
    }
    void cleanup() {
        f.reset();
        rutinas.reset();
        dialogos.reset();
        carpeta.reset();
    }

    void alAbrir() {
        f->Form_Load();
        QCOMPARE(f->windowTitle(), QStringLiteral("Explorador de Archivos"));
        QCOMPARE(nombre()->text(), QString());
        QVERIFY(!accion()->isEnabled());
        QCOMPARE(control<QPushButton>("cmdCancelar")->text(), QStringLiteral("&Cancelar"));
        QCOMPARE(control<QGroupBox>("frmUbicacion")->title(), QString::fromUtf8("Ubicación :"));
        QCOMPARE(control<QGroupBox>("fraArchivo")->title(), QStringLiteral("Archivo :"));
        for (const char* lista : {"driUnidad", "dirLista", "filArchivos"})
            QCOMPARE(control(lista)->parentWidget()->objectName(), QStringLiteral("frmUbicacion"));
        QCOMPARE(nombre()->parentWidget()->objectName(), QStringLiteral("fraArchivo"));
        // The drive of the application's folder, first in the list.
        const QString propia = UnidadDe(QCoreApplication::applicationDirPath());
        QCOMPARE(unidades()->currentIndex(), 0);
        QCOMPARE(unidades()->currentData().toString(), propia);
        QVERIFY(QDir(carpetas()->Path()).exists());
        QCOMPARE(UnidadDe(carpetas()->Path()), propia);
        QCOMPARE(archivos()->Path(), carpetas()->Path());
        QCOMPARE(archivos()->Pattern(), QStringLiteral("*.txt;*.asc"));
        QCOMPARE(f->windowModality(), Qt::NonModal);
    }

    // Text files of either case and .asc files; no others, no hidden ones.
    void listas() {
        abrir(kModoAbrir);
        QCOMPARE(Textos(*archivos()), (QStringList{"a.txt", "B.TXT", "c.asc"}));
        bool haySub = false;
        for (int i = 0; i < carpetas()->count(); ++i)
            haySub = haySub || ListaCarpetas::CarpetaDe(*carpetas()->item(i)) == carpeta->filePath(QStringLiteral("sub"));
        QVERIFY(haySub);
        QCOMPARE(ListaCarpetas::CarpetaDe(*carpetas()->item(0)), QDir::rootPath());
    }

    // A file click fills the name; a change of folder empties it again.
    void clicYCambioDeCarpeta() {
        abrir(kModoAbrir);
        QListWidget* lista = archivos();
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(lista->item(1)).center());
        QCOMPARE(nombre()->text(), QStringLiteral("B.TXT"));
        QVERIFY(accion()->isEnabled());

        // Into "sub" with a double click on its entry.
        QListWidget* dirs = carpetas();
        QListWidgetItem* sub = nullptr;
        for (int i = 0; i < dirs->count(); ++i)
            if (ListaCarpetas::CarpetaDe(*dirs->item(i)).endsWith(QStringLiteral("/sub"))) sub = dirs->item(i);
        QVERIFY(sub);
        const QPoint punto = dirs->visualItemRect(sub).center();
        QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, punto);
        QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, punto);
        QCOMPARE(carpetas()->Path(), carpeta->filePath(QStringLiteral("sub")));
        QCOMPARE(nombre()->text(), QString());
        QVERIFY(!accion()->isEnabled());
        QCOMPARE(Textos(*archivos()), QStringList{"dentro.txt"});
        QVERIFY(rutinas->llamadas.isEmpty());
    }

    void reglaDelNombre_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("habilitado");
        QTest::newRow("vacío") << QString() << false;
        QTest::newRow("blancos") << QStringLiteral("   ") << false;
        QTest::newRow("nombre") << QStringLiteral("x") << true;
        QTest::newRow("nombre con blancos") << QStringLiteral("  x y ") << true;
    }

    // Enter does what the button does, only when the button is enabled.
    void reglaDelNombre() {
        QFETCH(QString, texto);
        QFETCH(bool, habilitado);
        abrir(kModoAlmacenar);
        nombre()->setFocus();
        QTest::keyClicks(nombre(), texto);
        QCOMPARE(accion()->isEnabled(), habilitado);
        QTest::keyClick(nombre(), Qt::Key_Return);
        QCOMPARE(rutinas->llamadas.size(), habilitado ? 1 : 0);
        QCOMPARE(f->isVisible(), !habilitado);
    }

    void ruta_data() {
        QTest::addColumn<QString>("carpetaElegida");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("ruta");
        // Filled in per row with the test's folder.
        QTest::newRow("raíz") << QDir::rootPath() << QStringLiteral("a.txt") << QDir::rootPath() + QStringLiteral("a.txt");
        QTest::newRow("carpeta") << QString() << QStringLiteral("a.txt") << QStringLiteral("/a.txt");
        QTest::newRow("blancos alrededor") << QString() << QStringLiteral("  a b.txt  ") << QStringLiteral("/a b.txt");
    }

    // Folder, one separator, name; blanks around the name go, inside stay.
    void ruta() {
        QFETCH(QString, carpetaElegida);
        QFETCH(QString, texto);
        QFETCH(QString, ruta);
        abrir(kModoAlmacenar);
        const QString base = carpetaElegida.isEmpty() ? carpeta->path() : carpetaElegida;
        carpetas()->setPath(base);
        nombre()->setText(texto);
        const QString esperada = QDir::toNativeSeparators(carpetaElegida.isEmpty() ? base + ruta : ruta);
        QCOMPARE(f->RutaElegida(), esperada);
        accion()->click();
        QCOMPARE(rutinas->llamadas, QStringList{QStringLiteral("GuardarResultados ") + esperada});
        // Storing shows nothing of its own.
        QCOMPARE(dialogos->cajas().size(), std::size_t(0));
        QVERIFY(!f->isVisible());
    }

    void modoAbrir_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("cargaCorrecta");
        QTest::newRow("abrir") << kModoAbrir << true;
        QTest::newRow("otro caption") << QStringLiteral("Abrir") << true;
        QTest::newRow("abrir, no se pudo leer") << kModoAbrir << false;
    }

    // The grid is set up, the file loaded, and only a load that worked is
    // announced.
    void modoAbrir() {
        QFETCH(QString, caption);
        QFETCH(bool, cargaCorrecta);
        rutinas->cargaCorrecta = cargaCorrecta;
        abrir(caption);
        nombre()->setText(QStringLiteral("a.txt"));
        accion()->click();
        const QString ruta = QDir::toNativeSeparators(carpeta->filePath(QStringLiteral("a.txt")));
        QCOMPARE(rutinas->llamadas, (QStringList{"ConfigurarRejilla", "CargarArchivo " + ruta}));
        if (cargaCorrecta) {
            QCOMPARE(dialogos->textos(), QStringList{QStringLiteral("Archivo cargado Exitosamente !!!")});
            QCOMPARE(dialogos->cajas()[0].icono, Icono::Ninguno);
            QCOMPARE(dialogos->cajas()[0].botones, Botones::Aceptar);
            QCOMPARE(dialogos->cajas()[0].titulo, QStringLiteral("VaviviV"));
        } else {
            QCOMPARE(dialogos->cajas().size(), std::size_t(0));
        }
        QVERIFY(!f->isVisible());
    }

    // In save mode a double click on a file stores under its name at once.
    void dobleClicEnArchivo() {
        abrir(kModoAlmacenar);
        QListWidget* lista = archivos();
        const QPoint punto = lista->visualItemRect(lista->item(2)).center();
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, punto);
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, punto);
        QCOMPARE(rutinas->llamadas,
                 QStringList{"GuardarResultados " + QDir::toNativeSeparators(carpeta->filePath(QStringLiteral("c.asc")))});
        QVERIFY(!f->isVisible());
    }

    void cancelar_data() {
        QTest::addColumn<QString>("como");
        QTest::newRow("botón") << QStringLiteral("boton");
        QTest::newRow("escape") << QStringLiteral("escape");
        QTest::newRow("cuadro de cierre") << QStringLiteral("cierre");
    }

    void cancelar() {
        QFETCH(QString, como);
        abrir(kModoAlmacenar);
        nombre()->setText(QStringLiteral("a.txt"));
        if (como == u"boton")
            control<QPushButton>("cmdCancelar")->click();
        else if (como == u"escape")
            QTest::keyClick(nombre(), Qt::Key_Escape);
        else
            f->close();
        QVERIFY(!f->isVisible());
        QVERIFY(rutinas->llamadas.isEmpty());
        QCOMPARE(dialogos->cajas().size(), std::size_t(0));
    }

    void unidadQueNoResponde_data() {
        QTest::addColumn<bool>("reintentar");
        QTest::newRow("cancelar") << false;
        QTest::newRow("reintentar") << true;
    }

    // Cancel keeps the chosen drive and the folder shown before; Retry,
    // once the drive answers, shows it.
    void unidadQueNoResponde() {
        QFETCH(bool, reintentar);
        abrir(kModoAbrir);
        nombre()->setText(QStringLiteral("a.txt"));
        const QString ausente = carpeta->filePath(QStringLiteral("montaje"));
        unidades()->addItem(QStringLiteral("montaje"), ausente);
        dialogos->responderCon(reintentar ? Respuesta::Reintentar : Respuesta::Cancelar);
        dialogos->alMostrar = [&](const Caja&) {
            QCOMPARE(f->cursor().shape(), Qt::WaitCursor);
            if (reintentar) QDir().mkpath(ausente);
        };
        unidades()->setCurrentIndex(unidades()->count() - 1);
        QCOMPARE(dialogos->textos(), QStringList{QStringLiteral("Error: %1 %2").arg(ENOENT).arg(qt_error_string(ENOENT))});
        const Caja& caja = dialogos->cajas()[0];
        QCOMPARE(caja.titulo, QString::fromUtf8("KIV- Dígito Verificador"));
        QCOMPARE(caja.botones, Botones::ReintentarCancelar);
        QCOMPARE(unidades()->currentData().toString(), ausente);
        QCOMPARE(carpetas()->Path(), reintentar ? ausente : carpeta->path());
        QCOMPARE(nombre()->text(), QString());
        QCOMPARE(f->cursor().shape(), Qt::ArrowCursor);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepararAplicacion(app);
    PruebaExplorador prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "frmArchivo_test.moc"
