#include "reglas/destino_resultados.h"

#include <QDir>
#include <QRandomGenerator>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "reglas/error_sistema.h"

namespace vaviviv {

namespace {

constexpr int kMaximoEnlaces = 40;  // as the kernel's own limit on a path's links

// "/dev/stdout", "/dev/fd/3", "/proc/self/fd/3", "/proc/<this process>/fd/3": the descriptor they name.
int DescriptorNombrado(const QByteArray& ruta) {
    if (ruta == "/dev/stdin") return 0;
    if (ruta == "/dev/stdout") return 1;
    if (ruta == "/dev/stderr") return 2;
    const QByteArray propios[] = {"/dev/fd/", "/proc/self/fd/", "/proc/thread-self/fd/",
                                  "/proc/" + QByteArray::number(::getpid()) + "/fd/"};
    for (const QByteArray& prefijo : propios) {
        if (!ruta.startsWith(prefijo)) continue;
        const QByteArray numero = ruta.sliced(prefijo.size());
        bool correcto = !numero.isEmpty() && numero.size() < 10;
        for (const char c : numero) correcto = correcto && c >= '0' && c <= '9';
        if (correcto) return numero.toInt();
    }
    return -1;
}

QByteArray Carpeta(const QByteArray& ruta) {
    const qsizetype barra = ruta.lastIndexOf('/');
    return barra < 0 ? QByteArray(".") : barra == 0 ? QByteArray("/") : ruta.first(barra);
}

// `ruta` with its folder made absolute and free of links, so that a name for
// a descriptor is seen whichever way it was reached; empty when the folder
// cannot be resolved (open() will then say why).
QByteArray Canonica(const QByteArray& ruta) {
    const qsizetype barra = ruta.lastIndexOf('/');
    const QByteArray nombre = ruta.sliced(barra + 1);
    if (nombre.isEmpty() || nombre == "." || nombre == "..") return {};
    std::array<char, PATH_MAX> carpeta{};
    if (!::realpath(Carpeta(ruta).constData(), carpeta.data())) return {};
    const QByteArray resuelta(carpeta.data());
    return (resuelta == "/" ? resuelta : resuelta + '/') + nombre;
}

int Abrir(const QByteArray& ruta, int banderas, mode_t modo = 0) {
    int fd;
    do fd = ::open(ruta.constData(), banderas | O_CLOEXEC, modo);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// A socket is reached by connecting to it, not by opening it.
int Conectar(const QByteArray& ruta) {
    sockaddr_un direccion{};
    direccion.sun_family = AF_UNIX;
    if (std::size_t(ruta.size()) >= sizeof direccion.sun_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::copy(ruta.cbegin(), ruta.cend(), direccion.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&direccion), sizeof direccion) == 0) return fd;
    const int numero = errno;
    ::close(fd);
    errno = numero;
    return -1;
}

bool EscribirTodo(int fd, const char* datos, qsizetype n, off_t desde, bool& alguno) {
    while (n > 0) {
        const ssize_t escritos = ::pwrite(fd, datos, std::size_t(n), desde);
        if (escritos < 0 && errno == EINTR) continue;
        if (escritos <= 0) {
            if (escritos == 0) errno = ENOSPC;
            return false;
        }
        alguno = true;
        datos += escritos;
        n -= escritos;
        desde += escritos;
    }
    return true;
}

void Cerrar(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

constexpr qint64 kTramoAlDisco = qint64(8) << 20;

}  // namespace

// Best effort: a file system without it, or a failure, is for the sync to
// report, and errno is left as the write left it. The stretch is only
// started on its way, never waited for.
qint64 ArchivoAlDisco::writeData(const char* datos, qint64 n) {
    const qint64 escritos = QFile::writeData(datos, n);
    if (!enviar_ || escritos <= 0) return escritos;
    escritos_ += escritos;
    if (escritos_ - enviados_ >= kTramoAlDisco) {
        const int numero = errno;
        ::sync_file_range(handle(), enviados_, escritos_ - enviados_, SYNC_FILE_RANGE_WRITE);
        errno = numero;
        enviados_ = escritos_;
    }
    return escritos;
}

Destino ClasificarDestino(const QByteArray& ruta) {
    QByteArray actual = ruta;
    for (int enlaces = 0; enlaces <= kMaximoEnlaces; ++enlaces) {
        const QByteArray canonica = Canonica(actual);
        if (canonica.isEmpty()) return {TipoDestino::Archivo, -1, actual};
        if (const int fd = DescriptorNombrado(canonica); fd >= 0) return {TipoDestino::Descriptor, fd, ruta};
        struct stat st{};
        if (::lstat(canonica.constData(), &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))
            return {TipoDestino::Archivo, -1, canonica};
        if (!S_ISLNK(st.st_mode)) return {TipoDestino::Dispositivo, -1, ruta};
        std::array<char, PATH_MAX> destino{};
        const ssize_t n = ::readlink(canonica.constData(), destino.data(), destino.size());
        if (n <= 0 || std::size_t(n) >= destino.size()) return {TipoDestino::Archivo, -1, canonica};
        const QByteArray enlace(destino.data(), n);
        actual = enlace.startsWith('/') ? enlace : Carpeta(canonica) + '/' + enlace;
    }
    return {TipoDestino::Archivo, -1, ruta};  // a loop of links: open() says so
}

DestinoResultados::DestinoResultados(const QByteArray& ruta, bool esperarBloqueo)
    : destino_(ClasificarDestino(ruta)), esLibro_(EsNombreDeLibro(ruta)), esperarBloqueo_(esperarBloqueo) {}

DestinoResultados::DestinoResultados(const QString& ruta, bool esperarBloqueo)
    : DestinoResultados(QFile::encodeName(ruta), esperarBloqueo) {}

DestinoResultados::~DestinoResultados() {
    libro_.reset();
    archivo_.close();
    if (!temporal_.isEmpty()) ::unlink(temporal_.constData());
    if (destino_.tipo != TipoDestino::Descriptor) Cerrar(fd_);
    Cerrar(destinoFd_);
}

bool DestinoResultados::fallo(int numero) {
    numero_ = numero;
    error_ = DescripcionError(numero);
    return false;
}

bool DestinoResultados::fallo(const QString& texto, int numero) {
    numero_ = numero;
    error_ = texto;
    return false;
}

// Unbuffered: the writer keeps its own buffer and offers a short write again,
// so that a failing write comes with the system's reason.
bool DestinoResultados::abrir() {
    if (esLibro_ && !LibrosDisponibles()) return fallo(TextoSinLibros());
    if (esLibro_ && destino_.tipo != TipoDestino::Archivo) return fallo(TextoLibroSinArchivo());
    switch (destino_.tipo) {
    case TipoDestino::Descriptor: {
        const int modo = ::fcntl(destino_.descriptor, F_GETFL);
        if (modo < 0 || (modo & O_ACCMODE) == O_RDONLY) return fallo(EBADF);
        fd_ = destino_.descriptor;
        break;
    }
    case TipoDestino::Dispositivo:
        fd_ = Abrir(destino_.ruta, O_WRONLY | O_NOCTTY);
        if (fd_ < 0 && errno == ENXIO) fd_ = Conectar(destino_.ruta);
        if (fd_ < 0) return fallo(errno);
        break;
    case TipoDestino::Archivo: {
        struct stat st{};
        const bool existe = ::stat(destino_.ruta.constData(), &st) == 0;
        if (existe && S_ISDIR(st.st_mode)) return fallo(EISDIR);
        // Replacing a file this user may not write would go round its permissions.
        if (existe && ::faccessat(AT_FDCWD, destino_.ruta.constData(), W_OK, AT_EACCESS) != 0) return fallo(errno);
        if (!abrirTemporal()) {
            if (!existe || (numero_ != EACCES && numero_ != EPERM)) return false;
            if (!abrirEnSitio()) return false;
        } else if (existe) {
            // Owner first: changing it clears the set-id bits the mode then restores.
            // Both are best effort: a file system without owners still takes the results.
            if (::fchown(fd_, ::geteuid() == 0 ? st.st_uid : uid_t(-1), st.st_gid) != 0) errno = 0;
            if (::fchmod(fd_, st.st_mode & 07777) != 0) errno = 0;
        }
        break;
    }
    }
    if (esLibro_) {
        // The library writes to a name: this one reaches the temporary file, named or not.
        libro_ = std::make_unique<LibroResultados>("/proc/self/fd/" + QByteArray::number(fd_));
        return true;
    }
    archivo_.enviarAlEscribir(!temporal_.isEmpty());
    if (!archivo_.open(fd_, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle)) return fallo(EBADF);
    return true;
}

// A new name beside the file, as a new file would get (0666 less the umask).
bool DestinoResultados::abrirTemporal() {
    const QByteArray base = destino_.ruta + '.';
    for (int intento = 0; intento < 100; ++intento) {
        QByteArray nombre = base;
        for (int i = 0; i < 6; ++i) nombre += "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"[QRandomGenerator::global()->bounded(62)];
        fd_ = Abrir(nombre, O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd_ >= 0) {
            temporal_ = nombre;
            return true;
        }
        if (errno != EEXIST) return fallo(errno);
    }
    return fallo(EEXIST);
}

bool DestinoResultados::abrirEnSitio() {
    destinoFd_ = Abrir(destino_.ruta, O_WRONLY | O_NOCTTY);
    if (destinoFd_ < 0) return fallo(errno);
    // Nameless where the file system allows it: nothing to remove, even after a kill.
    const QByteArray temporal = QFile::encodeName(QDir::tempPath());
    fd_ = Abrir(temporal, O_RDWR | O_TMPFILE, 0600);
    if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        QByteArray plantilla = temporal + "/vaviviv-XXXXXX";
        fd_ = ::mkostemp(plantilla.data(), O_CLOEXEC);
        if (fd_ >= 0) ::unlink(plantilla.constData());
    }
    if (fd_ < 0) {
        const int numero = errno;
        Cerrar(destinoFd_);
        return fallo(numero);
    }
    return true;
}

bool DestinoResultados::confirmar() {
    if (libro_ && !libro_->terminar()) return fallo(libro_->errorString(), libro_->numero());
    switch (destino_.tipo) {
    case TipoDestino::Descriptor: return true;
    case TipoDestino::Dispositivo: {
        const int fd = fd_;
        fd_ = -1;
        // Some devices report a lost write only when closed.
        if (::close(fd) != 0 && errno != EINTR) return fallo(errno);
        return true;
    }
    case TipoDestino::Archivo: return enSitio() ? sobrescribir() : reemplazar();
    }
    return true;
}

bool DestinoResultados::reemplazar() {
    archivo_.close();
    if (::fsync(fd_) != 0 && errno != EINVAL) return fallo(errno);
    if (::close(std::exchange(fd_, -1)) != 0 && errno != EINTR) return fallo(errno);
    if (::rename(temporal_.constData(), destino_.ruta.constData()) != 0) return fallo(errno);
    temporal_.clear();
    // The rename itself reaches the disk with its folder; a folder that cannot be synced changes nothing above.
    if (const int carpeta = Abrir(Carpeta(destino_.ruta), O_RDONLY | O_DIRECTORY); carpeta >= 0) {
        ::fsync(carpeta);
        ::close(carpeta);
    }
    return true;
}

bool DestinoResultados::sobrescribir() {
    archivo_.close();
    // Its size, not its offset: a workbook reaches it through another opening.
    struct stat st{};
    if (::fstat(fd_, &st) != 0) return fallo(errno);
    const off_t tamano = st.st_size;
    while (::flock(destinoFd_, LOCK_EX | (esperarBloqueo_ ? 0 : LOCK_NB)) != 0) {
        if (errno == EWOULDBLOCK) return fallo(EBUSY);
        if (errno != EINTR) return fallo(errno);
    }
    // Reserved first, past its end and without changing it: a full disk fails here.
    if (tamano > 0 && ::fallocate(destinoFd_, FALLOC_FL_KEEP_SIZE, 0, tamano) != 0 && errno != EOPNOTSUPP && errno != ENOSYS)
        return fallo(errno);
    QByteArray trozo(1 << 16, Qt::Uninitialized);
    for (off_t hecho = 0; hecho < tamano;) {
        const ssize_t leidos = ::pread(fd_, trozo.data(), std::size_t(std::min<off_t>(trozo.size(), tamano - hecho)), hecho);
        if (leidos < 0 && errno == EINTR) continue;
        if (leidos <= 0) return fallo(leidos == 0 ? EIO : errno);
        if (!EscribirTodo(destinoFd_, trozo.constData(), leidos, hecho, sobrescrito_)) return fallo(errno);
        hecho += leidos;
    }
    sobrescrito_ = true;
    if (::ftruncate(destinoFd_, tamano) != 0) return fallo(errno);
    if (::fsync(destinoFd_) != 0 && errno != EINVAL) return fallo(errno);
    if (::close(std::exchange(destinoFd_, -1)) != 0 && errno != EINTR) return fallo(errno);
    sobrescrito_ = false;
    return true;
}

QString AvisoArchivoSobrescrito() {
    return QStringLiteral("El archivo anterior ya se había empezado a sobrescribir y quedó incompleto.");
}

}  // namespace vaviviv
