#pragma once
// The window's picture, drawn by the tool that writes the button pictures and
// by the one that writes the desktop's icons at each size and as SVG.

#include <QColor>

class QPainter;

namespace vaviviv {

// The side of the square the picture is drawn on; scale the painter to draw
// it at another size.
inline constexpr int kLadoIconoVentana = 32;

// The outline of every picture.
inline const QColor kContorno(40, 40, 40);

void DibujarIconoVentana(QPainter& p);

}  // namespace vaviviv
