// The PDF writer's document structure: numbers, strings, objects, pages, xref and trailer.
#include "PdfTestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <QDateTime>

#include <clocale>
#include <ctime>

namespace {

// Every xref entry is 20 bytes and points at the first digit of its object's header line;
// startxref points at "xref"; the trailer's /Size matches.
void CheckCrossReferences(const std::string& pdf)
{
    const std::size_t startxref = pdf.rfind("startxref\r");
    QVERIFY(startxref != std::string::npos);
    const std::size_t xref = std::stoul(pdf.substr(startxref + 10));
    QCOMPARE_STR(pdf.substr(xref, 6), std::string("xref\r\n"));
    std::size_t at = xref + 6;
    const std::size_t eol = pdf.find("\r\n", at);
    const int count = std::stoi(pdf.substr(at + 2, eol - at - 2));
    at = eol + 2;
    QCOMPARE_STR(pdf.substr(at, 20), std::string("0000000000 65535 f\r\n"));
    for (int i = 1; i < count; ++i) {
        const std::string entry = pdf.substr(at + 20 * static_cast<std::size_t>(i), 20);
        QCOMPARE(int(entry.size()), 20);
        QCOMPARE_STR(entry.substr(10), std::string(" 00000 n\r\n"));
        const std::size_t offset = std::stoul(entry.substr(0, 10));
        const std::string header = std::to_string(i) + " 0 obj\r\n";
        QCOMPARE_STR(pdf.substr(offset, header.size()), header);
    }
    QVERIFY(pdf.find("trailer\r<<\r/Size " + std::to_string(count) + "\r/Info 1 0 R\r/Root 2 0 R\r>>\r\n")
            != std::string::npos);
    QVERIFY(pdf.size() >= 7 && pdf.compare(pdf.size() - 7, 7, "%%EOF\r\n") == 0);
}

}  // namespace

