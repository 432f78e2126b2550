// Where a results path leads; each failing step of a store reported with the
// earlier file kept; a rewrite in place told truly: the earlier file untouched
// while another holds it, and a failure after the first byte said to have
// overwritten it. The process tests of vaviviv-cli cover the rest: devices,
// sockets, /dev/stdout, a whole rewrite in place.

#include "reglas/archivo_resultados.h"
#include "reglas/destino_resultados.h"
#include "reglas/error_sistema.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
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

// While it lives no file grows past `bytes`, as on a full disk, even for root.
struct TopeArchivo {
    explicit TopeArchivo(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &antes);
        const rlimit tope{std::min(bytes, antes.rlim_max), antes.rlim_max};
        setrlimit(RLIMIT_FSIZE, &tope);
    }
    ~TopeArchivo() { setrlimit(RLIMIT_FSIZE, &antes); }
    rlimit antes{};
};

struct Intento {
    bool escrito = false, confirmado = false;
    QString razon;
};

// The header and `filas` rows, as views and as strings; to a path, then the
// commit, with no file past `tope` bytes. With `carpeta`, a folder takes the
// file's place once it is open, so the commit fails.
Intento Guardar(QIODevice& dispositivo, int filas) {
    EscritorResultados escritor(dispositivo);
    escritor.escribirCabecera(0);
    const QString celdas[] = {"123456", "1234566", "6"};
    const QStringView vistas[] = {celdas[0], celdas[1], celdas[2]};
    for (int i = 0; i < filas; ++i)
        i % 2 ? escritor.escribirFila(std::span(celdas)) : escritor.escribirFila(std::span(vistas));
    return {escritor.terminar(), false, escritor.error()};
}
Intento Guardar(const QString& ruta, int filas, rlim_t tope = RLIM_INFINITY, const QString& carpeta = {}) {
    DestinoResultados destino(ruta);
    if (!destino.abrir()) return {false, false, "sin abrir"};
    if (!carpeta.isEmpty() && !(QFile::remove(ruta) && QDir().mkdir(ruta) && QFile::copy(carpeta, ruta + "/anterior.txt")))
        return {false, false, "sin carpeta"};
    TopeArchivo limite(tope);
    Intento r = Guardar(destino.dispositivo(), filas);
    r.confirmado = r.escrito && destino.confirmar();
    if (r.escrito) r.razon = r.confirmado ? QString() : destino.error();
    return r;
}

// Past 64 KiB of text (4,000 rows) the writer writes before the end; one row
// is written by terminar(). Either write is cut short by the disk (part of it
// written, no system error yet) and offered again, so the reason is the
// system's, not "Unknown error".
TEST(DestinoResultados, CadaPasoQueFallaDejaElArchivoAnterior) {
    const QByteArray anterior = "anterior\r\n";
    enum Falla { Nada, Escritura, Terminar, Confirmacion };
    for (const Falla falla : {Nada, Escritura, Terminar, Confirmacion}) {
        SCOPED_TRACE(falla);
        QTemporaryDir dir;
        const QString ruta = dir.filePath("resultados.txt"), copia = dir.filePath("copia");
        ASSERT_TRUE(Escribir(ruta, anterior) && (falla != Confirmacion || QFile::copy(ruta, copia)));
        const rlim_t tope = falla == Nada || falla == Confirmacion ? RLIM_INFINITY : 16;
        const Intento r = Guardar(ruta, falla == Terminar ? 1 : 4000, tope, falla == Confirmacion ? copia : QString());
        EXPECT_EQ(std::pair(r.escrito, r.confirmado), std::pair(falla == Nada || falla == Confirmacion, falla == Nada));
        if (falla == Confirmacion) EXPECT_FALSE(r.razon.isEmpty());
        else EXPECT_EQ(r.razon.toStdString(), falla == Nada ? "" : std::strerror(EFBIG));  // after a short write
        QFile::remove(copia);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"resultados.txt"});  // no temporary file left
        QBuffer nuevo;
        ASSERT_TRUE(nuevo.open(QIODevice::WriteOnly) && Guardar(nuevo, 4000).escrito);
        EXPECT_TRUE(Leer(falla == Confirmacion ? ruta + "/anterior.txt" : ruta) == (falla == Nada ? nuevo.data() : anterior));
    }
}

