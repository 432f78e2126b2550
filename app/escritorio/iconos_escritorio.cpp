// Writes the desktop icons of the hicolor theme from the 64 px window icon:
//   iconos_escritorio ventana@2x.png carpeta nombre 16 32 48 ...
// gives carpeta/NxN/apps/nombre.png for each size (the source is square).

#include <QDir>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "Uso: iconos_escritorio origen.png carpeta nombre lado...\n");
        return 2;
    }
    const QImage icono(QString::fromLocal8Bit(argv[1]));
    if (icono.isNull()) {
        std::fprintf(stderr, "iconos_escritorio: no se pudo leer %s\n", argv[1]);
        return 1;
    }
    const QString carpeta = QString::fromLocal8Bit(argv[2]);
    const QString nombre = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        const int lado = QString::fromLocal8Bit(argv[i]).toInt();
        const QString tema = QStringLiteral("%1/%2x%2/apps").arg(carpeta).arg(lado);
        const QString destino = tema + QLatin1Char('/') + nombre + QStringLiteral(".png");
        if (lado <= 0 || !QDir().mkpath(tema) ||
            !icono.scaledToWidth(lado, Qt::SmoothTransformation).save(destino, "PNG")) {
            std::fprintf(stderr, "iconos_escritorio: no se pudo escribir %s\n", qPrintable(destino));
            return 1;
        }
    }
    return 0;
}
