#pragma once
// A list box that a screen reader names by its purpose. On X11 Qt names a list
// box by its selected entry, so a reader would hear "Algoritmo Vorantis 06"
// and nothing of what is being chosen: this one keeps its accessible name
// (set it with setAccessibleName) and gives the entry as its value.

#include <QComboBox>

namespace vaviviv {

class ListaConNombre final : public QComboBox {
    Q_OBJECT

public:
    explicit ListaConNombre(QWidget* contenedor = nullptr);

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void SeguirEntrada();
};

}  // namespace vaviviv
