#pragma once
// The picture of the store button, drawn like the tool's other button
// pictures (a 32 x 32 drawing, at 1x and 2x).

#include <QIcon>

namespace vaviviv {

QIcon IconoGuardar();

}  // namespace vaviviv
