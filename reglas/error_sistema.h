#pragma once
// The error boxes' "Error : " + number + " " + description: the number is the
// system's (errno), the description Spanish whatever the system's language.

#include <QString>

namespace vaviviv {

struct ErrorSistema {
    int numero;
    QString descripcion;
};

// The tool's own text for the common causes; the system's text for the rest.
QString DescripcionError(int numero);

// A failed file operation. `numero` is errno read right after the failing call;
// where the call left none, an opening of `ruta` (Qt refuses a folder by itself)
// has its cause looked up on the path, and failing that Qt's own `porOmision`
// and `texto` are kept.
ErrorSistema ErrorDeArchivo(int numero, int porOmision, const QString& texto, const QString& ruta = {});

}  // namespace vaviviv
