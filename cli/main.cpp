#include <QFile>
#include <QStringList>
#include <cstdio>

#include "cli/comandos.h"
#include "reglas/texto.h"

int main(int argc, char** argv) {
    QStringList argumentos;
    // Arguments are UTF-8; a leading U+FEFF is part of what was typed.
    for (int i = 1; i < argc; ++i) argumentos << vaviviv::DesdeUtf8(argv[i]);
    QFile entrada, salida, errores;
    entrada.open(stdin, QIODevice::ReadOnly);
    salida.open(stdout, QIODevice::WriteOnly);
    errores.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    vaviviv::cli::Consola consola{entrada, salida, errores};
    const int codigo = vaviviv::cli::Ejecutar(argumentos, consola);
    salida.flush();
    return codigo;
}
