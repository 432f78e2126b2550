// Writes the desktop icons of the hicolor theme, the window's picture drawn
// afresh at each size and once as SVG:
//   iconos_escritorio carpeta nombre 16 32 48 ...
// gives carpeta/NxN/apps/nombre.png for each size and
// carpeta/scalable/apps/nombre.svg.

#include "dibujo_svg.h"
#include "platform/iconos/icono_ventana.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

bool Fallo(const QString& destino) {
    std::fprintf(stderr, "iconos_escritorio: no se pudo escribir %s\n", qPrintable(destino));
    return false;
}

bool Png(const QString& carpeta, const QString& nombre, int lado) {
    const QString tema = QStringLiteral("%1/%2x%2/apps").arg(carpeta).arg(lado);
    const QString destino = tema + QLatin1Char('/') + nombre + QStringLiteral(".png");
    if (lado <= 0 || !QDir().mkpath(tema)) return Fallo(destino);
    QImage icono(lado, lado, QImage::Format_ARGB32_Premultiplied);
    icono.fill(Qt::transparent);
    QPainter p(&icono);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(lado) / vaviviv::kLadoIconoVentana, double(lado) / vaviviv::kLadoIconoVentana);
    vaviviv::DibujarIconoVentana(p);
    p.end();
    return icono.save(destino, "PNG") || Fallo(destino);
}

bool Svg(const QString& carpeta, const QString& nombre) {
    const QString tema = carpeta + QStringLiteral("/scalable/apps");
    const QString destino = tema + QLatin1Char('/') + nombre + QStringLiteral(".svg");
    vaviviv::DibujoSvg dibujo(vaviviv::kLadoIconoVentana);
    QPainter p(&dibujo);
    vaviviv::DibujarIconoVentana(p);
    p.end();
    if (!dibujo.completo()) {
        std::fprintf(stderr, "iconos_escritorio: el dibujo usa algo que %s no puede decir\n", qPrintable(destino));
        return false;
    }
    QFile svg(destino);
    const QByteArray texto = dibujo.documento().toUtf8();
    return (QDir().mkpath(tema) && svg.open(QIODevice::WriteOnly) && svg.write(texto) == texto.size()) || Fallo(destino);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "Uso: iconos_escritorio carpeta nombre lado...\n");
        return 2;
    }
    const QString carpeta = QString::fromLocal8Bit(argv[1]);
    const QString nombre = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i)
        if (!Png(carpeta, nombre, QString::fromLocal8Bit(argv[i]).toInt())) return 1;
    return Svg(carpeta, nombre) ? 0 : 1;
}
