// Draws the pictures of the windows (button icons, window icon, logo) into
// PNG files. Run it again after changing a drawing:
//   cmake --build <build> --target dibujar_iconos
//   QT_QPA_PLATFORM=offscreen <build>/platform/dibujar_iconos <source>/platform/iconos

#include "platform/iconos/icono_ventana.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <cstdio>
#include <functional>

namespace {

using vaviviv::kContorno;

using Dibujo = std::function<void(QPainter&)>;  // on a 32 x 32 square

void Flecha(QPainter& p, QPointF desde, QPointF hasta, QColor color, double grosor) {
    const QLineF linea(desde, hasta);
    QLineF punta = linea;
    punta.setLength(linea.length() - grosor * 1.2);
    p.setPen(QPen(color, grosor, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(punta);
    QLineF normal = linea.normalVector();
    normal.setLength(grosor * 1.5);
    const QPointF base = punta.p2();
    const QPointF lado = normal.p2() - normal.p1();
    QPolygonF cabeza{hasta, base + lado, base - lado};
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(cabeza);
}

void Masivo(QPainter& p) {
    // Back of the folder with its tab.
    p.setPen(QPen(QColor(130, 90, 10), 1));
    p.setBrush(QColor(220, 170, 50));
    QPolygonF atras{QPointF(2, 9), QPointF(9, 9), QPointF(11, 11.5), QPointF(24, 11.5),
                    QPointF(24, 28), QPointF(2, 28)};
    p.drawPolygon(atras);
    // The sheet sticking out.
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 13, 16, 10));
    // Open front, tilted.
    QLinearGradient frente(0, 15, 0, 28);
    frente.setColorAt(0, QColor(255, 225, 110));
    frente.setColorAt(1, QColor(235, 185, 60));
    p.setBrush(frente);
    p.drawPolygon(QPolygonF{QPointF(6, 16), QPointF(29, 16), QPointF(24, 28), QPointF(2, 28)});
    // Curved arrow leaving the folder.
    QPainterPath curva;
    curva.moveTo(14, 15);
    curva.cubicTo(14, 6, 20, 3, 25, 5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 130, 50), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(curva);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 130, 50));
    p.drawPolygon(QPolygonF{QPointF(30, 6.5), QPointF(23, 1.5), QPointF(23.5, 9.5)});
}

void Imprimir(QPainter& p) {
    // Paper going in.
    p.setPen(QPen(kContorno, 0.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 2, 16, 11));
    p.setPen(QPen(QColor(110, 110, 110), 1));
    for (double y = 5; y < 12; y += 2.5) p.drawLine(QPointF(10.5, y), QPointF(21.5, y));
    // Body.
    QLinearGradient cuerpo(0, 11, 0, 25);
    cuerpo.setColorAt(0, QColor(205, 205, 210));
    cuerpo.setColorAt(1, QColor(120, 120, 130));
    p.setPen(QPen(kContorno, 1));
    p.setBrush(cuerpo);
    p.drawRoundedRect(QRectF(2, 11, 28, 13), 2.5, 2.5);
    p.setBrush(QColor(50, 50, 55));
    p.drawRect(QRectF(7, 19, 18, 2.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 200, 60));
    p.drawEllipse(QRectF(24.5, 13.5, 3, 3));
    // Printed sheet coming out.
    p.setPen(QPen(kContorno, 0.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 21, 16, 9));
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.drawLine(QPointF(10.5, 25), QPointF(19, 25));
    p.drawLine(QPointF(10.5, 27.5), QPointF(21.5, 27.5));
}

