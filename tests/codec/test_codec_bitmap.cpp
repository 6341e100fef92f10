// Picture files' bytes on the codec, with no toolkit: what the window writes reads back the
// same to the byte, every kind of bitmap the program opens is read, and every other is refused.
#include "Bitmap.h"
#include "CodecCheck.h"
#include "Picture.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace {

void Put(std::string& b, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b += char((v >> (8 * i)) & 0xFF);
}

void Set(std::string& b, std::size_t at, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b[at + std::size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

// A bitmap of w x h whose pixel (x, y) has colour Colour(x, y), written by hand: bits 1, 4 or
// 8 with a palette of grey levels, 16 (5-5-5), 24 or 32; topDown stores the top row first.
std::uint32_t Colour(int x, int y, int bits)
{
    if (bits <= 8) {
        const std::uint32_t grey = std::uint32_t((x + y) % (1 << bits)) * (255u / ((1u << bits) - 1));
        return grey * 0x010101u;
    }
    // Five bits widen to eight by repeating their top bits.
    const auto wide = [](std::uint32_t v) { return v << 3 | v >> 2; };
    if (bits == 16)
        return wide(std::uint32_t(x % 32)) << 16 | wide(std::uint32_t(y % 32)) << 8 | 255u;
    return std::uint32_t(x) << 16 | std::uint32_t(y) << 8 | std::uint32_t((x * y) & 0xFF);
}

// The 14 bytes that open every bitmap, then the size of the header that follows.
std::string FileHeader(std::uint32_t pixelOffset, std::uint32_t fileSize, std::uint32_t infoSize)
{
    std::string b = "BM";
    Put(b, fileSize, 4);
    Put(b, 0, 4);
    Put(b, pixelOffset, 4);
    Put(b, infoSize, 4);
    return b;
}

std::string Bitmap(int w, int h, int bits, bool topDown = false)
{
    const std::uint32_t paletteEntries = bits <= 8 ? 1u << bits : 0;
    const std::uint32_t rowBytes = (std::uint32_t(w) * std::uint32_t(bits) + 31) / 32 * 4;
    const std::uint32_t offset = 54 + 4 * paletteEntries;
    std::string b = FileHeader(offset, offset + rowBytes * std::uint32_t(h), 40);
    Put(b, std::uint32_t(w), 4);
    Put(b, std::uint32_t(topDown ? -h : h), 4);
    Put(b, 1, 2);
    Put(b, std::uint32_t(bits), 2);
    Put(b, 0, 4);
    Put(b, 0, 4);
    Put(b, 2835, 4);
    Put(b, 2835, 4);
    Put(b, paletteEntries, 4);
    Put(b, 0, 4);
    for (std::uint32_t i = 0; i < paletteEntries; ++i)
        Put(b, i * (255u / ((1u << bits) - 1)) * 0x010101u, 4);
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        std::string line(rowBytes, '\0');
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = Colour(x, y, bits);
            if (bits <= 8) {
                const std::uint32_t index = std::uint32_t((x + y) % (1 << bits));
                const std::size_t bit = std::size_t(x) * std::size_t(bits);
                line[bit / 8] = char(static_cast<unsigned char>(line[bit / 8]) | (index << (8 - bits - int(bit % 8))));
            } else if (bits == 16) {
                Set(line, std::size_t(x) * 2, std::uint32_t(x % 32) << 10 | std::uint32_t(y % 32) << 5 | 31u, 2);
            } else {
                Set(line, std::size_t(x) * std::size_t(bits / 8), c, bits / 8);
            }
        }
        b += line;
    }
    return b;
}

// The same picture of 8 bits in the oldest form: a 12-byte header and a colour table of
// three bytes an entry.
std::string CoreBitmap(int w, int h)
{
    const std::uint32_t rowBytes = (std::uint32_t(w) * 8 + 31) / 32 * 4;
    const std::uint32_t offset = 14 + 12 + 3 * 256;
    std::string b = FileHeader(offset, offset + rowBytes * std::uint32_t(h), 12);
    Put(b, std::uint32_t(w), 2);
    Put(b, std::uint32_t(h), 2);
    Put(b, 1, 2);
    Put(b, 8, 2);
    for (std::uint32_t i = 0; i < 256; ++i)
        Put(b, i * 0x010101u, 3);
    for (int row = 0; row < h; ++row) {
        std::string line(rowBytes, '\0');
        for (int x = 0; x < w; ++x)
            line[std::size_t(x)] = char((x + (h - 1 - row)) % 256);
        b += line;
    }
    return b;
}

bool ReadsAsDrawn(const std::string& bytes, int bits)
{
    Codec::PixelSurface s;
    if (!PictureBytes::Read(bytes, &s))
        return false;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x) {
            const std::uint32_t c = Colour(x, y, bits);
            if (!(s.GetPixel(x, y) == Rgb{int(c >> 16), int((c >> 8) & 0xFF), int(c & 0xFF)}))
                return false;
        }
    return true;
}

std::string Refusal(const std::string& bytes)
{
    Codec::PixelSurface s(5, 5);
    std::string why;
    if (PictureBytes::Read(bytes, &s, &why))
        return "read";
    return s.Width() == 5 ? why : "changed the surface";
}

}  // namespace

