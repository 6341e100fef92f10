#include "Bitmap.h"

#include <cstdint>
#include <vector>

namespace PictureBytes {
namespace {

constexpr int FileHeaderBytes = 14;
constexpr int InfoHeaderBytes = 40;
constexpr std::uint32_t DotsPerMeter = 2835;  // 72 dots an inch
constexpr std::uint32_t Uncompressed = 0;
constexpr std::uint32_t BitFields = 3;
constexpr std::int64_t MaxSide = 1 << 20;
constexpr int Width = 200;
constexpr int Height = 120;

void Put(std::string& b, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t Get(const std::string& b, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + std::size_t(i)]);
    return v;
}

bool Fail(std::string* why, const char* reason)
{
    if (why)
        *why = reason;
    return false;
}

// One colour component held under mask, scaled to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Channel(std::uint32_t m) : mask(m)
    {
        if (mask == 0)
            return;
        while (!((mask >> shift) & 1))
            ++shift;
        while (bits < 32 - shift && ((mask >> shift) >> bits))
            ++bits;
    }
    // Fewer than eight bits widen by repeating their top bits (five bits v: v << 3 | v >> 2);
    // more than eight keep their top eight.
    int Of(std::uint32_t pixel) const
    {
        if (bits == 0)
            return 0;
        const std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return int(v >> (bits - 8));
        std::uint32_t wide = v << (8 - bits);
        for (int filled = bits; filled < 8; filled += bits)
            wide |= wide >> filled;
        return int(wide & 0xFF);
    }
};

// Colour masks that each hold one run of bits within the pixel, apart from the others.
bool MasksAreSound(const std::uint32_t (&masks)[3], std::uint32_t bitsPerPixel)
{
    const std::uint32_t pixel = bitsPerPixel >= 32 ? 0xFFFFFFFFu : (1u << bitsPerPixel) - 1;
    std::uint32_t taken = 0;
    for (const std::uint32_t mask : masks) {
        if (mask == 0 || (mask & ~pixel) != 0 || (mask & taken) != 0)
            return false;
        const std::uint32_t lowest = mask & (~mask + 1);
        if (((mask + lowest) & mask) != 0)  // a gap: adding the lowest bit does not clear the run
            return false;
        taken |= mask;
    }
    return true;
}

// What the header says.
struct Header {
    std::uint32_t pixelOffset = 0;
    std::uint32_t infoSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t planes = 1;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = Uncompressed;
    std::uint32_t coloursUsed = 0;
};

bool ReadHeader(const std::string& b, Header* h, std::string* why)
{
    if (b.empty())
        return Fail(why, "an empty file");
    if (b.compare(0, 8, "\x89PNG\r\n\x1A\n") == 0)
        return Fail(why, "a PNG picture, not a bitmap");
    if (b.compare(0, 3, "\xFF\xD8\xFF") == 0)
        return Fail(why, "a JPEG picture, not a bitmap");
    if (b.compare(0, 2, "BM") != 0)
        return Fail(why, "not a bitmap");
    if (b.size() < 26)
        return Fail(why, "a truncated bitmap");
    h->pixelOffset = Get(b, 10, 4);
    h->infoSize = Get(b, 14, 4);
    if (h->infoSize == 12) {
        h->width = Get(b, 18, 2);
        h->height = Get(b, 20, 2);
        h->planes = Get(b, 22, 2);
        h->bitsPerPixel = Get(b, 24, 2);
    } else if (h->infoSize >= InfoHeaderBytes && h->infoSize <= 124) {
        if (b.size() < FileHeaderBytes + std::size_t(InfoHeaderBytes))
            return Fail(why, "a truncated bitmap");
        h->width = static_cast<std::int32_t>(Get(b, 18, 4));
        h->height = static_cast<std::int32_t>(Get(b, 22, 4));
        h->planes = Get(b, 26, 2);
        h->bitsPerPixel = Get(b, 28, 2);
        h->compression = Get(b, 30, 4);
        h->coloursUsed = Get(b, 46, 4);
    } else {
        return Fail(why, "a bitmap with a header of an unknown kind");
    }
    const std::uint32_t bits = h->bitsPerPixel;
    if (h->compression == 1 || h->compression == 2)
        return Fail(why, "a compressed (RLE) bitmap");
    if (h->compression != Uncompressed && !(h->compression == BitFields && (bits == 16 || bits == 32)))
        return Fail(why, "a compressed bitmap");
    if (!(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32) || h->planes != 1)
        return Fail(why, "a bitmap of an unknown depth");
    // Sides no file of MaxFileBytes could hold are refused before any arithmetic on them.
    if (h->width <= 0 || h->height == 0 || h->width > MaxSide || h->height > MaxSide || h->height < -MaxSide)
        return Fail(why, "a bitmap of absurd sides");
    // The pixels come after the headers (and a 40-byte header's colour masks), never in them.
    const std::uint32_t headers = FileHeaderBytes + h->infoSize
        + (h->compression == BitFields && h->infoSize == InfoHeaderBytes ? 12 : 0);
    if (h->pixelOffset < headers)
        return Fail(why, "a bitmap whose header puts its pixels inside the header");
    const std::int64_t rowBytes = (h->width * bits + 31) / 32 * 4;
    const std::int64_t rows = h->height < 0 ? -h->height : h->height;
    if (std::int64_t(h->pixelOffset) + rowBytes * rows > std::int64_t(b.size()))
        return Fail(why, "a truncated bitmap");
    return true;
}

}  // namespace

