// Vector graphics and form objects of the PDF writer.
#include "PdfTestSupport.h"

#include <functional>

using Draw = std::function<void(clsFolium&)>;

class TestFoliumGraphics : public QObject {
    Q_OBJECT
private slots:
    void stateOperators()
    {
        const struct { Draw draw; const char* expected; std::int32_t scale; } cases[] = {
            {[](clsFolium& p) { p.SetDash(0, 0); }, "[ ] 0 d\r\n", 1},
            {[](clsFolium& p) { p.SetDash(3, 0); }, "[3 0] 0 d\r\n", 1},
            {[](clsFolium& p) { p.SetLineWidth(1); }, "2.835 w\r\n", 3},
            {[](clsFolium& p) { p.SetLineCap(3); p.SetMiterLimit(0.5f); p.SetLineJoin(-1); }, "", 1},
            {[](clsFolium& p) { p.SetLineCap(1); p.SetLineJoin(2); p.SetMiterLimit(4); }, "1 J\r\n2 j\r\n4 M\r\n", 3},
            {[](clsFolium& p) { p.SetColorFill(0); p.SetColorFill(-255); p.SetColorFill(16777215); },
             "0 g\r\n1 g\r\n1 1 1 rg\r\n", 1},
            {[](clsFolium& p) { p.SetColorFill(255); p.SetColorStroke(-128); p.SetColorStroke(-240); },
             "1 0 0 rg\r\n0.502 G\r\n0.941 G\r\n", 1},
            {[](clsFolium& p) { p.SetColorStroke(128 + 256 * 64); p.SetColorFill(0x7F000000 | 0x0000FF); },
             "0.502 0.251 0 RG\r\n1 0 0 rg\r\n", 1},
            {[](clsFolium& p) { p.SetColorFill(-16777216); }, "0 0 0 rg\r\n", 1},
            {[](clsFolium& p) { p.MoveTo(1, 2); p.LineTo(3, 4, 7); }, "1 2 m\r\n3 4 l\r\nf\r\n", 1},
            {[](clsFolium& p) { p.LineTo(0, 0, 0); p.LineTo(0, 0, 1); p.LineTo(0, 0, 2); p.LineTo(0, 0, 3); },
             "0 0 l\r\n0 0 l\r\nS\r\n0 0 l\r\nh\r\n0 0 l\r\nh\r\nS\r\n", 1},
            {[](clsFolium& p) { p.Curve(1, 2, 3, 4, 5, 6, 5); }, "1 2 3 4 5 6 c\r\nf\r\n", 1},
            {[](clsFolium& p) { p.Rectangle(10, 10, 100, 50, 3, 0); }, "n\r\n10 10 100 50 re\r\nh\r\nS\r\n", 1},
            {[](clsFolium& p) { p.Rectangle(10, 10, 100, 50, 1, 10); },
             "n\r\n20 10 m\r\n100 10 l\r\n105.5 10 110 14.5 110 20 c\r\n110 50 l\r\n110 55.5 105.5 60 100 60 c\r\n"
             "20 60 l\r\n14.5 60 10 55.5 10 50 c\r\n10 20 l\r\n10 14.5 14.5 10 20 10 c\r\nS\r\n", 1},
            {[](clsFolium& p) { p.DrawCircle(100, 100, 10, 4); },
             "100 90 m\r\n105.5 90 110 94.5 110 100 c\r\n110 105.5 105.5 110 100 110 c\r\n"
             "94.5 110 90 105.5 90 100 c\r\n90 94.5 94.5 90 100 90 c\r\nf\r\n", 1},
            {[](clsFolium& p) { p.Arc(0, 0, 10, 0, 90, 1, false, 0, 45, 1); },
             "n\r\n0 0 m\r\n10 0 m\r\n10 0 l\r\n7.071 7.071 l\r\n0 10 l\r\nS\r\n", 1},
            {[](clsFolium& p) { p.Arc(0, 0, 10, 90, 0, 1, false, 0, -45, 4); },
             "n\r\n0 0 m\r\n0 10 l\r\n7.071 7.071 l\r\n10 0 l\r\n0 0 l\r\nf\r\n", 1},
            {[](clsFolium& p) { p.Arc(0, 0, 10, 0, 0, 0.5f, true, 90, 10, 0); }, "n\r\n0 0 m\r\n0 10 l\r\n0 0 l\r\n", 1},
        };
        for (const auto& c : cases)
            QCOMPARE_STR(PageStream(c.draw, c.scale), std::string(c.expected));
    }

    void roundedCornersMeetWhenTheRadiusIsTooLarge()
    {
        const std::string s = PageStream([](clsFolium& p) { p.Rectangle(0, 0, 20, 100, 0, 50); });
        QVERIFY(s.find("10 0 m\r\n10 0 l\r\n") == 3);  // the bottom edge has no length left
        QVERIFY(s.find("10 100 l\r\n") != std::string::npos);
    }

