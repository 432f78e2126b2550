#pragma once
// The windows are drawn in twips (1/1440 inch): 15 twips make a pixel at
// 96 dpi. This places their controls in pixels for the screen at hand.

#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace vaviviv {

struct Twips {
    int izquierda, arriba, ancho, alto;
};

// Pixels per twip on the screen of `ventana` (its logical dpi / 1440).
double PixelesPorTwip(const QWidget& ventana);

QRect EnPixeles(const Twips& caja, double escala);

class Disposicion {
public:
    // `otrosTextos`: texts the control shows at other times (a label whose
    // text changes), which must fit as well as the present one.
    void colocar(QWidget* control, Twips caja, QStringList otrosTextos = {});

    // Pixels per twip: `pixelesPorTwip`, enlarged as little as needed for every
    // text to fit whole in its box with the controls' own font. The drawing
    // keeps its proportions; only the whole window grows.
    double escala(double pixelesPorTwip) const;

    void aplicar(double escala) const;

private:
    struct Elemento {
        QPointer<QWidget> control;
        Twips caja;
        QStringList otrosTextos;
    };
    static bool cabe(const Elemento& elemento, QSize caja);

    std::vector<Elemento> elementos_;
};

}  // namespace vaviviv
