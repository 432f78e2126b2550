#include "platform/visor_ayuda.h"

#include "platform/dialogos.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace vaviviv {

namespace {
const QString kTituloVisor = QStringLiteral("Ayuda de VaviviV");
}  // namespace

namespace {

const QString kEsquema = QStringLiteral("ayuda");

// Help files are a few dozen kilobytes; anything far larger is not one.
constexpr qint64 kTamanoMaximo = 4 * 1024 * 1024;

// Headings, links, table headers and examples take their colours from the
// palette, so that a dark one leaves them readable: headings in dark blue on
// a light page, in the theme's link colour on a dark one, each brought to the
// contrast of ordinary text; a header and an example on a tint of the page.
constexpr double kContrasteMinimo = 4.5;

double Luminancia(const QColor& c) {
    const auto lineal = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lineal(c.redF()) + 0.7152 * lineal(c.greenF()) + 0.0722 * lineal(c.blueF());
}

double Contraste(const QColor& a, const QColor& b) {
    const double la = Luminancia(a), lb = Luminancia(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// `color` made lighter on a dark page, darker on a light one, until it reads on `fondo`.
bool EsOscuro(const QColor& fondo) { return Luminancia(fondo) < 0.18; }

QColor Legible(QColor color, const QColor& fondo) {
    const bool oscuro = EsOscuro(fondo);
    for (int paso = 0; paso < 20 && Contraste(color, fondo) < kContrasteMinimo; ++paso)
        color = oscuro ? color.lighter(115) : color.darker(115);
    return Contraste(color, fondo) < kContrasteMinimo ? (oscuro ? QColor(Qt::white) : QColor(Qt::black)) : color;
}

QColor Mezcla(const QColor& a, const QColor& b, double deB) {
    return QColor::fromRgbF(float(a.redF() * (1 - deB) + b.redF() * deB), float(a.greenF() * (1 - deB) + b.greenF() * deB),
                            float(a.blueF() * (1 - deB) + b.blueF() * deB));
}

QString Estilo(const QPalette& paleta) {
    const QColor pagina = paleta.color(QPalette::Base), texto = paleta.color(QPalette::Text);
    const QColor titulo = Legible(EsOscuro(pagina) ? paleta.color(QPalette::Link) : QColor(0x1f, 0x3d, 0x7a), pagina);
    const QColor cabecera = Mezcla(pagina, paleta.color(QPalette::Highlight), 0.15);
    const QColor ejemplo = Mezcla(pagina, texto, 0.06);
    return QStringLiteral("body { font-size: 10pt; }"
                          "a { color: %1; }"
                          "h1 { font-size: 15pt; color: %1; }"
                          "h2 { font-size: 12pt; color: %1; }"
                          "th { background-color: %2; color: %3; }"
                          "pre.ejemplo { background-color: %4; color: %3; }"
                          "code { font-family: monospace; }")
        .arg(titulo.name(), cabecera.name(), Legible(texto, cabecera).name(), ejemplo.name());
}

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
    document()->setDefaultStyleSheet(Estilo(palette()));
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

void NavegadorAyuda::changeEvent(QEvent* event) {
    QTextBrowser::changeEvent(event);
    if (event->type() != QEvent::PaletteChange) return;
    document()->setDefaultStyleSheet(Estilo(palette()));
    if (!tema().isEmpty()) reload();  // the topic on show drawn again in the new colours
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
