#pragma once
// Reading back a PDF the tests printed, with the poppler tools (pdfinfo,
// pdftotext, pdfimages): what a reader of the file would find, not what
// the printing code believes it wrote.

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <vector>

namespace vaviviv::prueba {

inline bool HayHerramientasPdf() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty();
}

inline QString Ejecutar(const QString& programa, const QStringList& argumentos) {
    QProcess proceso;
    proceso.start(programa, argumentos);
    if (!proceso.waitForFinished(120000) || proceso.exitCode() != 0) return {};
    return QString::fromUtf8(proceso.readAllStandardOutput());
}

// -1 when the file is no PDF.
inline int PaginasPdf(const QString& ruta) {
    const QString info = Ejecutar(QStringLiteral("pdfinfo"), {ruta});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Width and height of page 1 in points.
inline QSizeF TamanoPaginaPdf(const QString& ruta) {
    const QString info = Ejecutar(QStringLiteral("pdfinfo"), {ruta});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

// The text of pages `desde` to `hasta` (all when 0), one string per page.
inline QStringList TextoPdf(const QString& ruta, int desde = 0, int hasta = 0) {
    QStringList argumentos{QStringLiteral("-layout")};
    if (desde > 0) argumentos << QStringLiteral("-f") << QString::number(desde);
    if (hasta > 0) argumentos << QStringLiteral("-l") << QString::number(hasta);
    argumentos << ruta << QStringLiteral("-");
    QStringList paginas = Ejecutar(QStringLiteral("pdftotext"), argumentos).split(QLatin1Char('\f'));
    // The text ends with a form feed after the last page.
    if (!paginas.isEmpty() && paginas.last().trimmed().isEmpty()) paginas.removeLast();
    return paginas;
}

// Pixel sizes of the images in the file, one "WxH" per image.
inline QStringList ImagenesPdf(const QString& ruta) {
    const QStringList lineas = Ejecutar(QStringLiteral("pdfimages"), {QStringLiteral("-list"), ruta})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList tamanos;
    // Two heading lines, then: page num type width height ...
    for (qsizetype i = 2; i < lineas.size(); ++i) {
        const QStringList campos = lineas[i].simplified().split(QLatin1Char(' '));
        if (campos.size() > 4 && campos[2] == QLatin1String("image"))
            tamanos << campos[3] + QLatin1Char('x') + campos[4];
    }
    return tamanos;
}

// The horizontal resolution each image is drawn at, in pixels per inch:
// an image printed at its screen size shows the screen's.
inline QList<int> ResolucionImagenesPdf(const QString& ruta) {
    const QStringList lineas = Ejecutar(QStringLiteral("pdfimages"), {QStringLiteral("-list"), ruta})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QList<int> resoluciones;
    for (qsizetype i = 2; i < lineas.size(); ++i) {
        const QStringList campos = lineas[i].simplified().split(QLatin1Char(' '));
        if (campos.size() > 12 && campos[2] == QLatin1String("image")) resoluciones << campos[12].toInt();
    }
    return resoluciones;
}

struct PalabraPdf {
    QString texto;
    QRectF caja;  // points, from the top left of the page
};

// The words of page `pagina` with where they stand.
inline std::vector<PalabraPdf> PalabrasPdf(const QString& ruta, int pagina) {
    const QString html = Ejecutar(QStringLiteral("pdftotext"),
                                  {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(pagina),
                                   QStringLiteral("-l"), QString::number(pagina), ruta, QStringLiteral("-")});
    static const QRegularExpression palabra(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    std::vector<PalabraPdf> palabras;
    for (auto it = palabra.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QPointF desde(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF hasta(m.captured(3).toDouble(), m.captured(4).toDouble());
        palabras.push_back({m.captured(5), QRectF(desde, hasta)});
    }
    return palabras;
}

}  // namespace vaviviv::prueba
