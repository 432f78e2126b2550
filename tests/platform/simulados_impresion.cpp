#include "simulados_impresion.h"

#include <QPrinter>

namespace vaviviv {

std::optional<ErrorImpresion> ImpresoraSimulada::imprimir(const QImage& imagen) {
    imagenes_.push_back(imagen);
    if (!errores_.empty()) {
        const ErrorImpresion error = errores_.front();
        errores_.pop_front();
        return error;
    }
    const std::optional<ErrorImpresion> error = pdf_.imprimir(imagen);
    impresas_ += error ? 0 : 1;
    return error;
}

void PresentacionPdf::presentar(QPrinter& impresora, const std::function<void(QPrinter&)>& pintar) {
    ++veces_;
    if (alPresentar) alPresentar();
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(ruta_);
    pintar(impresora);
}

}  // namespace vaviviv
