// The window with the largest texts: typing at the end of a long text beside a bare text
// edit of the same font and width (the toolkit's floor, measured in the same run), opening
// a 2 MiB text file, and laying out, saving, exporting and printing 200,000 characters.
// Prints medians and the targets.
#include "CodingRoutines.h"
#include "Controls.h"
#include "DisplayedLines.h"
#include "Main.h"
#include "OpenTekst.h"
#include "OutputRoutines.h"
#include "ProgramFolder.h"
#include "TextBox.h"
#include "TextLines.h"
#include "ToolsTexts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QListWidget>
#include <QPageLayout>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace {

double MedianMs(int runs, const std::function<void()>& work, const std::function<void()>& between = {})
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (between)
            between();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* what, double ms, double targetMs)
{
    std::printf("%-44s median %9.3f ms   target < %g ms   %s\n", what, ms, targetMs,
                ms < targetMs ? "met" : "NOT met");
}

void ReportAgainstFloor(const char* what, double ms, double floorMs)
{
    const double ratio = ms / floorMs;
    std::printf("%-44s median %9.3f ms   floor %9.3f ms   %.2fx   target <= 1.5x   %s\n", what, ms, floorMs, ratio,
                ratio <= 1.5 ? "met" : "NOT met");
}

// A text of about n characters: lines of prose with line breaks, or one paragraph.
QByteArray Prose(int n, bool paragraphs)
{
    const QByteArray sentence = "The quick brown fox jumps over the lazy dog near the river bank";
    QByteArray text;
    while (text.size() < n)
        text += sentence + (paragraphs ? "\r\n" : " ");
    text.truncate(n);
    return text;
}

// Typing one character at the end of each box in turn, until the box has taken it and
// painted; the character is removed again outside the timing. Turns alternate between the
// boxes so that both see the same machine. Medians of each.
std::pair<double, double> TypingMs(QPlainTextEdit* ours, QPlainTextEdit* floor)
{
    std::vector<double> times[2];
    QPlainTextEdit* boxes[2] = {ours, floor};
    for (QPlainTextEdit* box : boxes) {
        box->activateWindow();
        box->setFocus();
        box->moveCursor(QTextCursor::End);
    }
    QApplication::processEvents();
    for (int i = 0; i < 301; ++i) {
        for (int b = 0; b < 2; ++b) {
            QPlainTextEdit* box = boxes[b];
            const auto start = std::chrono::steady_clock::now();
            QTest::keyClick(box, Qt::Key_X);
            QApplication::processEvents();
            times[b].push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            QTest::keyClick(box, Qt::Key_Backspace);
            QApplication::processEvents();
        }
    }
    for (auto& t : times)
        std::sort(t.begin(), t.end());
    return {times[0][times[0].size() / 2], times[1][times[1].size() / 2]};
}

// Answers the next input box with text, as the user types it.
void AnswerNextInputBox(const QString& text)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, text] {
        if (auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
            box->setTextValue(text);
            box->accept();
            poll->deleteLater();
        }
    });
    poll->start(0);
}

}  // namespace

