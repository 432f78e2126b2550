#include "archivo/frmArchivo.h"
#include "reglas/libro_resultados.h"

#include "archivo/listas_archivo.h"
#include "platform/controles.h"
#include "platform/lista_con_nombre.h"
#include "platform/dialogos.h"
#include "platform/disposicion.h"
#include "platform/teclas.h"
#include "reglas/texto.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <cerrno>
#include <optional>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vaviviv {

namespace {

constexpr int kAnchoCliente = 6495;  // twips
constexpr int kAltoCliente = 4695;

const QString kTituloErrorUnidad = QString::fromUtf8("KIV- Dígito Verificador");

// The folder of the last name confirmed in the dialog, in this run or an
// earlier one.
const QString kClaveCarpeta = QStringLiteral("explorador/carpeta");

// A screen reader is told that the window is a dialog. Deriving from QDialog
// would say so too, but would also make the action button a default button
// that Enter in the lists presses.
QAccessibleInterface* ComoDialogo(const QString& clase, QObject* objeto) {
    if (clase != QLatin1String(frmArchivo::staticMetaObject.className())) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(objeto), QAccessible::Dialog);
}

// The hourglass over the dialog while it lists a folder.
class CursorEspera {
public:
    explicit CursorEspera(QWidget* ventana) : ventana_(ventana) { ventana_->setCursor(Qt::WaitCursor); }
    ~CursorEspera() { ventana_->unsetCursor(); }
    CursorEspera(const CursorEspera&) = delete;
    CursorEspera& operator=(const CursorEspera&) = delete;

private:
    QWidget* ventana_;
};

struct ErrorSistema {
    int numero;
    QString descripcion;
};

// Whether the folder can be listed; the system's error when not.
std::optional<ErrorSistema> ProbarCarpeta(const QString& carpeta) {
#ifdef Q_OS_UNIX
    if (DIR* d = ::opendir(QFile::encodeName(carpeta).constData())) {
        ::closedir(d);
        return std::nullopt;
    }
    const int numero = errno;
    return ErrorSistema{numero, qt_error_string(numero)};
#else
    const QDir d(carpeta);
    if (!d.exists()) return ErrorSistema{ENOENT, qt_error_string(ENOENT)};
    if (!d.isReadable()) return ErrorSistema{EACCES, qt_error_string(EACCES)};
    return std::nullopt;
#endif
}

// Whether a new file can be made in the folder, by the process's effective
// rights (the real ones would let root through a folder it cannot write).
bool AdmiteArchivos(const QString& carpeta) {
#ifdef Q_OS_UNIX
    return ::faccessat(AT_FDCWD, QFile::encodeName(carpeta).constData(), W_OK | X_OK, AT_EACCESS) == 0;
#else
    const QFileInfo info(carpeta);
    return info.isDir() && info.isWritable();
#endif
}

// Where the dialog opens: the folder last used while it can be listed; else
// the process's current folder, where the user started the program, unless
// no file can be stored there (a launcher may start it in "/" or in its own
// installed folder); then the user's home.
QString CarpetaInicial() {
    const QString ultima = QSettings().value(kClaveCarpeta).toString();
    if (QDir::isAbsolutePath(ultima) && !ProbarCarpeta(ultima)) return ultima;
    const QString actual = QDir::currentPath();
    return AdmiteArchivos(actual) ? actual : QDir::homePath();
}

// Where a drive's folder list starts: the process's current folder when it
// is on that drive, else the drive's root (there is no current folder per
// drive here).
QString CarpetaDeUnidad(const QString& raiz) {
    const QString actual = QDir::currentPath();
    return UnidadDe(actual) == raiz ? actual : raiz;
}

}  // namespace

void AbrirArchivo(RutinasArchivo& rutinas, const QString& ruta) {
    rutinas.ConfigurarRejilla();
    if (rutinas.CargarArchivo(ruta)) MostrarMensaje(QStringLiteral("Archivo cargado Exitosamente !!!"));
}

frmArchivo::frmArchivo(RutinasArchivo& rutinas, QWidget* parent)
    : QWidget(parent, Qt::Dialog), rutinas_(rutinas) {
    setObjectName(QStringLiteral("frmArchivo"));
    [[maybe_unused]] static const bool instalado = (QAccessible::installFactory(ComoDialogo), true);
    CrearControles();
    Disponer();
    Conectar();
}

