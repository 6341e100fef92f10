// A raster that holds a coded picture: every pixel keeps all 8 bits of red, green and blue.
#pragma once

#include "Colour.h"

#include <cstdint>
#include <vector>

namespace Codec {

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
    // get pixel: the components last written or loaded; white outside the raster.
    Rgb GetPixel(int x, int y) const;
    // copy: this surface takes source's raster at (0, 0); pixels beyond it stay white.
    void CopyFrom(const PixelSurface& source);
    // mirror: column x moves to column W - 1 - x, in place.
    void Mirror();

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    // The pixels row by row from the top, each 0xFFRRGGBB.
    const std::vector<std::uint32_t>& Pixels() const { return m_pixels; }
    // Takes a raster of width x height pixels, each 0xFFRRGGBB (the top bits are set).
    void SetPixels(int width, int height, std::vector<std::uint32_t> pixels);

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

}  // namespace Codec
