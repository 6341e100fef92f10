// Printing through a real CUPS queue (a cups-pdf printer made the default by cups-queue.sh).
// What the program handed to CUPS is read from the job's spooled file; what the queue made of
// it from the PDF that cups-pdf writes.
#include "ModalAnswerer.h"
#include "TextLines.h"
#include "WindowFixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include "TestFiles.h"

#include <QtTest>

#include <unistd.h>

namespace {

const QString kQueue = QStringLiteral("HuecipherTest");


const QString kMarginsQueue = QStringLiteral("HuecipherMargins");

// Highest job number of the queue that CUPS reports as completed.
int LastCompletedJob(const QString& queue = kQueue)
{
    int last = 0;
    const QRegularExpression job("^" + queue + "-(\\d+)\\s", QRegularExpression::MultilineOption);
    auto it = job.globalMatch(Run("lpstat", {"-W", "completed", "-o", queue}));
    while (it.hasNext())
        last = std::max(last, it.next().captured(1).toInt());
    return last;
}

// The folder of the test run's own print server (tests/gui/cups-queue.sh).
QString ServerFolder()
{
    return qEnvironmentVariable("HUECIPHER_CUPS_DIR");
}

QString SpoolFile(int job)
{
    return ServerFolder() + QStringLiteral("/spool/d%1-001").arg(job, 5, 10, QLatin1Char('0'));
}

// The PDF that cups-pdf wrote for the job, in the server's own output folder.
QString QueueOutput(int job)
{
    const QDir folder(ServerFolder() + "/pdf");
    const QStringList found = folder.entryList({QStringLiteral("*job_%1.pdf").arg(job)}, QDir::Files);
    return found.isEmpty() ? QString() : folder.filePath(found.first());
}

QString PageText(const QString& path, int page)
{
    return Run("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), "-layout", path, "-"});
}

int PageCount(const QString& path)
{
    const auto m = QRegularExpression("Pages:\\s+(\\d+)").match(Run("pdfinfo", {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Lets events run until done() holds or ms have passed.
template <typename Done>
bool WaitFor(Done done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QTest::qWait(100);
    }
    return true;
}

// One run of text as the printed document draws it: positions in twips from the page's
// top-left corner, the glyph's baseline for y.
struct Glyph {
    QString text;
    double x;
    double y;
    double right;  // x plus the glyph's advance
};
struct TextRun {
    int page = 0;
    QString font;
    double size = 0;  // twips
    QColor colour;
    QList<Glyph> glyphs;
    QString Text() const
    {
        QString t;
        for (const Glyph& g : glyphs)
            t += g.text;
        return t;
    }
};

QList<double> Numbers(const QString& text)
{
    QList<double> out;
    for (const QString& n : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        out << n.toDouble();
    return out;
}

// Reads every text run of the document with mutool trace.
QList<TextRun> TraceRuns(const QString& pdf)
{
    QList<TextRun> runs;
    QXmlStreamReader xml(Run("mutool", {"trace", pdf}));
    int page = 0;
    QList<double> ctm;
    QColor colour;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            page = a.value("number").toInt();
        } else if (xml.name() == QLatin1String("fill_text")) {
            ctm = Numbers(a.value("transform").toString());
            const QList<double> c = Numbers(a.value("color").toString());
            colour = c.size() == 3 ? QColor(qRound(c[0] * 255), qRound(c[1] * 255), qRound(c[2] * 255)) : QColor();
        } else if (xml.name() == QLatin1String("span") && ctm.size() == 6) {
            TextRun run;
            run.page = page;
            run.font = a.value("font").toString();
            run.size = qAbs(Numbers(a.value("trm").toString()).value(0)) * ctm[0] * 20;
            run.colour = colour;
            runs << run;
        } else if (xml.name() == QLatin1String("g") && !runs.isEmpty() && ctm.size() == 6) {
            const double x = a.value("x").toDouble();
            const double y = a.value("y").toDouble();
            const double px = (ctm[0] * x + ctm[2] * y + ctm[4]) * 20;
            const double py = (ctm[1] * x + ctm[3] * y + ctm[5]) * 20;
            // The blank's glyph is mapped to a tab in the printed document's character map.
            QString text = a.value("unicode").toString();
            if (text == QLatin1String("\t"))
                text = QStringLiteral(" ");
            runs.last().glyphs << Glyph{text, px, py,
                                        px + a.value("adv").toDouble() * runs.last().size};
        }
    }
    return runs;
}

// The top of a run's text: its baseline less the ascent of Liberation Sans (1854/2048 em).
double Top(const TextRun& run)
{
    return run.glyphs.value(0).y - run.size * 1854.0 / 2048.0;
}

QByteArray Lines(int n)
{
    QByteArray text;
    for (int i = 1; i <= n; ++i)
        text += "Printed line " + QByteArray::number(i) + (i < n ? "\r\n" : "");
    return text;
}

}  // namespace

class TestPrint : public QObject {
    Q_OBJECT
private:
    // Prints the window's text (answering Yes) and waits for the queue to finish the job.
    int PrintAndWait(Main& m, const QString& queue = kQueue)
    {
        const int before = LastCompletedJob(queue);
        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::Yes);
        m.Image3_Click();
        if (!answers.AllAnswered() || answers.messages.at(0).text != QStringLiteral("Would you print the complete text?")
            || answers.messages.at(0).title != QStringLiteral("Print"))
            return -1;
        int job = 0;
        if (!WaitFor([&] { return (job = LastCompletedJob(queue)) > before; }, 60000)
            || !WaitFor([&] { return !QueueOutput(job).isEmpty(); }, 30000))
            return -1;
        return job;
    }

private slots:
    void initTestCase()
    {
        if (getuid() != 0)
            QSKIP("reading the CUPS spool needs root (as in CI)");
        QVERIFY2(!ServerFolder().isEmpty() && qEnvironmentVariable("CUPS_SERVER") == ServerFolder() + "/cups.sock",
                 "the test's own print server is not set (tests/gui/cups-queue.sh)");
        QVERIFY2(Run("lpstat", {"-d"}).contains(kQueue), "the test's own print server did not start (set-up failed)");
    }

    void headerAndLinesOnTwoPages()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->SetText(Lines(54));
        const int job = PrintAndWait(m);
        QVERIFY(job > 0);
        QCOMPARE(PageCount(QueueOutput(job)), 2);

        const QString spooled = SpoolFile(job);
        QVERIFY2(QFileInfo::exists(spooled), qPrintable(spooled));
        QCOMPARE(PageCount(spooled), 2);
        const QString first = PageText(spooled, 1);
        QVERIFY2(first.contains("Filename"), qPrintable(first));
        QVERIFY(first.contains("Glyphix"));
        QVERIFY(first.contains(QString(40, QLatin1Char('-'))));
        for (int i = 1; i <= 53; ++i)
            QVERIFY(first.contains(QStringLiteral("Printed line %1\n").arg(i)));
        QVERIFY(first.indexOf("Printed line 1\n") < first.indexOf("Printed line 53\n"));
        const QString second = PageText(spooled, 2);
        QVERIFY(second.contains("Printed line 54"));
        QVERIFY(!second.contains("Glyphix") && !second.contains("Filename"));
    }

    void layoutFromTheCornerOfThePrintableArea()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->SetText(Lines(60));
        m.SetDocumentName("Layout");
        const int job = PrintAndWait(m);
        QVERIFY(job > 0);
        const QList<TextRun> runs = TraceRuns(SpoolFile(job));
        QVERIFY2(runs.size() >= 4, qPrintable(QString::number(runs.size())));
        auto find = [&](const QString& text) {
            for (const TextRun& r : runs)
                if (r.Text() == text)
                    return r;
            return TextRun();
        };

        const TextRun name = find("Layout");
        QCOMPARE(name.page, 1);
        QCOMPARE(name.font, QStringLiteral("LiberationSans-Bold"));
        QCOMPARE(qRound(name.size), 320);
        QCOMPARE(name.colour, QColor(0, 90, 0));
        QCOMPARE(qRound(name.glyphs[0].x), 600);
        QCOMPARE(qRound(Top(name)), 450);

        // The rule runs across A4 (11,906 twips) with 600 twips to spare on either side.
        const TextRun rule = find(QString(100, QLatin1Char('-')));
        QCOMPARE(rule.glyphs.size(), 100);
        QCOMPARE(rule.font, QStringLiteral("LiberationSans-Bold"));
        QCOMPARE(qRound(rule.size), 320);
        QCOMPARE(rule.colour, QColor(100, 40, 40));
        QCOMPARE(qRound(rule.glyphs.first().x), 600);
        QCOMPARE(qRound(Top(rule)), 900);
        QVERIFY2(rule.glyphs.last().right <= 11306.5, qPrintable(QString::number(rule.glyphs.last().right)));
        QVERIFY(rule.glyphs.last().right + (rule.glyphs.last().right - rule.glyphs.last().x) > 11306);

        const TextRun label = find("Glyphix");
        QCOMPARE(label.font, QStringLiteral("LiberationSans-Bold"));
        QCOMPARE(qRound(label.size), 180);
        QCOMPARE(label.colour, QColor(60, 0, 0));
        QCOMPARE(qRound(label.glyphs[0].x), 10440);
        QCOMPARE(qRound(Top(label)), 780);

        for (int i = 1; i <= 60; ++i) {
            const TextRun line = find(QStringLiteral("Printed line %1").arg(i));
            QVERIFY2(!line.glyphs.isEmpty(), qPrintable(QString::number(i)));
            QCOMPARE(line.page, i <= 53 ? 1 : 2);
            QCOMPARE(line.font, QStringLiteral("LiberationSans"));
            QCOMPARE(qRound(line.size), 220);
            QCOMPARE(line.colour, QColor(40, 40, 40));
            QCOMPARE(qRound(line.glyphs[0].x), 600);
            const int top = i <= 53 ? 1500 + 270 * (i - 1) : 600 + 270 * (i - 54);
            QVERIFY2(qAbs(Top(line) - top) < 0.5, qPrintable(QString::number(i)));
        }
    }

