// PDF export through the real window: pages, lines, watermark, fonts, failures.
#include "ModalAnswerer.h"
#include "TextLines.h"
#include "ToolsTexts.h"
#include "WindowFixture.h"

#include <QProcess>
#include <QRegularExpression>
#include "TestFiles.h"

#include <QtTest>

namespace {



QByteArray Lines(int n)
{
    QByteArray text;
    for (int i = 1; i <= n; ++i)
        text += "Line " + QByteArray::number(i) + (i < n ? "\r\n" : "");
    return text;
}

// Text of one page; turned text (the watermark) comes apart, so it is read raw.
QString PageText(const QString& path, int page, bool raw = false)
{
    QStringList args = {"-f", QString::number(page), "-l", QString::number(page)};
    if (raw)
        args << "-raw";
    return Run("pdftotext", args << path << "-");
}

bool HasWatermark(const QString& path, int page)
{
    return PageText(path, page, true).remove(QRegularExpression("\\s")).contains("hollowbrandt.org");
}

// The data of every page's content stream, in page order (as the page tree lists them).
QList<QByteArray> PageStreams(const QByteArray& pdf)
{
    QList<QByteArray> streams;
    const auto kids = QRegularExpression("/Kids \\[([0-9 R]*)\\]").match(QString::fromLatin1(pdf));
    if (!kids.hasMatch())
        return streams;
    auto it = QRegularExpression("(\\d+) 0 R").globalMatch(kids.captured(1));
    while (it.hasNext()) {
        const int content = it.next().captured(1).toInt() + 1;  // a page's content stream follows it
        const int at = pdf.indexOf("\r\n" + QByteArray::number(content) + " 0 obj\r\n");
        const int begin = pdf.indexOf("stream\r\n", at) + 8;
        const int end = pdf.indexOf("endstream\r\n", begin);
        if (at < 0 || begin < 8 || end < 0)
            return {};
        streams << pdf.mid(begin, end - begin);
    }
    return streams;
}

struct PlacedLine {
    int page;
    double x;
    double y;
    QByteArray text;
};

// Every text line drawn in the stream: BT, the font, its Td position, its string, ET.
QList<PlacedLine> TextLines(const QByteArray& stream, int page)
{
    QList<PlacedLine> lines;
    const QRegularExpression block("BT\r\n/Fnt2 11 Tf\r\n([-0-9.]+) ([-0-9.]+) Td\r\n\\((.*)\\) Tj\r\nET\r\n");
    auto it = block.globalMatch(QString::fromLatin1(stream));
    while (it.hasNext()) {
        const auto m = it.next();
        lines.append({page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toLatin1()});
    }
    return lines;
}

}  // namespace

class TestExportPdf : public QObject {
    Q_OBJECT
private:
    QStringList m_opened;

    // Clicks the PDF button and names the document; reply answers a message that follows.
    void Export(Main& m, ModalAnswerer& answers, const QString& name,
                QMessageBox::StandardButton reply = QMessageBox::NoButton)
    {
        answers.ThenType(name);
        if (reply != QMessageBox::NoButton)
            answers.ThenPress(reply);
        m.Image4_Click();
    }

private slots:
    void init()
    {
        m_opened.clear();
        Module1::SetUrlOpener([this](const QString& address) { m_opened << address; });
    }

    void cleanup() { Module1::SetUrlOpener(nullptr); }

