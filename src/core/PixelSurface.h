// A raster that holds a coded picture: every pixel keeps all 8 bits of red, green and blue.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

// Colour value as the program stores it: red + 256 * green + 65536 * blue.
using ColorValue = std::uint32_t;

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

ColorValue ToColorValue(Rgb c);
Rgb FromColorValue(ColorValue v);

class PixelSurface {
public:
    PixelSurface() = default;
    PixelSurface(int width, int height);

    // set size: the raster becomes width x height, all white.
    void SetSize(int width, int height);
    // clear: every pixel reads white.
    void Clear();
    // frame: one-pixel outline of the whole raster in the given colour; the inside is untouched.
    void Frame(Rgb colour);
    // set pixel: outside the raster it is ignored.
    void SetPixel(int x, int y, Rgb colour);
    // get pixel: the components last written or loaded. Callers read only inside the raster.
    Rgb GetPixel(int x, int y) const;
    // copy: this surface takes source's raster at (0, 0); pixels beyond it stay white.
    void CopyFrom(const PixelSurface& source);
    // mirror: column x moves to column W - 1 - x, in place.
    void Mirror();

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }

    const QImage& Image() const { return m_image; }
    // Takes a loaded picture's raster (and size), converted to 8 bits a component.
    void SetImage(const QImage& image);

private:
    QImage m_image{0, 0, QImage::Format_RGB32};
};
