#include "CodedPicture.h"

#include <algorithm>
#include <cmath>

namespace CodedPicture {

QByteArray SignatureText()
{
    return QByteArrayLiteral("Hollowbrandt" "Glyphix Coder 2026, " "hollowbrandt.org");
}

QPoint GroupPosition(int k)
{
    return {TextFirstX + k % GroupsPerRow, TextFirstRow + k / GroupsPerRow};
}

int GroupCount(int n)
{
    return (n + 2) / 3;
}

Rgb GroupColour(const QByteArray& text, int k)
{
    const int i = 3 * k;
    auto code = [&](int j) {
        return j < text.size() ? static_cast<unsigned char>(text[j]) : static_cast<unsigned char>(' ');
    };
    return {code(i), code(i + 1), code(i + 2)};
}

int TextSizeRed(double points)
{
    return static_cast<int>(std::nearbyint(points));
}

Rgb FillerColour(QRandomGenerator& random)
{
    auto component = [&] { return static_cast<int>(random.generateDouble() * 110) + 32; };
    const int r = component();
    const int g = component();
    const int b = component();
    return {r, g, b};
}

int CharactersNotRecoverable(const QByteArray& text)
{
    const int n = static_cast<int>(text.size());
    int lost = n > ReadableCharacters ? n - ReadableCharacters : 0;
    const int readable = n < ReadableCharacters ? n : ReadableCharacters;
    for (int i = 0; i < readable; i += 3) {
        if (static_cast<unsigned char>(text[i]) == EmptyRed)
            lost += (readable - i < 3) ? readable - i : 3;
    }
    return lost;
}

void AppendRow(QByteArray& out, const PixelSurface& surface, int y, int x0, int x1)
{
    if (y < 0 || y >= surface.Height())
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, surface.Width() - 1);
    const auto* line = reinterpret_cast<const QRgb*>(surface.Image().constScanLine(y));
    for (int x = x0; x <= x1; ++x) {
        const QRgb p = line[x];
        if (qRed(p) == EmptyRed)
            continue;
        const char three[3] = {static_cast<char>(qRed(p)), static_cast<char>(qGreen(p)), static_cast<char>(qBlue(p))};
        out.append(three, 3);
    }
}

QByteArray ReadRow(const PixelSurface& surface, int y, int x0, int x1)
{
    QByteArray out;
    AppendRow(out, surface, y, x0, x1);
    return out;
}

void DrawHeader(PixelSurface& surface, const Settings& settings, QRandomGenerator& random)
{
    surface.Clear();
    surface.Frame({0, 0, 0});
    const QByteArray signature = SignatureText();
    for (int i = 0; i < signature.size(); i += 3)
        surface.SetPixel(SignatureFirstX + i / 3, SignatureRow, GroupColour(signature, i / 3));
    surface.SetPixel(TextSizeX, SignatureRow, {TextSizeRed(settings.textSize), 100, 100});
    surface.SetPixel(BackColorX, SignatureRow, settings.back);
    surface.SetPixel(ForeColorX, SignatureRow, settings.fore);
    for (int x = FillerFirstX; x <= TextLastX; ++x)
        surface.SetPixel(x, SignatureRow, FillerColour(random));
}

void Encode(PixelSurface& surface, const QByteArray& text, const Settings& settings, QRandomGenerator& random)
{
    DrawHeader(surface, settings, random);
    const int groups = GroupCount(static_cast<int>(text.size()));
    for (int k = 0; k < groups; ++k) {
        const QPoint p = GroupPosition(k);
        surface.SetPixel(p.x(), p.y(), GroupColour(text, k));
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
    return d;
}

}  // namespace CodedPicture
