// The desktop's icons as they are installed: at each size a picture drawn for
// that size, the same picture at every size, and a scalable SVG document.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

namespace {

const QString kTema = QStringLiteral(VAVIVIV_TEMA_ICONOS);
const QString kNombre = QStringLiteral(VAVIVIV_ID_ESCRITORIO);

// Mean difference per channel, 0 to 255, of two pictures of the same size.
double Diferencia(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double suma = 0;
    for (int f = 0; f < x.height(); ++f)
        for (int c = 0; c < x.width(); ++c) {
            const QRgb p = x.pixel(c, f), q = y.pixel(c, f);
            suma += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) +
                    std::abs(qAlpha(p) - qAlpha(q));
        }
    return suma / (4.0 * x.width() * x.height());
}

// The largest step between two neighbouring pixels in any channel: an edge
// drawn at the picture's own size crosses from one colour to the next within
// a pixel, one scaled up from a smaller picture is spread over two or more.
int SaltoMayor(const QImage& imagen) {
    const QImage x = imagen.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int mayor = 0;
    for (int f = 0; f < x.height(); ++f)
        for (int c = 1; c < x.width(); ++c) {
            const QRgb p = x.pixel(c, f), q = x.pixel(c - 1, f);
            mayor = std::max({mayor, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return mayor;
}

QImage AlLado(const QImage& imagen, int lado) {
    return imagen.scaled(lado, lado, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The PNG icons by side, from the theme's NxN folders.
std::map<int, QImage> Iconos() {
    std::map<int, QImage> iconos;
    const QRegularExpression carpeta(QStringLiteral("^(\\d+)x\\1$"));
    for (const QString& nombre : QDir(kTema).entryList(QDir::Dirs))
        if (const auto m = carpeta.match(nombre); m.hasMatch())
            iconos[m.captured(1).toInt()] = QImage(QStringLiteral("%1/%2/apps/%3.png").arg(kTema, nombre, kNombre));
    return iconos;
}

TEST(IconosEscritorio, CadaTamanoEsUnDibujoDeEseTamano) {
    const std::map<int, QImage> iconos = Iconos();
    ASSERT_GE(iconos.size(), 4u);
    ASSERT_EQ(iconos.count(16), 1u);
    ASSERT_EQ(iconos.rbegin()->first, 256);
    for (const auto& [lado, icono] : iconos) {
        SCOPED_TRACE(lado);
        EXPECT_EQ(icono.size(), QSize(lado, lado));
        EXPECT_GT(SaltoMayor(icono), 160);
        // The same picture at every size, not cut or shifted.
        EXPECT_LT(Diferencia(AlLado(icono, 16), iconos.at(16)), 12.0);
    }
}

TEST(IconosEscritorio, SvgEscalable) {
    QFile archivo(QStringLiteral("%1/scalable/apps/%2.svg").arg(kTema, kNombre));
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&archivo);
    ASSERT_TRUE(svg.readNextStartElement());
    EXPECT_EQ(svg.name(), u"svg");
    EXPECT_EQ(svg.namespaceUri(), u"http://www.w3.org/2000/svg");
    const QStringList caja = svg.attributes().value(QLatin1String("viewBox")).toString().split(u' ');
    ASSERT_EQ(caja.size(), 4);
    EXPECT_EQ(caja[0].toDouble(), 0);
    EXPECT_EQ(caja[1].toDouble(), 0);
    const double lado = caja[2].toDouble();
    EXPECT_GT(lado, 0);
    EXPECT_EQ(caja[3].toDouble(), lado);

    // Every shape inside the box and, together, filling most of it; every
    // gradient it names defined.
    int caminos = 0;
    double menor = lado, mayor = 0;
    QSet<QString> definidos, usados;
    const QRegularExpression numero(QStringLiteral("-?\\d+(\\.\\d+)?(e-?\\d+)?"));
    const QRegularExpression referencia(QStringLiteral("^url\\(#(.+)\\)$"));
    while (!svg.atEnd()) {
        if (!svg.readNext() || !svg.isStartElement()) continue;
        const QXmlStreamAttributes a = svg.attributes();
        if (a.hasAttribute(QLatin1String("id"))) definidos << a.value(QLatin1String("id")).toString();
        if (const auto m = referencia.match(a.value(QLatin1String("fill")).toString()); m.hasMatch()) usados << m.captured(1);
        if (svg.name() != u"path") continue;
        ++caminos;
        EXPECT_FALSE(a.hasAttribute(QLatin1String("transform")));
        for (auto it = numero.globalMatch(a.value(QLatin1String("d")).toString()); it.hasNext();) {
            const double v = it.next().captured().toDouble();
            menor = std::min(menor, v);
            mayor = std::max(mayor, v);
        }
    }
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_GE(caminos, 5);
    EXPECT_GE(menor, 0);
    EXPECT_LE(mayor, lado);
    EXPECT_GE(mayor - menor, 0.8 * lado);
    EXPECT_FALSE(usados.isEmpty());
    EXPECT_TRUE(definidos.contains(usados)) << usados.values().join(u' ').toStdString();
}

}  // namespace