void Calcular(QPainter& p) {
    // The table.
    const QRectF tabla(12, 5, 18, 22);
    p.setPen(QPen(QColor(30, 60, 120), 1));
    p.setBrush(Qt::white);
    p.drawRect(tabla);
    p.setBrush(QColor(70, 120, 200));
    p.drawRect(QRectF(12, 5, 18, 5));
    p.setPen(QPen(QColor(120, 150, 200), 0.8));
    for (double y = 14; y < 27; y += 4) p.drawLine(QPointF(12, y), QPointF(30, y));
    p.drawLine(QPointF(21, 10), QPointF(21, 27));
    // One cell being filled.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 90));
    p.drawRect(QRectF(21.5, 14.5, 8, 3.5));
    // The arrow going in.
    Flecha(p, QPointF(1, 16.5), QPointF(22, 16.5), QColor(210, 60, 20), 4);
}

void Ayuda(QPainter& p) {
    QRadialGradient esfera(QPointF(12, 10), 20);
    esfera.setColorAt(0, QColor(110, 170, 255));
    esfera.setColorAt(1, QColor(20, 70, 170));
    p.setPen(QPen(QColor(10, 40, 110), 1));
    p.setBrush(esfera);
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    QFont letra(QStringLiteral("DejaVu Sans"));
    letra.setBold(true);
    letra.setPixelSize(23);
    p.setFont(letra);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 32, 33), Qt::AlignCenter, QStringLiteral("?"));
}

void Salir(QPainter& p) {
    // Door frame and the dark opening.
    p.setPen(QPen(QColor(70, 40, 15), 1.6));
    p.setBrush(QColor(255, 240, 190));
    p.drawRect(QRectF(4, 2, 16, 28));
    // The open door, swung towards the viewer on its left hinge.
    QLinearGradient madera(4, 0, 14, 0);
    madera.setColorAt(0, QColor(170, 100, 40));
    madera.setColorAt(1, QColor(120, 65, 20));
    p.setPen(QPen(QColor(70, 40, 15), 1));
    p.setBrush(madera);
    p.drawPolygon(QPolygonF{QPointF(4, 2), QPointF(13, 5), QPointF(13, 31), QPointF(4, 30)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 210, 60));
    p.drawEllipse(QRectF(10, 16, 2, 2));
    // The way out.
    Flecha(p, QPointF(14, 16), QPointF(31, 16), QColor(200, 30, 30), 4);
}

void Calendario(QPainter& p) {
    p.setPen(QPen(kContorno, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 5, 26, 25));
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(3, 5, 26, 7));
    // Rings.
    p.setPen(QPen(QColor(90, 90, 90), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 2.5), QPointF(9, 8));
    p.drawLine(QPointF(23, 2.5), QPointF(23, 8));
    // Days.
    p.setPen(Qt::NoPen);
    for (int fila = 0; fila < 4; ++fila)
        for (int col = 0; col < 5; ++col) {
            const bool elegido = fila == 2 && col == 3;
            p.setBrush(elegido ? QColor(30, 90, 200) : QColor(150, 150, 150));
            p.drawRect(QRectF(5.5 + col * 4.6, 14 + fila * 4, 3.2, 2.6));
        }
}

