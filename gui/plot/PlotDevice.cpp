#include "gui/plot/PlotDevice.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace halcyx {

namespace {
constexpr double kPointsPerInch = 72;
constexpr double kScreenDpi = 96;     // the resolution the pixel figures were drawn for
constexpr double kPenFontPoints = 14; // the paper pen is a part of this font's height
constexpr int kPenPartsOfFontHeight = 7;
} // namespace

PlotDevice::PlotDevice(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    paper_ = dynamic_cast<const QPagedPaintDevice*>(device) != nullptr;
    dpiY_ = device != nullptr ? device->logicalDpiY() : static_cast<int>(kScreenDpi);
}

int PlotDevice::points(double size) const {
    return static_cast<int>(std::lround(size * dpiY_ / kPointsPerInch));
}

double PlotDevice::pixel() const {
    return paper_ ? dpiY_ / kScreenDpi : 1.0;
}

int PlotDevice::px(int figure) const {
    const int scaled = static_cast<int>(std::lround(figure * pixel()));
    return figure > 0 ? std::max(1, scaled) : scaled;
}

int PlotDevice::penWidth() const {
    return paper_ ? std::max(1, points(kPenFontPoints) / kPenPartsOfFontHeight) : 1;
}

QRect toQRect(const PixelRect& r) {
    return {r.left, r.top, r.width(), r.height()};
}

PixelRect toPixelRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace halcyx
