#include "platform/disposicion.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <climits>
#include <cmath>

namespace vaviviv {

namespace {

constexpr double kTwipsPorPulgada = 1440.0;
// The largest enlargement tried; past it the window would not fit a screen.
constexpr double kAumentoMaximo = 3.0;
constexpr double kPasoAumento = 0.025;

bool TextoCabe(const QLabel& etiqueta, const QString& texto, QSize caja) {
    if (texto.isEmpty()) return true;
    const QFontMetrics fm = etiqueta.fontMetrics();
    const int borde = 2 * (etiqueta.margin() + etiqueta.frameWidth());
    const int ancho = caja.width() - borde;
    const int alto = caja.height() - borde;
    if (etiqueta.wordWrap()) {
        const QRect ocupado =
            fm.boundingRect(QRect(0, 0, ancho, INT_MAX), Qt::TextWordWrap, texto);
        return ocupado.width() <= ancho && ocupado.height() <= alto;
    }
    return fm.horizontalAdvance(texto) <= ancho && fm.height() <= alto;
}

}  // namespace

double PixelesPorTwip(const QWidget& ventana) {
    return ventana.logicalDpiX() / kTwipsPorPulgada;
}

QRect EnPixeles(const Twips& caja, double escala) {
    const auto px = [escala](int twips) { return int(std::lround(twips * escala)); };
    return QRect(px(caja.izquierda), px(caja.arriba), px(caja.ancho), px(caja.alto));
}

void Disposicion::colocar(QWidget* control, Twips caja, QStringList otrosTextos) {
    elementos_.push_back({control, caja, std::move(otrosTextos)});
}

bool Disposicion::cabe(const Elemento& elemento, QSize caja) {
    const QWidget* control = elemento.control;
    if (!control) return true;
    if (const auto* etiqueta = qobject_cast<const QLabel*>(control)) {
        if (!TextoCabe(*etiqueta, etiqueta->text(), caja)) return false;
        for (const QString& texto : elemento.otrosTextos)
            if (!TextoCabe(*etiqueta, texto, caja)) return false;
        return true;
    }
    if (const auto* marco = qobject_cast<const QGroupBox*>(control)) {
        const QFontMetrics fm = marco->fontMetrics();
        // The caption sits inside the frame's border with some indent.
        return fm.horizontalAdvance(marco->title()) + 4 * fm.height() <= caja.width();
    }
    if (const auto* boton = qobject_cast<const QAbstractButton*>(control)) {
        // Picture buttons scale their picture; a caption must fit.
        if (boton->text().isEmpty()) return true;
        const QFontMetrics fm = boton->fontMetrics();
        return fm.horizontalAdvance(boton->text()) + 4 <= caja.width() &&
               fm.height() + 4 <= caja.height();
    }
    // Text boxes, lists, the calendar: what they need to show one line of text
    // (or one month) whole.
    const QSize necesario = control->minimumSizeHint();
    return necesario.width() <= caja.width() && necesario.height() <= caja.height();
}

double Disposicion::escala(double pixelesPorTwip) const {
    for (double aumento = 1.0; aumento < kAumentoMaximo; aumento += kPasoAumento) {
        const double prueba = pixelesPorTwip * aumento;
        bool todo = true;
        for (const Elemento& elemento : elementos_) {
            if (!cabe(elemento, EnPixeles(elemento.caja, prueba).size())) {
                todo = false;
                break;
            }
        }
        if (todo) return prueba;
    }
    return pixelesPorTwip * kAumentoMaximo;
}

void Disposicion::aplicar(double escala) const {
    for (const Elemento& elemento : elementos_)
        if (elemento.control) elemento.control->setGeometry(EnPixeles(elemento.caja, escala));
}

}  // namespace vaviviv
