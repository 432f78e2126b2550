#pragma once
// Command-line parsing: options may stand before or after the positional
// arguments; after "--" everything is positional.

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace vaviviv::cli {

struct Argumentos {
    QString subcomando;           // calcular, masivo, verificar; empty with --help or --version alone
    QStringList posicionales;     // after the subcommand
    QMap<QString, QString> opciones;  // "--sucursal" -> value, "-o" -> value
    bool ayuda = false;
    bool version = false;
};

// Parsed arguments, or the text that explains the misuse.
std::variant<Argumentos, QString> LeerArgumentos(const QStringList& argumentos);

// "00", "0", "2", "02", ... -> the catalogue code; nullopt for anything else.
std::optional<int> LeerCodigo(const QString& texto);

}  // namespace vaviviv::cli