    void hardwareMarginsMoveEverythingInside()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->SetText(Lines(2));
        Run("lpadmin", {"-d", kMarginsQueue});
        const int job = PrintAndWait(m, kMarginsQueue);
        Run("lpadmin", {"-d", kQueue});
        QVERIFY(job > 0);
        const QList<TextRun> runs = TraceRuns(SpoolFile(job));
        // The printable area begins 18 points (360 twips) in from the paper's edges.
        bool sawName = false;
        bool sawRule = false;
        bool sawLine = false;
        for (const TextRun& r : runs) {
            if (r.Text() == QLatin1String("Filename")) {
                sawName = true;
                QCOMPARE(qRound(r.glyphs[0].x), 960);
                QCOMPARE(qRound(Top(r)), 810);
            } else if (r.Text().startsWith(QLatin1String("---"))) {
                sawRule = true;
                QCOMPARE(qRound(r.glyphs.first().x), 960);
                QVERIFY(r.glyphs.last().right <= 11906 - 360 - 600 + 0.5);
            } else if (r.Text() == QLatin1String("Printed line 1")) {
                sawLine = true;
                QCOMPARE(qRound(r.glyphs[0].x), 960);
                QVERIFY(qAbs(Top(r) - 1860) < 0.5);
            }
        }
        QVERIFY(sawName && sawRule && sawLine);
    }

    // A queue that refuses jobs, and one that is stopped (it would take the job and hold it):
    // both are off line for the user, and no job is left behind.
    void aQueueThatRefusesOrHoldsJobsIsReported()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->SetText("refused");
        for (const auto& [off, on] : {std::pair{"cupsreject", "cupsaccept"}, std::pair{"cupsdisable", "cupsenable"}}) {
            Run(off, {kQueue});
            const int before = LastCompletedJob();
            ModalAnswerer answers;
            answers.ThenPress(QMessageBox::Yes);
            answers.ThenPress(QMessageBox::Ok);
            QTest::mouseClick(m.Image3, Qt::LeftButton);
            const QString waiting = Run("lpstat", {"-o", kQueue}).trimmed();
            Run(on, {kQueue});
            QVERIFY(answers.AllAnswered());
            QCOMPARE(answers.messages.size(), size_t(2));
            QCOMPARE(answers.messages[1].text, QStringLiteral("No printer or printer offline!"));
            QCOMPARE(answers.messages[1].title, QStringLiteral(" Error"));
            QCOMPARE(answers.messages[1].icon, QMessageBox::Critical);
            QVERIFY2(waiting.isEmpty(), qPrintable(waiting));
            QTest::qWait(500);
            QCOMPARE(LastCompletedJob(), before);
            QVERIFY(Run("lpstat", {"-o", kQueue}).trimmed().isEmpty());
        }
    }

    // A queue that takes jobs but refuses this one (its quota for the week is used up): off line
    // for the user too, and no job is left behind.
    void aQueueOverItsQuotaIsReported()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->SetText("over the quota");
        QTemporaryFile earlier;
        QVERIFY(earlier.open() && earlier.write(QByteArray(4096, 'q')) == 4096 && earlier.flush());
        Run("lp", {"-d", kQueue, earlier.fileName()});  // uses the quota up
        Run("lpadmin", {"-p", kQueue, "-o", "job-k-limit=1", "-o", "job-quota-period=604800"});
        QTRY_VERIFY_WITH_TIMEOUT(Run("lpstat", {"-o", kQueue}).trimmed().isEmpty(), 20000);
        const int before = LastCompletedJob();
        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::Yes);
        answers.ThenPress(QMessageBox::Ok);
        QTest::mouseClick(m.Image3, Qt::LeftButton);
        Run("lpadmin", {"-p", kQueue, "-o", "job-k-limit=0", "-o", "job-quota-period=0"});
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.size(), size_t(2));
        QCOMPARE(answers.messages[1].text, QStringLiteral("No printer or printer offline!"));
        QTest::qWait(500);
        QCOMPARE(LastCompletedJob(), before);
        QVERIFY(Run("lpstat", {"-o", kQueue}).trimmed().isEmpty());
    }

    void fiftyThreeLinesMakeOnePageUnderTheDocumentName()
    {
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->SetText(Lines(53) + "\r\n\t");
        m.SetDocumentName("Brief");
        // 54 displayed lines: the 54th holds only a tab, so it goes to page 2.
        int job = PrintAndWait(m);
        QVERIFY(job > 0);
        QCOMPARE(PageCount(SpoolFile(job)), 2);
        m.Text1->SetText(Lines(53));
        job = PrintAndWait(m);
        QVERIFY(job > 0);
        QCOMPARE(PageCount(SpoolFile(job)), 1);  // no blank page after the break
        QCOMPARE(PageCount(QueueOutput(job)), 1);
        QVERIFY(PageText(SpoolFile(job), 1).contains("Brief"));
    }

    void aTextOfTwoHundredThousandCharacters()
    {
        WindowFixture f;
        Main& m = *f.main;
        const QByteArray text = TwoHundredThousandCharacters();
        m.Text1->SetText(text);
        QStringList lines;
        Module1::GetWrappedLines(m.Text1, lines);
        const int job = PrintAndWait(m);
        QVERIFY(job > 0);
        const int expected = 1 + (static_cast<int>(lines.size()) - 53 + 55) / 56;
        QCOMPARE(PageCount(SpoolFile(job)), expected);
        QCOMPARE(PageCount(QueueOutput(job)), expected);
    }

    void noAndBlankPrintNothing()
    {
        WindowFixture f;
        Main& m = *f.main;
        const int before = LastCompletedJob();
        ModalAnswerer answers;
        m.Text1->SetText("   ");
        m.Image3_Click();  // blank: not even the question
        m.Text1->SetText("something");
        answers.ThenPress(QMessageBox::No);
        m.Image3_Click();
        QVERIFY(answers.AllAnswered());
        QCOMPARE(int(answers.messages.size()), 1);
        QTest::qWait(1000);
        QCOMPARE(LastCompletedJob(), before);
        QVERIFY(Run("lpstat", {"-o", kQueue}).trimmed().isEmpty());
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