void frmArchivo::CrearControles() {
    AspectoDeVentana(*this);
    setWindowTitle(QStringLiteral("Explorador de Archivos"));

    frmUbicacion = Crear<QGroupBox>(this, "frmUbicacion");
    frmUbicacion->setTitle(QString::fromUtf8("Ubicación :"));
    driUnidad = Crear<ListaConNombre>(frmUbicacion, "driUnidad");
    driUnidad->setAccessibleName(QStringLiteral("Unidad"));
    // A notch passing over the list would change drive and erase the name typed.
    RuedaSoloConFoco(driUnidad);
    dirLista = Crear<ListaCarpetas>(frmUbicacion, "dirLista");
    dirLista->setAccessibleName(QStringLiteral("Carpetas"));
    filArchivos = Crear<ListaArchivos>(frmUbicacion, "filArchivos");
    filArchivos->setAccessibleName(QStringLiteral("Archivos"));
    fraArchivo = Crear<QGroupBox>(this, "fraArchivo");
    fraArchivo->setTitle(QStringLiteral("Archivo :"));
    txtArchivo = Crear<QLineEdit>(fraArchivo, "txtArchivo");
    cmdAlmacenar = Crear<QPushButton>(this, "cmdAlmacenar");
    cmdAlmacenar->setText(kModoAlmacenar);
    cmdCancelar = Crear<QPushButton>(this, "cmdCancelar");
    cmdCancelar->setText(QStringLiteral("&Cancelar"));
    // There is no default button: in the name box Enter is txtArchivo_KeyPress's.
    EnterPulsaBotones(*this);
}

void frmArchivo::Disponer() {
    Disposicion d;
    d.colocar(frmUbicacion, {120, 120, 6255, 3375});
    d.colocar(driUnidad, {240, 360, 3015, 315});
    d.colocar(dirLista, {240, 840, 3015, 2340});
    d.colocar(filArchivos, {3360, 840, 2775, 2235});
    d.colocar(fraArchivo, {120, 3480, 6255, 735});
    d.colocar(txtArchivo, {240, 240, 5895, 285});
    d.colocar(cmdAlmacenar, {120, 4320, 1335, 255});
    d.colocar(cmdCancelar, {5040, 4320, 1335, 255});
    const double escala = d.escala(PixelesPorTwip(*this));
    d.aplicar(escala);
    TamanoFijo(*this, EnPixeles({0, 0, kAnchoCliente, kAltoCliente}, escala).size());
}

void frmArchivo::Conectar() {
    connect(driUnidad, &QComboBox::currentIndexChanged, this, &frmArchivo::driUnidad_Change);
    connect(dirLista, &ListaCarpetas::Change, this, &frmArchivo::dirLista_Change);
    // A click, or the arrow keys moving through the list. Not a mere current
    // entry: the list makes its first file current, unselected, when it takes
    // the focus, and that is no pick.
    connect(filArchivos, &QListWidget::itemClicked, this, &frmArchivo::filArchivos_Click);
    connect(filArchivos, &QListWidget::itemSelectionChanged, this, &frmArchivo::filArchivos_Click);
    connect(filArchivos, &QListWidget::itemDoubleClicked, this, &frmArchivo::filArchivos_DblClick);
    // Enter on the highlighted file is the double click of the keyboard. Not
    // the list's activation: some styles activate on a single click.
    ConectarKeyPress(filArchivos, [this](int& KeyAscii) {
        QListWidgetItem* resaltado = filArchivos->currentItem();
        if (KeyAscii != kTeclaEnter || !resaltado) return;
        KeyAscii = 0;
        filArchivos->setCurrentItem(resaltado, QItemSelectionModel::ClearAndSelect);
        filArchivos_Click();
        filArchivos_DblClick();
    });
    connect(txtArchivo, &QLineEdit::textChanged, this, &frmArchivo::txtArchivo_Change);
    ConectarKeyPress(txtArchivo, [this](int& KeyAscii) { txtArchivo_KeyPress(KeyAscii); });
    connect(cmdAlmacenar, &QPushButton::clicked, this, &frmArchivo::cmdAlmacenar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmArchivo::cmdCancelar_Click);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &frmArchivo::cmdCancelar_Click);
}

