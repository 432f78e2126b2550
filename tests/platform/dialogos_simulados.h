#pragma once
// A scripted stand-in for the modal boxes: it records every box and answers it at once,
// so that a GUI test or a screenshot never blocks on one.

#include "platform/dialogos.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace vaviviv {

class DialogosSimulados final : public Dialogos {
public:
    DialogosSimulados() : anteriores_(InstalarDialogos(this)) {}  // installed for its lifetime
    ~DialogosSimulados() override { InstalarDialogos(anteriores_); }

    // The answer to the next message box; unscripted boxes get OK, No or Cancel,
    // whichever they offer (the answer that changes nothing).
    void responderCon(Respuesta respuesta) { respuestas_.push_back(respuesta); }
    // The answer to the next input box; none scripted cancels it.
    void responderTexto(const QString& texto) { textos_.push_back(texto); }
    // Runs while each box is "open", to look at or change the world behind it.
    std::function<void(const Caja&)> alMostrar;

    const std::vector<Caja>& cajas() const { return cajas_; }
    const std::vector<PeticionTexto>& peticiones() const { return peticiones_; }
    QStringList textos() const {
        QStringList lista;
        for (const Caja& caja : cajas_) lista << caja.texto;
        return lista;
    }
    void olvidar() { cajas_.clear(), peticiones_.clear(); }

    Respuesta mostrar(const Caja& caja) override {
        cajas_.push_back(caja);
        if (alMostrar) alMostrar(caja);
        const bool siNo = caja.botones == Botones::SiNo, reintentar = caja.botones == Botones::ReintentarCancelar;
        if (respuestas_.empty()) return siNo ? Respuesta::No : reintentar ? Respuesta::Cancelar : Respuesta::Aceptar;
        return Tomar(respuestas_);
    }
    std::optional<QString> pedir(const PeticionTexto& peticion) override {
        peticiones_.push_back(peticion);
        return textos_.empty() ? std::nullopt : std::optional(Tomar(textos_));
    }

private:
    template <typename T> static T Tomar(std::deque<T>& cola) { T primero = cola.front(); cola.pop_front(); return primero; }

    Dialogos* anteriores_;
    std::vector<Caja> cajas_;
    std::vector<PeticionTexto> peticiones_;
    std::deque<Respuesta> respuestas_;
    std::deque<QString> textos_;
};

}  // namespace vaviviv
