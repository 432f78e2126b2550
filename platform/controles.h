#pragma once
// Building a window's controls: each one carries its name as objectName, so
// that code and tests find it by that name.

#include <QAction>
#include <QFont>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QString>
#include <QWidget>

#include "platform/recursos.h"

namespace vaviviv {

template <typename T>
T* Crear(QWidget* contenedor, const char* nombre) {
    auto* control = new T(contenedor);
    control->setObjectName(QString::fromLatin1(nombre));
    return control;
}

// One of the bundled pictures (platform/iconos), by its name without extension.
inline QIcon Imagen(const char* nombre) {
    return QIcon(QStringLiteral(":/iconos/%1.png").arg(QLatin1String(nombre)));
}

// What every window shares: the application's icon and the design's 8.25-point letter.
// Call first: it also makes the bundled pictures available.
inline void AspectoDeVentana(QWidget& ventana) {
    CargarRecursos();
    ventana.setWindowIcon(Imagen("ventana"));
    QFont letra = ventana.font();
    letra.setPointSizeF(8.25);
    ventana.setFont(letra);
}

// Centres a window of fixed size on its screen.
inline void CentrarEnPantalla(QWidget& ventana) {
    const QRect pantalla = ventana.screen()->geometry();
    ventana.move(pantalla.x() + (pantalla.width() - ventana.width()) / 2,
                 pantalla.y() + (pantalla.height() - ventana.height()) / 2);
}

// The client area of a main window, where its controls go.
inline QWidget* AreaCliente(QMainWindow& ventana) {
    auto* area = Crear<QWidget>(&ventana, "areaCliente");
    ventana.setCentralWidget(area);
    return area;
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
