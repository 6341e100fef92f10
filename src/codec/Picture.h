// The layout of a coded picture, and coding on plain values.
//
// Row 2 holds the signature (x 2-17), the text size (18), background colour (19),
// text colour (20) and random filler (21-197). From row 3 on, x 2-197, every pixel
// carries three characters as red, green, blue. A pixel with red 255 is empty.
#pragma once

#include "Colour.h"
#include "Surface.h"

#include <functional>
#include <string>

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
constexpr int GroupsPerRow = TextLastX - TextFirstX + 1;                             // 196
constexpr int ReadableGroups = GroupsPerRow * (TextLastReadRow - TextFirstRow + 1);  // 22,540
constexpr int ReadableCharacters = 3 * ReadableGroups;                               // 67,620
constexpr int EmptyRed = 255;
constexpr int SignatureLength = 48;
constexpr const char* SignaturePrefix = "Hollowbrandt";

}  // namespace CodedPicture

namespace Codec {

// A source of filler: each call gives a number from 0 up to (not including) 1.
using FillerSource = std::function<double()>;

// The fixed 48-character signature text.
std::string Signature();

// Pixel of the k-th group of three characters (k from 0).
struct Position {
    int x = 0;
    int y = 0;
};
Position GroupAt(int k);

// Number of groups a text of n characters takes (the last may be short).
int GroupCount(int n);

// Colour of group k of text; a short last group is padded with blanks.
Rgb GroupColour(const std::string& text, int k);

// Red component for a text size: nearest whole number, a half to the even neighbour.
int TextSizeRed(double points);

// One filler pixel: each component a whole number from 32 to 141.
Rgb FillerColour(const FillerSource& random);

// How many characters of text will not come back from a picture: those past the
// readable rows, and groups whose first character is code 255 (they read as empty).
int CharactersNotRecoverable(const std::string& text);

// Appends the characters of the non-empty pixels from x0 to x1 on row y.
void AppendRow(std::string& out, const PixelSurface& surface, int y, int x0, int x1);
std::string ReadRow(const PixelSurface& surface, int y, int x0, int x1);

struct Settings {
    double textSize = 8.25;
    Rgb back{255, 255, 255};
    Rgb fore{60, 60, 60};
};

// Clear, frame, signature row: everything but the text.
void DrawHeader(PixelSurface& surface, const Settings& settings, const FillerSource& random);

// The whole coded picture of text, in one go.
void Encode(PixelSurface& surface, const std::string& text, const Settings& settings,
            const FillerSource& random);

struct Decoded {
    std::string signature;  // characters of the signature pixels
    int textSize = 0;       // red of the text-size pixel
    Rgb back;
    Rgb fore;
    std::string text;
    bool pastReadableRows = false;  // something was written below the rows that are read back
};

// Reads the signature row and every text pixel of rows 3-117.
Decoded Decode(const PixelSurface& surface);

// Characters of row 2, x 2-197, empty pixels skipped: what the picture check compares.
std::string SignatureRowText(const PixelSurface& surface);

// A coded picture is 200 x 120 and its signature row begins with the maker's name.
bool IsCodedPicture(int width, int height, const std::string& signatureRow);

}  // namespace Codec
