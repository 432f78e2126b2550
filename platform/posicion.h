#pragma once
// The main windows open where the user left them, in this run or an earlier
// one: their places are kept in the application's settings.

class QWidget;

namespace vaviviv {

// Places a window of fixed size where it was when it was last hidden, kept
// whole within the free area of the screen it was on (or of the main screen
// when that one is gone); centres it when it has no place yet. From then on
// each hiding remembers its place, under the window's objectName.
void PonerDondeEstaba(QWidget& ventana);

}  // namespace vaviviv
