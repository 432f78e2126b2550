#include "platform/informe.h"

#include "platform/controles.h"
#include "platform/dialogos.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDate>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextLayout>
#include <QWindow>
#include <algorithm>

namespace vaviviv {

namespace {

constexpr double kPuntosPorPulgada = 72.0;
constexpr double kTwipsPorPulgada = 1440.0;
constexpr double kMetrosPorPulgada = 0.0254;
constexpr int kLetraEstandar = 8;
constexpr int kLetraMayor = 72;
constexpr double kMargenMm = 12.0;
// The widest a column may ask for, as a share of the page, before the
// others are considered: one long error text must not squeeze the rest.
constexpr double kAnchoMaximo = 0.45;
// The logo is drawn at its own size, but never larger than this.
constexpr double kAltoLogoMaximoMm = 25.0;
// The report's titles.
constexpr int kCentrado = Qt::AlignHCenter | Qt::TextWordWrap;

// The room the preview asks for; a smaller screen gives it what it has.
constexpr QSize kTamanoVista(900, 720);

// Until it is shown the preview has no frame: it is sized with the one the
// active window has, from the same window manager. Once it is on screen with
// a frame of its own that does not fit after all, it is sized again.
class EncajeAlMostrar final : public QObject {
public:
    explicit EncajeAlMostrar(QWidget& ventana) : ventana_(ventana) {
        const QWidget* activa = QApplication::activeWindow();
        EncajarEnPantalla(ventana_, kTamanoVista, activa ? MarcoDe(*activa) : QMargins());
        ventana_.winId();  // its native window, to hear when it is shown
        ventana_.windowHandle()->installEventFilter(this);
    }

    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Expose && ventana_.isVisible()) {
            objeto->removeEventFilter(this);
            if (!ventana_.screen()->availableGeometry().contains(ventana_.frameGeometry()))
                EncajarEnPantalla(ventana_, kTamanoVista, MarcoDe(ventana_));
        }
        return false;
    }

private:
    QWidget& ventana_;
};

class VistaPrevia final : public PresentacionInforme {
public:
    void presentar(QPrinter& impresora, const std::function<void(QPrinter&)>& pintar) override {
        QPrintPreviewDialog vista(&impresora, QApplication::activeWindow());
        vista.setWindowTitle(QString::fromUtf8("Presentación preliminar del reporte"));
        QObject::connect(&vista, &QPrintPreviewDialog::paintRequested, &vista, [&pintar](QPrinter* destino) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            pintar(*destino);
            QApplication::restoreOverrideCursor();
        });
        const EncajeAlMostrar encaje(vista);
        vista.exec();
    }
};

VistaPrevia vistaPrevia;
PresentacionInforme* presentacionActual = &vistaPrevia;

QString Celda(const QAbstractItemModel& modelo, int fila, int columna) {
    return modelo.data(modelo.index(fila, columna)).toString();
}

QString Titulo(const QAbstractItemModel& modelo, int columna) {
    return modelo.headerData(columna, Qt::Horizontal).toString();
}

QString UnaLinea(const QStringList& celdas) {
    QStringList llenas;
    for (const QString& celda : celdas)
        if (!celda.trimmed().isEmpty()) llenas << celda;
    return llenas.join(QLatin1Char(' '));
}

// What one drawing of the report needs, measured on the printer at hand.
struct Medidas {
    double puntoEnPixeles;  // device pixels per point
    double ancho, alto;     // printable area
    QFont tabla, titulosTabla, titulo1, titulo2, resumen, pie;
    double margenH, margenV;  // inside each cell
};

QFont Letra(const QFont& base, double puntos, bool negrita) {
    QFont letra(base);
    letra.setPointSizeF(puntos);
    letra.setBold(negrita);
    // Without ligatures the PDF's text reads as it was written ("fi", not
    // one glyph), for searching and copying.
    letra.setStyleStrategy(QFont::PreferNoShaping);
    return letra;
}

