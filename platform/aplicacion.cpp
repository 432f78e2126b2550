#include "platform/aplicacion.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "vaviviv_configuracion.h"

namespace vaviviv {

void PrepararAplicacion(QApplication& app) {
    // Only the name: a display name would be appended to every window caption.
    QApplication::setApplicationName(kTituloAplicacion);
    // With the name, where QSettings keeps the remembered folder and window places.
    QApplication::setOrganizationName(kTituloAplicacion);
    // The launcher entry's name: Wayland's app_id, so docks show its icon and group the window under it.
    QGuiApplication::setDesktopFileName(QStringLiteral(VAVIVIV_ID_ESCRITORIO));

    // Amounts are written with "." for decimals and "," for thousands, as in Mexico.
    const QLocale espanol(QLocale::Spanish, QLocale::Mexico);
    QLocale::setDefault(espanol);

    auto* traduccion = new QTranslator(&app);
    if (traduccion->load(espanol, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(traduccion);
    else
        delete traduccion;
}

}  // namespace vaviviv
