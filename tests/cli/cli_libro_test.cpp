// vaviviv-cli storing its results as a workbook (-o NAME.xlsx), read back by
// an independent reader: every cell the text cell the same run stores in a
// text file; and a store that fails, whatever the step, leaves no workbook
// behind and the earlier file as it was.
#include "ejecutar_cli.h"
#include "tests/libro_leido.h"

#include <QDir>
#include <QStandardPaths>
#include <sys/stat.h>

using namespace vaviviv::prueba;

namespace {

struct CasoLibro {
    const char* nombre;
    QStringList args;  // the subcommand and its arguments before ENTRADA
    QByteArray entrada;
    const char* libro = "res.xlsx";  // the workbook's name, any case of .xlsx
};

// `args` on `entrada` stored as text and as a workbook, in `dir`.
std::pair<QByteArray, LibroLeido> Ambos(const QString& dir, const CasoLibro& caso) {
    EscribirArchivo(dir + "/e.txt", caso.entrada);
    auto args = caso.args;
    const bool verificar = args.front() == "verificar";
    const auto conSalida = [&](const QString& salida) {
        QStringList a = args;
        if (verificar) a << "--archivo";
        return a << dir + "/e.txt" << "-o" << dir + "/" + salida;
    };
    const Salida texto = Correr(conSalida("res.txt"));
    EXPECT_EQ(texto.codigo, 0) << texto.err.toStdString();
    const Salida enLibro = Correr(conSalida(caso.libro));
    EXPECT_EQ(enLibro.codigo, 0) << enLibro.err.toStdString();
    EXPECT_EQ(enLibro.err, texto.err);
    return {LeerArchivo(dir + "/res.txt"), LeerLibro(dir + "/" + caso.libro)};
}

TEST(CliLibro, CadaCeldaEsElTextoDeLosResultados) {
    const CasoLibro casos[] = {
        {"ceros y 19 cifras", {"masivo", "00"}, "0000123\r\n1234567890123456789\r\n00\r\n", "RES.XLSX"},
        {"errores y Windows-1252", {"masivo", "00"}, "abc\xE9\r\n\r\n12a\r\n0000123\r\n"},
        {"UTF-8 con su marca", {"masivo", "00"}, "\xEF\xBB\xBF" "0000123\n\xC3\xB1" "12\n"},
        {"sucursal y cuenta", {"masivo", "06"}, "0000123\t001\t0000456\r\n890\t123\t4567\r\n"},
        {"importe y fecha", {"masivo", "10"}, "0000123\t0000123.45\t15/06/2000\r\n123456\t1,5\t31/12/1999\r\n"},
        {"verificación", {"verificar", "00"}, "00001230\r\n00001231\r\n12345678901234567894\r\n0\r\n"},
    };
    for (const CasoLibro& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        QTemporaryDir dir;
        const auto [texto, libro] = Ambos(dir.path(), caso);
        ASSERT_TRUE(libro.error.isEmpty()) << libro.error.toStdString();
        const QList<QStringList> celdas = CeldasDeTexto(texto);
        EXPECT_EQ(libro.valores(), celdas);
        // The zeros and the 19 digits that a text file opened by a spreadsheet loses.
        if (caso.libro == QLatin1String("RES.XLSX")) {
            EXPECT_EQ(libro.valores().mid(1, 2), (QList<QStringList>{{"0000123", "00001230", "0"}, {"1234567890123456789", "12345678901234567894", "4"}}));
        }
        EXPECT_EQ(libro.hojas, 1);
        EXPECT_EQ(libro.inmovil, "A2");
        for (qsizetype f = 0; f < libro.filas.size(); ++f)
            for (const CeldaLeida& c : libro.filas[f]) {
                EXPECT_TRUE(c.texto) << f << ": " << c.valor.toStdString();
                EXPECT_EQ(c.formato, "@");
                EXPECT_EQ(c.negrita, f == 0) << f << ": " << c.valor.toStdString();
            }
        // Wide enough for the longest cell of each column, and no wider than a few characters more.
        for (qsizetype col = 0; col < celdas.front().size(); ++col) {
            qsizetype mas = 0;
            for (const QStringList& f : celdas)
                if (col < f.size()) mas = std::max(mas, f[col].size());
            ASSERT_LT(col, libro.anchos.size());
            EXPECT_GE(libro.anchos[col], double(mas)) << col;
            EXPECT_LE(libro.anchos[col], double(mas) + 4) << col;
        }
    }
}

// A sheet's limits are refused, not cut: the run fails and leaves the earlier file.
TEST(CliLibro, LoQueNoCabeEnLaHojaNoSeGuarda) {
    QTemporaryDir dir;
    const QString libro = dir.filePath("res.xlsx");
    const auto fallar = [&](const QByteArray& entrada, const char* motivo) {
        SCOPED_TRACE(motivo);
        EscribirArchivo(dir.filePath("e.txt"), entrada);
        EscribirArchivo(libro, "anterior");
        const Salida s = Correr({"masivo", "00", dir.filePath("e.txt"), "-o", libro});
        EXPECT_EQ(s.codigo, 1);
        EXPECT_TRUE(s.err.startsWith("No se pudo escribir \xC2\xAB" + libro.toUtf8() + "\xC2\xBB: ")) << s.err.toStdString();
        EXPECT_TRUE(s.err.contains(motivo)) << s.err.toStdString();
        EXPECT_EQ(s.err.count('\n'), 1) << s.err.toStdString();
        EXPECT_EQ(LeerArchivo(libro), "anterior");
        EXPECT_EQ(Entradas(dir.path()), (QStringList{"e.txt", "res.xlsx"}));
        // Stored as text, the same rows go whole.
        EXPECT_EQ(Correr({"masivo", "00", dir.filePath("e.txt"), "-o", dir.filePath("res.txt")}).codigo, 0);
        QFile::remove(dir.filePath("res.txt"));
    };
    fallar(QByteArray("1\n").repeated(1048576), "1048576 filas");
    // The header and 1,048,575 rows fill the sheet.
    EscribirArchivo(dir.filePath("e.txt"), QByteArray("1\n").repeated(1048575));
    const Salida s = Correr({"masivo", "00", dir.filePath("e.txt"), "-o", libro});
    EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
    EXPECT_TRUE(LeerArchivo(libro).startsWith("PK"));
    // The longest line a file may hold, repeated with its check digit by code 02, fills a cell.
    EscribirArchivo(dir.filePath("e.txt"), QByteArray(32766, '1') + "\r\n");
    ASSERT_EQ(Correr({"masivo", "02", dir.filePath("e.txt"), "-o", libro}).codigo, 0);
    const LibroLeido leido = LeerLibro(libro);
    ASSERT_TRUE(leido.error.isEmpty()) << leido.error.toStdString();
    EXPECT_EQ(leido.valores(), CeldasDeTexto(Correr({"masivo", "02", dir.filePath("e.txt")}).out));
    EXPECT_EQ(leido.filas.value(1).value(1).valor.size(), 32767);
}

// A workbook goes to a file only: a device, a FIFO or standard output under a
// name ending in .xlsx is refused before anything is written, without waiting for a reader.
TEST(CliLibro, DestinosQueNoSonArchivos) {
    QTemporaryDir dir;
    EscribirArchivo(dir.filePath("e.txt"), "0000123\r\n");
    QFile::link("/dev/null", dir.filePath("nulo.xlsx"));
    QFile::link("/dev/stdout", dir.filePath("salida.xlsx"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("tubo.xlsx")).constData(), 0600), 0);
    for (const char* nombre : {"nulo.xlsx", "salida.xlsx", "tubo.xlsx"}) {
        SCOPED_TRACE(nombre);
        const Salida s = Correr({"masivo", "00", dir.filePath("e.txt"), "-o", dir.filePath(nombre)});
        EXPECT_EQ(s.codigo, 1);
        EXPECT_EQ(s.out, "");
        EXPECT_EQ(s.err, "No se pudo crear \xC2\xAB" + dir.filePath(nombre).toUtf8() +
                             "\xC2\xBB: Un libro .xlsx solo se puede guardar en un archivo, no en un dispositivo, una "
                             "tubería ni la salida estándar\n");
    }
}

