#include "platform/visor_ayuda.h"

#include "platform/dialogos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

namespace vaviviv {

namespace {
const QString kTituloVisor = QStringLiteral("Ayuda de VaviviV");
}  // namespace

namespace {

const QString kEsquema = QStringLiteral("ayuda");

// Help files are a few dozen kilobytes; anything far larger is not one.
constexpr qint64 kTamanoMaximo = 4 * 1024 * 1024;

const char kEstilo[] =
    "body { font-size: 10pt; }"
    "h1 { font-size: 15pt; color: #1f3d7a; }"
    "h2 { font-size: 12pt; color: #1f3d7a; }"
    "th { background-color: #dde6f3; }"
    "p.ejemplo { background-color: #f1f5fb; }"
    "code { font-family: monospace; }";

QString Atributo(const QString& atributos, const char* nombre) {
    const QRegularExpression patron(QStringLiteral("\\b%1\\s*=\\s*\"([^\"]*)\"").arg(QLatin1String(nombre)),
                                    QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch encontrado = patron.match(atributos);
    if (!encontrado.hasMatch()) return {};
    // Titles may carry entities (&aacute;); the window caption wants the letters.
    return QTextDocumentFragment::fromHtml(encontrado.captured(1)).toPlainText().trimmed();
}

QUrl UrlDeTema(const QString& id) {
    QUrl url;
    url.setScheme(kEsquema);
    url.setPath(id);
    return url;
}

}  // namespace

std::optional<ArchivoAyuda> ArchivoAyuda::Leer(const QString& ruta, QString* error) {
    const auto fallar = [&](const QString& motivo) -> std::optional<ArchivoAyuda> {
        if (error) *error = motivo;
        return std::nullopt;
    };
    const QString nombre = QDir::toNativeSeparators(ruta);
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return fallar(QString::fromUtf8("No se pudo abrir el archivo de ayuda «%1»: %2.")
                          .arg(nombre, archivo.errorString()));
    if (archivo.size() > kTamanoMaximo)
        return fallar(QString::fromUtf8("«%1» no es un archivo de ayuda: es demasiado grande.").arg(nombre));
    QString texto = QString::fromUtf8(archivo.readAll());
    // Comments may speak of sections without being any.
    static const QRegularExpression comentario(QStringLiteral("<!--.*?-->"),
                                               QRegularExpression::DotMatchesEverythingOption);
    texto.remove(comentario);

    ArchivoAyuda leido;
    leido.ruta_ = ruta;
    const QFileInfo info(ruta);
    leido.modificado_ = info.lastModified();
    leido.tamano_ = info.size();
    static const QRegularExpression seccion(QStringLiteral("<section\\b([^>]*)>(.*?)</section\\s*>"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    for (auto it = seccion.globalMatch(texto); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString id = Atributo(m.captured(1), "id");
        // A section without an id cannot be asked for; the first of a
        // repeated id is the one shown.
        if (id.isEmpty() || leido.temas_.contains(id)) continue;
        leido.orden_ << id;
        leido.temas_.insert(id, TemaAyuda{Atributo(m.captured(1), "title"), m.captured(2)});
    }
    if (leido.orden_.isEmpty())
        return fallar(QString::fromUtf8("«%1» no es un archivo de ayuda de VaviviV: no tiene ningún tema.").arg(nombre));
    return leido;
}

const TemaAyuda* ArchivoAyuda::tema(const QString& id) const {
    const auto it = temas_.constFind(id);
    return it == temas_.constEnd() ? nullptr : &*it;
}

NavegadorAyuda::NavegadorAyuda(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    document()->setDefaultStyleSheet(QString::fromLatin1(kEstilo));
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& enlace) {
        // "#10" arrives resolved against the topic on show ("ayuda:101#10").
        irA(enlace.hasFragment() ? enlace.fragment() : enlace.path());
    });
}

void NavegadorAyuda::setArchivo(const ArchivoAyuda& archivo) {
    archivo_ = archivo;
    clearHistory();
}

bool NavegadorAyuda::irA(const QString& id) {
    if (!archivo_ || !archivo_->tema(id)) return false;
    const QUrl url = UrlDeTema(id);
    // The same topic of a file read again is drawn again.
    if (source() == url)
        reload();
    else
        setSource(url, QTextDocument::HtmlResource);
    return true;
}

QString NavegadorAyuda::tema() const {
    const QUrl url = source();
    return url.scheme() == kEsquema ? url.path() : QString();
}

QVariant NavegadorAyuda::loadResource(int type, const QUrl& nombre) {
    if (nombre.scheme() == kEsquema) {
        const TemaAyuda* tema = archivo_ ? archivo_->tema(nombre.path()) : nullptr;
        if (type != QTextDocument::HtmlResource || !tema) return {};
        return QStringLiteral("<html><body>%1</body></html>").arg(tema->html);
    }
    // Nothing outside the help file is fetched.
    return {};
}

VisorAyuda::VisorAyuda(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("visorAyuda"));
    setWindowTitle(kTituloVisor);
    // Closing the last window of the tool ends it even while help is open.
    setAttribute(Qt::WA_QuitOnClose, false);

