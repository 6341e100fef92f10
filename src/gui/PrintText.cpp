#include "Main.h"
#include "Messages.h"
#include "OutputRoutines.h"
#include "TextLines.h"

#include <QFontMetricsF>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <cstdlib>
#include <cstring>

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

// The printer's paper, upright, with its printable area as the margins: positions count from
// the top-left corner of what the printer can print, the paper's edge on a borderless one.
QPageLayout PrintableLayout(const QPrinterInfo& info)
{
    QPrinter device(info, QPrinter::HighResolution);
    QPageLayout layout = device.pageLayout();
    layout.setOrientation(QPageLayout::Portrait);
    layout.setMargins(layout.minimumMargins());
    return layout;
}

// Whether the queue (of "name" or "name/instance") would print a job now: it is known, it
// accepts jobs, and it is not stopped or paused.
bool QueueIsReady(const QString& printerName)
{
    const QByteArray queue = printerName.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (!dest)
        return false;
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool ready = !(state && std::atoi(state) == IPP_PSTATE_STOPPED)
        && !(accepting && std::strcmp(accepting, "false") == 0);
    cupsFreeDests(1, dest);
    return ready;
}

// Whether the queue holds the job rather than printing it.
bool JobIsHeld(const QByteArray& queue, int id)
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 0, CUPS_WHICHJOBS_ACTIVE);
    bool held = false;
    for (int i = 0; i < count; ++i)
        if (jobs[i].id == id)
            held = jobs[i].state == IPP_JSTATE_HELD || jobs[i].state == IPP_JSTATE_STOPPED;
    cupsFreeJobs(count, jobs);
    return held;
}

// Hands the finished document to the queue (of "name" or "name/instance"); false when the
// queue does not take it (not accepting jobs, stopped scheduler, refused document). The queue's
// own defaults apply; the document carries its paper size.
bool SubmitJob(const QString& printerName, const QString& path, const QString& title)
{
    const QByteArray queue = printerName.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const int job = cupsPrintFile(queue.constData(), QFile::encodeName(path).constData(),
                                  title.toLocal8Bit().constData(), 0, nullptr);
    if (job <= 0)
        return false;
    // A queue stopped meanwhile, or one that holds the job instead of printing it, would keep
    // it without a word: such a job is cancelled and reported as not printed.
    if (!QueueIsReady(printerName) || JobIsHeld(queue, job)) {
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
        return false;
    }
    return true;
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

namespace {

void DrawJob(Main& main, const QString& name, const QPageLayout& layout, const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setCopyCount(1);
    Require(printer.setPageLayout(layout));
    printer.setDocName(QStringLiteral("Glyphix ") + name);
    QPainter painter;
    Require(painter.begin(&printer));
    // One painter unit is one twip from the top-left corner of the printable area.
    const double scale = printer.resolution() / kTwipsPerInch;
    painter.scale(scale, scale);
    const double pageWidth = printer.pageLayout().paintRectPixels(printer.resolution()).width() / scale;

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
            Require(printer.newPage());
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
    Require(printer.printerState() != QPrinter::Error);
}

}  // namespace

bool DrawPrintJob(Main& main, const QString& name, const QPageLayout& layout, const QString& path)
{
    try {
        DrawJob(main, name, layout, path);
        return true;
    } catch (const PrintFailed&) {
        return false;
    }
}

void PrintText(Main& main, const QString& name)
{
    if (!AskYesNo(&main, QStringLiteral("Would you print the complete text?"), QStringLiteral("Print")))
        return;
    try {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        Require(!info.isNull() && QueueIsReady(info.printerName()));
        // The job is drawn into a document of its own and then handed to the queue, so that a
        // queue that refuses it is a failure the user hears of rather than a job that vanishes.
        QTemporaryFile document(QDir::tempPath() + QStringLiteral("/huecipher-print-XXXXXX.pdf"));
        Require(document.open());
        document.close();
        Require(DrawPrintJob(main, name, PrintableLayout(info), document.fileName()));
        Require(SubmitJob(info.printerName(), document.fileName(), QStringLiteral("Glyphix ") + name));
    } catch (const PrintFailed&) {
        ShowMessage(&main, QStringLiteral("No printer or printer offline!"), QMessageBox::Critical,
                    QStringLiteral(" Error"));
    }
}

}  // namespace Module1
