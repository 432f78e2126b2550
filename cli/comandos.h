#pragma once
// The subcommands of vaviviv-cli. Exit codes: 0 done, 1 the data or a file
// failed, 2 misuse.

#include <QIODevice>
#include <QStringList>

namespace vaviviv::cli {

struct Consola {
    QIODevice& entrada;  // standard input, for "masivo CODIGO -"
    QIODevice& salida;
    QIODevice& errores;
    // Results shown there are recoded to UTF-8; a pipe or a file gets the
    // results file byte for byte.
    bool salidaEsTerminal = false;
    bool entradaEsTerminal = false;  // "masivo CODIGO -" says it waits for records
    bool erroresEsTerminal = false;  // long runs show their progress there
};

inline constexpr int kExito = 0;
inline constexpr int kFallo = 1;
inline constexpr int kMalUso = 2;

// argumentos: argv without the program name, as the bytes given.
int Ejecutar(const QList<QByteArray>& argumentos, Consola& consola);

QString TextoAyuda();
// A subcommand's own help; empty for a name that is none.
QString AyudaDe(const QString& subcomando);

// `texto` as standard error shows it: each line after "vaviviv-cli: ", each
// ending in a line feed.
QString ConNombre(const QString& texto);

// What standard error says when standard output refused the results.
QString NoSePudoEscribirLaSalida(const QString& razon);

}  // namespace vaviviv::cli
