// Where a results path leads, and a rewrite in place told truly: the earlier
// file untouched while another holds it, and a failure after the first byte
// said to have overwritten it. The process tests of vaviviv-cli cover the
// rest: devices, sockets, /dev/stdout, a whole rewrite in place.

#include "reglas/destino_resultados.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

#include "tests/sin_permisos.h"

using namespace vaviviv;

namespace {

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no se pudo leer)");
}

bool Escribir(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(datos) == datos.size();
}

TEST(ClasificarDestino, CadaClaseDeNombre) {
    QTemporaryDir tmp;
    const QByteArray dir = QFile::encodeName(tmp.path());
    ASSERT_TRUE(Escribir(tmp.filePath("archivo"), "x") && ::mkfifo(dir + "/tubo", 0600) == 0 && QDir(tmp.path()).mkdir("carpeta"));
    ASSERT_EQ(::symlink("archivo", dir + "/enlace"), 0);
    ASSERT_EQ(::symlink("enlace", dir + "/enlace2"), 0);
    ASSERT_EQ(::symlink("/dev/stdout", dir + "/salida"), 0);
    ASSERT_EQ(::symlink("bucle", dir + "/bucle"), 0);
    const QByteArray propio = "/proc/" + QByteArray::number(::getpid()) + "/fd/7";
    using T = TipoDestino;
    const std::tuple<QByteArray, T, int, QByteArray> casos[] = {
        {dir + "/archivo", T::Archivo, -1, dir + "/archivo"},
        {dir + "/nuevo", T::Archivo, -1, dir + "/nuevo"},
        {dir + "/carpeta", T::Archivo, -1, dir + "/carpeta"},
        {dir + "/./carpeta/../archivo", T::Archivo, -1, dir + "/archivo"},
        // A link is followed to the file it names, which is what gets replaced.
        {dir + "/enlace2", T::Archivo, -1, dir + "/archivo"},
        {dir + "/bucle", T::Archivo, -1, dir + "/bucle"},
        {dir + "/falta/nuevo", T::Archivo, -1, dir + "/falta/nuevo"},
        {dir + "/tubo", T::Dispositivo, -1, dir + "/tubo"},
        {"/dev/stderr", T::Descriptor, 2, "/dev/stderr"},
        {"/dev/fd/5", T::Descriptor, 5, "/dev/fd/5"},
        {"/proc/self/fd/12", T::Descriptor, 12, "/proc/self/fd/12"},
        {propio, T::Descriptor, 7, propio},
        {dir + "/salida", T::Descriptor, 1, dir + "/salida"},
        {"/dev/fd/x1", T::Archivo, -1, "/proc/" + QByteArray::number(::getpid()) + "/fd/x1"},
    };
    for (const auto& [ruta, tipo, descriptor, final] : casos) {
        const Destino d = ClasificarDestino(ruta);
        EXPECT_TRUE(d.tipo == tipo && d.descriptor == descriptor && d.ruta == final)
            << ruta.toStdString() << ": " << int(d.tipo) << " " << d.descriptor << " " << d.ruta.toStdString();
    }
    // Reached through a folder of links to descriptors, too.
    const QString antes = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent("/dev"));
    const Destino relativo = ClasificarDestino("fd/1");
    QDir::setCurrent(antes);
    EXPECT_TRUE(relativo.tipo == T::Descriptor && relativo.descriptor == 1);
}

// A folder that refuses new entries (to root too, for the time of the test)
// holding a writable results file: the rewrite in place.
class EnSitio : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(dir.path()).mkdir("d") && Escribir(ruta, anterior));
        ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("d")).constData(), 0555), 0);
    }
    void TearDown() override { ::chmod(QFile::encodeName(dir.filePath("d")).constData(), 0755); }

    QTemporaryDir dir;
    const QString ruta = dir.filePath("d/r.txt");
    const QByteArray anterior = QByteArray("anterior\r\n").repeated(100);
};

TEST_F(EnSitio, EsperaONoAQuienTieneElArchivo) {
    QFile otro(ruta);
    ASSERT_TRUE(otro.open(QIODevice::ReadOnly) && ::flock(otro.handle(), LOCK_EX) == 0);
    prueba::SinSaltarPermisos sin;
    DestinoResultados destino(ruta, /*esperarBloqueo=*/false);
    ASSERT_TRUE(destino.abrir());
    EXPECT_TRUE(destino.enSitio());
    EXPECT_EQ(destino.dispositivo().write(QByteArray(5000, 'x')), 5000);
    EXPECT_FALSE(destino.confirmar());
    EXPECT_EQ(std::tuple(destino.numero(), destino.error().toStdString(), destino.sobrescrito()),
              std::tuple(EBUSY, std::string("Archivo ocupado"), false));
    EXPECT_EQ(Leer(ruta), anterior);
}

// The file stops taking bytes part-way (as a file-size limit does): the
// failure says the earlier file was already overwritten.
TEST_F(EnSitio, FalloTrasEmpezarASobrescribir) {
    prueba::SinSaltarPermisos sin;
    DestinoResultados destino(ruta);
    ASSERT_TRUE(destino.abrir() && destino.enSitio());
    ASSERT_EQ(destino.dispositivo().write(QByteArray(200000, 'x')), 200000);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit antes{};
    getrlimit(RLIMIT_FSIZE, &antes);
    const rlimit tope{100000, antes.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tope);
    const bool confirmado = destino.confirmar();
    setrlimit(RLIMIT_FSIZE, &antes);
    EXPECT_FALSE(confirmado);
    EXPECT_EQ(std::pair(destino.numero(), destino.sobrescrito()), std::pair(EFBIG, true));
    EXPECT_TRUE(Leer(ruta).startsWith(QByteArray(100000, 'x')));
}

// A name not taken, in a folder that refuses it: nothing to rewrite in place.
TEST_F(EnSitio, NombreNuevoEnCarpetaCerrada) {
    prueba::SinSaltarPermisos sin;
    DestinoResultados destino(dir.filePath("d/nuevo.txt"));
    EXPECT_FALSE(destino.abrir());
    EXPECT_EQ(destino.numero(), EACCES);
}

// A file the user may not write is not replaced behind its back, in a folder
// that would let it be.
TEST(DestinoResultados, ArchivoSinPermisoDeEscritura) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("r.txt");
    ASSERT_TRUE(Escribir(ruta, "anterior") && ::chmod(QFile::encodeName(ruta).constData(), 0444) == 0);
    {
        prueba::SinSaltarPermisos sin;
        DestinoResultados destino(ruta);
        EXPECT_FALSE(destino.abrir());
        EXPECT_EQ(destino.numero(), EACCES);
    }
    EXPECT_EQ(Leer(ruta), "anterior");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"r.txt"});
}

}  // namespace
