#pragma once
// Building a window's controls: each one carries its name as objectName, so
// that code and tests find it by that name.

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace vaviviv {

template <typename T>
T* Crear(QWidget* contenedor, const char* nombre) {
    auto* control = new T(contenedor);
    control->setObjectName(QString::fromLatin1(nombre));
    return control;
}

// One of the bundled pictures (app/iconos), by its name without extension.
inline QIcon Imagen(const char* nombre) {
    return QIcon(QStringLiteral(":/iconos/%1.png").arg(QLatin1String(nombre)));
}

// A picture button: no caption, the text is its tooltip.
inline QPushButton* BotonConImagen(QWidget* contenedor, const char* nombre, const QIcon& imagen,
                                   const QString& ayuda) {
    auto* boton = Crear<QPushButton>(contenedor, nombre);
    boton->setIcon(imagen);
    boton->setToolTip(ayuda);
    return boton;
}

inline QAction* EntradaMenu(QMenu* menu, const char* nombre, const QString& texto) {
    QAction* accion = menu->addAction(texto);
    accion->setObjectName(QString::fromLatin1(nombre));
    return accion;
}

inline void SeparadorMenu(QMenu* menu, const char* nombre) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(nombre));
}

}  // namespace vaviviv
