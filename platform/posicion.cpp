#include "platform/posicion.h"

#include "platform/controles.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

namespace vaviviv {

namespace {

QString Clave(const QWidget& ventana) { return QStringLiteral("ventanas/") + ventana.objectName(); }

// The frame's rectangle: its corner is what move() places, its size what must fit.
class Recordar final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Hide) {
            const auto* ventana = static_cast<QWidget*>(objeto);
            QSettings().setValue(Clave(*ventana), ventana->frameGeometry());
        }
        return false;
    }
};

}  // namespace

void PonerDondeEstaba(QWidget& ventana) {
    const QRect antes = QSettings().value(Clave(ventana)).toRect();
    if (antes.isValid()) {
        QScreen* pantalla = QGuiApplication::screenAt(antes.center());
        if (!pantalla) pantalla = QGuiApplication::primaryScreen();
        // The frame is the window manager's: until it is shown, last run's is the best guess.
        ventana.move(DentroDe(pantalla->availableGeometry(), antes.topLeft(), antes.size().expandedTo(ventana.size())));
    } else {
        CentrarEnPantalla(ventana);
    }
    const QString nombre = QStringLiteral("recordarPosicion");
    if (ventana.findChild<QObject*>(nombre, Qt::FindDirectChildrenOnly)) return;
    auto* recordar = new Recordar(&ventana);
    recordar->setObjectName(nombre);
    ventana.installEventFilter(recordar);
}

}  // namespace vaviviv