void Logo(QPainter& p, QSize tamano) {
    const QRectF todo(0, 0, tamano.width(), tamano.height());
    QLinearGradient fondo(0, 0, tamano.width(), 0);
    fondo.setColorAt(0, QColor(16, 50, 110));
    fondo.setColorAt(1, QColor(20, 130, 150));
    p.fillRect(todo, fondo);
    p.setPen(QPen(QColor(230, 190, 60), 2));
    p.drawLine(QPointF(0, tamano.height() - 3), QPointF(tamano.width(), tamano.height() - 3));
    // The emblem: a ringed check, kept clear of the left edge that the
    // window's frame covers.
    const QRectF emblema(16, 8, 36, 36);
    p.setPen(QPen(Qt::white, 2.5));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(emblema);
    p.setPen(QPen(QColor(120, 230, 140), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{QPointF(25, 26), QPointF(32, 33), QPointF(44, 18)});
    QFont nombre(QStringLiteral("DejaVu Sans"));
    nombre.setBold(true);
    nombre.setPixelSize(26);
    p.setFont(nombre);
    p.setPen(Qt::white);
    p.drawText(QRectF(60, 3, 148, 32), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VaviviV"));
    QFont lema(QStringLiteral("DejaVu Sans"));
    lema.setPixelSize(11);
    p.setFont(lema);
    p.setPen(QColor(220, 235, 255));
    p.drawText(QRectF(61, 33, 148, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8("Dígitos verificadores"));
}

// A diskette with its label and shutter, and an arrow going in.
void Almacenar(QPainter& p) {
    QLinearGradient cuerpo(0, 3, 0, 29);
    cuerpo.setColorAt(0, QColor(70, 110, 190));
    cuerpo.setColorAt(1, QColor(30, 60, 130));
    p.setPen(QPen(QColor(15, 35, 80), 1));
    p.setBrush(cuerpo);
    p.drawPolygon(QPolygonF{QPointF(3, 3), QPointF(25, 3), QPointF(29, 7), QPointF(29, 29), QPointF(3, 29)});
    // Label.
    p.setPen(QPen(QColor(120, 120, 120), 0.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 3.5, 17, 10));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.drawLine(QPointF(9.5, 7), QPointF(21.5, 7));
    p.drawLine(QPointF(9.5, 10), QPointF(21.5, 10));
    // Shutter.
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.setBrush(QColor(200, 200, 205));
    p.drawRect(QRectF(9, 19, 14, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 45));
    p.drawRect(QRectF(18, 21, 3, 6));
    // The data going in.
    p.setPen(QPen(QColor(0, 130, 50), 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(15.5, 0.5), QPointF(15.5, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 130, 50));
    p.drawPolygon(QPolygonF{QPointF(15.5, 16), QPointF(10, 9.5), QPointF(21, 9.5)});
}

bool Guardar(const QImage& imagen, const QString& archivo) {
    if (imagen.save(archivo, "PNG")) return true;
    std::fprintf(stderr, "No se pudo escribir %s\n", qPrintable(archivo));
    return false;
}

bool Icono(const QDir& destino, const QString& nombre, const Dibujo& dibujo) {
    bool bien = true;
    for (int lado : {32, 64}) {
        QImage imagen(lado, lado, QImage::Format_ARGB32_Premultiplied);
        imagen.fill(Qt::transparent);
        QPainter p(&imagen);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(lado / 32.0, lado / 32.0);
        dibujo(p);
        p.end();
        const QString archivo = nombre + (lado == 64 ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
        bien = Guardar(imagen, destino.filePath(archivo)) && bien;
    }
    return bien;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Uso: dibujar_iconos <carpeta de destino>\n");
        return 2;
    }
    const QDir destino(QString::fromLocal8Bit(argv[1]));
    if (!destino.exists()) {
        std::fprintf(stderr, "No existe la carpeta %s\n", argv[1]);
        return 1;
    }
    bool bien = true;
    bien = Icono(destino, QStringLiteral("ventana"), vaviviv::DibujarIconoVentana) && bien;
    bien = Icono(destino, QStringLiteral("masivo"), Masivo) && bien;
    bien = Icono(destino, QStringLiteral("imprimir"), Imprimir) && bien;
    bien = Icono(destino, QStringLiteral("calcular"), Calcular) && bien;
    bien = Icono(destino, QStringLiteral("ayuda"), Ayuda) && bien;
    bien = Icono(destino, QStringLiteral("salir"), Salir) && bien;
    bien = Icono(destino, QStringLiteral("calendario"), Calendario) && bien;
    bien = Icono(destino, QStringLiteral("guardar"), Almacenar) && bien;

    // The logo: 211 x 55, 24-bit colour, no transparency.
    const QSize tamano(211, 55);
    QImage logo(tamano, QImage::Format_RGB888);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Logo(p, tamano);
    p.end();
    bien = Guardar(logo, destino.filePath(QStringLiteral("logo.png"))) && bien;
    return bien ? 0 : 1;
}
