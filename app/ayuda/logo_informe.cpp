// Writes the report logo, tesk.bmp, from the window logo: a 24-bit bitmap
// at 96 dots per inch, so that it prints at the size it has on screen.
//   logo_informe origen.png destino.bmp

#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Uso: logo_informe origen.png destino.bmp\n");
        return 2;
    }
    QImage logo(QString::fromLocal8Bit(argv[1]));
    if (logo.isNull()) {
        std::fprintf(stderr, "logo_informe: no se pudo leer %s\n", argv[1]);
        return 1;
    }
    logo = logo.convertToFormat(QImage::Format_RGB888);
    constexpr int kPuntosPorMetro = 3780;  // 96 dpi
    logo.setDotsPerMeterX(kPuntosPorMetro);
    logo.setDotsPerMeterY(kPuntosPorMetro);
    if (!logo.save(QString::fromLocal8Bit(argv[2]), "BMP")) {
        std::fprintf(stderr, "logo_informe: no se pudo escribir %s\n", argv[2]);
        return 1;
    }
    return 0;
}