// A folder that refuses new entries: the workbook is made whole elsewhere,
// then written over the earlier file.
TEST(CliLibro, EnSitio) {
    if (!EsRoot()) GTEST_SKIP() << "running as nobody needs root";
    CarpetaComun dir;
    EscribirArchivo(dir.filePath("e.txt"), "0000123\r\n1234567890123456789\r\n");
    QFile::setPermissions(dir.filePath("e.txt"), QFileDevice::Permissions(0x7444));
    const QString cerrada = dir.filePath("cerrada");
    QDir().mkdir(cerrada);
    EscribirArchivo(cerrada + "/res.xlsx", "anterior");
    ::chmod(QFile::encodeName(cerrada + "/res.xlsx").constData(), 0666);
    ::chmod(QFile::encodeName(cerrada).constData(), 0555);
    QProcess p;
    p.setChildProcessModifier(DejarPrivilegios);
    p.start(CliAlcanzable(), {"masivo", "00", dir.filePath("e.txt"), "-o", cerrada + "/res.xlsx"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(Entradas(cerrada), QStringList{"res.xlsx"});
    const LibroLeido libro = LeerLibro(cerrada + "/res.xlsx");
    ASSERT_TRUE(libro.error.isEmpty()) << libro.error.toStdString();
    EXPECT_EQ(libro.valores(), CeldasDeTexto(Correr({"masivo", "00", dir.filePath("e.txt")}).out));
}

// A full disk, on a tmpfs of its own in a mount namespace: the workbook that
// cannot be written whole leaves nothing beside the earlier file.
TEST(CliLibro, DiscoLleno) {
    if (!EsRoot()) GTEST_SKIP() << "mounting a tmpfs needs root";
    CarpetaComun dir;
    EscribirArchivo(dir.filePath("grande.txt"), QByteArray("123456\r\n").repeated(40000));
    const char* guion =
        "mkdir \"$2/disco\"; : > \"$2/dentro\"; mount -t tmpfs -o size=128k tmpfs \"$2/disco\" || exit 99\n"
        "printf anterior > \"$2/disco/res.xlsx\"; head -c 60000 /dev/zero > \"$2/disco/relleno\"\n"
        "TMPDIR=\"$2\" \"$1\" masivo 00 \"$2/grande.txt\" -o \"$2/disco/res.xlsx\" 2>&1; echo $?; cat \"$2/disco/res.xlsx\"; echo\n"
        "ls -A \"$2/disco\"\n";
    const Salida s = Ejecutar(QStandardPaths::findExecutable("unshare"),
                              {"--mount", "--propagation", "private", "sh", "-c", guion, "sh", VAVIVIV_CLI, dir.path()});
    if (!QFileInfo::exists(dir.filePath("dentro"))) GTEST_SKIP() << "no mount namespace could be made here: " << s.err.toStdString();
    if (s.codigo == 99) GTEST_SKIP() << "no tmpfs could be mounted in the namespace: " << s.err.toStdString();
    EXPECT_EQ(s.out, "vaviviv-cli: No se pudo escribir \xC2\xAB" + dir.filePath("disco/res.xlsx").toUtf8() +
                         "\xC2\xBB: No queda espacio en el dispositivo\n1\nanterior\nrelleno\nres.xlsx\n");
}

}  // namespace
