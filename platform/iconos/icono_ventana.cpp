#include "platform/iconos/icono_ventana.h"

#include <QLinearGradient>
#include <QPainter>

namespace vaviviv {

void DibujarIconoVentana(QPainter& p) {
    p.setPen(QPen(QColor(20, 60, 120), 1.2));
    QLinearGradient fondo(0, 0, 0, kLadoIconoVentana);
    fondo.setColorAt(0, QColor(90, 150, 220));
    fondo.setColorAt(1, QColor(30, 80, 160));
    p.setBrush(fondo);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);
    // A payment slip with its reference line.
    p.setPen(QPen(kContorno, 0.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 6, 22, 16));
    p.setPen(QPen(QColor(120, 120, 120), 1.2));
    p.drawLine(QPointF(8, 10), QPointF(24, 10));
    p.drawLine(QPointF(8, 13.5), QPointF(20, 13.5));
    p.setPen(QPen(QColor(20, 20, 20), 2));
    for (int i = 0; i < 6; ++i) p.drawLine(QPointF(8 + i * 2.4, 17), QPointF(8 + i * 2.4, 20));
    // The check digit, ringed.
    p.setPen(QPen(QColor(0, 120, 40), 1.5));
    p.setBrush(QColor(210, 250, 210));
    p.drawEllipse(QRectF(17, 16, 13, 13));
    p.setPen(QPen(QColor(0, 110, 30), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{QPointF(20, 22.5), QPointF(22.8, 25.5), QPointF(27, 19.5)});
}

}  // namespace vaviviv
