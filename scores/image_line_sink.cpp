#include "image_line_sink.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quabe {
namespace {

// Board units to the pixel they fall on; far-off points are pulled in to keep the
// painter's integer arithmetic safe, and it clips them anyway.
QPoint PixelOf(double x, double y) {
    auto pixel = [](double units) {
        return static_cast<int>(std::floor(std::clamp(units / 15, -1e6, 1e6)));
    };
    return {pixel(x), pixel(y)};
}

}  // namespace

void ImageLineSink::Line(double x1, double y1, double x2, double y2, int red, int green, int blue) {
    if (!image_ || image_->isNull()) return;
    QPainter painter(image_);
    painter.setPen(
        QColor(std::clamp(red, 0, 255), std::clamp(green, 0, 255), std::clamp(blue, 0, 255)));
    painter.drawLine(PixelOf(x1, y1), PixelOf(x2, y2));
}

}  // namespace quabe
