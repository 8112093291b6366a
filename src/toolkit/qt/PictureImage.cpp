#include "toolkit/qt/PictureImage.h"

#include <QPixmap>

namespace vorq::qt {

QImage toImage(const Picture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t v = picture.rgba[picture.at(x, y)];
            const auto channel = [v](int shift) { return static_cast<int>((v >> shift) & 0xff); };
            image.setPixel(x, y, qRgba(channel(24), channel(16), channel(8), channel(0)));
        }
    return image;
}

QIcon toIcon(const std::shared_ptr<const Picture>& picture) {
    return picture ? QIcon(QPixmap::fromImage(toImage(*picture))) : QIcon();
}

Picture fromImage(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Picture picture;
    picture.width = argb.width();
    picture.height = argb.height();
    picture.rgba.reserve(picture.pixels());
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = argb.pixel(x, y);
            picture.rgba.push_back(static_cast<std::uint32_t>(qRed(p)) << 24 |
                                   static_cast<std::uint32_t>(qGreen(p)) << 16 |
                                   static_cast<std::uint32_t>(qBlue(p)) << 8 |
                                   static_cast<std::uint32_t>(qAlpha(p)));
        }
    return picture;
}

} // namespace vorq::qt
