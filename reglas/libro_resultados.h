#pragma once
// Results stored as a workbook (a name ending in .xlsx): one sheet, the
// header row bold and frozen, every cell a text cell holding exactly what the
// text results hold, the columns as wide as their longest cell.
//
// The workbook is made from the text results' own bytes, as the writer gives
// them (reglas/archivo_resultados.h): the header line, then rows whose cells
// each end in a tab. So the two stores cannot disagree about a cell, and the
// bulk calculation streams into either one alike. Rows go to the library's
// temporary files as they come (its constant-memory mode): memory stays
// bounded whatever the number of rows. A sheet holds at most kFilasLibro rows
// and a cell kCaracteresCelda characters; more is refused, not cut.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <memory>
#include <vector>

namespace vaviviv {

inline constexpr qint64 kFilasLibro = 1048576;  // the header included
inline constexpr qsizetype kCaracteresCelda = 32767;

// Whether the results stored under `ruta` are a workbook: by its extension, in any case.
bool EsNombreDeLibro(const QByteArray& ruta);
bool EsNombreDeLibro(const QString& ruta);

// Whether this build can write workbooks.
bool LibrosDisponibles();

QString TextoSinLibros();        // this build cannot write a workbook
QString TextoLibroSinArchivo();  // a workbook asked of a device, a FIFO or a descriptor

class LibroResultados final : public QIODevice {
public:
    // `archivo`: a name the workbook is written to when closed.
    explicit LibroResultados(const QByteArray& archivo);
    ~LibroResultados() override;

    // Writes the workbook; false (errorString(), numero()) if it could not.
    bool terminar();
    int numero() const { return numero_; }  // errno of the failed step; 0 if it left none

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* datos, qint64 n) override;

private:
    bool fallar(const QString& texto, int numero = 0);
    bool separar(bool final);
    bool fila(QByteArrayView linea, bool cabecera);
    bool celda(int columna, QByteArrayView bytes);

    struct Libro;
    std::unique_ptr<Libro> libro_;
    QByteArray pendiente_;  // the bytes of a line not ended yet
    qint64 fila_ = 0;
    std::vector<qsizetype> anchos_;  // characters of each column's longest cell
    int numero_ = 0;
    bool fallido_ = false;
};

}  // namespace vaviviv
