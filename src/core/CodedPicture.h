// The layout of a coded picture, and coding on plain values.
//
// Row 2 holds the signature (x 2-17), the text size (18), background colour (19),
// text colour (20) and random filler (21-197). From row 3 on, x 2-197, every pixel
// carries three characters as red, green, blue. A pixel with red 255 is empty.
#pragma once

#include "PixelSurface.h"

#include <QByteArray>
#include <QPoint>
#include <QRandomGenerator>

namespace CodedPicture {

constexpr int Width = 200;
constexpr int Height = 120;
constexpr int SignatureRow = 2;
constexpr int SignatureFirstX = 2;
constexpr int SignatureLastX = 17;
constexpr int TextSizeX = 18;
constexpr int BackColorX = 19;
constexpr int ForeColorX = 20;
constexpr int FillerFirstX = 21;
constexpr int TextFirstX = 2;
constexpr int TextLastX = 197;
constexpr int TextFirstRow = 3;
constexpr int TextLastReadRow = 117;
constexpr int GroupsPerRow = TextLastX - TextFirstX + 1;                       // 196
constexpr int ReadableGroups = GroupsPerRow * (TextLastReadRow - TextFirstRow + 1);  // 22,540
constexpr int ReadableCharacters = 3 * ReadableGroups;                         // 67,620
constexpr int EmptyRed = 255;
constexpr int SignatureLength = 48;
constexpr const char* SignaturePrefix = "Hollowbrandt";

// The fixed 48-character signature text.
QByteArray SignatureText();

// Pixel of the k-th group of three characters (k from 0).
QPoint GroupPosition(int k);

// Number of groups a text of n characters takes (the last may be short).
int GroupCount(int n);

// Colour of group k of text; a short last group is padded with blanks.
Rgb GroupColour(const QByteArray& text, int k);

// Red component for a text size: nearest whole number, a half to the even neighbour.
int TextSizeRed(double points);

// One filler pixel: each component a whole number from 32 to 141.
Rgb FillerColour(QRandomGenerator& random);

// How many characters of text will not come back from a picture: those past the
// readable rows, and groups whose first character is code 255 (they read as empty).
int CharactersNotRecoverable(const QByteArray& text);

// Appends the characters of the non-empty pixels from x0 to x1 on row y.
void AppendRow(QByteArray& out, const PixelSurface& surface, int y, int x0, int x1);
QByteArray ReadRow(const PixelSurface& surface, int y, int x0, int x1);

struct Settings {
    double textSize = 8.25;
    Rgb back{255, 255, 255};
    Rgb fore{60, 60, 60};
};

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
