#include "PixelSurface.h"

#include <algorithm>

ColorValue ToColorValue(Rgb c)
{
    return static_cast<ColorValue>(c.r) + 256u * static_cast<ColorValue>(c.g)
         + 65536u * static_cast<ColorValue>(c.b);
}

Rgb FromColorValue(ColorValue v)
{
    return {static_cast<int>(v % 256), static_cast<int>((v / 256) % 256), static_cast<int>((v / 65536) % 256)};
}

PixelSurface::PixelSurface(int width, int height)
{
    SetSize(width, height);
}

void PixelSurface::SetSize(int width, int height)
{
    m_image = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    Clear();
}

void PixelSurface::Clear()
{
    m_image.fill(qRgb(255, 255, 255));
}

void PixelSurface::Frame(Rgb colour)
{
    const int w = Width();
    const int h = Height();
    for (int x = 0; x < w; ++x) {
        SetPixel(x, 0, colour);
        SetPixel(x, h - 1, colour);
    }
    for (int y = 0; y < h; ++y) {
        SetPixel(0, y, colour);
        SetPixel(w - 1, y, colour);
    }
}

void PixelSurface::SetPixel(int x, int y, Rgb colour)
{
    if (!Contains(x, y))
        return;
    auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
    line[x] = qRgb(colour.r & 0xFF, colour.g & 0xFF, colour.b & 0xFF);
}

Rgb PixelSurface::GetPixel(int x, int y) const
{
    if (!Contains(x, y))
        return {255, 255, 255};
    const QRgb p = reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x];
    return {qRed(p), qGreen(p), qBlue(p)};
}

void PixelSurface::CopyFrom(const PixelSurface& source)
{
    Clear();
    const int w = std::min(Width(), source.Width());
    const int h = std::min(Height(), source.Height());
    for (int y = 0; y < h; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.m_image.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        std::copy(from, from + w, to);
    }
}

void PixelSurface::Mirror()
{
    const int w = Width();
    for (int y = 0; y < Height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        std::reverse(line, line + w);
    }
}

void PixelSurface::SetImage(const QImage& image)
{
    m_image = image.convertToFormat(QImage::Format_RGB32);
}
