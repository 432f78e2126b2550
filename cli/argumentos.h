#pragma once
// Command-line parsing: options may stand before or after the positional
// arguments; after "--" everything is positional. Arguments stay the bytes
// they were given: a file name need not be valid UTF-8; texts are decoded
// where they are used.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <optional>
#include <variant>

namespace vaviviv::cli {

struct Argumentos {
    QString subcomando;               // calcular, masivo, verificar; empty with --help or --version alone
    QList<QByteArray> posicionales;   // after the subcommand
    QMap<QString, QByteArray> opciones;  // "--sucursal" -> value, "--archivo" -> value, "-o" (or "--salida") -> value
    bool ayuda = false;
    bool version = false;
    bool silencioso = false;  // -q, --silencioso: no progress, no summary
};

// Parsed arguments, or the text that explains the misuse.
std::variant<Argumentos, QString> LeerArgumentos(const QList<QByteArray>& argumentos);

// An argument as text (UTF-8; a leading U+FEFF is part of what was typed).
QString Texto(const QByteArray& argumento);

// "00", "0", "2", "02", ... -> the catalogue code; nullopt for anything else.
std::optional<int> LeerCodigo(const QString& texto);

}  // namespace vaviviv::cli