void frmArchivo::setAccion(const QString& caption) {
    cmdAlmacenar->setText(caption);
    filArchivos->setPattern(Patron());
}

QString frmArchivo::Patron() const {
    return cmdAlmacenar->text() == kModoAlmacenar && LibrosDisponibles() ? kPatronArchivos + u';' + kPatronLibros : kPatronArchivos;
}

void frmArchivo::Form_Load() {
    txtArchivo->clear();
    txtArchivo_Change();

    // The pattern applies from the start.
    const QString inicio = CarpetaInicial();
    {
        const QSignalBlocker sinAviso(driUnidad);
        LlenarUnidades(*driUnidad, inicio);
    }
    filArchivos->setPattern(Patron());
    if (!dirLista->setPath(inicio)) dirLista_Change();

    // Else the focus comes back where it was when the dialog closed, or goes
    // to the drive list, where typing a name changes drive.
    txtArchivo->setFocus();
    CentrarEnPantalla(*this);
}

void frmArchivo::driUnidad_Change() {
    const QString raiz = driUnidad->currentData().toString();
    for (;;) {
        const CursorEspera espera(this);
        txtArchivo->clear();
        const QString carpeta = CarpetaDeUnidad(raiz);
        const std::optional<ErrorSistema> error = ProbarCarpeta(carpeta);
        if (!error) {
            dirLista->setPath(carpeta);
            return;
        }
        // Cancel keeps the chosen drive and the folder shown before.
        if (MostrarMensaje(QStringLiteral("Error: %1 %2").arg(error->numero).arg(error->descripcion),
                           Icono::Ninguno, Botones::ReintentarCancelar, kTituloErrorUnidad) != Respuesta::Reintentar)
            return;
    }
}

void frmArchivo::dirLista_Change() {
    const CursorEspera espera(this);
    txtArchivo->clear();
    filArchivos->setPattern(Patron());
    filArchivos->setPath(dirLista->Path());
}

void frmArchivo::filArchivos_Click() {
    const CursorEspera espera(this);
    const QList<QListWidgetItem*> elegidos = filArchivos->selectedItems();
    if (!elegidos.isEmpty()) txtArchivo->setText(elegidos.front()->text());
}

void frmArchivo::filArchivos_DblClick() {
    if (cmdAlmacenar->isEnabled()) cmdAlmacenar_Click();
}

void frmArchivo::txtArchivo_Change() {
    cmdAlmacenar->setEnabled(!RecortarEspacios(txtArchivo->text()).isEmpty());
}

void frmArchivo::txtArchivo_KeyPress(int& KeyAscii) {
    if (KeyAscii != kTeclaEnter) return;
    KeyAscii = 0;
    if (cmdAlmacenar->isEnabled()) cmdAlmacenar_Click();
}

QString frmArchivo::RutaElegida() const {
    const QList<QListWidgetItem*> elegidos = filArchivos->selectedItems();
    const QString nombre = !elegidos.isEmpty() && elegidos.front()->text() == txtArchivo->text()
                               ? txtArchivo->text()
                               : RecortarEspacios(txtArchivo->text()).toString();
    if (QDir::isAbsolutePath(nombre)) return QDir::toNativeSeparators(nombre);
    QString carpeta = QDir::toNativeSeparators(dirLista->Path());
    // A root folder already ends in the separator.
    if (carpeta.endsWith(QDir::separator())) carpeta.chop(1);
    return carpeta + QDir::separator() + nombre;
}

void frmArchivo::cmdAlmacenar_Click() {
    const QString ruta = RutaElegida();
    QSettings().setValue(kClaveCarpeta, QFileInfo(ruta).absolutePath());
    if (cmdAlmacenar->text() == kModoAlmacenar) {
        rutinas_.GuardarResultados(ruta);
    } else {
        AbrirArchivo(rutinas_, ruta);
    }
    close();
}

void frmArchivo::cmdCancelar_Click() { close(); }

}  // namespace vaviviv