    void arcEndsWhereTheStepNoLongerMovesTheAngle()
    {
        // Found by fuzzing: at 1e10 degrees adding 1 leaves a float unchanged; the arc ends at
        // the first point instead of repeating it for ever.
        const std::string s = PageStream([](clsFolium& p) { p.Arc(0, 0, 1, 1e10f, 1e10f + 2048, 1, false, 0, 1, 0); });
        QCOMPARE(Count(s, " l\r\n"), 1);
        QCOMPARE(Count(s, " m\r\n"), 2);
    }

    void refusedCallsWriteNothing()
    {
        const std::string s = PageStream([](clsFolium& p) {
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument, p.Arc(0, 0, 10, 0, 90, 1, false, 0, 0, 1));
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument, p.Arc(0, 0, 10, 0, 1e30f, 1, false, 0, 1, 1));
            QVERIFY_THROWS_EXCEPTION(std::overflow_error, p.SetColorFill(-300));
            QVERIFY_THROWS_EXCEPTION(std::overflow_error, p.SetColorStroke(-65536 - 5));
        });
        QCOMPARE_STR(s, std::string());
    }

    void formObjectsArePlacedByTheirFlags()
    {
        // Pages 1-4 for every flag value 0-15: which pages begin with the object's Do line.
        const char* expected[16] = {"", "", "24", "24", "13", "13", "1234", "1234",
                                    "", "", "24", "24", "3", "3", "234", "1234"};
        for (int flags = 0; flags < 16; ++flags) {
            Doc d;
            d.Open();
            d.pdf.StartObject("Obj", flags);
            d.pdf.EndObject();
            for (int page = 0; page < 4; ++page) {
                d.pdf.StartPage();
                d.pdf.EndPage();
            }
            const std::string pdf = d.Close();
            std::string pages;
            for (int page = 1; page <= 4; ++page)
                if (StreamOf(pdf, 5 + 3 * page) == "/Obj Do\r\n")
                    pages += std::to_string(page);
            QCOMPARE(QString::fromStdString(pages), QString::fromLatin1(expected[flags]));
        }
    }

    void formObjectStreamBoxAndOrder()
    {
        Doc d;
        d.pdf.ScaleMode(3);
        d.pdf.Margin(10);
        d.Open();
        d.pdf.LoadFont("Fnt1", "Arial", 1);
        d.pdf.StartObject("A", 6);
        d.pdf.SetColorFill(-240);
        float x = 50;
        d.pdf.DrawText(x, 100, "hollowbrandt.org", "Fnt1", 40, 1, 45);
        d.pdf.SetColorFill(0);
        d.pdf.EndObject();
        d.pdf.StartObject("B", 6);
        d.pdf.EndObject();
        d.pdf.StartPage();
        d.pdf.DrawObject("Never");
        d.pdf.EndPage();
        const std::string pdf = d.Close();
        const std::string form = ObjectBody(pdf, 7);
        QVERIFY(form.find("<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /A\r"
                          "/BBox [28.346 28.346 566.854 813.654]\r/Matrix [1 0 0 1 0 0]\r/Length 8 0 R >>\rstream\r\n")
                == 0);
        const std::string data = StreamOf(pdf, 7);
        QVERIFY(data.find("0.941 g\r\n") == 0);
        QVERIFY(data.size() >= 5 && data.compare(data.size() - 5, 5, "0 g\r\n") == 0);
        QCOMPARE_STR(ObjectBody(pdf, 8), std::to_string(data.size()) + "\r\n");
        QCOMPARE_STR(StreamOf(pdf, 12), std::string("/A Do\r\n/B Do\r\n/Never Do\r\n"));
        QVERIFY(ObjectBody(pdf, 4).find("/XObject <<\r\r/A 7 0 R \r/B 9 0 R \r>>\r") != std::string::npos);
        // Turned text comes back in pieces, one glyph per line in raw order.
        QVERIFY(Run("pdftotext", {"-raw", QString::fromStdString(d.path), "-"})
                    .remove(QRegularExpression("\\s"))
                    .contains("hollowbrandt.org"));
        QVERIFY(QpdfClean(d.path));
    }

    void formObjectOnA4()
    {
        Doc d;
        d.Open();
        d.pdf.StartObject("Item1", 7);
        d.pdf.EndObject();
        for (int i = 0; i < 3; ++i) {
            d.pdf.StartPage();
            d.pdf.EndPage();
        }
        const std::string pdf = d.Close();
        QVERIFY(ObjectBody(pdf, 5).find("/BBox [0 0 595.2 842]\r/Matrix [1 0 0 1 0 0]\r/Length 6 0 R >>\rstream")
                != std::string::npos);
        for (int page = 1; page <= 3; ++page)
            QCOMPARE_STR(StreamOf(pdf, 5 + 3 * page), std::string("/Item1 Do\r\n"));
        QVERIFY(QpdfClean(d.path));
    }

    void everyDrawingMemberInInchesAndMillimetres()
    {
        const std::string inches = PageStream([](clsFolium& p) {
            p.SetDash(0.1f, 0.05f);
            p.SetLineWidth(0.01f);
            p.MoveTo(1, 2);
            p.LineTo(0.5f, 0.25f, 1);
            p.Curve(1, 1, 2, 2, 3, 3, 0);
            p.Rectangle(1, 1, 2, 1, 0, 0);
            p.DrawCircle(1, 1, 0.5f, 0);
            p.Arc(1, 1, 1, 0, 90, 1, false, 0, 90, 0);
            p.DrawImg("Im1", 1, 2, 3, 0.5f);
        }, 2);
        QCOMPARE_STR(inches, std::string(
            "[7.2 3.6] 0 d\r\n0.72 w\r\n72 144 m\r\n36 18 l\r\nS\r\n72 72 144 144 216 216 c\r\n"
            "n\r\n72 72 144 72 re\r\n"
            "72 36 m\r\n91.8 36 108 52.2 108 72 c\r\n108 91.8 91.8 108 72 108 c\r\n"
            "52.2 108 36 91.8 36 72 c\r\n36 52.2 52.2 36 72 36 c\r\n"
            "n\r\n72 72 m\r\n144 72 m\r\n144 72 l\r\n72 144 l\r\n"
            "q\r216  0 0 -36 72 144 cm\r/Im1 Do\rQ\r\n"));
        const std::string mm = PageStream([](clsFolium& p) {
            p.SetDash(2.54f, 0);
            p.MoveTo(25.4f, 50.8f);
            p.LineTo(12.7f, 0);
            p.Curve(25.4f, 25.4f, 50.8f, 50.8f, 76.2f, 76.2f, 0);
            p.Rectangle(25.4f, 25.4f, 50.8f, 25.4f, 0, 0);
            p.DrawCircle(25.4f, 25.4f, 12.7f, 4);
            p.DrawImg("Im1", 25.4f, 25.4f, 50.8f, 25.4f);
        }, 3);
        QCOMPARE_STR(mm, std::string(
            "[7.2 0] 0 d\r\n72 144 m\r\n36 0 l\r\n72 72 144 144 216 216 c\r\nn\r\n72 72 144 72 re\r\n"
            "72 36 m\r\n91.8 36 108 52.2 108 72 c\r\n108 91.8 91.8 108 72 108 c\r\n"
            "52.2 108 36 91.8 36 72 c\r\n36 52.2 52.2 36 72 36 c\r\nf\r\n"
            "q\r144  0 0 -72 72 72 cm\r/Im1 Do\rQ\r\n"));
    }

    void roundedCornersClampedByTheHeightToo()
    {
        const std::string s = PageStream([](clsFolium& p) { p.Rectangle(0, 0, 100, 20, 0, 50); });
        // The radius is half the height: 10, so the bottom edge runs from 10 to 90.
        QVERIFY(s.rfind("n\r\n10 0 m\r\n90 0 l\r\n95.5 0 100 4.5 100 10 c\r\n100 10 l\r\n", 0) == 0);
    }

    void arcsWithFractionalAnglesReachTheirEnd()
    {
        // From 0.1 to 90.1 degrees in steps of 10: ten points, the last at 90.1 degrees.
        const std::string s = PageStream([](clsFolium& p) { p.Arc(0, 0, 10, 0.1f, 90.1f, 1, false, 0, 10, 1); });
        QCOMPARE(Count(s, " l\r\n"), 10);
        QVERIFY2(s.find("-0.017 10 l\r\nS\r\n") != std::string::npos, s.c_str());
        for (float start : {0.3f, 1.7f, 12.45f, 33.3f}) {
            const std::string arc = PageStream([start](clsFolium& p) { p.Arc(0, 0, 10, start, start + 60, 1, true, 0, 15, 0); });
            QCOMPARE(Count(arc, " l\r\n"), 5 + 1);  // start, +15, +30, +45, +60, back to the centre
        }
    }

    void pagesBeforeARegistrationDoNotGetIt()
    {
        Doc d;
        d.Open();
        d.pdf.StartPage();
        d.pdf.EndPage();
        d.pdf.StartObject("Late", 7);
        d.pdf.MoveTo(1, 1);
        d.pdf.EndObject();
        d.pdf.StartPage();
        d.pdf.EndPage();
        const std::string pdf = d.Close();
        QCOMPARE_STR(StreamOf(pdf, 6), std::string());
        QCOMPARE_STR(StreamOf(pdf, 11), std::string("/Late Do\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestFoliumGraphics)
#include "test_folium_graphics.moc"
