#include "dibujo_svg.h"

#include <QGradient>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QTransform>
#include <array>
#include <climits>

namespace vaviviv {

namespace {

QString Numero(double valor) { return QString::number(valor, 'g', 6); }

QString Color(const QColor& color) { return color.name(QColor::HexRgb); }

// The opacity attribute a colour needs beside its name, if any.
QString Opacidad(const char* atributo, const QColor& color) {
    return color.alpha() == 255 ? QString() : QStringLiteral(" %1=\"%2\"").arg(QLatin1String(atributo), Numero(color.alphaF()));
}

}  // namespace

class MotorSvg final : public QPaintEngine {
public:
    MotorSvg()
        : QPaintEngine(AllFeatures & ~(PatternBrush | PatternTransform | PerspectiveTransform | ConicalGradientFill |
                                       PorterDuff | BlendModes | RasterOpModes)) {}

    bool begin(QPaintDevice*) override {
        definiciones_.clear();
        cuerpo_.clear();
        gradientes_ = 0;
        completo_ = true;
        return true;
    }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& estado) override {
        const DirtyFlags cambios = estado.state();
        if (cambios & DirtyPen) pluma_ = estado.pen();
        if (cambios & DirtyBrush) brocha_ = estado.brush();
        if (cambios & DirtyTransform) transformacion_ = estado.transform();
        if ((cambios & DirtyClipEnabled) && estado.isClipEnabled()) completo_ = false;
        if ((cambios & (DirtyClipPath | DirtyClipRegion)) && estado.clipOperation() != Qt::NoClip) completo_ = false;
    }

    void drawPath(const QPainterPath& camino) override {
        Elemento(camino, camino.fillRule() == Qt::OddEvenFill ? "evenodd" : "nonzero", true);
    }
    void drawPolygon(const QPointF* puntos, int cuantos, PolygonDrawMode modo) override {
        QPainterPath camino;
        camino.addPolygon(QPolygonF(QList<QPointF>(puntos, puntos + cuantos)));
        if (modo != PolylineMode) camino.closeSubpath();
        Elemento(camino, modo == OddEvenMode ? "evenodd" : "nonzero", modo != PolylineMode);
    }
    void drawPolygon(const QPoint* puntos, int cuantos, PolygonDrawMode modo) override {
        QPolygonF poligono;
        for (int i = 0; i < cuantos; ++i) poligono << QPointF(puntos[i]);
        drawPolygon(poligono.constData(), cuantos, modo);
    }
    void drawRects(const QRectF* rectangulos, int cuantos) override {
        for (int i = 0; i < cuantos; ++i) {
            QPainterPath camino;
            camino.addRect(rectangulos[i]);
            drawPath(camino);
        }
    }
    void drawRects(const QRect* rectangulos, int cuantos) override {
        for (int i = 0; i < cuantos; ++i) drawRects(std::array{QRectF(rectangulos[i])}.data(), 1);
    }
    void drawLines(const QLineF* lineas, int cuantas) override {
        for (int i = 0; i < cuantas; ++i) drawPolygon(std::array{lineas[i].p1(), lineas[i].p2()}.data(), 2, PolylineMode);
    }
    void drawLines(const QLine* lineas, int cuantas) override {
        for (int i = 0; i < cuantas; ++i) drawLines(std::array{QLineF(lineas[i])}.data(), 1);
    }
    void drawEllipse(const QRectF& caja) override {
        QPainterPath camino;
        camino.addEllipse(caja);
        drawPath(camino);
    }
    void drawEllipse(const QRect& caja) override { drawEllipse(QRectF(caja)); }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { completo_ = false; }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override { completo_ = false; }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override { completo_ = false; }
    void drawTextItem(const QPointF&, const QTextItem&) override { completo_ = false; }

    QString definiciones_, cuerpo_;
    bool completo_ = true;

private:
    void Elemento(const QPainterPath& camino, const char* regla, bool relleno) {
        QString d;
        QPointF inicio;
        for (int i = 0; i < camino.elementCount(); ++i) {
            const QPainterPath::Element e = camino.elementAt(i);
            if (e.isMoveTo()) inicio = e;
            // A subpath that comes back to its start is closed, so that its
            // last corner is joined like the others.
            const bool fin = i + 1 == camino.elementCount() || camino.elementAt(i + 1).isMoveTo();
            const bool cierra = fin && !e.isMoveTo() && QPointF(e) == inicio;
            if (cierra && e.isLineTo()) {
                d += u'Z';
                continue;
            }
            d += (e.isMoveTo() ? u'M' : e.isLineTo() ? u'L' : e.isCurveTo() ? u'C' : u' ') + Numero(e.x) + u' ' + Numero(e.y);
            if (cierra) d += u'Z';
        }
        cuerpo_ += QStringLiteral("<path d=\"%1\"%2%3%4/>\n")
                       .arg(d, Relleno(relleno, regla), Trazo(), Transformacion());
    }

