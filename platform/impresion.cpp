#include "platform/impresion.h"

#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <cmath>

namespace vaviviv {

namespace {

constexpr double kMetrosPorPulgada = 0.0254;
constexpr double kPuntosPorPulgadaPantalla = 96.0;  // for a picture that does not say

ImpresoraPredeterminada predeterminada;
Impresora* actual = &predeterminada;

QString Destino(const QPrinter& impresora) {
    return impresora.outputFormat() == QPrinter::PdfFormat
               ? QString::fromUtf8("el archivo «%1»").arg(QDir::toNativeSeparators(impresora.outputFileName()))
               : QString::fromUtf8("la impresora «%1»").arg(impresora.printerName());
}

bool EnError(QPrinter::PrinterState estado) { return estado == QPrinter::Error || estado == QPrinter::Aborted; }

}  // namespace

Impresora* InstalarImpresora(Impresora* impresora) {
    Impresora* anterior = actual;
    actual = impresora ? impresora : &predeterminada;
    return anterior == &predeterminada ? nullptr : anterior;
}

QImage ImagenDeVentana(QWidget& ventana) {
    const QPixmap captura = ventana.grab();
    QImage imagen = captura.toImage();
    if (imagen.isNull()) return imagen;
    const double puntosPorPulgada = ventana.logicalDpiX() * captura.devicePixelRatio();
    const int puntosPorMetro = int(std::lround(puntosPorPulgada / kMetrosPorPulgada));
    imagen.setDotsPerMeterX(puntosPorMetro);
    imagen.setDotsPerMeterY(puntosPorMetro);
    return imagen;
}

static const ErrorImpresion kSinImagen{kErrorSinImagen, QStringLiteral("No se pudo obtener la imagen de la ventana.")};

std::optional<ErrorImpresion> ImprimirVentana(QWidget& ventana) {
    const QImage imagen = ImagenDeVentana(ventana);
    if (imagen.isNull())
        return kSinImagen;
    return actual->imprimir(imagen);
}

std::optional<ErrorImpresion> ImprimirImagen(QPrinter& impresora, const QImage& imagen) {
    if (imagen.isNull())
        return kSinImagen;
    QPainter pintor;
    if (!pintor.begin(&impresora)) return ErrorDelTrabajo(impresora, false);

    const double ppmX = imagen.dotsPerMeterX() > 0 ? imagen.dotsPerMeterX()
                                                    : kPuntosPorPulgadaPantalla / kMetrosPorPulgada;
    const double ppmY = imagen.dotsPerMeterY() > 0 ? imagen.dotsPerMeterY() : ppmX;
    const double resolucion = impresora.resolution();
    QSizeF tamano(imagen.width() / (ppmX * kMetrosPorPulgada) * resolucion,
                  imagen.height() / (ppmY * kMetrosPorPulgada) * resolucion);
    const QSizeF area = impresora.pageRect(QPrinter::DevicePixel).size();
    if (tamano.width() > area.width() || tamano.height() > area.height())
        tamano.scale(area, Qt::KeepAspectRatio);

    pintor.setRenderHint(QPainter::SmoothPixmapTransform);
    pintor.drawImage(QRectF(QPointF(0, 0), tamano), imagen);
    return ErrorDelTrabajo(impresora, true, pintor.end());
}

std::optional<ErrorImpresion> ErrorDelTrabajo(const QPrinter& impresora, bool empezado, bool terminado) {
    if (!empezado)
        return ErrorImpresion{kErrorImpresoraNoAbre,
                              QString::fromUtf8("No se pudo empezar a imprimir en %1.").arg(Destino(impresora))};
    if (!terminado || EnError(impresora.printerState()))
        return ErrorImpresion{kErrorAlImprimir, QString::fromUtf8("Falló la impresión en %1.").arg(Destino(impresora))};
    return std::nullopt;
}

std::optional<ErrorImpresion> UsarImpresoraPredeterminada(QPrinter& impresora) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return ErrorImpresion{kErrorSinImpresora,
                              QString::fromUtf8("No hay ninguna impresora predeterminada en el sistema.")};
    if (EnError(info.state()))
        return ErrorImpresion{kErrorImpresoraDetenida,
                              QString::fromUtf8("La impresora «%1» está detenida o tiene un error.").arg(info.printerName())};
    impresora.setOutputFormat(QPrinter::NativeFormat);
    impresora.setPrinterName(info.printerName());
    return std::nullopt;
}

std::optional<ErrorImpresion> ImpresoraPredeterminada::imprimir(const QImage& imagen) {
    QPrinter impresora(QPrinter::HighResolution);
    if (const std::optional<ErrorImpresion> error = UsarImpresoraPredeterminada(impresora)) return error;
    impresora.setDocName(QStringLiteral("VaviviV"));
    return ImprimirImagen(impresora, imagen);
}

std::optional<ErrorImpresion> ImpresoraPdf::imprimir(const QImage& imagen) {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(ruta_);
    impresora.setDocName(QStringLiteral("VaviviV"));
    return ImprimirImagen(impresora, imagen);
}

}  // namespace vaviviv