    navegador_ = new NavegadorAyuda(this);
    navegador_->setObjectName(QStringLiteral("navegadorAyuda"));
    const auto boton = [this](const char* nombre, const QString& texto) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setAutoDefault(false);
        return b;
    };
    contenido_ = boton("cmdContenido", QStringLiteral("&Contenido"));
    atras_ = boton("cmdAtras", QString::fromUtf8("&Atrás"));
    adelante_ = boton("cmdAdelante", QStringLiteral("A&delante"));
    uso_ = boton("cmdUso", QStringLiteral("&Uso de la Ayuda"));
    atras_->setEnabled(false);
    adelante_->setEnabled(false);

    auto* barra = new QHBoxLayout;
    for (QPushButton* b : {contenido_, atras_, adelante_, uso_}) barra->addWidget(b);
    barra->addStretch();
    auto* capas = new QVBoxLayout(this);
    capas->addLayout(barra);
    capas->addWidget(navegador_);

    connect(contenido_, &QPushButton::clicked, this, [this] { navegador_->irA(QString::fromLatin1(kTemaContenido)); });
    connect(uso_, &QPushButton::clicked, this, [this] { navegador_->irA(QString::fromLatin1(kTemaUso)); });
    connect(atras_, &QPushButton::clicked, navegador_, &QTextBrowser::backward);
    connect(adelante_, &QPushButton::clicked, navegador_, &QTextBrowser::forward);
    connect(navegador_, &QTextBrowser::backwardAvailable, atras_, &QWidget::setEnabled);
    connect(navegador_, &QTextBrowser::forwardAvailable, adelante_, &QWidget::setEnabled);
    // The signal comes before source() names the new topic: the title takes the URL it carries.
    connect(navegador_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) { actualizar(url.path()); });

    resize(640, 540);
}

bool VisorAyuda::abrir(const ArchivoAyuda& archivo, const QString& id) {
    if (!navegador_->archivo() || !navegador_->archivo()->mismoQue(archivo)) navegador_->setArchivo(archivo);
    const bool hecho = navegador_->irA(id);
    actualizar(navegador_->tema());
    return hecho;
}

void VisorAyuda::actualizar(const QString& id) {
    const ArchivoAyuda* archivo = navegador_->archivo();
    const TemaAyuda* tema = archivo ? archivo->tema(id) : nullptr;
    const QString base = kTituloVisor;
    setWindowTitle(tema && !tema->titulo.isEmpty() ? base + QStringLiteral(" - ") + tema->titulo : base);
    contenido_->setEnabled(archivo && archivo->tema(QString::fromLatin1(kTemaContenido)));
    uso_->setEnabled(archivo && archivo->tema(QString::fromLatin1(kTemaUso)));
}

void VisorAyuda::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

namespace {

QPointer<VisorAyuda> visorAbierto;

}  // namespace

VisorAyuda* VisorAyudaAbierto() { return visorAbierto; }

void MostrarEnVisorAyuda(const PeticionAyuda& peticion) {
    const QString ruta = ResolverArchivoAyuda(peticion.archivo);
    if (ruta.isEmpty()) {
        MostrarMensaje(QString::fromUtf8("No se encontró el archivo de ayuda «%1».\n\n"
                                         "La ayuda se instala en la carpeta del programa o en share/vaviviv; "
                                         "sin ella VaviviV funciona igual, pero no puede mostrarla.")
                           .arg(QDir::toNativeSeparators(peticion.archivo)),
                       Icono::Critico);
        return;
    }
    QString error;
    const std::optional<ArchivoAyuda> archivo = ArchivoAyuda::Leer(ruta, &error);
    if (!archivo) {
        MostrarMensaje(error, Icono::Critico);
        return;
    }

    QString id;
    switch (peticion.comando) {
        case kAyudaTema: id = QString::number(peticion.contexto); break;
        case kAyudaUso: id = QString::fromLatin1(kTemaUso); break;
        default: id = QString::fromLatin1(kTemaContenido); break;
    }
    if (!archivo->tema(id)) {
        MostrarMensaje(QString::fromUtf8("El archivo de ayuda no tiene el tema %1; se muestra el contenido.").arg(id),
                       Icono::Exclamacion);
        id = archivo->tema(QString::fromLatin1(kTemaContenido)) ? QString::fromLatin1(kTemaContenido)
                                                                 : archivo->temas().constFirst();
    }

    if (!visorAbierto) {
        visorAbierto = new VisorAyuda;
        visorAbierto->setAttribute(Qt::WA_DeleteOnClose);
    }
    visorAbierto->abrir(*archivo, id);
    visorAbierto->show();
    visorAbierto->raise();
    visorAbierto->activateWindow();
}

}  // namespace vaviviv
