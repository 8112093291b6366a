#include "toolkit/qt/Twips.h"

#include <QWidget>
#include <cmath>

namespace vorq::qt {

int twipsToPixels(const QWidget& widget, int twips) {
    return static_cast<int>(std::lround(twips * widget.logicalDpiX() / 1440.0));
}

int pixelsToTwips(const QWidget& widget, int pixels) {
    return static_cast<int>(std::lround(pixels * 1440.0 / widget.logicalDpiX()));
}

QRect twipsToPixels(const QWidget& widget, int left, int top, int width, int height) {
    return {twipsToPixels(widget, left), twipsToPixels(widget, top), twipsToPixels(widget, width),
            twipsToPixels(widget, height)};
}

} // namespace vorq::qt
