#include "platform/teclas.h"

#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QWidget>

namespace vaviviv {

namespace {

class Filtro final : public QObject {
public:
    Filtro(QObject* dueno, std::function<bool(QEvent*)> filtrar)
        : QObject(dueno), filtrar_(std::move(filtrar)) {}

protected:
    bool eventFilter(QObject*, QEvent* evento) override { return filtrar_(evento); }

private:
    std::function<bool(QEvent*)> filtrar_;
};

void Filtrar(QWidget* campo, std::function<bool(QEvent*)> filtrar) {
    campo->installEventFilter(new Filtro(campo, std::move(filtrar)));
}

}  // namespace

int CodigoTecla(const QKeyEvent& evento) {
    const auto mods = evento.modifiers();
    // Ctrl alone makes a shortcut; Ctrl with Alt is AltGr on some systems and
    // still writes a character.
    if ((mods & Qt::MetaModifier) || ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)))
        return 0;
    switch (evento.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return kTeclaEnter;
        case Qt::Key_Backspace: return kTeclaRetroceso;
        default: break;
    }
    const QList<uint> caracteres = evento.text().toUcs4();
    if (caracteres.size() != 1) return 0;
    const uint c = caracteres.front();
    return (c < 32 || c == 127) ? 0 : int(c);
}

void ConectarKeyPress(QWidget* campo, ManejadorKeyPress manejador) {
    Filtrar(campo, [manejador = std::move(manejador)](QEvent* evento) {
        if (evento->type() != QEvent::KeyPress) return false;
        int KeyAscii = CodigoTecla(*static_cast<QKeyEvent*>(evento));
        if (KeyAscii == 0) return false;
        manejador(KeyAscii);
        return KeyAscii == 0;
    });
}

void RuedaSoloConFoco(QWidget* control) {
    control->setFocusPolicy(Qt::StrongFocus);  // not WheelFocus: the wheel does not take the focus either
    Filtrar(control, [control](QEvent* evento) {
        if (evento->type() != QEvent::Wheel || control->hasFocus()) return false;
        evento->ignore();  // handed on to the window, as if the list were not there
        return true;
    });
}

void EnterPulsaBotones(QWidget& ventana) {
    // A button that is not a dialog's takes Enter only when it is an auto-default one.
    for (QPushButton* boton : ventana.findChildren<QPushButton*>()) boton->setAutoDefault(true);
}

void CederAtajo(QWidget* campo, const QKeySequence& atajo) {
    Filtrar(campo, [atajo](QEvent* evento) {
        if (evento->type() != QEvent::ShortcutOverride) return false;
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        // Not accepting the override hands the key on to the shortcut.
        return QKeySequence(tecla->keyCombination()) == atajo;
    });
}

}  // namespace vaviviv
