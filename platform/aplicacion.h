#pragma once
// What every window of the desktop tool expects of the application: its
// name (which also places its settings), Spanish texts in Qt's own widgets
// (standard buttons, calendar) and a Spanish locale.

class QApplication;

namespace vaviviv {

// Captions every box that names no title of its own.
inline constexpr char kTituloAplicacion[] = "VaviviV";

// Call once, right after the QApplication is created. Missing Qt
// translations leave Qt's English texts; nothing fails.
void PrepararAplicacion(QApplication& app);

}  // namespace vaviviv
