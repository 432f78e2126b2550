#pragma once
// The report component: a printed table with titles, a logo and summary
// lines, laid out in pages. A new component is made for each report and fed
// by a fixed sequence of calls, ending in Producir, which shows the pages in
// a print preview from which the user prints them or not, or in
// ProducirEnImpresora, which prints them at once.
//
// Grids come as item models: the horizontal header is the grid's title row,
// the model's rows its data rows. They must outlive Producir.

#include "platform/impresion.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QAbstractItemModel;
class QPrinter;

namespace vaviviv {

class Informe {
public:
    virtual ~Informe() = default;

    // Starts afresh: forgets everything set before.
    virtual void Iniciar() = 0;
    virtual void Titulo1(const QString& texto) = 0;
    virtual void Titulo2(const QString& texto) = 0;
    // The rows of the table.
    virtual void Datos(const QAbstractItemModel& modelo) = 0;
    // Point size of the table, up to 72; 0 or less keeps the standard 8.
    virtual void TamanoLetra(int puntos) = 0;
    // The summary lines under the titles: one per row of the grid, title row
    // first, its non-empty cells side by side; empty rows print nothing.
    virtual void Resumen(const QAbstractItemModel& modelo) = 0;
    // 0 portrait, 1 landscape.
    virtual void Orientacion(int orientacion) = 0;
    // Rows on each page at most; 0 as many as fit.
    virtual void RenglonesPorPagina(int renglones) = 0;
    // Copies printed, up to 99; 0 or 1 one copy.
    virtual void Copias(int copias) = 0;
    // A picture `x`, `y` twips from the top left of the first page; a file
    // that is missing or no picture leaves the report without it.
    virtual void Logotipo(int x, int y, const QString& ruta) = 0;
    // Column `indice` of the rows is printed under `titulo`, in the order of
    // these calls. `ancho` widens it: 0 keeps the width its texts need, each
    // unit adds that width once more. `texto` stands in its empty cells.
    // `numero` aligns it: 0 left, 1 centre, 2 right.
    virtual void DefinirColumna(int indice, const QString& titulo, int ancho, const QString& texto, int numero) = 0;
    // Lays the report out and presents it (see InstalarPresentacion).
    virtual void Producir() = 0;
    // Lays the report out and prints it, no preview; an error is offered for
    // retry until it prints or the user cancels.
    virtual void ProducirEnImpresora() = 0;
};

// A new report component, of the kind installed (InformeImpreso unless a
// test installed another).
std::unique_ptr<Informe> CrearInforme();
using FabricaInformes = std::function<std::unique_ptr<Informe>()>;
// An empty factory restores InformeImpreso. Returns the one in place.
FabricaInformes InstalarFabricaInformes(FabricaInformes fabrica);

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

class InformeImpreso final : public Informe {
public:
    void Iniciar() override;
    void Titulo1(const QString& texto) override { titulo1_ = texto; }
    void Titulo2(const QString& texto) override { titulo2_ = texto; }
    void Datos(const QAbstractItemModel& modelo) override;
    void TamanoLetra(int puntos) override { puntos_ = puntos; }
    void Resumen(const QAbstractItemModel& modelo) override;
    void Orientacion(int orientacion) override { orientacion_ = orientacion; }
    void RenglonesPorPagina(int renglones) override { renglonesPorPagina_ = renglones; }
    void Copias(int copias) override { copias_ = copias; }
    void Logotipo(int x, int y, const QString& ruta) override;
    void DefinirColumna(int indice, const QString& titulo, int ancho, const QString& texto, int numero) override;
    void Producir() override;
    void ProducirEnImpresora() override;

    // Orientation, margins, copies and document name on `impresora`.
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

    QString titulo1_, titulo2_;
    QPointer<const QAbstractItemModel> datos_;
    QPointer<const QAbstractItemModel> resumen_;
    int puntos_ = 0;
    int orientacion_ = 0;
    int renglonesPorPagina_ = 0;
    int copias_ = 0;
    int logoX_ = 0, logoY_ = 0;
    QString logo_;
    std::vector<Columna> columnas_;
};

}  // namespace vaviviv