double AltoEnvuelto(const QFont& letra, QPaintDevice* dispositivo, double ancho, const QString& texto, int banderas) {
    if (texto.isEmpty()) return 0;
    return QFontMetricsF(letra, dispositivo).boundingRect(QRectF(0, 0, ancho, 1e9), banderas, texto).height();
}

// A cell's text in lines of `ancho`: broken between words, inside a word
// only where one word is wider than the cell.
void Envolver(QTextLayout& capa, double ancho, Qt::Alignment alineacion) {
    QTextOption opcion(alineacion);
    opcion.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    capa.setTextOption(opcion);
    capa.beginLayout();
    double y = 0;
    for (QTextLine linea = capa.createLine(); linea.isValid(); linea = capa.createLine()) {
        linea.setLineWidth(ancho);
        linea.setPosition(QPointF(0, y));
        y += linea.height();
    }
    capa.endLayout();
}

double AltoCelda(const QFont& letra, QPaintDevice* dispositivo, double ancho, const QString& texto) {
    QTextLayout capa(texto, letra, dispositivo);
    Envolver(capa, ancho, Qt::AlignLeft);
    return capa.boundingRect().height();
}

Qt::Alignment Alineacion(int numero) {
    switch (numero) {
        case 1: return Qt::AlignHCenter;
        case 2: return Qt::AlignRight;
        default: break;
    }
    return Qt::AlignLeft;
}

}  // namespace

PresentacionInforme* InstalarPresentacion(PresentacionInforme* presentacion) {
    PresentacionInforme* anterior = presentacionActual;
    presentacionActual = presentacion ? presentacion : &vistaPrevia;
    return anterior == &vistaPrevia ? nullptr : anterior;
}

void InformeImpreso::Datos(const QAbstractItemModel& modelo) { datos_ = &modelo; }

void InformeImpreso::Resumen(const QAbstractItemModel& modelo) { resumen_ = &modelo; }

void InformeImpreso::Logotipo(int x, int y, const QString& ruta) {
    logoX_ = x;
    logoY_ = y;
    logo_ = ruta;
}

void InformeImpreso::DefinirColumna(int indice, const QString& titulo, int ancho, const QString& texto, int numero) {
    columnas_.push_back(Columna{indice, titulo, ancho, texto, numero});
}

QStringList InformeImpreso::LineasResumen() const {
    QStringList lineas;
    if (!resumen_) return lineas;
    const int columnas = resumen_->columnCount();
    QStringList celdas;
    for (int c = 0; c < columnas; ++c) celdas << Titulo(*resumen_, c);
    if (const QString linea = UnaLinea(celdas); !linea.isEmpty()) lineas << linea;
    for (int f = 0; f < resumen_->rowCount(); ++f) {
        celdas.clear();
        for (int c = 0; c < columnas; ++c) celdas << Celda(*resumen_, f, c);
        if (const QString linea = UnaLinea(celdas); !linea.isEmpty()) lineas << linea;
    }
    return lineas;
}

void InformeImpreso::Preparar(QPrinter& impresora) const {
    impresora.setDocName(UnaLinea({titulo1_, titulo2_}).isEmpty() ? QStringLiteral("VaviviV")
                                                                   : UnaLinea({titulo1_, titulo2_}));
    impresora.setPageOrientation(QPageLayout::Portrait);
    impresora.setPageMargins(QMarginsF(kMargenMm, kMargenMm, kMargenMm, kMargenMm), QPageLayout::Millimeter);
}

void InformeImpreso::Producir() {
    QPrinter impresora(QPrinter::HighResolution);
    Preparar(impresora);
    presentacionActual->presentar(impresora, [this](QPrinter& destino) { Imprimir(destino); });
}

void InformeImpreso::ProducirEnImpresora() {
    for (;;) {
        QPrinter impresora(QPrinter::HighResolution);
        Preparar(impresora);
        const std::optional<ErrorImpresion> error =
            presentacionActual->imprimir(impresora, [this](QPrinter& destino) { return Imprimir(destino); });
        if (!error ||
            MostrarMensaje(TextoDeError(error->numero, error->descripcion), Icono::Ninguno,
                           Botones::ReintentarCancelar) != Respuesta::Reintentar)
            return;
    }
}