CODEC_TEST(whatTheWindowWroteReadsBackToTheByte)
{
    std::ifstream file(HUECIPHER_WINDOW_PICTURE, std::ios::binary);
    const std::string window((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    CHECK(window.size() == 54 + 200 * 120 * 3);
    Codec::PixelSurface picture;
    CHECK(PictureBytes::Read(window, &picture));
    CHECK(PictureBytes::Write(picture) == window);
    picture.Mirror();
    CHECK(Codec::IsCodedPicture(picture.Width(), picture.Height(), Codec::SignatureRowText(picture)));

    // A picture coded here is a bitmap that reads back the same.
    Codec::PixelSurface coded(200, 120);
    Codec::Encode(coded, "Hello world!", {}, [] { return 0.25; });
    Codec::PixelSurface again;
    CHECK(PictureBytes::Read(PictureBytes::Write(coded), &again) && again.Pixels() == coded.Pixels());
}

CODEC_TEST(everyDepthAndOrderIsRead)
{
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        CHECK(ReadsAsDrawn(Bitmap(200, 120, bits), bits));
        CHECK(ReadsAsDrawn(Bitmap(200, 120, bits, true), bits));
    }
    CHECK(ReadsAsDrawn(CoreBitmap(200, 120), 8));
    // 32 bits with bit fields (blue, green, red swapped about).
    std::string fields = Bitmap(200, 120, 32);
    Set(fields, 30, 3, 4);
    fields.insert(54, std::string("\xFF\x00\x00\x00" "\x00\xFF\x00\x00" "\x00\x00\xFF\x00", 12));
    Set(fields, 10, 66, 4);
    Codec::PixelSurface s;
    CHECK(PictureBytes::Read(fields, &s));
    const std::uint32_t c = Colour(7, 9, 32);
    CHECK(s.GetPixel(7, 9) == (Rgb{int(c & 0xFF), int((c >> 8) & 0xFF), int(c >> 16)}));
}

CODEC_TEST(everythingElseIsRefusedFromItsHeader)
{
    const std::string good = Bitmap(200, 120, 24);
    CHECK(Refusal("") == "an empty file");
    CHECK(Refusal("just some text, not a picture at all") == "not a bitmap");
    CHECK(Refusal("\x89PNG\r\n\x1A\n" + std::string(100, '\0')) == "a PNG picture, not a bitmap");
    CHECK(Refusal("\xFF\xD8\xFF\xE0" + std::string(100, '\0')) == "a JPEG picture, not a bitmap");
    CHECK(Refusal(good.substr(0, good.size() - 1)) == "a truncated bitmap");
    CHECK(Refusal(good.substr(0, 40)) == "a truncated bitmap");
    CHECK(Refusal(Bitmap(201, 120, 24)) == "a bitmap of 201 x 120 pixels, not 200 x 120");
    CHECK(Refusal(Bitmap(200, 119, 24, true)) == "a bitmap of 200 x 119 pixels, not 200 x 120");
    std::string rle = Bitmap(200, 120, 8);
    Set(rle, 30, 1, 4);
    CHECK(Refusal(rle) == "a compressed (RLE) bitmap");
    std::string depth = good;
    Set(depth, 28, 2, 2);
    CHECK(Refusal(depth) == "a bitmap of an unknown depth");
    // Pixels said to begin inside the header.
    std::string inside = good;
    Set(inside, 10, 40, 4);
    CHECK(Refusal(inside) == "a bitmap whose header puts its pixels inside the header");
    // Colour masks that are empty, overlap, have a gap, or reach past the pixel.
    const std::uint32_t maskSets[][3] = {
        {0xFF0000, 0, 0xFF}, {0xFF0000, 0x1FF00, 0xFF}, {0xF0F000, 0xF00, 0xFF}, {0x7C00, 0x3E0, 0x1F0000}};
    for (const auto& masks : maskSets) {
        const bool sixteen = masks[2] == 0x1F0000;
        std::string fields = Bitmap(200, 120, sixteen ? 16 : 32);
        Set(fields, 30, 3, 4);
        std::string table(12, '\0');
        for (int i = 0; i < 3; ++i)
            Set(table, std::size_t(4 * i), masks[i], 4);
        fields.insert(54, table);
        Set(fields, 10, 66, 4);
        CHECK(Refusal(fields) == "a bitmap whose header gives colour masks that are empty, overlap or have gaps");
    }
    // A table of 16 colours for pixels that name up to 256: never read as black.
    std::string shortTable = Bitmap(200, 120, 8);
    Set(shortTable, 46, 16, 4);
    CHECK(Refusal(shortTable) == "a bitmap whose pixels name colours its table lacks");
    std::string huge = good;
    Set(huge, 18, 46341, 4);
    Set(huge, 22, 46341, 4);
    CHECK(Refusal(huge) == "a truncated bitmap");
    std::string absurd = good;
    Set(absurd, 18, 0x7FFFFFFF, 4);
    CHECK(Refusal(absurd) == "a bitmap of absurd sides");
    std::string negative = good;
    Set(negative, 18, std::uint32_t(-200), 4);
    CHECK(Refusal(negative) == "a bitmap of absurd sides");
    CHECK(Refusal(good + std::string(PictureBytes::MaxFileBytes, '\0')) == "too large for a picture");
    // Damage anywhere in the header never crashes and never changes the surface on refusal.
    for (std::size_t at = 0; at < 54; ++at) {
        std::string damaged = good;
        damaged[at] = char(damaged[at] ^ 0xA5);
        const std::string why = Refusal(damaged);
        CHECK(why != "changed the surface");
    }
}

int main()
{
    return CodecCheck::RunAll();
}
