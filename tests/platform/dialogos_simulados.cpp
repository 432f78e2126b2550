#include "dialogos_simulados.h"

#include <QtGlobal>

namespace vaviviv {

namespace {

bool Ofrece(Botones botones, Respuesta respuesta) {
    switch (botones) {
        case Botones::Aceptar: return respuesta == Respuesta::Aceptar;
        case Botones::SiNo: return respuesta == Respuesta::Si || respuesta == Respuesta::No;
        case Botones::ReintentarCancelar:
            return respuesta == Respuesta::Reintentar || respuesta == Respuesta::Cancelar;
    }
    return false;
}

Respuesta SinCambios(Botones botones) {
    switch (botones) {
        case Botones::SiNo: return Respuesta::No;
        case Botones::ReintentarCancelar: return Respuesta::Cancelar;
        case Botones::Aceptar: break;
    }
    return Respuesta::Aceptar;
}

}  // namespace

DialogosSimulados::DialogosSimulados() : anteriores_(InstalarDialogos(this)) {}

DialogosSimulados::~DialogosSimulados() { InstalarDialogos(anteriores_); }

QStringList DialogosSimulados::textos() const {
    QStringList lista;
    for (const Caja& caja : cajas_) lista << caja.texto;
    return lista;
}

void DialogosSimulados::olvidar() {
    cajas_.clear();
    peticiones_.clear();
}

Respuesta DialogosSimulados::mostrar(const Caja& caja) {
    cajas_.push_back(caja);
    if (alMostrar) alMostrar(caja);
    if (respuestas_.empty()) return SinCambios(caja.botones);
    const Respuesta respuesta = respuestas_.front();
    respuestas_.pop_front();
    // A scripted answer the box does not offer is a mistake in the test.
    if (!Ofrece(caja.botones, respuesta))
        qFatal("Respuesta preparada que la caja \"%s\" no ofrece", qPrintable(caja.texto));
    return respuesta;
}

std::optional<QString> DialogosSimulados::pedir(const PeticionTexto& peticion) {
    peticiones_.push_back(peticion);
    if (textos_.empty()) return std::nullopt;
    const std::optional<QString> texto = textos_.front();
    textos_.pop_front();
    return texto;
}

}  // namespace vaviviv