    QString Relleno(bool relleno, const char* regla) {
        if (!relleno || brocha_.style() == Qt::NoBrush) return QStringLiteral(" fill=\"none\"");
        const QString regla_ = QStringLiteral(" fill-rule=\"%1\"").arg(QLatin1String(regla));
        if (brocha_.style() == Qt::SolidPattern && brocha_.transform().isIdentity())
            return QStringLiteral(" fill=\"%1\"").arg(Color(brocha_.color())) + Opacidad("fill-opacity", brocha_.color()) + regla_;
        if (const QString gradiente = Gradiente(brocha_); !gradiente.isEmpty())
            return QStringLiteral(" fill=\"url(#%1)\"").arg(gradiente) + regla_;
        completo_ = false;
        return QStringLiteral(" fill=\"none\"");
    }

    // The gradient's definition, by its name; empty when SVG cannot say it.
    QString Gradiente(const QBrush& brocha) {
        const QGradient* g = brocha.gradient();
        if (!g || g->coordinateMode() != QGradient::LogicalMode || g->spread() != QGradient::PadSpread ||
            !brocha.transform().isIdentity())
            return {};
        const QString nombre = QStringLiteral("g%1").arg(++gradientes_);
        QString paradas;
        for (const QGradientStop& parada : g->stops())
            paradas += QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\"%3/>")
                           .arg(Numero(parada.first), Color(parada.second), Opacidad("stop-opacity", parada.second));
        if (g->type() == QGradient::LinearGradient) {
            const auto* lineal = static_cast<const QLinearGradient*>(g);
            definiciones_ += QStringLiteral("<linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" "
                                            "x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\">%6</linearGradient>\n")
                                 .arg(nombre, Numero(lineal->start().x()), Numero(lineal->start().y()),
                                      Numero(lineal->finalStop().x()), Numero(lineal->finalStop().y()), paradas);
        } else if (g->type() == QGradient::RadialGradient) {
            const auto* radial = static_cast<const QRadialGradient*>(g);
            definiciones_ += QStringLiteral("<radialGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" "
                                            "cx=\"%2\" cy=\"%3\" r=\"%4\" fx=\"%5\" fy=\"%6\">%7</radialGradient>\n")
                                 .arg(nombre, Numero(radial->center().x()), Numero(radial->center().y()),
                                      Numero(radial->radius()), Numero(radial->focalPoint().x()),
                                      Numero(radial->focalPoint().y()), paradas);
        } else {
            --gradientes_;
            return {};
        }
        return nombre;
    }

    QString Trazo() {
        if (pluma_.style() == Qt::NoPen) return QStringLiteral(" stroke=\"none\"");
        if (pluma_.style() != Qt::SolidLine || pluma_.brush().style() != Qt::SolidPattern) completo_ = false;
        const char* extremo = pluma_.capStyle() == Qt::FlatCap ? "butt" : pluma_.capStyle() == Qt::RoundCap ? "round" : "square";
        const char* union_ = pluma_.joinStyle() == Qt::RoundJoin ? "round" : pluma_.joinStyle() == Qt::BevelJoin ? "bevel" : "miter";
        QString trazo = QStringLiteral(" stroke=\"%1\"").arg(Color(pluma_.color())) + Opacidad("stroke-opacity", pluma_.color()) +
                        QStringLiteral(" stroke-width=\"%1\" stroke-linecap=\"%2\" stroke-linejoin=\"%3\"")
                            .arg(Numero(pluma_.widthF() > 0 ? pluma_.widthF() : 1), QLatin1String(extremo), QLatin1String(union_));
        if (qstrcmp(union_, "miter") == 0) trazo += QStringLiteral(" stroke-miterlimit=\"%1\"").arg(Numero(pluma_.miterLimit()));
        return trazo;
    }

    QString Transformacion() const {
        const QTransform& t = transformacion_;
        if (t.isIdentity()) return {};
        return QStringLiteral(" transform=\"matrix(%1 %2 %3 %4 %5 %6)\"")
            .arg(Numero(t.m11()), Numero(t.m12()), Numero(t.m21()), Numero(t.m22()), Numero(t.dx()), Numero(t.dy()));
    }

    QPen pluma_;
    QBrush brocha_;
    QTransform transformacion_;
    int gradientes_ = 0;
};

DibujoSvg::DibujoSvg(int lado) : lado_(lado), motor_(std::make_unique<MotorSvg>()) {}

DibujoSvg::~DibujoSvg() = default;

QPaintEngine* DibujoSvg::paintEngine() const { return motor_.get(); }

QString DibujoSvg::documento() const {
    const QString lado = QString::number(lado_);
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
                          "<defs>\n%2</defs>\n%3</svg>\n")
        .arg(lado, motor_->definiciones_, motor_->cuerpo_);
}

bool DibujoSvg::completo() const { return motor_->completo_; }

int DibujoSvg::metric(PaintDeviceMetric metrica) const {
    switch (metrica) {
        case PdmWidth:
        case PdmHeight: return lado_;
        case PdmWidthMM:
        case PdmHeightMM: return qRound(lado_ * 25.4 / 96);
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    }
    return 0;
}

}  // namespace vaviviv
