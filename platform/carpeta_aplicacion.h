#pragma once
// Files that live beside the program: the help file and the report logo.

#include <QCoreApplication>
#include <QString>

namespace vaviviv {

// The program's folder without a trailing separator, then "/" and `nombre`.
inline QString ArchivoEnCarpetaAplicacion(const QString& nombre) {
    QString carpeta = QCoreApplication::applicationDirPath();
    while (carpeta.endsWith(QLatin1Char('/'))) carpeta.chop(1);
    return carpeta + QLatin1Char('/') + nombre;
}

}  // namespace vaviviv
