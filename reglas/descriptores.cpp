#include "reglas/descriptores.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vaviviv {

namespace {

// open() takes the lowest free number: filled in order, each closed one gets its own.
bool Rellenar(int fd, int banderas) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) return false;
    const int nuevo = ::open("/dev/null", banderas);
    if (nuevo >= 0 && nuevo != fd) {
        ::dup2(nuevo, fd);
        ::close(nuevo);
    }
    return true;
}

}  // namespace

DescriptoresCerrados AbrirDescriptoresEstandar() {
    DescriptoresCerrados cerrados;
    cerrados.entrada = Rellenar(STDIN_FILENO, O_RDONLY);
    cerrados.salida = Rellenar(STDOUT_FILENO, O_WRONLY);
    cerrados.errores = Rellenar(STDERR_FILENO, O_WRONLY);
    return cerrados;
}

}  // namespace vaviviv
