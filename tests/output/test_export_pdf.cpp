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
