#pragma once
// The report component: a printed table with titles, a logo and summary
// lines, laid out in pages. One is made for each report and fed its parts,
// then Producir shows the pages in a print preview from which the user prints
// them or not, or ProducirEnImpresora prints them at once.
//
// Grids come as item models: the horizontal header is the grid's title row,
// the model's rows its data rows. They must outlive Producir.

#include "platform/impresion.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QAbstractItemModel;
class QPainter;
class QPrinter;

namespace vaviviv {

// Where a produced report goes: a print preview or the printer, or in tests a
// PDF file.
class PresentacionInforme {
public:
    virtual ~PresentacionInforme() = default;
    // `impresora` comes set up for the report; `pintar` draws every page on
    // the printer it is given, as often as asked.
    virtual void presentar(QPrinter& impresora, const std::function<void(QPrinter&)>& pintar) = 0;
    // Prints at once, on the system's default printer unless overridden.
    // `pintar` draws every page and returns how many, 0 when the printer
    // would not start. nullopt when the pages reached the printer.
    virtual std::optional<ErrorImpresion> imprimir(QPrinter& impresora, const std::function<int(QPrinter&)>& pintar);
};

// nullptr restores the print preview. Returns the one that was in place.
// The caller keeps ownership.
PresentacionInforme* InstalarPresentacion(PresentacionInforme* presentacion);

class InformeImpreso final {
public:
    void Titulo1(const QString& texto) { titulo1_ = texto; }
    void Titulo2(const QString& texto) { titulo2_ = texto; }
    // The rows of the table.
    void Datos(const QAbstractItemModel& modelo);
    // Point size of the table, up to 72; 0 or less keeps the standard 8.
    void TamanoLetra(int puntos) { puntos_ = puntos; }
    // The summary lines under the titles: one per row of the grid, title row
    // first, its non-empty cells side by side; empty rows print nothing.
    void Resumen(const QAbstractItemModel& modelo);
    // A picture `x`, `y` twips from the top left of the first page; a file
    // that is missing or no picture leaves the report without it.
    void Logotipo(int x, int y, const QString& ruta);
    // Column `indice` of the rows is printed under `titulo`, in the order of
    // these calls. `ancho` widens it: 0 keeps the width its texts need, each
    // unit adds that width once more. `texto` stands in its empty cells.
    // `numero` aligns it: 0 left, 1 centre, 2 right.
    void DefinirColumna(int indice, const QString& titulo, int ancho, const QString& texto, int numero);
    // Lays the report out and presents it (see InstalarPresentacion).
    void Producir();
    // Lays the report out and prints it, no preview; an error is offered for
    // retry until it prints or the user cancels.
    void ProducirEnImpresora();

    // Margins and document name on `impresora`.
    void Preparar(QPrinter& impresora) const;
    // Draws every page on `impresora`; the number of pages, 0 when the
    // printer would not start.
    int Imprimir(QPrinter& impresora) const;

    // The summary lines as they are printed.
    QStringList LineasResumen() const;

private:
    struct Columna {
        int indice;
        QString titulo;
        int ancho;
        QString texto;
        int alineacion;
    };
    struct Disposicion;

    // Everything the pages need, measured on `impresora`.
    Disposicion Medir(QPrinter& impresora) const;
    void PintarPagina(QPainter& p, const Disposicion& d, int pagina) const;

    QString titulo1_, titulo2_;
    QPointer<const QAbstractItemModel> datos_;
    QPointer<const QAbstractItemModel> resumen_;
    int puntos_ = 0;
    int logoX_ = 0, logoY_ = 0;
    QString logo_;
    std::vector<Columna> columnas_;
};

// The layout's arithmetic, in device pixels.

// The columns' widths: each one what its texts need (`natural`) plus
// `margen` on either side, capped at a share of the page (one long text must
// not squeeze the rest) and at least a point (`punto`) besides the margins,
// times 1 + its factor (negative counts as 0); then all spread in proportion
// to fill `pagina`.
std::vector<double> AnchosColumnas(const std::vector<double>& natural, const std::vector<int>& factores,
                                   double pagina, double margen, double punto);

// The pages: the first row of each, then one past the last row. Rows go on a
// page in order while their heights (`altos`) fit its room (`primera` on the
// first page, `siguientes` on the others); a page holds at least one row,
// and a report without rows is one page.
std::vector<int> Paginar(const std::vector<double>& altos, double primera, double siguientes);

}  // namespace vaviviv
