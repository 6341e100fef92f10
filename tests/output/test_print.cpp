// Printing through a real CUPS queue (a cups-pdf printer made the default by cups-queue.sh).
// What the program handed to CUPS is read from the job's spooled file; what the queue made of
// it from the PDF that cups-pdf writes.
#include "ModalAnswerer.h"
#include "TextLines.h"
#include "WindowFixture.h"

#include <QProcess>
#include <QRegularExpression>
#include "TestFiles.h"

#include <QtTest>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString kQueue = QStringLiteral("HuecipherTest");


// Highest job number of the queue that CUPS reports as completed.
int LastCompletedJob()
{
    int last = 0;
    const QRegularExpression job("^" + kQueue + "-(\\d+)\\s", QRegularExpression::MultilineOption);
    auto it = job.globalMatch(Run("lpstat", {"-W", "completed", "-o", kQueue}));
    while (it.hasNext())
        last = std::max(last, it.next().captured(1).toInt());
    return last;
}

QString SpoolFile(int job)
{
    return QStringLiteral("/var/spool/cups/d%1-001").arg(job, 5, 10, QLatin1Char('0'));
}

// The PDF that cups-pdf wrote for the job, in the printing user's PDF folder.
QString QueueOutput(int job)
{
    const passwd* user = getpwuid(getuid());
    const QDir folder(QString::fromLocal8Bit(user ? user->pw_dir : "/root") + "/PDF");
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
    int PrintAndWait(Main& m)
    {
        const int before = LastCompletedJob();
        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::Yes);
        m.Image3_Click();
        if (!answers.AllAnswered() || answers.messages.at(0).text != QStringLiteral("Would you print the complete text?")
            || answers.messages.at(0).title != QStringLiteral("Print"))
            return -1;
        int job = 0;
        if (!WaitFor([&] { return (job = LastCompletedJob()) > before; }, 60000)
            || !WaitFor([&] { return !QueueOutput(job).isEmpty(); }, 30000))
            return -1;
        return job;
    }

private slots:
    void initTestCase()
    {
        if (getuid() != 0)
            QSKIP("reading the CUPS spool needs root (as in CI)");
        QVERIFY2(Run("lpstat", {"-d"}).contains(kQueue), "run tests/output/cups-queue.sh first");
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
