#include "Surface.h"

#include <algorithm>

namespace Codec {
namespace {

constexpr std::uint32_t White = 0xFFFFFFFFu;

std::uint32_t Pack(Rgb c)
{
    return 0xFF000000u | (std::uint32_t(c.r & 0xFF) << 16) | (std::uint32_t(c.g & 0xFF) << 8) | std::uint32_t(c.b & 0xFF);
}

}  // namespace

PixelSurface::PixelSurface(int width, int height)
{
    SetSize(width, height);
}

void PixelSurface::SetSize(int width, int height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_pixels.assign(std::size_t(m_width) * std::size_t(m_height), White);
}

void PixelSurface::Clear()
{
    std::fill(m_pixels.begin(), m_pixels.end(), White);
}

void PixelSurface::Frame(Rgb colour)
{
    for (int x = 0; x < m_width; ++x) {
        SetPixel(x, 0, colour);
        SetPixel(x, m_height - 1, colour);
    }
    for (int y = 0; y < m_height; ++y) {
        SetPixel(0, y, colour);
        SetPixel(m_width - 1, y, colour);
    }
}

void PixelSurface::SetPixel(int x, int y, Rgb colour)
{
    if (Contains(x, y))
        m_pixels[std::size_t(y) * std::size_t(m_width) + std::size_t(x)] = Pack(colour);
}

Rgb PixelSurface::GetPixel(int x, int y) const
{
    if (!Contains(x, y))
        return {255, 255, 255};
    const std::uint32_t p = m_pixels[std::size_t(y) * std::size_t(m_width) + std::size_t(x)];
    return {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
}

void PixelSurface::CopyFrom(const PixelSurface& source)
{
    Clear();
    const int w = std::min(m_width, source.m_width);
    const int h = std::min(m_height, source.m_height);
    for (int y = 0; y < h; ++y) {
        const auto from = source.m_pixels.begin() + std::ptrdiff_t(y) * source.m_width;
        std::copy(from, from + w, m_pixels.begin() + std::ptrdiff_t(y) * m_width);
    }
}

void PixelSurface::Mirror()
{
    for (int y = 0; y < m_height; ++y) {
        const auto row = m_pixels.begin() + std::ptrdiff_t(y) * m_width;
        std::reverse(row, row + m_width);
    }
}

void PixelSurface::SetPixels(int width, int height, std::vector<std::uint32_t> pixels)
{
    m_width = width;
    m_height = height;
    m_pixels = std::move(pixels);
    for (std::uint32_t& p : m_pixels)
        p |= 0xFF000000u;
}

}  // namespace Codec
