#include "Main.h"
#include "Messages.h"
#include "OutputRoutines.h"
#include "TextLines.h"

#include <QFontMetricsF>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace {

constexpr double kTwipsPerInch = 1440.0;

// A font sized in twips (1 point = 20 twips), for a painter that works in twips.
QFont TwipFont(double points, bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(static_cast<int>(points * 20));
    f.setBold(bold);
    return f;
}

// Prints text with its top at (x, y), as the printer's current position places it.
void PrintAt(QPainter& painter, double x, double y, const QString& text)
{
    const QFontMetricsF metrics(painter.font());
    painter.drawText(QPointF(x, y + metrics.ascent()), text);
}

class PrintFailed {};

void Require(bool ok)
{
    if (!ok)
        throw PrintFailed();
}

}  // namespace

namespace Module1 {

void PrintRule(QPainter& painter, double x, double y, int red, int green, int blue, double pageWidth)
{
    painter.setPen(QColor(red, green, blue));
    const double dash = QFontMetricsF(painter.font()).horizontalAdvance(QStringLiteral("-"));
    QString rule;
    for (double current = x; current + dash <= pageWidth - x; current += dash)
        rule += QLatin1Char('-');
    PrintAt(painter, x, y, rule);
}

void PrintText(Main& main, const QString& name)
{
    if (!AskYesNo(&main, QStringLiteral("Would you print the complete text?"), QStringLiteral("Print")))
        return;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    std::unique_ptr<QPrinter> printer;
    QPainter painter;
    try {
        Require(!info.isNull());
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer->setCopyCount(1);
        printer->setPageOrientation(QPageLayout::Portrait);
        printer->setDocName(QStringLiteral("Glyphix ") + name);
        Require(painter.begin(printer.get()));
        // One painter unit is one twip from the top-left corner of the printable area.
        const double scale = printer->resolution() / kTwipsPerInch;
        painter.scale(scale, scale);
        const double pageWidth = printer->pageLayout().paintRectPixels(printer->resolution()).width() / scale;

        painter.setFont(TwipFont(16, true));
        painter.setPen(QColor(0, 90, 0));
        PrintAt(painter, 600, 450, name);
        PrintRule(painter, 600, 900, 100, 40, 40, pageWidth);
        painter.setFont(TwipFont(9, true));
        painter.setPen(QColor(60, 0, 0));
        PrintAt(painter, 10440, 780, QStringLiteral("Glyphix"));
        painter.setPen(QColor(40, 40, 40));
        painter.setFont(TwipFont(11, false));

        FillLineList(main);
        double y = 1500;
        bool pageBreakDue = false;
        for (int i = 0; i < main.List1->count(); ++i) {
            // The break comes when a line needs the next page, so no blank page ends the document.
            if (pageBreakDue) {
                Require(printer->newPage());
                pageBreakDue = false;
            }
            PrintAt(painter, 600, y, main.List1->item(i)->text());
            y += 270;
            if (y > 15600) {
                pageBreakDue = true;
                y = 600;
            }
        }
        Require(painter.end());
        Require(printer->printerState() != QPrinter::Error);
    } catch (const PrintFailed&) {
        // A job that failed half-way is withdrawn, not sent.
        if (printer && painter.isActive()) {
            printer->abort();
            painter.end();
        }
        ShowMessage(&main, QStringLiteral("No printer or printer offline!"), QMessageBox::Critical,
                    QStringLiteral(" Error"));
    }
}

}  // namespace Module1
