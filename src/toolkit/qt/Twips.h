#pragma once

#include <QRect>

class QWidget;

namespace vorq::qt {

// Twips (1440 to the logical inch) and pixels at the logical resolution of the widget's screen.
int twipsToPixels(const QWidget& widget, int twips);
int pixelsToTwips(const QWidget& widget, int pixels);
QRect twipsToPixels(const QWidget& widget, int left, int top, int width, int height);

} // namespace vorq::qt