class TestFoliumDocument : public QObject {
    Q_OBJECT
private slots:
    void numbersRoundToThreeDecimalsWithoutExponent()
    {
        using A = FoliumTestAccess;
        QCOMPARE_STR(A::Number(595.2f), std::string("595.2"));
        QCOMPARE_STR(A::Number(842.0f), std::string("842"));
        QCOMPARE_STR(A::Number(0.0f), std::string("0"));
        QCOMPARE_STR(A::Number(-2.5f), std::string("-2.5"));
        QCOMPARE_STR(A::Number(2.8346457f), std::string("2.835"));
        QCOMPARE_STR(A::Number(0.0625f), std::string("0.062"));   // a true tie goes to the even neighbour
        QCOMPARE_STR(A::Number(0.1875f), std::string("0.188"));
        QCOMPARE_STR(A::Number(-0.0000003f), std::string("0"));   // never "-0"
        QCOMPARE_STR(A::Number(12345.678f), std::string("12345.68"));  // single precision: 7 digits
        QCOMPARE_STR(A::Number(1.0e9f), std::string("1000000000"));
        QCOMPARE_STR(A::Number(0.001f), std::string("0.001"));
        QCOMPARE_STR(A::Number(0.0004f), std::string("0"));
        QCOMPARE_STR(A::Number(128 / 255.0), std::string("0.502"));
        QCOMPARE_STR(A::Number(240 / 255.0), std::string("0.941"));
        QCOMPARE_STR(A::Number(123456.789), std::string("123456.789"));  // double keeps its digits
        // The platform's decimal comma never shows.
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "nl_NL.UTF-8")) {
            QCOMPARE_STR(A::Number(1.5f), std::string("1.5"));
            std::setlocale(LC_ALL, "C");
        }
    }

    void stringsAreEscaped()
    {
        QCOMPARE_STR(FoliumTestAccess::Escape("a(b)\\c"), std::string("a\\(b\\)\\\\c"));
        QCOMPARE_STR(FoliumTestAccess::Escape("\\("), std::string("\\\\\\("));
    }

    void minimalDocumentWithOnePage()
    {
        Doc d;
        d.pdf.Title("a(b)\\c");
        d.Open();
        QCOMPARE(d.pdf.StartPage(), std::int16_t(1));
        d.pdf.EndPage();
        const std::string pdf = d.Close();
        QCOMPARE_STR(pdf.substr(0, 10), std::string("%PDF-1.3\r\n"));
        QVERIFY(ObjectBody(pdf, 1).find("/Title (a\\(b\\)\\\\c)\r/Author (Ombrino)\r/Creator  (Applicazione di prova)\r"
                                        "/Producer (\xA9 2026 Ombrino)\r/CreationDate (D:")
                == 3);
        QVERIFY(QRegularExpression("/CreationDate \\(D:\\d{14}\\+01'00'\\)\r>>\r\n$")
                    .match(QString::fromLatin1(ObjectBody(pdf, 1).c_str()))
                    .hasMatch());
        QCOMPARE_STR(ObjectBody(pdf, 2),
                     std::string("<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout /OneColumn\r/PageMode /UseNone\r"
                                 "/Lang (it) \r/ViewerPreferences << /HideToolbar false /DisplayDocTitle true "
                                 "/HideWindowUI false >>\r>>\r\n"));
        QCOMPARE_STR(ObjectBody(pdf, 5), std::string("<<\r/Type /Page\r/Parent 3 0 R\r/Contents 6 0 R\r>>\r\n"));
        QCOMPARE_STR(ObjectBody(pdf, 6), std::string("<< /Length 7 0 R >>\rstream\r\nendstream\r\n"));
        QCOMPARE_STR(ObjectBody(pdf, 7), std::string("0\r\n"));
        QCOMPARE_STR(ObjectBody(pdf, 4), std::string("<<\r/ProcSet [/PDF /Text ]\r>>\r\n"));
        QCOMPARE_STR(ObjectBody(pdf, 3),
                     std::string("<<\r/Type /Pages\r/Count 1\r/MediaBox [0 0 595.2 842]\r/CropBox [0 0 595.2 842]\r"
                                 "\r/Kids [5 0 R  ]\r/Resources 4 0 R\r>>\r\n"));
        // File order: 1, 2, 5, 6, 7, 4, 3.
        std::size_t last = 0;
        for (int n : {1, 2, 5, 6, 7, 4, 3}) {
            const std::size_t at = pdf.find("\r\n" + std::to_string(n) + " 0 obj\r\n");
            QVERIFY(at > last);
            last = at;
        }
        QVERIFY(pdf.find("xref\r\n0 8\r\n") != std::string::npos);
        CheckCrossReferences(pdf);
        QVERIFY(QpdfClean(d.path));
        QCOMPARE(d.pdf.Pages(), std::int16_t(1));
    }

    void documentWithoutPagesAndWithTwoPages()
    {
        Doc none;
        none.Open();
        const std::string empty = none.Close();
        QVERIFY(empty.find("/Count 0\r") != std::string::npos);
        QVERIFY(empty.find("/Kids [ ]\r") != std::string::npos);
        QVERIFY(empty.find("xref\r\n0 5\r\n") != std::string::npos);
        QVERIFY(ObjectBody(empty, 1).find("/Title (\\(senza titolo\\))") != std::string::npos);
        CheckCrossReferences(empty);

        Doc two;
        two.Open();
        two.pdf.StartPage();
        two.pdf.EndPage();
        two.pdf.StartPage();
        two.pdf.EndPage();
        const std::string pdf = two.Close();
        QVERIFY(pdf.find("/Kids [5 0 R 8 0 R  ]\r") != std::string::npos);
        CheckCrossReferences(pdf);
        QVERIFY(QpdfClean(two.path));
        QCOMPARE(Run("pdfinfo", {QString::fromStdString(two.path)}).contains(QRegularExpression("Pages:\\s+2")), true);
    }

    void orientationPaperAndMarginsInMillimetres()
    {
        Doc upright;
        upright.Open();
        QVERIFY(upright.Close().find("/CropBox [0 0 595.2 842]\r\r/Kids [") != std::string::npos);

        Doc d;
        d.pdf.ScaleMode(3);
        d.pdf.PaperSize(0);
        d.pdf.Margin(10);
        d.pdf.Orientation(2);
        d.Open();
        d.pdf.StartPage();
        d.pdf.EndPage();
        const std::string pdf = d.Close();
        QVERIFY(pdf.find("/MediaBox [0 0 595.2 842]\r/CropBox [28.346 28.346 566.854 813.654]\r/Rotate 90\r/Kids [")
                != std::string::npos);
        QVERIFY(QpdfClean(d.path));

        const struct { int code; const char* box; } papers[] = {
            {1, "/MediaBox [0 0 842 1190.5]"}, {2, "/MediaBox [0 0 612 792]"}, {3, "/MediaBox [0 0 612 864]"},
            {9, "/MediaBox [0 0 612 864]"},  // unknown code: size unchanged
        };
        Doc p;
        for (const auto& paper : papers) {
            p.pdf.PaperSize(paper.code);
            if (paper.code == 9) {
                p.Open();
                QVERIFY(p.Close().find(paper.box) != std::string::npos);
            }
        }
        Doc inches;
        inches.pdf.ScaleMode(2);
        inches.pdf.PaperWidth(8.5f);
        inches.pdf.PaperHeight(11);
        inches.Open();
        QVERIFY(inches.Close().find("/MediaBox [0 0 612 792]") != std::string::npos);
        Doc centimetres;
        centimetres.pdf.ScaleMode(4);
        centimetres.pdf.PaperWidth(21);
        centimetres.pdf.ScaleMode(7);  // an unknown unit makes every converted length 0
        centimetres.pdf.PaperHeight(29.7f);
        centimetres.Open();
        QVERIFY(centimetres.Close().find("/MediaBox [0 0 595.276 0]") != std::string::npos);
    }

    void streamLengthCountsTheLastLineBreak()
    {
        Doc d;
        d.Open();
        d.pdf.StartPage();
        d.pdf.SetLineWidth(2);
        d.pdf.MoveTo(1, 2);
        d.pdf.EndPage();
        const std::string pdf = d.Close();
        QCOMPARE_STR(StreamOf(pdf, 6), std::string("2 w\r\n1 2 m\r\n"));
        QCOMPARE_STR(ObjectBody(pdf, 7), std::string("12\r\n"));
        QVERIFY(QpdfClean(d.path));
    }

    void emptyNameIsMadeInTheProgramFolder()
    {
        clsFolium pdf;
        std::string name;
        pdf.InitPDFFile(name);
        pdf.ClosePDFFile();
        const QFileInfo info(QString::fromStdString(name));
        QCOMPARE(info.absolutePath(), QCoreApplication::applicationDirPath());
        QVERIFY(QRegularExpression("^~[0-9A-F]+\\.pdf$").match(info.fileName()).hasMatch());
        QVERIFY(info.exists());
        QFile::remove(info.filePath());
    }

    void failuresAreReported()
    {
        clsFolium pdf;
        std::string name = "/no/such/folder/x.pdf";
        QVERIFY_THROWS_EXCEPTION(std::system_error, pdf.InitPDFFile(name));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, pdf.StartPage());
        QVERIFY_THROWS_EXCEPTION(std::logic_error, pdf.ClosePDFFile());

        // A full disk is reported when the data reaches it.
        if (QFileInfo::exists("/dev/full")) {
            clsFolium full;
            std::string dev = "/dev/full";
            full.InitPDFFile(dev);
            QVERIFY_THROWS_EXCEPTION(std::system_error, full.ClosePDFFile());
        }
    }

    void sixteenBitLimitsOverflow()
    {
        Doc pages;
        pages.Open();
        int started = 0;
        try {
            for (;;) {
                pages.pdf.StartPage();
                pages.pdf.EndPage();
                ++started;
            }
        } catch (const std::overflow_error&) {
        }
        // Three objects a page, numbers up to 32,767: the last page is 5 + 3 * 10,920 ... + 2.
        QCOMPARE(started, 10921);
        QCOMPARE(int(pages.pdf.Pages()), 10921);
        QVERIFY(FoliumTestAccess::MaxObject(pages.pdf) <= 32767);
        pages.Close();
        QVERIFY(QpdfClean(pages.path));

        Doc objects;
        objects.Open();
        int fonts = 0;
        try {
            for (;;) {
                objects.pdf.LoadFontStandard("F" + std::to_string(fonts), "Arial", 1);
                ++fonts;
            }
        } catch (const std::overflow_error&) {
        }
        QCOMPARE(fonts, 32767 - 4);
        QCOMPARE(FoliumTestAccess::MaxObject(objects.pdf), 32767);
    }

    void rotateOnlyForOrientationTwo()
    {
        for (int orientation : {0, 1, 2, 3}) {
            Doc d;
            d.pdf.Orientation(orientation);
            d.Open();
            const std::string pdf = d.Close();
            QCOMPARE(pdf.find("/Rotate 90") != std::string::npos, orientation == 2);
            QCOMPARE(Count(pdf, "/Rotate"), orientation == 2 ? 1 : 0);
        }
    }

    void generatedNameCarriesDayTimeAndADigit()
    {
        const QDateTime before = QDateTime::currentDateTime();
        clsFolium pdf;
        std::string name;
        pdf.InitPDFFile(name);
        pdf.ClosePDFFile();
        const QDateTime after = QDateTime::currentDateTime();
        QFile::remove(QString::fromStdString(name));
        const QString file = QFileInfo(QString::fromStdString(name)).fileName();
        bool ok = false;
        const QString digits = QString::number(file.mid(1, file.size() - 5).toULongLong(&ok, 16));
        QVERIFY(ok);
        // Day of the month without leading zero, hhmmss, then one random digit.
        auto fields = [](const QDateTime& t) { return QString::number(t.date().day()) + t.toString("hhmmss"); };
        QVERIFY2(digits.chopped(1) == fields(before) || digits.chopped(1) == fields(after), qPrintable(digits));
        QCOMPARE(file, QStringLiteral("~") + QString::number(digits.toULongLong(), 16).toUpper() + ".pdf");
    }

    void creationDateInLocalTime()
    {
        const QByteArray oldZone = qgetenv("TZ");
        qputenv("TZ", "XYZ-14");  // fourteen hours east of Greenwich, far from any machine's own zone
        tzset();
        const QDateTime utc = QDateTime::currentDateTimeUtc();
        Doc d;
        d.Open();
        const std::string pdf = d.Close();
        if (oldZone.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", oldZone);
        tzset();
        const auto m = QRegularExpression("/CreationDate \\(D:(\\d{14})\\+01'00'\\)").match(QString::fromStdString(pdf));
        QVERIFY(m.hasMatch());
        const QDateTime written = QDateTime::fromString(m.captured(1), "yyyyMMddhhmmss");
        const QDateTime local = QDateTime(utc.date(), utc.time()).addSecs(14 * 3600);
        QVERIFY2(qAbs(written.secsTo(local)) <= 2, qPrintable(m.captured(1)));
    }

    void secondDocumentOnAnOpenOneIsRefused()
    {
        Doc d;
        d.Open();
        d.pdf.StartPage();
        std::string second = d.dir.filePath("second.pdf").toStdString();
        QVERIFY_THROWS_EXCEPTION(std::logic_error, d.pdf.InitPDFFile(second));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(second)));
        d.pdf.EndPage();
        const std::string pdf = d.Close();  // the first document is whole
        QCOMPARE(Count(pdf, "%PDF-1.3"), 1);
        QVERIFY(pdf.find("/Count 1\r") != std::string::npos);
    }
};

QTEST_GUILESS_MAIN(TestFoliumDocument)
#include "test_folium_document.moc"