    void blankTextOrNameDoesNothing()
    {
        WindowFixture f;
        Main& m = *f.main;
        ModalAnswerer answers;
        m.Text1->SetText("    ");
        m.Image4_Click();  // no question at all
        m.Text1->SetText("\t");
        Export(m, answers, "   ");
        answers.ThenType("cancelled", false);
        m.Image4_Click();
        Export(m, answers, "../up", QMessageBox::Ok);
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.prompts.at(0).text, QStringLiteral("Enter a name for this PDF document..."));
        QCOMPARE(answers.prompts.at(0).title, QStringLiteral("Huecipher"));
        QCOMPARE(answers.messages.back().text, QStringLiteral("Invalid name, the PDF document was not written!"));
        QVERIFY(!QFileInfo::exists(f.dir.path() + "/Pdf") || QDir(f.dir.path() + "/Pdf").isEmpty());
        QVERIFY(m_opened.isEmpty());
    }

    void fiftyThreeLinesFillOnePageAndAWatermarkedSecond()
    {
        WindowFixture f;
        Main& m = *f.main;
        ModalAnswerer answers;
        m.Text1->SetText(Lines(53));
        Export(m, answers, "report");
        const QString path = f.dir.path() + "/Pdf/report.pdf";
        QCOMPARE(m_opened, QStringList({path}));
        int code = -1;
        const QString check = Run("qpdf", {"--check", path}, &code);
        QVERIFY2(code == 0 && !check.contains("WARNING"), qPrintable(check));
        QVERIFY(Run("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+2\\b")));
        const QString first = PageText(path, 1);
        for (int i = 1; i <= 53; ++i)
            QVERIFY(first.contains(QStringLiteral("Line %1\n").arg(i)));
        QVERIFY(!PageText(path, 2).contains("Line"));
        QVERIFY(HasWatermark(path, 1));
        QVERIFY(HasWatermark(path, 2));

        const QByteArray pdf = ReadAll(path);
        QVERIFY(pdf.contains("/Kids [14 0 R 17 0 R  ]"));
        QVERIFY(pdf.contains("/Title (Glyphix by Hollowbrandt)"));
        QVERIFY(pdf.contains("\r\n5 0 obj\r\n<< /Type /Font \r/Subtype /TrueType\r/Name /Fnt1\r/BaseFont /TimesNewRoman\r"));
        QVERIFY(pdf.contains("\r\n7 0 obj\r\n<< /Type /Font \r/Subtype /TrueType\r/Name /Fnt2\r/BaseFont /Arial,Italic\r"));
        QVERIFY(pdf.contains("\r\n9 0 obj\r\n<< /Type /Font \r/Subtype /TrueType\r/Name /Fnt3\r/BaseFont /CourierNew\r"));
        QVERIFY(pdf.contains("\r\n11 0 obj\r\n<< /Type /Font /Subtype /Type1 /Name /Fnt4 /BaseFont /CourierNew,BoldItalic"));
        QVERIFY(pdf.contains("\r\n12 0 obj\r\n<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /Item1\r"));
        QVERIFY(pdf.contains("0.941 g\r\n120 Tz\r\nBT\r\n/Fnt2 88 Tf\r\n0.53 0.848 -0.848 0.53 70.866 28.346 Tm\r\n"
                             "(hollowbrandt.org) Tj\r\nET\r\n0 g\r\n"));
        QVERIFY(pdf.contains("stream\r\n/Item1 Do\r\nBT\r\n/Fnt2 11 Tf\r\n28.346 793.701 Td\r\n(Line 1) Tj\r\n"));
        const QString fonts = Run("pdffonts", {path});
        for (const char* font : {"TimesNewRoman", "Arial,Italic", "CourierNew", "CourierNew,BoldItalic"})
            QVERIFY2(fonts.contains(font), font);
    }

    void everyLineOnItsPageAtItsPlaceInOrder()
    {
        WindowFixture f;
        Main& m = *f.main;
        ModalAnswerer answers;
        QByteArray text;
        for (int i = 1; i <= 120; ++i)
            text += "Distinct line " + QByteArray::number(i * 7) + (i < 120 ? "\r\n" : "");
        m.Text1->SetText(text);
        Export(m, answers, "hundred and twenty");
        const QByteArray pdf = ReadAll(f.dir.path() + "/Pdf/hundred and twenty.pdf");
        const QList<QByteArray> pages = PageStreams(pdf);
        QCOMPARE(pages.size(), 3);
        QList<PlacedLine> lines;
        for (int p = 0; p < pages.size(); ++p) {
            QVERIFY2(pages[p].startsWith("/Item1 Do\r\n"), "the watermark comes first on every page");
            QCOMPARE(pages[p].count("/Item1 Do"), 1);
            lines += TextLines(pages[p], p + 1);
        }
        QCOMPARE(lines.size(), 120);
        const double mm = 72 / 25.4;
        for (int i = 0; i < 120; ++i) {
            const int k = i % 53;  // place on its page: 53 lines to every page
            QCOMPARE(lines[i].page, i / 53 + 1);
            QCOMPARE(lines[i].text, "Distinct line " + QByteArray::number((i + 1) * 7));
            QVERIFY2(qAbs(lines[i].x - 10 * mm) < 0.0015, qPrintable(QString::number(i)));
            QVERIFY2(qAbs(lines[i].y - (280 - 5 * k) * mm) < 0.0015, qPrintable(QString::number(i)));
        }
    }

    void aFiftyFourthLineStartsPageTwoAtTheTop()
    {
        WindowFixture f;
        Main& m = *f.main;
        ModalAnswerer answers;
        m.Text1->SetText(Lines(54));
        Export(m, answers, "two");
        const QByteArray pdf = ReadAll(f.dir.path() + "/Pdf/two.pdf");
        const int page2 = pdf.indexOf("\r\n18 0 obj\r\n");
        QVERIFY(page2 > 0);
        QVERIFY(pdf.indexOf("/Item1 Do\r\nBT\r\n/Fnt2 11 Tf\r\n28.346 793.701 Td\r\n(Line 54) Tj\r\n", page2) > page2);
        QVERIFY(PageText(f.dir.path() + "/Pdf/two.pdf", 2).contains("Line 54"));
    }

    void displayedLinesAndSpecialCharacters()
    {
        WindowFixture f;
        Main& m = *f.main;
        ModalAnswerer answers;
        QByteArray paragraph;
        for (int i = 0; i < 40; ++i)
            paragraph += "word" + QByteArray::number(i) + " ";
        m.Text1->SetText("a (b) \\ c \xE9\x80\r\n" + paragraph.trimmed());
        QStringList shown;
        Module1::GetWrappedLines(m.Text1, shown);
        QVERIFY(shown.size() >= 3);
        Export(m, answers, "name with blanks ");
        const QString path = f.dir.path() + "/Pdf/name with blanks .pdf";
        const QString text = PageText(path, 1);
        QVERIFY2(text.contains(QString::fromUtf8("a (b) \\ c \u00E9\u20AC")), qPrintable(text));
        for (const QString& line : shown)
            QVERIFY2(text.contains(line.trimmed()), qPrintable(line));

        // An existing document is replaced without a question.
        m.Text1->SetText("second version");
        Export(m, answers, "name with blanks ");
        QVERIFY(PageText(path, 1).contains("second version"));
        QVERIFY(answers.AllAnswered());
        QCOMPARE(QDir(f.dir.path() + "/Pdf").entryList(QDir::Files | QDir::Hidden).size(), 1);  // no temp left
    }

    void failureKeepsTheOldDocumentAndOpensNothing()
    {
        WindowFixture f;
        Main& m = *f.main;
        ModalAnswerer answers;
        m.Text1->SetText("old");
        Export(m, answers, "keep");
        const QString path = f.dir.path() + "/Pdf/keep.pdf";
        const QByteArray before = ReadAll(path);
        m_opened.clear();

        // A name the file system refuses (too long for a file name).
        m.Text1->SetText("new");
        Export(m, answers, QString(300, QLatin1Char('k')), QMessageBox::Ok);
        QVERIFY(answers.messages.back().text.startsWith(QStringLiteral("The PDF document was not written!")));
        QCOMPARE(answers.messages.back().icon, QMessageBox::Critical);

        // The PDF folder is a file.
        QVERIFY(QDir(f.dir.path() + "/Pdf").removeRecursively());
        QFile blocker(f.dir.path() + "/Pdf");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Export(m, answers, "keep", QMessageBox::Ok);
        QVERIFY(answers.messages.back().text.startsWith(QStringLiteral("The PDF document was not written!")));
        QVERIFY(m_opened.isEmpty());
        QVERIFY(answers.AllAnswered());
        QVERIFY(!before.isEmpty());
    }
};

QTEST_MAIN(TestExportPdf)
#include "test_export_pdf.moc"