std::optional<ErrorImpresion> PresentacionInforme::imprimir(QPrinter& impresora,
                                                            const std::function<int(QPrinter&)>& pintar) {
    if (const std::optional<ErrorImpresion> error = UsarImpresoraPredeterminada(impresora)) return error;
    const bool empezado = pintar(impresora) > 0;
    return ErrorDelTrabajo(impresora, empezado);
}

std::vector<double> AnchosColumnas(const std::vector<double>& natural, const std::vector<int>& factores, double pagina,
                                   double margen, double punto) {
    std::vector<double> anchos(natural.size());
    double suma = 0;
    for (std::size_t c = 0; c < natural.size(); ++c) {
        const double necesario = std::min(natural[c] + 2 * margen, kAnchoMaximo * pagina);
        anchos[c] = std::max(necesario, 2 * margen + punto) * (1.0 + std::max(factores[c], 0));
        suma += anchos[c];
    }
    for (double& ancho : anchos) ancho *= pagina / suma;
    return anchos;
}

std::vector<int> Paginar(const std::vector<double>& altos, double primera, double siguientes) {
    const std::size_t filas = altos.size();
    std::vector<int> inicios;
    for (std::size_t f = 0; inicios.empty() || f < filas;) {
        inicios.push_back(int(f));
        const double libre = inicios.size() == 1 ? primera : siguientes;
        double usado = 0;
        for (bool vacia = true; f < filas; ++f, vacia = false) {
            if (!vacia && usado + altos[f] > libre) break;
            usado += altos[f];
        }
    }
    inicios.push_back(int(filas));
    return inicios;
}

// The report laid out on one printer: fonts, columns, the rows' texts and
// heights, where the heads of the pages go, and the pages.
struct InformeImpreso::Disposicion {
    Medidas m;
    QPaintDevice* dispositivo;
    double baseTabla;  // from a row's top to its text's baseline
    double altoPie;
    double separacion;
    std::vector<Columna> columnas;
    // Every cell read once, row by row, with its width on one line.
    std::vector<QString> textos;
    std::vector<float> avances;
    std::vector<double> anchos, izquierdas;
    double altoTitulos;
    std::vector<double> altos;  // of each row
    // The first page's head.
    QImage logo;
    QRectF cajaLogo;
    double margenTitulos, anchoTitulos, alto1, alto2;
    double arribaResumen;
    QStringList resumen;
    std::vector<double> altosResumen;
    double arribaTabla1;
    // The other pages' head.
    QString cabecera;
    double arribaTablaN;
    QString fecha;
    std::vector<int> inicios;  // as Paginar gives them

    int paginas() const { return int(inicios.size()) - 1; }
};

