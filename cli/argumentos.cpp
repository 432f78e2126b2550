#include "cli/argumentos.h"

#include "engine/catalogo.h"
#include "reglas/texto.h"

namespace vaviviv::cli {

namespace {

const QStringList kConValor{"--sucursal", "--cuenta", "--importe", "--fecha", "--archivo", "-o"};

// Long spellings of short options, stored under the short one.
QString Corta(const QString& nombre) { return nombre == u"--salida" ? QStringLiteral("-o") : nombre; }

}  // namespace

QString Texto(const QByteArray& argumento) { return DesdeUtf8(Vista(argumento)); }

std::variant<Argumentos, QString> LeerArgumentos(const QList<QByteArray>& lista) {
    Argumentos a;
    bool soloPosicionales = false;
    QList<QByteArray> posicionales;
    for (qsizetype i = 0; i < lista.size(); ++i) {
        const QByteArray& arg = lista[i];
        if (soloPosicionales || arg == "-" || !arg.startsWith('-')) {
            posicionales << arg;
            continue;
        }
        if (arg == "--") {
            soloPosicionales = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            a.ayuda = true;
            continue;
        }
        if (arg == "--version") {
            a.version = true;
            continue;
        }
        if (arg == "-q" || arg == "--silencioso") {
            a.silencioso = true;
            continue;
        }
        QString nombre = Texto(arg);
        QByteArray valor;
        const qsizetype igual = arg.indexOf('=');
        const bool enLinea = arg.startsWith("--") && igual > 0;
        // "-oSALIDA", as getopt takes a short option's value.
        const bool pegado = !arg.startsWith("--") && arg.size() > 2 && kConValor.contains(Texto(arg.first(2)));
        if (enLinea) {
            nombre = Texto(arg.first(igual));
            valor = arg.sliced(igual + 1);
        } else if (pegado) {
            nombre = Texto(arg.first(2));
            valor = arg.sliced(2);
        }
        const QString escrito = nombre;
        nombre = Corta(nombre);
        if (!kConValor.contains(nombre)) return QStringLiteral("Opción desconocida: %1").arg(Texto(arg));
        if (!enLinea && !pegado) {
            if (i + 1 >= lista.size()) return QStringLiteral("Falta el valor de la opción %1").arg(escrito);
            valor = lista[++i];
        }
        if (a.opciones.contains(nombre)) return QStringLiteral("La opción %1 se dio dos veces").arg(nombre);
        a.opciones.insert(nombre, valor);
    }
    if (!posicionales.isEmpty()) a.subcomando = Texto(posicionales.takeFirst());
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
