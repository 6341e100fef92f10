// Picture files' bytes: Windows bitmaps, read from memory and written to memory, so that every
// front end brings its own file access.
#pragma once

#include "Surface.h"

#include <cstddef>
#include <string>

namespace PictureBytes {

// Largest file the reader looks at: a 200 x 120 bitmap needs about 94 KiB at most.
constexpr std::size_t MaxFileBytes = 4 * 1024 * 1024;

// The surface as an uncompressed 24-bit bitmap, rows from the bottom, 72 dots an inch.
std::string Write(const Codec::PixelSurface& surface);

// Reads a bitmap of 200 x 120 pixels into surface: uncompressed or with bit fields, 1, 4, 8,
// 16, 24 or 32 bits a pixel, stored from the bottom or (negative height) from the top. Anything
// else (not a bitmap, another size, compressed, truncated, absurd sides) returns false with the
// reason in why, leaves surface unchanged, and decodes no more than the header.
bool Read(const std::string& bytes, Codec::PixelSurface* surface, std::string* why = nullptr);

}  // namespace PictureBytes