std::string Write(const Codec::PixelSurface& surface)
{
    const int w = surface.Width();
    const int h = surface.Height();
    const std::uint32_t rowBytes = (std::uint32_t(w) * 3 + 3) / 4 * 4;
    const std::uint32_t imageBytes = rowBytes * std::uint32_t(h);
    std::string b;
    b.reserve(FileHeaderBytes + InfoHeaderBytes + imageBytes);
    b += "BM";
    Put(b, FileHeaderBytes + InfoHeaderBytes + imageBytes, 4);
    Put(b, 0, 4);
    Put(b, FileHeaderBytes + InfoHeaderBytes, 4);
    Put(b, InfoHeaderBytes, 4);
    Put(b, std::uint32_t(w), 4);
    Put(b, std::uint32_t(h), 4);
    Put(b, 1, 2);   // planes
    Put(b, 24, 2);  // bits a pixel
    Put(b, Uncompressed, 4);
    Put(b, imageBytes, 4);
    Put(b, DotsPerMeter, 4);
    Put(b, DotsPerMeter, 4);
    Put(b, 0, 4);  // colours used
    Put(b, 0, 4);  // colours important
    const std::vector<std::uint32_t>& pixels = surface.Pixels();
    std::size_t at = b.size();
    b.resize(b.size() + imageBytes, '\0');
    for (int y = h - 1; y >= 0; --y) {
        const std::uint32_t* row = pixels.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x) {
            b[at++] = static_cast<char>(row[x] & 0xFF);
            b[at++] = static_cast<char>((row[x] >> 8) & 0xFF);
            b[at++] = static_cast<char>((row[x] >> 16) & 0xFF);
        }
        at += rowBytes - std::uint32_t(w) * 3;  // the row's padding stays zero
    }
    return b;
}

bool Read(const std::string& b, Codec::PixelSurface* surface, std::string* why)
{
    if (b.size() > MaxFileBytes)
        return Fail(why, "too large for a picture");
    Header h;
    if (!ReadHeader(b, &h, why))
        return false;
    if (h.width != Width || (h.height != Height && h.height != -Height)) {
        if (why)
            *why = "a bitmap of " + std::to_string(h.width) + " x " + std::to_string(h.height < 0 ? -h.height : h.height)
                + " pixels, not 200 x 120";
        return false;
    }

    const std::uint32_t bits = h.bitsPerPixel;
    const bool core = h.infoSize == 12;
    // The colour table follows the header; bit fields of a 40-byte header come before it.
    std::vector<std::uint32_t> palette;
    if (bits <= 8) {
        const std::uint32_t entries = h.coloursUsed > 0 && h.coloursUsed < (1u << bits) ? h.coloursUsed : 1u << bits;
        const std::size_t entryBytes = core ? 3 : 4;
        const std::size_t at = FileHeaderBytes + h.infoSize;
        if (at + entries * entryBytes > b.size())
            return Fail(why, "a truncated bitmap");
        for (std::uint32_t i = 0; i < entries; ++i)
            palette.push_back(Get(b, at + i * entryBytes, 3));
    }
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bits == 32)
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    if (h.compression == BitFields) {
        if (FileHeaderBytes + std::size_t(InfoHeaderBytes) + 12 > b.size())
            return Fail(why, "a truncated bitmap");
        for (int i = 0; i < 3; ++i)
            masks[i] = Get(b, FileHeaderBytes + InfoHeaderBytes + std::size_t(4 * i), 4);
        if (!MasksAreSound(masks, bits))
            return Fail(why, "a bitmap whose header gives colour masks that are empty, overlap or have gaps");
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);

    const std::size_t rowBytes = (std::size_t(Width) * bits + 31) / 32 * 4;
    std::vector<std::uint32_t> pixels(std::size_t(Width) * Height);
    for (int row = 0; row < Height; ++row) {
        const int y = h.height > 0 ? Height - 1 - row : row;
        const std::size_t start = h.pixelOffset + std::size_t(row) * rowBytes;
        for (int x = 0; x < Width; ++x) {
            std::uint32_t rgb = 0;
            if (bits <= 8) {
                const std::size_t bit = std::size_t(x) * bits;
                const auto byte = static_cast<unsigned char>(b[start + bit / 8]);
                const std::uint32_t index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                if (index >= palette.size())
                    return Fail(why, "a bitmap whose pixels name colours its table lacks");
                rgb = palette[index];
            } else if (bits == 24) {
                const auto* p = reinterpret_cast<const unsigned char*>(b.data()) + start + std::size_t(x) * 3;
                rgb = std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
            } else {
                const std::uint32_t p = Get(b, start + std::size_t(x) * (bits / 8), int(bits / 8));
                rgb = (std::uint32_t(red.Of(p)) << 16) | (std::uint32_t(green.Of(p)) << 8) | std::uint32_t(blue.Of(p));
            }
            pixels[std::size_t(y) * Width + std::size_t(x)] = 0xFF000000u | rgb;
        }
    }
    surface->SetPixels(Width, Height, std::move(pixels));
    return true;
}

}  // namespace PictureBytes
