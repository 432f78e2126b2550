#pragma once
// Qt's own boxes behind the dialogs interface.

#include "platform/dialogos.h"

#include <memory>

class QInputDialog;
class QMessageBox;
class QWidget;

namespace vaviviv {

class DialogosQt final : public Dialogos {
public:
    Respuesta mostrar(const Caja& caja) override;
    std::optional<QString> pedir(const PeticionTexto& peticion) override;
};

// The boxes DialogosQt runs, built but not shown (tests look at their buttons).
std::unique_ptr<QMessageBox> CrearCajaMensaje(const Caja& caja, QWidget* padre);
std::unique_ptr<QInputDialog> CrearCajaEntrada(const PeticionTexto& peticion, QWidget* padre);

}  // namespace vaviviv
