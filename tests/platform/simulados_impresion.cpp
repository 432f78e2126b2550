#include "simulados_impresion.h"

#include <QPrinter>

namespace vaviviv {

AyudaSimulada::AyudaSimulada() : anterior_(InstalarAyuda(this)) {}
AyudaSimulada::~AyudaSimulada() { InstalarAyuda(anterior_); }

ImpresoraSimulada::ImpresoraSimulada(QString rutaPdf)
    : anterior_(InstalarImpresora(this)), pdf_(std::move(rutaPdf)) {}
ImpresoraSimulada::~ImpresoraSimulada() { InstalarImpresora(anterior_); }

std::optional<ErrorImpresion> ImpresoraSimulada::imprimir(const QImage& imagen) {
    imagenes_.push_back(imagen);
    if (!errores_.empty()) {
        ErrorImpresion error = errores_.front();
        errores_.pop_front();
        return error;
    }
    std::optional<ErrorImpresion> error = pdf_.imprimir(imagen);
    if (!error) ++impresas_;
    return error;
}

PresentacionPdf::PresentacionPdf(QString ruta) : anterior_(InstalarPresentacion(this)), ruta_(std::move(ruta)) {}
PresentacionPdf::~PresentacionPdf() { InstalarPresentacion(anterior_); }

void PresentacionPdf::presentar(QPrinter& impresora, const std::function<void(QPrinter&)>& pintar) {
    ++veces_;
    apaisada_ = impresora.pageLayout().orientation() == QPageLayout::Landscape;
    copias_ = impresora.copyCount();
    if (alPresentar) alPresentar();
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(ruta_);
    pintar(impresora);
}

}  // namespace vaviviv
