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
constexpr int kCopiasMaximas = 99;
constexpr double kMargenMm = 12.0;
// The widest a column may ask for, as a share of the page, before the
// others are considered: one long error text must not squeeze the rest.
constexpr double kAnchoMaximo = 0.45;
// The logo is drawn at its own size, but never larger than this.
constexpr double kAltoLogoMaximoMm = 25.0;

std::unique_ptr<Informe> NuevoInformeImpreso() { return std::make_unique<InformeImpreso>(); }

FabricaInformes& Fabrica() {
    static FabricaInformes fabrica = NuevoInformeImpreso;
    return fabrica;
}

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

std::unique_ptr<Informe> CrearInforme() { return Fabrica()(); }

FabricaInformes InstalarFabricaInformes(FabricaInformes fabrica) {
    FabricaInformes anterior = std::move(Fabrica());
    Fabrica() = fabrica ? std::move(fabrica) : FabricaInformes(NuevoInformeImpreso);
    return anterior;
}

PresentacionInforme* InstalarPresentacion(PresentacionInforme* presentacion) {
    PresentacionInforme* anterior = presentacionActual;
    presentacionActual = presentacion ? presentacion : &vistaPrevia;
    return anterior == &vistaPrevia ? nullptr : anterior;
}

void InformeImpreso::Iniciar() { *this = InformeImpreso(); }

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
    impresora.setPageOrientation(orientacion_ == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    impresora.setPageMargins(QMarginsF(kMargenMm, kMargenMm, kMargenMm, kMargenMm), QPageLayout::Millimeter);
    impresora.setCopyCount(std::clamp(copias_, 1, kCopiasMaximas));
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

int InformeImpreso::Imprimir(QPrinter& impresora) const {
    QPainter p;
    if (!p.begin(&impresora)) return 0;

    Medidas m;
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
    const double separacion = 6 * m.puntoEnPixeles;
    QPaintDevice* dispositivo = &impresora;
    const QFontMetricsF medidaTabla(m.tabla, dispositivo);
    const QFontMetricsF medidaTitulos(m.titulosTabla, dispositivo);

    // The columns: as defined, or every column of the rows under its own title.
    std::vector<Columna> columnas = columnas_;
    if (columnas.empty() && datos_)
        for (int c = 0; c < datos_->columnCount(); ++c) columnas.push_back(Columna{c, Titulo(*datos_, c), 0, {}, 0});
    const std::size_t k = columnas.size();
    const int filas = datos_ ? datos_->rowCount() : 0;

    // Every cell read once, with its width on one line.
    std::vector<QString> textos(std::size_t(filas) * k);
    std::vector<float> avances(textos.size());
    std::vector<double> natural(k);
    for (std::size_t c = 0; c < k; ++c)
        natural[c] = medidaTitulos.horizontalAdvance(columnas[c].titulo);
    for (int f = 0; f < filas; ++f)
        for (std::size_t c = 0; c < k; ++c) {
            const std::size_t i = std::size_t(f) * k + c;
            textos[i] = Celda(*datos_, f, columnas[c].indice);
            if (textos[i].isEmpty()) textos[i] = columnas[c].texto;
            avances[i] = float(medidaTabla.horizontalAdvance(textos[i]));
            natural[c] = std::max(natural[c], double(avances[i]));
        }

    // Widths: what the texts need, times the definition's factor, spread to
    // fill the page; narrower than their texts, cells wrap.
    std::vector<double> anchos(k);
    double suma = 0;
    for (std::size_t c = 0; c < k; ++c) {
        const double necesario = std::min(natural[c] + 2 * m.margenH, kAnchoMaximo * m.ancho);
        anchos[c] = std::max(necesario, 2 * m.margenH + m.puntoEnPixeles) * (1.0 + std::max(columnas[c].ancho, 0));
        suma += anchos[c];
    }
    for (double& ancho : anchos) ancho *= m.ancho / suma;
    std::vector<double> izquierdas(k + 1, 0);
    for (std::size_t c = 0; c < k; ++c) izquierdas[c + 1] = izquierdas[c] + anchos[c];

    const double altoLinea = medidaTabla.height() + 2 * m.margenV;
    double altoTitulos = medidaTitulos.height();
    for (std::size_t c = 0; c < k; ++c)
        altoTitulos = std::max(altoTitulos, AltoEnvuelto(m.titulosTabla, dispositivo, anchos[c] - 2 * m.margenH,
                                                         columnas[c].titulo, Qt::TextWordWrap));
    altoTitulos += 2 * m.margenV;

    // The heads of the pages: the first with logo, titles and summary lines,
    // the others with the titles on one line; every page ends in its number.
    QImage logo;
    if (!logo_.isEmpty()) logo.load(logo_);
    QRectF cajaLogo;
    if (!logo.isNull()) {
        const double ppmX = logo.dotsPerMeterX() > 0 ? logo.dotsPerMeterX() : 96 / kMetrosPorPulgada;
        const double ppmY = logo.dotsPerMeterY() > 0 ? logo.dotsPerMeterY() : ppmX;
        QSizeF tamano(logo.width() / (ppmX * kMetrosPorPulgada) * impresora.resolution(),
                      logo.height() / (ppmY * kMetrosPorPulgada) * impresora.resolution());
        const QSizeF tope(m.ancho / 3, kAltoLogoMaximoMm / 25.4 * impresora.resolution());
        if (tamano.width() > tope.width() || tamano.height() > tope.height()) tamano.scale(tope, Qt::KeepAspectRatio);
        cajaLogo = QRectF(QPointF(logoX_ / kTwipsPorPulgada * impresora.resolution(),
                                  logoY_ / kTwipsPorPulgada * impresora.resolution()),
                          tamano);
    }
    const int centrado = Qt::AlignHCenter | Qt::TextWordWrap;
    // Titles keep clear of the logo: centred on the page when they fit
    // between the logo and its mirror image, else on the room beside it.
    double margenTitulos = 0;
    double anchoTitulos = m.ancho;
    if (!cajaLogo.isNull()) {
        const double libre = std::min(cajaLogo.right() + separacion, m.ancho / 2);
        const double necesario = std::max(QFontMetricsF(m.titulo1, dispositivo).horizontalAdvance(titulo1_),
                                          QFontMetricsF(m.titulo2, dispositivo).horizontalAdvance(titulo2_));
        margenTitulos = libre;
        anchoTitulos = necesario <= m.ancho - 2 * libre ? m.ancho - 2 * libre : m.ancho - libre;
    }
    const double alto1 = AltoEnvuelto(m.titulo1, dispositivo, anchoTitulos, titulo1_, centrado);
    const double alto2 = AltoEnvuelto(m.titulo2, dispositivo, anchoTitulos, titulo2_, centrado);
    double arribaResumen = std::max(alto1 + alto2, cajaLogo.isNull() ? 0.0 : cajaLogo.bottom()) + separacion;
    const QStringList resumen = LineasResumen();
    std::vector<double> altosResumen;
    double finResumen = arribaResumen;
    for (const QString& linea : resumen) {
        altosResumen.push_back(AltoEnvuelto(m.resumen, dispositivo, m.ancho, linea, Qt::TextWordWrap));
        finResumen += altosResumen.back();
    }
    const double arribaTabla1 = finResumen + separacion;
    const QFontMetricsF medidaPie(m.pie, dispositivo);
    const QString cabecera = UnaLinea({titulo1_, titulo2_});
    const double arribaTablaN = cabecera.isEmpty() ? 0 : medidaPie.height() + separacion;
    const double finCuerpo = m.alto - medidaPie.height() - separacion;

    // Row heights: one line, unless a text needs more; no row is split.
    const double altoMaximo = std::max(finCuerpo - arribaTablaN - altoTitulos, altoLinea);
    std::vector<double> altos(std::size_t(filas), altoLinea);
    for (int f = 0; f < filas; ++f)
        for (std::size_t c = 0; c < k; ++c) {
            const std::size_t i = std::size_t(f) * k + c;
            const double libre = anchos[c] - 2 * m.margenH;
            if (avances[i] <= libre) continue;
            const double alto = AltoCelda(m.tabla, dispositivo, libre, textos[i]) + 2 * m.margenV;
            altos[std::size_t(f)] = std::min(std::max(altos[std::size_t(f)], alto), altoMaximo);
        }

    // Pages: as many rows as fit (and as the setting allows), at least one.
    std::vector<int> inicios;
    for (int f = 0; inicios.empty() || f < filas;) {
        inicios.push_back(f);
        const double libre = finCuerpo - (inicios.size() == 1 ? arribaTabla1 : arribaTablaN) - altoTitulos;
        double usado = 0;
        int enPagina = 0;
        while (f < filas) {
            const bool lleno = renglonesPorPagina_ > 0 && enPagina >= renglonesPorPagina_;
            if (enPagina > 0 && (lleno || usado + altos[std::size_t(f)] > libre)) break;
            usado += altos[std::size_t(f)];
            ++f;
            ++enPagina;
        }
    }
    inicios.push_back(filas);
    const int paginas = int(inicios.size()) - 1;

    const QPen lineaFina(QColor(170, 170, 170), 0.4 * m.puntoEnPixeles);
    const QPen lineaMarco(QColor(90, 90, 90), 0.7 * m.puntoEnPixeles);
    const QString fecha = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));

    const auto pintarPagina = [&](int pagina) {
        double arriba;
        if (pagina == 0) {
            if (!cajaLogo.isNull()) {
                p.setRenderHint(QPainter::SmoothPixmapTransform);
                p.drawImage(cajaLogo, logo);
            }
            p.setPen(Qt::black);
            p.setFont(m.titulo1);
            p.drawText(QRectF(margenTitulos, 0, anchoTitulos, alto1), centrado, titulo1_);
            p.setFont(m.titulo2);
            p.drawText(QRectF(margenTitulos, alto1, anchoTitulos, alto2), centrado, titulo2_);
            p.setFont(m.resumen);
            double y = arribaResumen;
            for (qsizetype i = 0; i < resumen.size(); ++i) {
                p.drawText(QRectF(0, y, m.ancho, altosResumen[std::size_t(i)]), Qt::TextWordWrap, resumen[i]);
                y += altosResumen[std::size_t(i)];
            }
            arriba = arribaTabla1;
        } else {
            p.setPen(Qt::black);
            p.setFont(m.pie);
            p.drawText(QRectF(0, 0, m.ancho, medidaPie.height()), Qt::AlignLeft,
                       medidaPie.elidedText(cabecera, Qt::ElideRight, m.ancho));
            arriba = arribaTablaN;
        }

        // The grid's titles head the table on every page.
        if (k > 0) {
            p.fillRect(QRectF(0, arriba, m.ancho, altoTitulos), QColor(225, 225, 225));
            p.setPen(Qt::black);
            p.setFont(m.titulosTabla);
            for (std::size_t c = 0; c < k; ++c)
                p.drawText(QRectF(izquierdas[c] + m.margenH, arriba + m.margenV, anchos[c] - 2 * m.margenH,
                                  altoTitulos - 2 * m.margenV),
                           int(Alineacion(columnas[c].alineacion)) | Qt::AlignVCenter | Qt::TextWordWrap,
                           columnas[c].titulo);
        }
        double y = arriba + altoTitulos;
        p.setFont(m.tabla);
        const double base = m.margenV + medidaTabla.ascent();
        for (int f = inicios[std::size_t(pagina)]; f < inicios[std::size_t(pagina) + 1]; ++f) {
            const double alto = altos[std::size_t(f)];
            p.setPen(Qt::black);
            for (std::size_t c = 0; c < k; ++c) {
                const std::size_t i = std::size_t(f) * k + c;
                if (textos[i].isEmpty()) continue;
                const double libre = anchos[c] - 2 * m.margenH;
                const Qt::Alignment alineacion = Alineacion(columnas[c].alineacion);
                if (avances[i] <= libre) {
                    double x = izquierdas[c] + m.margenH;
                    if (alineacion == Qt::AlignRight) x += libre - avances[i];
                    if (alineacion == Qt::AlignHCenter) x += (libre - avances[i]) / 2;
                    p.drawText(QPointF(x, y + base), textos[i]);
                } else {
                    const QRectF caja(izquierdas[c] + m.margenH, y + m.margenV, libre, alto - 2 * m.margenV);
                    p.save();
                    p.setClipRect(caja);
                    QTextLayout capa(textos[i], m.tabla, dispositivo);
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
            for (std::size_t c = 1; c < k; ++c) p.drawLine(QPointF(izquierdas[c], arriba), QPointF(izquierdas[c], y));
            p.setPen(lineaMarco);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(0, arriba, m.ancho, y - arriba));
            p.drawLine(QPointF(0, arriba + altoTitulos), QPointF(m.ancho, arriba + altoTitulos));
        }

        p.setPen(Qt::black);
        p.setFont(m.pie);
        const QRectF pie(0, m.alto - medidaPie.height(), m.ancho, medidaPie.height());
        p.drawText(pie, Qt::AlignLeft, fecha);
        p.drawText(pie, Qt::AlignHCenter, QString::fromUtf8("Página %1 de %2").arg(pagina + 1).arg(paginas));
    };

    // A page range chosen in the print dialog; copies that the printer does
    // not make itself are printed here.
    const int desde = impresora.fromPage() > 0 ? impresora.fromPage() : 1;
    const int hasta = impresora.toPage() > 0 ? std::min(impresora.toPage(), paginas) : paginas;
    const int copias = impresora.supportsMultipleCopies() ? 1 : std::max(impresora.copyCount(), 1);
    int impresas = 0;
    for (int copia = 0; copia < copias; ++copia)
        for (int pagina = desde - 1; pagina < hasta; ++pagina) {
            if (impresas > 0 && !impresora.newPage()) return impresas;
            pintarPagina(pagina);
            ++impresas;
        }
    p.end();
    return impresas;
}

}  // namespace vaviviv
