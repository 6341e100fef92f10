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
// 32 x 32: a border of randomly coloured pixels around a white centre with a black label.
QIcon WindowIcon();

}  // namespace Artwork
