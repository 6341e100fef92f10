// Output of the text: printing on the default printer and export to a PDF document.
#pragma once

#include <QString>

class Main;
class QPageLayout;
class QPainter;

namespace Module1 {

// Asks, then prints the displayed lines of the text with a header on the default printer.
void PrintText(Main& main, const QString& name);

// Draws the printout into a PDF document at path, laid out on the given page: the header on
// the first page, then the displayed lines of the text. This is the job handed to the queue.
// False when the document could not be drawn.
bool DrawPrintJob(Main& main, const QString& name, const QPageLayout& layout, const QString& path);

// Prints the dashed rule from (x, y) rightwards, leaving a margin of x on the right too.
// Coordinates are twips; pageWidth is the printable width in twips.
void PrintRule(QPainter& painter, double x, double y, int red, int green, int blue, double pageWidth);

// Writes the displayed lines of the text to "<program folder>/Pdf/<name>.pdf" and opens it.
// False (after telling the user) when the document could not be written.
bool ExportPdf(Main& main, const QString& name);

}  // namespace Module1
