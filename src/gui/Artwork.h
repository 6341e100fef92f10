// The pictures of the image buttons and the window icon, drawn at start.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRandomGenerator>

#include <array>

namespace Artwork {

constexpr int ButtonSize = 36;

QPixmap ArrowLeft();   // green arrow pointing left: text to picture
QPixmap ArrowRight();  // green arrow pointing right: picture to text
QPixmap Printer();
QPixmap PdfPage();     // a page with a red PDF mark
QPixmap OkMark();      // green tick
QPixmap CancelMark();  // red cross
// White text on a bevelled square of the given colour (the open-text dialog's buttons).
QPixmap BevelButton(const QString& text, const QColor& colour);
// The colour dialog's decorative 64 x 64 picture: a wheel of hues.
QPixmap ColourWheel();
// The window icon's design: a border of randomly coloured cells, like a coded picture,
// around a white centre with a short black label, on a grid of 32 x 32 cells.
struct IconDesign {
    static constexpr int Cells = 32;
    static constexpr int Border = 6;
    static constexpr int LabelPixels = 9;  // label height in cells
    static QString Label() { return QStringLiteral("Hqc"); }
    static bool InBorder(int x, int y)
    {
        return x < Border || y < Border || x >= Cells - Border || y >= Cells - Border;
    }
    // Colours of the border cells, row by row.
    std::array<QRgb, Cells * Cells - (Cells - 2 * Border) * (Cells - 2 * Border)> border{};
};
IconDesign MakeIconDesign(QRandomGenerator& random);
// The design drawn at size x size pixels.
QImage IconImage(const IconDesign& design, int size);
// The window icon: the design with colours of its own at every start.
QIcon WindowIcon();

}  // namespace Artwork
