#pragma once
// Files that live beside the program: the help file, the report logo, the
// sample. An installed program keeps them in share/vaviviv instead.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

#include "vaviviv_configuracion.h"

namespace vaviviv {

// The program's folder without a trailing separator, then "/" and `nombre`;
// when no such file is there but the installed data folder holds one, that one.
inline QString ArchivoEnCarpetaAplicacion(const QString& nombre) {
    QString carpeta = QCoreApplication::applicationDirPath();
    while (carpeta.endsWith(QLatin1Char('/'))) carpeta.chop(1);
    const QString junto = carpeta + QLatin1Char('/') + nombre;
    const QString instalado = carpeta + QStringLiteral("/" VAVIVIV_DATOS_DESDE_PROGRAMAS "/") + nombre;
    if (QFileInfo::exists(junto) || !QFileInfo::exists(instalado)) return junto;
    return QDir::cleanPath(instalado);
}

}  // namespace vaviviv
