#pragma once
// Printing an image of a window. It goes to a replaceable printer: the
// default printer of the system, or in tests a PDF file.

#include <QImage>
#include <QString>
#include <optional>

class QPrinter;
class QWidget;

namespace vaviviv {

// What went wrong, for the "Error : " box: a number of this tool's own and
// the description the user reads.
struct ErrorImpresion {
    int numero;
    QString descripcion;
};

inline constexpr int kErrorSinImpresora = 1;        // the system has no default printer
inline constexpr int kErrorImpresoraDetenida = 2;   // it exists but is stopped or in error
inline constexpr int kErrorImpresoraNoAbre = 3;     // it would not start the job
inline constexpr int kErrorAlImprimir = 4;          // the job failed on the way
inline constexpr int kErrorSinImagen = 5;           // the window gave no picture

class Impresora {
public:
    virtual ~Impresora() = default;
    // Prints `imagen` on one page, at the size its dots per metre give it.
    // nullopt when the page went to the printer.
    virtual std::optional<ErrorImpresion> imprimir(const QImage& imagen) = 0;
};

// From now on pages go to `impresora`; nullptr restores the default printer.
// Returns the one that was in place. The caller keeps ownership.
Impresora* InstalarImpresora(Impresora* impresora);

// An image of `ventana` as it is shown (menu bar and contents, not the
// frame), printed by the installed printer.
std::optional<ErrorImpresion> ImprimirVentana(QWidget& ventana);

// The picture ImprimirVentana prints: its dots per metre are the screen's,
// so that it comes out at the size it has on screen.
QImage ImagenDeVentana(QWidget& ventana);

// Paints `imagen` on the page of a printer that is ready (default or PDF):
// at its own size from the top left of the printable area, reduced to fit
// when it is larger.
std::optional<ErrorImpresion> ImprimirImagen(QPrinter& impresora, const QImage& imagen);

// Aims `impresora` at the system's default printer; the error when there is
// none, or it is stopped.
std::optional<ErrorImpresion> UsarImpresoraPredeterminada(QPrinter& impresora);

// What became of a job on `impresora`: it would not start (`empezado`
// false), or it failed on the way; nullopt when it reached the printer.
std::optional<ErrorImpresion> ErrorDelTrabajo(const QPrinter& impresora, bool empezado, bool terminado = true);

// The system's default printer, as the tool prints when nothing else is installed.
class ImpresoraPredeterminada final : public Impresora {
public:
    std::optional<ErrorImpresion> imprimir(const QImage& imagen) override;
};

// Writes each page to a PDF file instead (the last one printed stays).
class ImpresoraPdf final : public Impresora {
public:
    explicit ImpresoraPdf(QString ruta) : ruta_(std::move(ruta)) {}
    std::optional<ErrorImpresion> imprimir(const QImage& imagen) override;
    const QString& ruta() const { return ruta_; }

private:
    QString ruta_;
};

}  // namespace vaviviv
