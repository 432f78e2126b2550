#pragma once
// A scripted stand-in for the modal boxes: it records every box and answers
// it at once, so that a GUI test never blocks on one.

#include "platform/dialogos.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace vaviviv {

class DialogosSimulados final : public Dialogos {
public:
    // Installs itself for its lifetime.
    DialogosSimulados();
    ~DialogosSimulados() override;
    DialogosSimulados(const DialogosSimulados&) = delete;
    DialogosSimulados& operator=(const DialogosSimulados&) = delete;

    // The answer to the next message box; unscripted boxes get OK, No or
    // Cancel, whichever they offer (the answer that changes nothing).
    void responderCon(Respuesta respuesta) { respuestas_.push_back(respuesta); }
    // The answer to the next input box; nullopt cancels it.
    void responderTexto(std::optional<QString> texto) { textos_.push_back(std::move(texto)); }
    // Runs while each box is "open", to look at the window behind it.
    std::function<void(const Caja&)> alMostrar;

    const std::vector<Caja>& cajas() const { return cajas_; }
    const std::vector<PeticionTexto>& peticiones() const { return peticiones_; }
    QStringList textos() const;
    void olvidar();

    Respuesta mostrar(const Caja& caja) override;
    std::optional<QString> pedir(const PeticionTexto& peticion) override;

private:
    Dialogos* anteriores_;
    std::vector<Caja> cajas_;
    std::vector<PeticionTexto> peticiones_;
    std::deque<Respuesta> respuestas_;
    std::deque<std::optional<QString>> textos_;
};

}  // namespace vaviviv
