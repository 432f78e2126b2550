#include <QFile>
#include <QList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "cli/comandos.h"
#include "cli/senales.h"
#include "reglas/descriptores.h"
#include "reglas/error_sistema.h"

namespace {

// A standard stream the caller closed: reading or writing it fails as the
// closed descriptor would have.
class Cerrado : public QIODevice {
public:
    Cerrado() {
        open(ReadWrite | Unbuffered);
        setErrorString(vaviviv::DescripcionError(EBADF));
    }

protected:
    qint64 readData(char*, qint64) override { return Fallar(); }
    qint64 writeData(const char*, qint64) override { return Fallar(); }

private:
    static qint64 Fallar() {
        errno = EBADF;
        return -1;
    }
};

}  // namespace

int main(int argc, char** argv) {
    // Before anything opens a file that could take their numbers.
    const vaviviv::DescriptoresCerrados cerrados = vaviviv::AbrirDescriptoresEstandar();
    vaviviv::cli::InstalarSenales();
    QList<QByteArray> argumentos;
    for (int i = 1; i < argc; ++i) argumentos << QByteArray(argv[i]);
    QFile entrada, salida, errores;
    Cerrado entradaCerrada, salidaCerrada;
    entrada.open(stdin, QIODevice::ReadOnly);
    // Straight to the descriptor: a write that fails says why at once, where a
    // buffer would meet it only at flush, as a short write with no reason.
    salida.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    errores.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    vaviviv::cli::Consola consola{cerrados.entrada ? static_cast<QIODevice&>(entradaCerrada) : entrada,
                                  cerrados.salida ? static_cast<QIODevice&>(salidaCerrada) : salida, errores,
                                  !cerrados.salida && ::isatty(STDOUT_FILENO) == 1,
                                  !cerrados.entrada && ::isatty(STDIN_FILENO) == 1,
                                  ::isatty(STDERR_FILENO) == 1};
    int codigo = vaviviv::cli::Ejecutar(argumentos, consola);
    // Some file systems report a lost write only when the file is closed.
    QString razon;
    if (!salida.flush())
        razon = salida.errorString();
    else if (!cerrados.salida && ::close(STDOUT_FILENO) != 0 && errno != EBADF)
        razon = vaviviv::DescripcionError(errno);
    if (!razon.isEmpty()) {
        errores.write(vaviviv::cli::ConNombre(vaviviv::cli::NoSePudoEscribirLaSalida(razon)).toUtf8());
        if (codigo == vaviviv::cli::kExito) codigo = vaviviv::cli::kFallo;
    }
    return codigo;
}
