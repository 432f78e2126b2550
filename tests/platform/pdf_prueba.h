#pragma once
// Reading back a PDF the tests printed, with the poppler tools (pdfinfo,
// pdftotext, pdfimages): what a reader of the file would find, not what
// the printing code believes it wrote.

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

namespace vaviviv::prueba {

inline bool HayHerramientasPdf() {
    for (const char* programa : {"pdfinfo", "pdftotext", "pdfimages"})
        if (QStandardPaths::findExecutable(programa).isEmpty()) return false;
    return true;
}

inline QString Ejecutar(const QString& programa, const QStringList& argumentos) {
    QProcess proceso;
    proceso.start(programa, argumentos);
    if (!proceso.waitForFinished(120000) || proceso.exitCode() != 0) return {};
    return QString::fromUtf8(proceso.readAllStandardOutput());
}

// -1 when the file is no PDF.
inline int PaginasPdf(const QString& ruta) {
    const auto m = QRegularExpression("Pages:\\s+(\\d+)").match(Ejecutar("pdfinfo", {ruta}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of every page, one string per page.
inline QStringList TextoPdf(const QString& ruta) {
    QStringList paginas = Ejecutar("pdftotext", {"-layout", ruta, "-"}).split(u'\f');
    if (!paginas.isEmpty() && paginas.last().trimmed().isEmpty()) paginas.removeLast();  // after the last page
    return paginas;
}

// `valor` of each image row of `pdfimages -list`, split in fields (3 width, 4 height, 12 x-ppi).
template <typename F>
inline auto PorImagenPdf(const QString& ruta, F valor) {
    QList<decltype(valor(QStringList()))> valores;
    for (const QString& linea : Ejecutar("pdfimages", {"-list", ruta}).split(u'\n')) {
        const QStringList campos = linea.simplified().split(u' ');
        if (campos.size() > 12 && campos[2] == QLatin1String("image")) valores << valor(campos);
    }
    return valores;
}

// Pixel sizes of the images in the file, one "WxH" per image.
inline QStringList ImagenesPdf(const QString& ruta) {
    return PorImagenPdf(ruta, [](const QStringList& c) { return c[3] + u'x' + c[4]; });
}

// The horizontal resolution each image is drawn at, in pixels per inch.
inline QList<int> ResolucionImagenesPdf(const QString& ruta) {
    return PorImagenPdf(ruta, [](const QStringList& c) { return c[12].toInt(); });
}

}  // namespace vaviviv::prueba
