#include "CodedPicture.h"

#include <algorithm>

namespace CodedPicture {
namespace {

std::string Std(const QByteArray& bytes)
{
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

}  // namespace

QByteArray SignatureText()
{
    return QByteArray::fromStdString(Codec::Signature());
}

QPoint GroupPosition(int k)
{
    const Codec::Position p = Codec::GroupAt(k);
    return {p.x, p.y};
}

Rgb GroupColour(const QByteArray& text, int k)
{
    // Only the group's three characters are needed (no copy of the text for each group).
    const qsizetype at = 3 * qsizetype(k);
    const qsizetype n = at < text.size() ? std::min<qsizetype>(3, text.size() - at) : 0;
    return Codec::GroupColour(std::string(text.constData() + (n > 0 ? at : 0), std::size_t(n)), 0);
}

Codec::FillerSource Filler(QRandomGenerator& random)
{
    return [&random] { return random.generateDouble(); };
}

Rgb FillerColour(QRandomGenerator& random)
{
    return Codec::FillerColour(Filler(random));
}

int CharactersNotRecoverable(const QByteArray& text)
{
    return Codec::CharactersNotRecoverable(Std(text));
}

void AppendRow(QByteArray& out, const PixelSurface& surface, int y, int x0, int x1)
{
    out += QByteArray::fromStdString(Codec::ReadRow(surface, y, x0, x1));
}

QByteArray ReadRow(const PixelSurface& surface, int y, int x0, int x1)
{
    return QByteArray::fromStdString(Codec::ReadRow(surface, y, x0, x1));
}

void DrawHeader(PixelSurface& surface, const Settings& settings, QRandomGenerator& random)
{
    Codec::DrawHeader(surface, settings, Filler(random));
}

void Encode(PixelSurface& surface, const QByteArray& text, const Settings& settings, QRandomGenerator& random)
{
    Codec::Encode(surface, Std(text), settings, Filler(random));
}

Decoded Decode(const PixelSurface& surface)
{
    const Codec::Decoded d = Codec::Decode(surface);
    return {QByteArray::fromStdString(d.signature), d.textSize, d.back, d.fore, QByteArray::fromStdString(d.text)};
}

}  // namespace CodedPicture
