// The lines a text takes in the text box: its hard line breaks and the places where the box
// wraps it to its width. Laid out without a widget, so the window and the command line agree.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace DisplayedLines {

// The text box's width inside its frame and scroll bar, in pixels, in the main window.
constexpr int TextBoxViewportWidth = 480;
// The margin the text box keeps on either side of its text, and its tab stops, in pixels.
constexpr qreal TextBoxMargin = 4;
constexpr qreal TextBoxTabStop = 80;

// The text box's font at a text size in points.
QFont TextBoxFont(double points);

// The displayed lines of text (paragraphs separated by '\n' or U+2029), without line-break
// characters; an empty text gives one empty line. Wraps as the text box does: at word
// boundaries, or anywhere in a word longer than the line.
QStringList Of(const QString& text, const QFont& font, qreal viewportWidth = TextBoxViewportWidth,
               qreal margin = TextBoxMargin, qreal tabStop = TextBoxTabStop);

}  // namespace DisplayedLines
