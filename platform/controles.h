#pragma once
// Building a window's controls: each one carries its name as objectName, so
// that code and tests find it by that name.

#include <QAction>
#include <algorithm>
#include <QFont>
#include <QMargins>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
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

// Where a window of `tamano` placed at `esquina` goes so that it lies within
// `libre`; one larger than that shows its top left corner there.
inline QPoint DentroDe(const QRect& libre, QPoint esquina, QSize tamano) {
    return {std::max(libre.x(), std::min(esquina.x(), libre.right() + 1 - tamano.width())),
            std::max(libre.y(), std::min(esquina.y(), libre.bottom() + 1 - tamano.height()))};
}

// Centres a window of fixed size on its screen, then keeps it inside the
// area free of panels: a window larger than that area shows its top left
// corner, menu bar included.
inline void CentrarEnPantalla(QWidget& ventana) {
    const QRect pantalla = ventana.screen()->geometry();
    const int x = pantalla.x() + (pantalla.width() - ventana.width()) / 2;
    const int y = pantalla.y() + (pantalla.height() - ventana.height()) / 2;
    ventana.move(DentroDe(ventana.screen()->availableGeometry(), {x, y}, ventana.size()));
}

// Gives a window its fixed size and a title bar without a maximise button,
// which could do nothing; a main window keeps its minimise button. Call
// before the window is first shown: new flags hide a shown window.
inline void TamanoFijo(QWidget& ventana, const QSize& tamano) {
    ventana.setFixedSize(tamano);
    // Naming any button replaces the set Qt gives a window of its type.
    Qt::WindowFlags marco =
        ventana.windowType() | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (ventana.windowType() == Qt::Window) marco |= Qt::WindowMinimizeButtonHint;
    ventana.setWindowFlags(marco);
}

// The frame the window manager gives a window: none until it is shown.
inline QMargins MarcoDe(const QWidget& ventana) {
    const QRect fuera = ventana.frameGeometry(), dentro = ventana.geometry();
    return QMargins(dentro.left() - fuera.left(), dentro.top() - fuera.top(), fuera.right() - dentro.right(),
                    fuera.bottom() - dentro.bottom());
}

// Gives a window the size it asks for, or less, so that with a frame `marco`
// it fits in the area of its screen free of panels, and centres it there.
inline void EncajarEnPantalla(QWidget& ventana, QSize deseado, QMargins marco) {
    const QRect libre = ventana.screen()->availableGeometry();
    ventana.resize(deseado.boundedTo(libre.size().shrunkBy(marco)));
    // A window's position is that of its frame.
    const QSize total = ventana.size().grownBy(marco);
    ventana.move(libre.x() + std::max(0, (libre.width() - total.width()) / 2),
                 libre.y() + std::max(0, (libre.height() - total.height()) / 2));
}

// The client area of a main window, where its controls go.
inline QWidget* AreaCliente(QMainWindow& ventana) {
    auto* area = Crear<QWidget>(&ventana, "areaCliente");
    ventana.setCentralWidget(area);
    return area;
}

// A picture button: no caption, the text is its tooltip and, for a screen
// reader, its name.
inline QPushButton* BotonConImagen(QWidget* contenedor, const char* nombre, const QIcon& imagen,
                                   const QString& ayuda) {
    auto* boton = Crear<QPushButton>(contenedor, nombre);
    boton->setIcon(imagen);
    boton->setToolTip(ayuda);
    boton->setAccessibleName(ayuda);
    return boton;
}

// A menu of the window's menu bar; popped up on its own (a row menu), a
// screen reader reads it by its caption.
inline QMenu* MenuDeBarra(QMainWindow& ventana, const char* nombre, const QString& texto) {
    QMenu* menu = ventana.menuBar()->addMenu(texto);
    menu->setObjectName(QString::fromLatin1(nombre));
    menu->setAccessibleName(menu->menuAction()->iconText());
    return menu;
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
