// The codec's pixel surface, with what the window needs of it: the raster as an image.
#pragma once

#include "Colour.h"
#include "Surface.h"

#include <QImage>

class PixelSurface : public Codec::PixelSurface {
public:
    using Codec::PixelSurface::PixelSurface;
    PixelSurface() = default;
    PixelSurface(const Codec::PixelSurface& surface) : Codec::PixelSurface(surface) {}

    // The raster as an image of 8 bits a component, one pixel to a pixel.
    QImage Image() const;
    // Takes a picture's raster (and size), converted to 8 bits a component.
    void SetImage(const QImage& image);
};