InformeImpreso::Disposicion InformeImpreso::Medir(QPrinter& impresora) const {
    Disposicion d;
    Medidas& m = d.m;
    m.puntoEnPixeles = impresora.resolution() / kPuntosPorPulgada;
    const QSizeF area = impresora.pageRect(QPrinter::DevicePixel).size();
    m.ancho = area.width();
    m.alto = area.height();
    const QFont base = QApplication::font();
    const double puntos = puntos_ > 0 ? std::min(puntos_, kLetraMayor) : kLetraEstandar;
    m.tabla = Letra(base, puntos, false);
    m.titulosTabla = Letra(base, puntos, true);
    m.titulo1 = Letra(base, 14, true);
    m.titulo2 = Letra(base, 12, true);
    m.resumen = Letra(base, 9, false);
    m.pie = Letra(base, 7.5, false);
    m.margenH = 3 * m.puntoEnPixeles;
    m.margenV = 1.5 * m.puntoEnPixeles;
    d.separacion = 6 * m.puntoEnPixeles;
    QPaintDevice* dispositivo = d.dispositivo = &impresora;
    const QFontMetricsF medidaTabla(m.tabla, dispositivo);
    const QFontMetricsF medidaTitulos(m.titulosTabla, dispositivo);
    const QFontMetricsF medidaPie(m.pie, dispositivo);
    d.baseTabla = m.margenV + medidaTabla.ascent();
    d.altoPie = medidaPie.height();

    // The columns: as defined, or every column of the rows under its own title.
    d.columnas = columnas_;
    if (d.columnas.empty() && datos_)
        for (int c = 0; c < datos_->columnCount(); ++c) d.columnas.push_back(Columna{c, Titulo(*datos_, c), 0, {}, 0});
    const std::vector<Columna>& columnas = d.columnas;
    const std::size_t k = columnas.size();
    const int filas = datos_ ? datos_->rowCount() : 0;

    d.textos.resize(std::size_t(filas) * k);
    d.avances.resize(d.textos.size());
    std::vector<double> natural(k);
    std::vector<int> factores(k);
    for (std::size_t c = 0; c < k; ++c) {
        natural[c] = medidaTitulos.horizontalAdvance(columnas[c].titulo);
        factores[c] = columnas[c].ancho;
    }
    for (int f = 0; f < filas; ++f)
        for (std::size_t c = 0; c < k; ++c) {
            const std::size_t i = std::size_t(f) * k + c;
            d.textos[i] = Celda(*datos_, f, columnas[c].indice);
            if (d.textos[i].isEmpty()) d.textos[i] = columnas[c].texto;
            d.avances[i] = float(medidaTabla.horizontalAdvance(d.textos[i]));
            natural[c] = std::max(natural[c], double(d.avances[i]));
        }

    // Narrower than their texts, cells wrap.
    d.anchos = AnchosColumnas(natural, factores, m.ancho, m.margenH, m.puntoEnPixeles);
    d.izquierdas.assign(k + 1, 0);
    for (std::size_t c = 0; c < k; ++c) d.izquierdas[c + 1] = d.izquierdas[c] + d.anchos[c];

    const double altoLinea = medidaTabla.height() + 2 * m.margenV;
    d.altoTitulos = medidaTitulos.height();
    for (std::size_t c = 0; c < k; ++c)
        d.altoTitulos = std::max(d.altoTitulos, AltoEnvuelto(m.titulosTabla, dispositivo, d.anchos[c] - 2 * m.margenH,
                                                             columnas[c].titulo, Qt::TextWordWrap));
    d.altoTitulos += 2 * m.margenV;

    // The heads of the pages: the first with logo, titles and summary lines,
    // the others with the titles on one line; every page ends in its number.
    if (!logo_.isEmpty()) d.logo.load(logo_);
    if (!d.logo.isNull()) {
        const QImage& logo = d.logo;
        const double ppmX = logo.dotsPerMeterX() > 0 ? logo.dotsPerMeterX() : 96 / kMetrosPorPulgada;
        const double ppmY = logo.dotsPerMeterY() > 0 ? logo.dotsPerMeterY() : ppmX;
        QSizeF tamano(logo.width() / (ppmX * kMetrosPorPulgada) * impresora.resolution(),
                      logo.height() / (ppmY * kMetrosPorPulgada) * impresora.resolution());
        const QSizeF tope(m.ancho / 3, kAltoLogoMaximoMm / 25.4 * impresora.resolution());
        if (tamano.width() > tope.width() || tamano.height() > tope.height()) tamano.scale(tope, Qt::KeepAspectRatio);
        d.cajaLogo = QRectF(QPointF(logoX_ / kTwipsPorPulgada * impresora.resolution(),
                                    logoY_ / kTwipsPorPulgada * impresora.resolution()),
                            tamano);
    }
    // Titles keep clear of the logo: centred on the page when they fit
    // between the logo and its mirror image, else on the room beside it.
    d.margenTitulos = 0;
    d.anchoTitulos = m.ancho;
    if (!d.cajaLogo.isNull()) {
        const double libre = std::min(d.cajaLogo.right() + d.separacion, m.ancho / 2);
        const double necesario = std::max(QFontMetricsF(m.titulo1, dispositivo).horizontalAdvance(titulo1_),
                                          QFontMetricsF(m.titulo2, dispositivo).horizontalAdvance(titulo2_));
        d.margenTitulos = libre;
        d.anchoTitulos = necesario <= m.ancho - 2 * libre ? m.ancho - 2 * libre : m.ancho - libre;
    }
    d.alto1 = AltoEnvuelto(m.titulo1, dispositivo, d.anchoTitulos, titulo1_, kCentrado);
    d.alto2 = AltoEnvuelto(m.titulo2, dispositivo, d.anchoTitulos, titulo2_, kCentrado);
    d.arribaResumen = std::max(d.alto1 + d.alto2, d.cajaLogo.isNull() ? 0.0 : d.cajaLogo.bottom()) + d.separacion;
    d.resumen = LineasResumen();
    double finResumen = d.arribaResumen;
    for (const QString& linea : d.resumen) {
        d.altosResumen.push_back(AltoEnvuelto(m.resumen, dispositivo, m.ancho, linea, Qt::TextWordWrap));
        finResumen += d.altosResumen.back();
    }
    d.arribaTabla1 = finResumen + d.separacion;
    d.cabecera = UnaLinea({titulo1_, titulo2_});
    d.arribaTablaN = d.cabecera.isEmpty() ? 0 : d.altoPie + d.separacion;
    d.cabecera = medidaPie.elidedText(d.cabecera, Qt::ElideRight, m.ancho);
    const double finCuerpo = m.alto - d.altoPie - d.separacion;
    d.fecha = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));

    // Row heights: one line, unless a text needs more, but never more than a
    // page holds; no row is split.
    const double altoMaximo = std::max(finCuerpo - d.arribaTablaN - d.altoTitulos, altoLinea);
    d.altos.assign(std::size_t(filas), altoLinea);
    for (int f = 0; f < filas; ++f)
        for (std::size_t c = 0; c < k; ++c) {
            const std::size_t i = std::size_t(f) * k + c;
            const double libre = d.anchos[c] - 2 * m.margenH;
            if (d.avances[i] <= libre) continue;
            const double alto = AltoCelda(m.tabla, dispositivo, libre, d.textos[i]) + 2 * m.margenV;
            d.altos[std::size_t(f)] = std::min(std::max(d.altos[std::size_t(f)], alto), altoMaximo);
        }
    d.inicios = Paginar(d.altos, finCuerpo - d.arribaTabla1 - d.altoTitulos, finCuerpo - d.arribaTablaN - d.altoTitulos);
    return d;
}

