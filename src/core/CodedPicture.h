// The codec's coded picture on the toolkit's values: byte arrays, points and its random
// generator. The layout and the coding itself are the codec's.
#pragma once

#include "Picture.h"
#include "PixelSurface.h"

#include <QByteArray>
#include <QPoint>
#include <QRandomGenerator>

namespace CodedPicture {

// The fixed 48-character signature text.
QByteArray SignatureText();

// Pixel of the k-th group of three characters (k from 0).
QPoint GroupPosition(int k);

using Codec::GroupCount;

// Colour of group k of text; a short last group is padded with blanks.
Rgb GroupColour(const QByteArray& text, int k);

using Codec::TextSizeRed;

// One filler pixel: each component a whole number from 32 to 141.
Rgb FillerColour(QRandomGenerator& random);

// How many characters of text will not come back from a picture: those past the
// readable rows, and groups whose first character is code 255 (they read as empty).
int CharactersNotRecoverable(const QByteArray& text);

// The codec's source of filler drawn from random.
Codec::FillerSource Filler(QRandomGenerator& random);

// Appends the characters of the non-empty pixels from x0 to x1 on row y.
void AppendRow(QByteArray& out, const PixelSurface& surface, int y, int x0, int x1);
QByteArray ReadRow(const PixelSurface& surface, int y, int x0, int x1);

using Codec::Settings;

// Clear, frame, signature row: everything but the text.
void DrawHeader(PixelSurface& surface, const Settings& settings, QRandomGenerator& random);

// The whole coded picture of text, in one go.
void Encode(PixelSurface& surface, const QByteArray& text, const Settings& settings, QRandomGenerator& random);

struct Decoded {
    QByteArray signature;  // characters of the signature pixels
    int textSize = 0;      // red of the text-size pixel
    Rgb back;
    Rgb fore;
    QByteArray text;
};

// Reads the signature row and every text pixel of rows 3-117.
Decoded Decode(const PixelSurface& surface);

}  // namespace CodedPicture