// Results of several stretches that start on their way to the disk while
// the rest is written arrive whole; a disk that fills after the first stretch
// still leaves the earlier file.
TEST(DestinoResultados, ResultadosDeVariosTramos) {
    const QByteArray anterior = "anterior\r\n";
    constexpr int kFilas = 700'000;  // about 13 MB
    QBuffer esperado;
    ASSERT_TRUE(esperado.open(QIODevice::WriteOnly) && Guardar(esperado, kFilas).escrito);
    ASSERT_GT(esperado.size(), 12 << 20);
    for (const rlim_t tope : {RLIM_INFINITY, rlim_t(9) << 20}) {
        SCOPED_TRACE(tope);
        QTemporaryDir dir;
        const QString ruta = dir.filePath("resultados.txt");
        ASSERT_TRUE(Escribir(ruta, anterior));
        const Intento r = Guardar(ruta, kFilas, tope);
        EXPECT_EQ(r.confirmado, tope == RLIM_INFINITY);
        EXPECT_TRUE(Leer(ruta) == (r.confirmado ? esperado.data() : anterior));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"resultados.txt"});
    }
}

// A device is written in place: its failure is told at the write.
TEST(DestinoResultados, DispositivoLleno) {
    for (const int filas : {1, 4000}) {
        const Intento r = Guardar("/dev/full", filas);
        EXPECT_EQ(std::tuple(r.escrito, r.confirmado, r.razon.toStdString()),
                  std::tuple(false, false, std::string(std::strerror(ENOSPC))));
    }
}

// The common causes in Spanish whatever the system's language, the rest in the system's words; an
// opening that left no errno is told by its path, failing that by Qt's own number and text.
TEST(ErrorSistema, NumeroDelSistemaYTextoEnEspanol) {
    const std::pair<int, const char*> comunes[] = {{EROFS, "Sistema de archivos de solo lectura"},
        {EDQUOT, "Cuota de disco excedida"}, {ENAMETOOLONG, "Nombre demasiado largo"}, {EIO, "Error de entrada/salida"},
        {EBUSY, "Archivo ocupado"}, {ETXTBSY, "Archivo ocupado"}, {EPERM, std::strerror(EPERM)}};
    for (const auto& [numero, texto] : comunes) EXPECT_EQ(DescripcionError(numero).toStdString(), texto);
    QTemporaryDir dir;
    const std::tuple<int, QString, int> casos[] = {{EACCES, dir.path(), EACCES}, {0, dir.path(), EISDIR},
        {0, dir.filePath("falta"), ENOENT}, {0, {}, 5}, {0, "/dev/null", 5}};
    for (const auto& [numero, ruta, esperado] : casos) EXPECT_EQ(ErrorDeArchivo(numero, 5, "qt", ruta).numero, esperado);
    EXPECT_EQ(ErrorDeArchivo(0, 5, "qt").descripcion, "qt");
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
        EXPECT_EQ(int(d.tipo), int(tipo)) << ruta.toStdString();
        EXPECT_EQ(d.descriptor, descriptor) << ruta.toStdString();
        EXPECT_EQ(d.ruta, final) << ruta.toStdString();
    }
    // Reached through a folder of links to descriptors, too.
    const QString antes = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent("/dev"));
    const Destino relativo = ClasificarDestino("fd/1");
    QDir::setCurrent(antes);
    EXPECT_EQ(int(relativo.tipo), int(T::Descriptor));
    EXPECT_EQ(relativo.descriptor, 1);
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
    EXPECT_FALSE([&] { TopeArchivo tope(100000); return destino.confirmar(); }());
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