void InformeImpreso::PintarPagina(QPainter& p, const Disposicion& d, int pagina) const {
    const Medidas& m = d.m;
    const std::size_t k = d.columnas.size();
    double arriba;
    if (pagina == 0) {
        if (!d.cajaLogo.isNull()) {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(d.cajaLogo, d.logo);
        }
        p.setPen(Qt::black);
        p.setFont(m.titulo1);
        p.drawText(QRectF(d.margenTitulos, 0, d.anchoTitulos, d.alto1), kCentrado, titulo1_);
        p.setFont(m.titulo2);
        p.drawText(QRectF(d.margenTitulos, d.alto1, d.anchoTitulos, d.alto2), kCentrado, titulo2_);
        p.setFont(m.resumen);
        double y = d.arribaResumen;
        for (qsizetype i = 0; i < d.resumen.size(); ++i) {
            p.drawText(QRectF(0, y, m.ancho, d.altosResumen[std::size_t(i)]), Qt::TextWordWrap, d.resumen[i]);
            y += d.altosResumen[std::size_t(i)];
        }
        arriba = d.arribaTabla1;
    } else {
        p.setPen(Qt::black);
        p.setFont(m.pie);
        p.drawText(QRectF(0, 0, m.ancho, d.altoPie), Qt::AlignLeft, d.cabecera);
        arriba = d.arribaTablaN;
    }

    // The grid's titles head the table on every page.
    if (k > 0) {
        p.fillRect(QRectF(0, arriba, m.ancho, d.altoTitulos), QColor(225, 225, 225));
        p.setPen(Qt::black);
        p.setFont(m.titulosTabla);
        for (std::size_t c = 0; c < k; ++c)
            p.drawText(QRectF(d.izquierdas[c] + m.margenH, arriba + m.margenV, d.anchos[c] - 2 * m.margenH,
                              d.altoTitulos - 2 * m.margenV),
                       int(Alineacion(d.columnas[c].alineacion)) | Qt::AlignVCenter | Qt::TextWordWrap,
                       d.columnas[c].titulo);
    }
    const QPen lineaFina(QColor(170, 170, 170), 0.4 * m.puntoEnPixeles);
    const QPen lineaMarco(QColor(90, 90, 90), 0.7 * m.puntoEnPixeles);
    double y = arriba + d.altoTitulos;
    p.setFont(m.tabla);
    for (int f = d.inicios[std::size_t(pagina)]; f < d.inicios[std::size_t(pagina) + 1]; ++f) {
        const double alto = d.altos[std::size_t(f)];
        p.setPen(Qt::black);
        for (std::size_t c = 0; c < k; ++c) {
            const std::size_t i = std::size_t(f) * k + c;
            const QString& texto = d.textos[i];
            if (texto.isEmpty()) continue;
            const double libre = d.anchos[c] - 2 * m.margenH;
            const Qt::Alignment alineacion = Alineacion(d.columnas[c].alineacion);
            if (d.avances[i] <= libre) {
                double x = d.izquierdas[c] + m.margenH;
                if (alineacion == Qt::AlignRight) x += libre - d.avances[i];
                if (alineacion == Qt::AlignHCenter) x += (libre - d.avances[i]) / 2;
                p.drawText(QPointF(x, y + d.baseTabla), texto);
            } else {
                const QRectF caja(d.izquierdas[c] + m.margenH, y + m.margenV, libre, alto - 2 * m.margenV);
                p.save();
                p.setClipRect(caja);
                QTextLayout capa(texto, m.tabla, d.dispositivo);
                Envolver(capa, libre, alineacion);
                capa.draw(&p, caja.topLeft());
                p.restore();
            }
        }
        y += alto;
        p.setPen(lineaFina);
        p.drawLine(QPointF(0, y), QPointF(m.ancho, y));
    }
    if (k > 0) {
        p.setPen(lineaFina);
        for (std::size_t c = 1; c < k; ++c) p.drawLine(QPointF(d.izquierdas[c], arriba), QPointF(d.izquierdas[c], y));
        p.setPen(lineaMarco);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0, arriba, m.ancho, y - arriba));
        p.drawLine(QPointF(0, arriba + d.altoTitulos), QPointF(m.ancho, arriba + d.altoTitulos));
    }

    p.setPen(Qt::black);
    p.setFont(m.pie);
    const QRectF pie(0, m.alto - d.altoPie, m.ancho, d.altoPie);
    p.drawText(pie, Qt::AlignLeft, d.fecha);
    p.drawText(pie, Qt::AlignHCenter, QString::fromUtf8("Página %1 de %2").arg(pagina + 1).arg(d.paginas()));
}

int InformeImpreso::Imprimir(QPrinter& impresora) const {
    QPainter p;
    if (!p.begin(&impresora)) return 0;
    const Disposicion d = Medir(impresora);
    // A page range chosen in the print dialog; copies that the printer does
    // not make itself are printed here.
    const int desde = impresora.fromPage() > 0 ? impresora.fromPage() : 1;
    const int hasta = impresora.toPage() > 0 ? std::min(impresora.toPage(), d.paginas()) : d.paginas();
    const int copias = impresora.supportsMultipleCopies() ? 1 : std::max(impresora.copyCount(), 1);
    int impresas = 0;
    for (int copia = 0; copia < copias; ++copia)
        for (int pagina = desde - 1; pagina < hasta; ++pagina) {
            if (impresas > 0 && !impresora.newPage()) return impresas;
            PintarPagina(p, d, pagina);
            ++impresas;
        }
    p.end();
    return impresas;
}

}  // namespace vaviviv
