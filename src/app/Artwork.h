// The pictures of the image buttons and the window icon, drawn at start.
#pragma once

#include <QIcon>
#include <QPixmap>

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
// 32 x 32: a border of randomly coloured pixels around a white centre with a black label.
QIcon WindowIcon();

}  // namespace Artwork
