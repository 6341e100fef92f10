// Colours as the program stores them: three 8-bit components, or one colour value.
#pragma once

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

inline ColorValue ToColorValue(Rgb c)
{
    return static_cast<ColorValue>(c.r) + 256u * static_cast<ColorValue>(c.g) + 65536u * static_cast<ColorValue>(c.b);
}

inline Rgb FromColorValue(ColorValue v)
{
    return {static_cast<int>(v % 256), static_cast<int>((v / 256) % 256), static_cast<int>((v / 65536) % 256)};
}
