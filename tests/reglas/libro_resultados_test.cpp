// A workbook made from the text results' bytes, however the writer cuts them,
// read back by an independent reader; what a sheet cannot hold refused with
// nothing left behind.

#include "reglas/libro_resultados.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "reglas/destino_resultados.h"
#include "tests/libro_leido.h"

using namespace vaviviv;
using namespace vaviviv::prueba;

namespace {

QStringList Entradas(const QString& dir) { return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }

// `bytes` through a destination called `ruta`, `trozo` bytes a write (0: all at once).
bool Guardar(const QString& ruta, const QByteArray& bytes, qsizetype trozo, QString* error = nullptr) {
    DestinoResultados destino(ruta);
    if (!destino.abrir()) return false;
    for (qsizetype i = 0; i < bytes.size(); i += trozo ? trozo : bytes.size())
        if (destino.dispositivo().write(bytes.mid(i, trozo ? trozo : bytes.size())) < 0) {
            if (error) *error = destino.dispositivo().errorString();
            return false;
        }
    const bool hecho = destino.confirmar();
    if (error) *error = destino.error();
    return hecho;
}

TEST(LibroResultados, NombresDeLibro) {
    const std::pair<const char*, bool> casos[] = {
        {"r.xlsx", true}, {"R.XLSX", true}, {"/a/b.XlSx", true}, {".xlsx", true},
        {"r.xls", false}, {"r.xlsx.txt", false}, {"rxlsx", false}, {"r.txt", false}, {"", false},
    };
    for (const auto& [nombre, libro] : casos) {
        EXPECT_EQ(EsNombreDeLibro(QByteArray(nombre)), libro) << nombre;
        EXPECT_EQ(EsNombreDeLibro(QString::fromUtf8(nombre)), libro) << nombre;
    }
}

// Whatever the writes' size, the rows are the text's rows: a row ends only at
// its last cell's tab and the line end, so a line end inside a cell stays in it.
TEST(LibroResultados, LasFilasNoDependenDeLasEscrituras) {
    const std::pair<const char*, QByteArray> casos[] = {
        {"celdas", "Referencia\tReferencia Completa\tD\xEDgito Verif\r\n0000123\t00001230\t0\t\r\n1234567890123456789\t12345678901234567894\t4\t\r\n"},
        {"vacías", "A\tB\tC\r\n\t\t\t\r\nx\t\t\t\r\n"},
        {"fin de línea dentro", "A\tB\r\na\nb\tc\r\nd\t\r\n"},
        {"sin el último fin de línea", "A\tB\r\nx\ty\t"},
        {"solo la cabecera", "Referencia\tD\xEDgito Verif\r\n"},
    };
    for (const auto& [nombre, bytes] : casos) {
        SCOPED_TRACE(nombre);
        QList<QStringList> esperadas = CeldasDeTexto(bytes);
        if (nombre == std::string_view("fin de línea dentro"))
            esperadas = {{"A", "B"}, {"a\nb", "c\r\nd"}};
        for (const qsizetype trozo : {qsizetype(0), qsizetype(1)}) {
            SCOPED_TRACE(trozo);
            QTemporaryDir dir;
            ASSERT_TRUE(Guardar(dir.filePath("r.xlsx"), bytes, trozo));
            const LibroLeido libro = LeerLibro(dir.filePath("r.xlsx"));
            ASSERT_TRUE(libro.error.isEmpty()) << libro.error.toStdString();
            EXPECT_EQ(libro.valores(), esperadas);
            EXPECT_EQ(Entradas(dir.path()), QStringList{"r.xlsx"});
        }
    }
}

// A cell longer than a sheet's cell takes fails the store: the earlier file
// stays, and no temporary or partial workbook is left beside it.
TEST(LibroResultados, CeldaQueNoCabe) {
    for (const qsizetype largo : {kCaracteresCelda, kCaracteresCelda + 1}) {
        SCOPED_TRACE(largo);
        QTemporaryDir dir;
        QFile anterior(dir.filePath("r.xlsx"));
        ASSERT_TRUE(anterior.open(QIODevice::WriteOnly) && anterior.write("anterior") == 8);
        anterior.close();
        // One byte a character: é in the code page.
        const QByteArray bytes = "A\tB\r\nx\t" + QByteArray(largo - 1, '1') + "\xE9\t\r\n";
        QString error;
        const bool hecho = Guardar(dir.filePath("r.xlsx"), bytes, 4096, &error);
        EXPECT_EQ(hecho, largo <= kCaracteresCelda) << error.toStdString();
        EXPECT_EQ(Entradas(dir.path()), QStringList{"r.xlsx"});
        if (hecho) {
            const LibroLeido libro = LeerLibro(dir.filePath("r.xlsx"));
            EXPECT_EQ(libro.valores().value(1).value(1).size(), largo);
            EXPECT_TRUE(libro.valores().value(1).value(1).endsWith(u'é'));
            continue;
        }
        EXPECT_TRUE(error.startsWith("La fila 2 tiene una celda de más de 32767 caracteres")) << error.toStdString();
        ASSERT_TRUE(anterior.open(QIODevice::ReadOnly));
        EXPECT_EQ(anterior.readAll(), "anterior");
    }
}

}  // namespace
