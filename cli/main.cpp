#include <QFile>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "cli/comandos.h"
#include "reglas/error_sistema.h"
#include "reglas/texto.h"

int main(int argc, char** argv) {
    QStringList argumentos;
    // Arguments are UTF-8; a leading U+FEFF is part of what was typed.
    for (int i = 1; i < argc; ++i) argumentos << vaviviv::DesdeUtf8(argv[i]);
    QFile entrada, salida, errores;
    entrada.open(stdin, QIODevice::ReadOnly);
    // Straight to the descriptor: a write that fails says why at once, where a
    // buffer would meet it only at flush, as a short write with no reason.
    salida.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    errores.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    vaviviv::cli::Consola consola{entrada, salida, errores, ::isatty(STDOUT_FILENO) == 1};
    int codigo = vaviviv::cli::Ejecutar(argumentos, consola);
    // Some file systems report a lost write only when the file is closed.
    QString razon;
    if (!salida.flush())
        razon = salida.errorString();
    else if (::close(STDOUT_FILENO) != 0 && errno != EBADF)
        razon = vaviviv::DescripcionError(errno);
    if (!razon.isEmpty()) {
        errores.write((vaviviv::cli::NoSePudoEscribirLaSalida(razon) + u'\n').toUtf8());
        if (codigo == vaviviv::cli::kExito) codigo = vaviviv::cli::kFallo;
    }
    return codigo;
}