int main(int argc, char* argv[])
{
    // The offscreen platform notes every dialog it cannot size; the figures are what matter.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (!message.contains(QLatin1String("propagateSizeHints")))
            std::fprintf(stderr, "%s%s\n", type == QtDebugMsg ? "" : "warning: ", qPrintable(message));
    });
    QApplication app(argc, argv);
    QTemporaryDir folder;
    Module1::SetProgramFolder(folder.path());
    Module1::SetPausesEnabled(false);
    Module1::SetUrlOpener([](const QString&) {});
    QDir(folder.path()).mkpath(QStringLiteral("Pictures"));
    Main window;
    window.show();

    // The floor: a bare text edit of the same font, size, width and wrapping.
    QPlainTextEdit bare;
    bare.setFont(window.Text1->font());
    bare.setLineWrapMode(window.Text1->lineWrapMode());
    bare.setWordWrapMode(window.Text1->wordWrapMode());
    bare.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    bare.resize(window.Text1->size());
    bare.show();

    std::printf("The window with large texts (medians)\n");
    for (bool paragraphs : {true, false}) {
        const QByteArray text = Prose(65000, paragraphs);
        window.Text1->SetText(text);
        bare.setPlainText(window.Text1->toPlainText());
        const auto [ours, floor] = TypingMs(window.Text1, &bare);
        ReportAgainstFloor(paragraphs ? "typing at the end of 65,000 characters" : "typing at the end of one paragraph",
                           ours, floor);
    }

    // Open Textfile with a 2 MiB file: from the dialog's OK to the text shown.
    const QString texts = folder.path() + Module1::TextsFolderPart();
    QDir().mkpath(texts);
    {
        QFile file(texts + QStringLiteral("large.txt"));
        if (!file.open(QIODevice::WriteOnly) || file.write(Prose(2 * 1024 * 1024, true)) != 2 * 1024 * 1024)
            return 1;
    }
    const double open = MedianMs(
        5,
        [&] {
            OpenTekst dialog(window);
            dialog.List1->setCurrentRow(0);
            dialog.OkKnop_Click();
            QApplication::processEvents();
        },
        [&] { window.Text1->SetText(QByteArray()); });
    if (window.Text1->CharacterCount() != 0)
        return 1;
    Report("Open Textfile, 2 MiB", open, 300);

    window.Text1->SetText(Prose(200000, true));
    QApplication::processEvents();
    Report("FillLineList, 200,000 characters", MedianMs(11, [&] { Module1::FillLineList(window); }), 500);
    {
        // The text box's lines (behind Save Textfile, Print and the export) of 2 MiB in one
        // paragraph: one letter, with no place to break, against words, in the same run.
        constexpr int Size = 2 * 1024 * 1024;
        const QString run(Size, QLatin1Char('x'));
        const QString words = QString::fromLatin1(Prose(Size, false));
        QPlainTextEdit* box = window.Text1;
        auto lines = [&](const QString& text) {
            return DisplayedLines::Of(text, box->font(), box->viewport()->width(), box->document()->documentMargin(),
                                      box->tabStopDistance());
        };
        const double ofRun = MedianMs(5, [&] { lines(run); });
        const double ofWords = MedianMs(5, [&] { lines(words); });
        std::printf("%-44s median %9.3f ms   words %9.3f ms   %.2fx   target <= 2x   %s\n",
                    "lines of 2 MiB of one letter", ofRun, ofWords, ofRun / ofWords, ofRun <= 2 * ofWords ? "met" : "NOT met");
    }
    int saved = 0;
    Report("Save Textfile, 200,000 characters", MedianMs(11, [&] {
               AnswerNextInputBox(QStringLiteral("saved %1").arg(++saved));
               window.FileIndex[6]->trigger();
           }), 500);
    int exported = 0;
    Report("PDF export, 200,000 characters", MedianMs(11, [&] {
               AnswerNextInputBox(QStringLiteral("exported %1").arg(++exported));
               QTest::mouseClick(window.Image4, Qt::LeftButton);
           }), 500);
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    const QString job = folder.path() + QStringLiteral("/job.pdf");
    Report("print job's preparation, 200,000 characters",
           MedianMs(11, [&] { Module1::DrawPrintJob(window, QStringLiteral("Large"), a4, job); }), 500);
    if (QDir(texts).entryList({QStringLiteral("saved*.txt")}).size() != saved
        || QDir(folder.path() + Module1::PdfFolderPart()).entryList({QStringLiteral("*.pdf")}).size() != exported
        || !QFile::exists(job)) {
        std::fprintf(stderr, "a document was not written\n");
        return 1;
    }

    window.Text1->SetText(Prose(67620, true));
    Module1::TextToPicture(window);
    Report("decoding a full picture", MedianMs(21, [&] { Module1::PictureToText(window); }), 50);
    return 0;
}
