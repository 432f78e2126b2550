#include "cli/argumentos.h"

#include "engine/catalogo.h"

namespace vaviviv::cli {

namespace {

const QStringList kConValor{"--sucursal", "--cuenta", "--importe", "--fecha", "-o"};

}  // namespace

std::variant<Argumentos, QString> LeerArgumentos(const QStringList& lista) {
    Argumentos a;
    bool soloPosicionales = false;
    QStringList posicionales;
    for (qsizetype i = 0; i < lista.size(); ++i) {
        const QString& arg = lista[i];
        if (soloPosicionales || arg == u"-" || !arg.startsWith(u'-')) {
            posicionales << arg;
            continue;
        }
        if (arg == u"--") {
            soloPosicionales = true;
            continue;
        }
        if (arg == u"--help" || arg == u"-h") {
            a.ayuda = true;
            continue;
        }
        if (arg == u"--version") {
            a.version = true;
            continue;
        }
        QString nombre = arg, valor;
        const bool enLinea = arg.startsWith(u"--") && arg.contains(u'=');
        if (enLinea) {
            nombre = arg.section(u'=', 0, 0);
            valor = arg.section(u'=', 1);
        }
        if (!kConValor.contains(nombre)) return QStringLiteral("Opción desconocida: %1").arg(arg);
        if (!enLinea) {
            if (i + 1 >= lista.size()) return QStringLiteral("Falta el valor de la opción %1").arg(nombre);
            valor = lista[++i];
        }
        if (a.opciones.contains(nombre)) return QStringLiteral("La opción %1 se dio dos veces").arg(nombre);
        a.opciones.insert(nombre, valor);
    }
    if (!posicionales.isEmpty()) a.subcomando = posicionales.takeFirst();
    a.posicionales = posicionales;
    return a;
}

std::optional<int> LeerCodigo(const QString& texto) {
    if (texto.isEmpty() || texto.size() > 2) return std::nullopt;
    for (QChar c : texto)
        if (c < u'0' || c > u'9') return std::nullopt;
    const int codigo = texto.toInt();
    if (!BuscarAlgoritmo(codigo)) return std::nullopt;
    return codigo;
}

}  // namespace vaviviv::cli
