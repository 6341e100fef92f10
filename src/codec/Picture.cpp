#include "Picture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Codec {

using namespace CodedPicture;

std::string Signature()
{
    return "Hollowbrandt" "Glyphix Coder 2026, " "hollowbrandt.org";
}

Position GroupAt(int k)
{
    return {TextFirstX + k % GroupsPerRow, TextFirstRow + k / GroupsPerRow};
}

int GroupCount(int n)
{
    return (n + 2) / 3;
}

Rgb GroupColour(const std::string& text, int k)
{
    const std::size_t i = 3 * std::size_t(k);
    auto code = [&](std::size_t j) {
        return j < text.size() ? static_cast<unsigned char>(text[j]) : static_cast<unsigned char>(' ');
    };
    return {code(i), code(i + 1), code(i + 2)};
}

int TextSizeRed(double points)
{
    return static_cast<int>(std::nearbyint(points));
}

Rgb FillerColour(const FillerSource& random)
{
    auto component = [&] { return static_cast<int>(random() * 110) + 32; };
    const int r = component();
    const int g = component();
    const int b = component();
    return {r, g, b};
}

int CharactersNotRecoverable(const std::string& text)
{
    const std::size_t n = text.size();
    const std::size_t readable = std::min<std::size_t>(n, ReadableCharacters);
    std::size_t lost = n - readable;
    for (std::size_t i = 0; i < readable; i += 3)
        if (static_cast<unsigned char>(text[i]) == EmptyRed)
            lost += std::min<std::size_t>(readable - i, 3);
    return static_cast<int>(std::min<std::size_t>(lost, 0x7FFFFFFF));
}

void AppendRow(std::string& out, const PixelSurface& surface, int y, int x0, int x1)
{
    if (y < 0 || y >= surface.Height())
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, surface.Width() - 1);
    // The row's pixels read directly: a full picture is 24,000 of them.
    const std::uint32_t* row = surface.Pixels().data() + std::size_t(y) * std::size_t(surface.Width());
    for (int x = x0; x <= x1; ++x) {
        const std::uint32_t p = row[x];
        const char group[3] = {char((p >> 16) & 0xFF), char((p >> 8) & 0xFF), char(p & 0xFF)};
        if (static_cast<unsigned char>(group[0]) == EmptyRed)
            continue;
        out.append(group, 3);
    }
}

std::string ReadRow(const PixelSurface& surface, int y, int x0, int x1)
{
    std::string out;
    AppendRow(out, surface, y, x0, x1);
    return out;
}

void DrawHeader(PixelSurface& surface, const Settings& settings, const FillerSource& random)
{
    surface.Clear();
    surface.Frame({0, 0, 0});
    const std::string signature = Signature();
    for (std::size_t i = 0; i < signature.size(); i += 3)
        surface.SetPixel(SignatureFirstX + int(i / 3), SignatureRow, GroupColour(signature, int(i / 3)));
    surface.SetPixel(TextSizeX, SignatureRow, {TextSizeRed(settings.textSize), 100, 100});
    surface.SetPixel(BackColorX, SignatureRow, settings.back);
    surface.SetPixel(ForeColorX, SignatureRow, settings.fore);
    for (int x = FillerFirstX; x <= TextLastX; ++x)
        surface.SetPixel(x, SignatureRow, FillerColour(random));
}

void Encode(PixelSurface& surface, const std::string& text, const Settings& settings,
            const FillerSource& random)
{
    DrawHeader(surface, settings, random);
    const int groups = GroupCount(static_cast<int>(std::min<std::size_t>(text.size(), 0x7FFFFFF0)));
    for (int k = 0; k < groups; ++k) {
        const Position p = GroupAt(k);
        if (p.y >= Height)
            break;  // nothing past the picture's last row can be written
        surface.SetPixel(p.x, p.y, GroupColour(text, k));
    }
}

Decoded Decode(const PixelSurface& surface)
{
    Decoded d;
    d.signature = ReadRow(surface, SignatureRow, SignatureFirstX, SignatureLastX);
    d.textSize = surface.GetPixel(TextSizeX, SignatureRow).r;
    d.back = surface.GetPixel(BackColorX, SignatureRow);
    d.fore = surface.GetPixel(ForeColorX, SignatureRow);
    d.text.reserve(ReadableCharacters);
    for (int y = TextFirstRow; y <= TextLastReadRow; ++y)
        AppendRow(d.text, surface, y, TextFirstX, TextLastX);
    // Rows 118 and 119 are not read back: text that reached them is lost.
    for (int x = TextFirstX; x <= TextLastX; ++x) {
        const Rgb below = surface.GetPixel(x, TextLastReadRow + 1);
        const Rgb frame = surface.GetPixel(x, Height - 1);
        d.pastReadableRows |= below.r != EmptyRed || frame != Rgb{0, 0, 0};
    }
    return d;
}

std::string SignatureRowText(const PixelSurface& surface)
{
    return ReadRow(surface, SignatureRow, TextFirstX, TextLastX);
}

bool IsCodedPicture(int width, int height, const std::string& signatureRow)
{
    return width == Width && height == Height && signatureRow.compare(0, 12, SignaturePrefix) == 0;
}

}  // namespace Codec
