#pragma once
// A paint device that writes what is painted on it as an SVG document, so
// that a picture drawn with QPainter is also the desktop's scalable icon.
// It says shapes only: filled and stroked paths (rectangles, ellipses, lines,
// polygons), solid colours and linear or radial gradients, any affine
// transformation. Anything else (text, pictures, clipping, dashes, other
// brushes) makes the document incomplete, which completo() tells.

#include <QPaintDevice>
#include <QString>
#include <memory>

namespace vaviviv {

class MotorSvg;

class DibujoSvg final : public QPaintDevice {
public:
    // A square of `lado` units: the document's viewBox and its size.
    explicit DibujoSvg(int lado);
    ~DibujoSvg() override;

    QPaintEngine* paintEngine() const override;
    // The whole document, once the painter has ended.
    QString documento() const;
    bool completo() const;

protected:
    int metric(PaintDeviceMetric metrica) const override;

private:
    int lado_;
    std::unique_ptr<MotorSvg> motor_;
};

}  // namespace vaviviv
