#pragma once
// Stand-ins for the help viewer, the printer and the report preview, in the
// manner of DialogosSimulados: each installs itself for its lifetime,
// records what it is asked and opens no window.

#include "platform/ayuda.h"
#include "platform/impresion.h"
#include "platform/informe.h"

#include <QImage>
#include <deque>
#include <vector>

namespace vaviviv {

class AyudaSimulada final : public Ayuda {
public:
    AyudaSimulada() : anterior_(InstalarAyuda(this)) {}
    ~AyudaSimulada() override { InstalarAyuda(anterior_); }
    const std::vector<PeticionAyuda>& peticiones() const { return peticiones_; }
    void mostrar(const PeticionAyuda& peticion) override { peticiones_.push_back(peticion); }

private:
    Ayuda* anterior_;
    std::vector<PeticionAyuda> peticiones_;
};

// Fails with each scripted error in turn, then prints into a PDF file.
class ImpresoraSimulada final : public Impresora {
public:
    explicit ImpresoraSimulada(QString rutaPdf) : anterior_(InstalarImpresora(this)), pdf_(std::move(rutaPdf)) {}
    ~ImpresoraSimulada() override { InstalarImpresora(anterior_); }
    void fallarCon(ErrorImpresion error) { errores_.push_back(std::move(error)); }
    // Every image it was asked to print, failed attempts included.
    const std::vector<QImage>& imagenes() const { return imagenes_; }
    int impresas() const { return impresas_; }
    std::optional<ErrorImpresion> imprimir(const QImage& imagen) override;

private:
    Impresora* anterior_;
    ImpresoraPdf pdf_;
    std::deque<ErrorImpresion> errores_;
    std::vector<QImage> imagenes_;
    int impresas_ = 0;
};

// Writes the produced report into a PDF file instead of previewing it.
class PresentacionPdf final : public PresentacionInforme {
public:
    explicit PresentacionPdf(QString ruta) : anterior_(InstalarPresentacion(this)), ruta_(std::move(ruta)) {}
    ~PresentacionPdf() override { InstalarPresentacion(anterior_); }
    int veces() const { return veces_; }
    std::function<void()> alPresentar;  // runs while the report is "on show"
    void presentar(QPrinter& impresora, const std::function<void(QPrinter&)>& pintar) override;

private:
    PresentacionInforme* anterior_;
    QString ruta_;
    int veces_ = 0;
};

}  // namespace vaviviv
