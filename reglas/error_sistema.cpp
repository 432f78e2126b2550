#include "reglas/error_sistema.h"

#include <QFileInfo>
#include <cerrno>

namespace vaviviv {

QString DescripcionError(int numero) {
    switch (numero) {
    case ENOENT: return QStringLiteral("No existe el archivo o la carpeta");
    case EACCES: return QStringLiteral("Permiso denegado");
    case EROFS: return QStringLiteral("Sistema de archivos de solo lectura");
    case ENOSPC: return QStringLiteral("No queda espacio en el dispositivo");
    case EDQUOT: return QStringLiteral("Cuota de disco excedida");
    case EISDIR: return QStringLiteral("Es una carpeta");
    case ENOTDIR: return QStringLiteral("No es una carpeta");
    case ENAMETOOLONG: return QStringLiteral("Nombre demasiado largo");
    case EIO: return QStringLiteral("Error de entrada/salida");
    case EBADF: return QStringLiteral("Descriptor de archivo no válido");
    case EPIPE: return QStringLiteral("Tubería rota");
    case EFBIG: return QStringLiteral("Archivo demasiado grande");
    case ENXIO: return QStringLiteral("No existe el dispositivo o la dirección");
    case ELOOP: return QStringLiteral("Demasiados niveles de enlaces simbólicos");
    case EBUSY:
    case ETXTBSY: return QStringLiteral("Archivo ocupado");
    default: return qt_error_string(numero);
    }
}

ErrorSistema ErrorDeArchivo(int numero, int porOmision, const QString& texto, const QString& ruta) {
    if (numero == 0 && !ruta.isEmpty()) {
        const QFileInfo info(ruta);
        if (info.isDir()) numero = EISDIR;
        else if (!info.exists() && !info.isSymLink()) numero = ENOENT;
    }
    if (numero == 0) return {porOmision, texto};
    return {numero, DescripcionError(numero)};
}

}  // namespace vaviviv
