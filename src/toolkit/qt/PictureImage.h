#pragma once

#include "host/ui/Picture.h"

#include <QIcon>
#include <QImage>
#include <memory>

namespace vorq::qt {

// Pictures (RGBA pixels, 0xRRGGBBAA) as Qt images and icons, and back.
QImage toImage(const Picture& picture);
QIcon toIcon(const std::shared_ptr<const Picture>& picture);
Picture fromImage(const QImage& image);

} // namespace vorq::qt
