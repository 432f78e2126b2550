#include "masivo/icono_guardar.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace vaviviv {

namespace {

// A diskette with its label and shutter, and an arrow going in.
void Diskette(QPainter& p) {
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

QPixmap Dibujar(int lado) {
    QPixmap imagen(lado, lado);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / 32.0, lado / 32.0);
    Diskette(p);
    return imagen;
}

}  // namespace

QIcon IconoGuardar() {
    QIcon icono;
    for (int lado : {32, 64}) icono.addPixmap(Dibujar(lado));
    return icono;
}

}  // namespace vaviviv
