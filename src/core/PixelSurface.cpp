#include "PixelSurface.h"

#include <cstring>

QImage PixelSurface::Image() const
{
    QImage image(Width(), Height(), QImage::Format_RGB32);
    for (int y = 0; y < Height(); ++y)
        std::memcpy(image.scanLine(y), Pixels().data() + std::size_t(y) * std::size_t(Width()),
                    std::size_t(Width()) * sizeof(std::uint32_t));
    return image;
}

void PixelSurface::SetImage(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<std::uint32_t> pixels(std::size_t(rgb.width()) * std::size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(pixels.data() + std::size_t(y) * std::size_t(rgb.width()), rgb.constScanLine(y),
                    std::size_t(rgb.width()) * sizeof(std::uint32_t));
    SetPixels(rgb.width(), rgb.height(), std::move(pixels));
}
