#pragma once
// Typed keys in the shape the windows' handlers expect.

#include <functional>

class QKeyEvent;
class QKeySequence;
class QWidget;

namespace vaviviv {

inline constexpr int kTeclaRetroceso = 8;
inline constexpr int kTeclaEnter = 13;

// The character code of a typed key: 13 for Enter, 8 for Backspace, the
// character for anything that writes one; 0 for editing keys (arrows,
// Delete, Ctrl combinations), which are no characters.
int CodigoTecla(const QKeyEvent& evento);

// Runs `manejador` with each character typed into `campo` before the field
// sees it; setting the code to 0 drops the key.
using ManejadorKeyPress = std::function<void(int& KeyAscii)>;
void ConectarKeyPress(QWidget* campo, ManejadorKeyPress manejador);

// The wheel turns `control` (a list, say) only while it has the keyboard
// focus: a pointer merely resting on it changes nothing.
void RuedaSoloConFoco(QWidget* control);

// Enter on a focused button presses it, as Space does, for every button of `ventana`.
void EnterPulsaBotones(QWidget& ventana);

// Leaves `atajo` to the window's menu while `campo` has the focus (a line
// edit would otherwise keep Ctrl+A for selecting its text).
void CederAtajo(QWidget* campo, const QKeySequence& atajo);

}  // namespace vaviviv
