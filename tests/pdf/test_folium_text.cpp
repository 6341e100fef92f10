// Fonts, metrics and text placement of the PDF writer.
#include "FontWidthTables.h"
#include "PdfTestSupport.h"

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t begin = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", begin)) {
        out.push_back(text.substr(begin, at - begin));
        begin = at + 2;
    }
    return out;
}

}  // namespace

class TestFoliumText : public QObject {
    Q_OBJECT
private slots:
    void tellingRowsOfTheWidthTables()
    {
        using namespace FontWidthTables;
        const std::int32_t* tables[] = {kTimesNewRomanRegular, kTimesNewRomanBold, kTimesNewRomanItalic,
                                        kTimesNewRomanBoldItalic, kArialRegular, kArialBold, kArialItalic,
                                        kArialBoldItalic, kSymbol};
        const struct { int code; int widths[9]; } rows[] = {
            {32, {250, 250, 250, 250, 278, 278, 278, 278, 250}},
            {33, {333, 333, 333, 389, 278, 333, 278, 333, 333}},
            {48, {500, 500, 500, 500, 556, 556, 556, 556, 500}},
            {65, {722, 722, 611, 667, 667, 722, 667, 722, 722}},
            {87, {944, 1000, 833, 889, 944, 944, 944, 944, 768}},
            {97, {444, 500, 500, 500, 556, 556, 556, 556, 631}},
            {109, {778, 833, 722, 778, 833, 889, 833, 889, 576}},
            {233, {444, 444, 444, 444, 556, 556, 556, 556, 384}},
        };
        for (const auto& row : rows)
            for (int t = 0; t < 9; ++t)
                QCOMPARE(tables[t][row.code], row.widths[t]);
        for (const std::int32_t* courier : {kCourierNewRegular, kCourierNewBold, kCourierNewItalic, kCourierNewBoldItalic})
            for (int code = 0; code < 256; ++code)
                QCOMPARE(courier[code], 600);
        QCOMPARE(kSymbol[30], 600);
        QCOMPARE(kSymbol[31], 600);
    }

    void trueTypeFontObjectAndDescriptor()
    {
        Doc d;
        d.Open();
        d.pdf.LoadFont("Fnt1", "Times New Roman", 2);
        d.pdf.LoadFont("Fnt2", "Symbol", 1);
        d.pdf.LoadFontStandard("Fnt3", "Courier New", 4);
        d.pdf.StartPage();
        for (const char* name : {"Fnt1", "Fnt2", "Fnt3"}) {
            float x = 10;
            d.pdf.DrawText(x, 10, "abc", name, 10, 1, 0);
        }
        d.pdf.EndPage();
        const std::string pdf = d.Close();

        const std::vector<std::string> font = Lines(ObjectBody(pdf, 5));
        QCOMPARE_STR(font[0], std::string("<< /Type /Font \r/Subtype /TrueType\r/Name /Fnt1\r/BaseFont /TimesNewRoman,Bold"
                                          "\r/FirstChar 32\r/LastChar 255\r/FontDescriptor 6 0 R\r"
                                          "/Encoding /WinAnsiEncoding\r/Widths ["));
        QCOMPARE(int(font.size()), 1 + 14 + 1);
        QCOMPARE_STR(font[1].substr(0, 16), std::string("250 333 555 500 "));
        for (int i = 1; i <= 14; ++i)
            QCOMPARE(Count(font[static_cast<std::size_t>(i)], " "), 16);
        QCOMPARE_STR(font[15], std::string("] >>"));
        QCOMPARE_STR(ObjectBody(pdf, 6),
                     std::string("<<\r/Type /FontDescriptor\r/FontName /TimesNewRoman,Bold\r"
                                 "/Flags 16418 /FontBBox [-250 -216 1201 1000] /MissingWidth 333 /StemV 136 "
                                 "/StemH 136 /ItalicAngle 0 /CapHeight 891 /XHeight 446 "
                                 "/Ascent 891 /Descent -216 /Leading 149 /MaxWidth 1001 /AvgWidth 401\r>>\r\n"));

        const std::vector<std::string> symbol = Lines(ObjectBody(pdf, 7));
        QVERIFY(symbol[0].find("/BaseFont /Symbol\r/FirstChar 30\r") != std::string::npos);
        QCOMPARE(int(symbol.size()), 1 + 15 + 1);
        QCOMPARE_STR(symbol[1].substr(0, 12), std::string("600 600 250 "));
        QCOMPARE(Count(symbol[15], " "), 2);

        QCOMPARE_STR(ObjectBody(pdf, 9), std::string("<< /Type /Font /Subtype /Type1 /Name /Fnt3 /BaseFont "
                                                      "/CourierNew,BoldItalic /Encoding /WinAnsiEncoding >>\r\n"));
        QVERIFY(ObjectBody(pdf, 4).find("/Font <<\r/Fnt1 5 0 R \r/Fnt2 7 0 R \r/Fnt3 9 0 R \r>>\r")
                != std::string::npos);
        QCOMPARE_STR(FoliumTestAccess::FontRegistry(d.pdf), std::string("<Fnt1>0001;<Fnt2>0002;"));
        QVERIFY(QpdfClean(d.path));
        const QString fonts = Run("pdffonts", {QString::fromStdString(d.path)});
        QVERIFY(fonts.contains("TimesNewRoman,Bold") && fonts.contains("Symbol") && fonts.contains("CourierNew,BoldItalic"));
    }

    void familiesAndStyles()
    {
        Doc d;
        d.Open();
        d.pdf.LoadFont("A", "times new roman", 1);
        d.pdf.LoadFont("B", "TimesNewRoman", 3);
        d.pdf.LoadFont("C", "Verdana", 4);
        d.pdf.LoadFont("D", "Courier New", 1);
        const std::string pdf = d.Close();
        QVERIFY(ObjectBody(pdf, 5).find("/BaseFont /TimesNewRoman\r") != std::string::npos);
        QVERIFY(ObjectBody(pdf, 7).find("/BaseFont /TimesNewRoman,Italic\r") != std::string::npos);
        QVERIFY(ObjectBody(pdf, 9).find("/BaseFont /Arial,BoldItalic\r") != std::string::npos);
        QVERIFY(ObjectBody(pdf, 10).find("/MissingWidth 311 /StemV 153") != std::string::npos);
        QVERIFY(ObjectBody(pdf, 11).find("600 600 600 600 ") != std::string::npos);

        Doc bad;
        bad.Open();
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, bad.pdf.LoadFont("X", "Arial", 5));
        QCOMPARE(FoliumTestAccess::FontCount(bad.pdf), std::int16_t(1));  // the slot stays, empty
        QCOMPARE(FoliumTestAccess::MaxObject(bad.pdf), 4);              // nothing written
        QCOMPARE(bad.pdf.Length("abc", "X", 10), 0.0f);
        QCOMPARE(bad.pdf.Length("abc", "X>0001;<Y", 10), 0.0f);  // never misread as an entry
        bad.Close();
        QVERIFY(QpdfClean(bad.path));
    }

    void lengthOfText()
    {
        Doc d;
        d.Open();
        d.pdf.LoadFont("Fnt1", "Arial", 1);
        d.pdf.LoadFont("Fnt2", "Times New Roman", 1);
        d.pdf.LoadFontStandard("Fnt3", "Arial", 1);
        QCOMPARE(d.pdf.Length("Hello", "Fnt1", 10), 22.78f);
        QCOMPARE(d.pdf.Length("Hello", "fnt1", 10), 22.78f);  // names compared without case
        QCOMPARE(d.pdf.Length("Hello", "Fnt3", 10), 0.0f);     // a standard font has no metrics
        QCOMPARE(d.pdf.Length("Hello", "Nope", 10), 0.0f);
        QCOMPARE(d.pdf.Length("   ", "Fnt2", 12), 9.0f);
        d.pdf.StartPage();
        d.pdf.SetWordSpacing(2);
        QCOMPARE(d.pdf.Length("   ", "Fnt2", 12), 15.0f);
        d.pdf.SetCharSpacing(1);
        d.pdf.SetTextHorizontalScaling(50);
        QCOMPARE(d.pdf.Length("   ", "Fnt2", 12), 9.0f);
        d.pdf.EndPage();
        d.pdf.StartPage();  // a new page starts with a fresh text state
        QCOMPARE(d.pdf.Length("   ", "Fnt2", 12), 9.0f);
        d.pdf.EndPage();
        d.Close();
        QVERIFY(QpdfClean(d.path));

        // From the 10,000th font on the number has five digits: each font keeps its own metrics.
        Doc many;
        many.Open();
        for (int k = 1; k < 10000; ++k)
            many.pdf.LoadFont("F" + std::to_string(k), k == 1000 ? "Times New Roman" : "Arial", 1);
        many.pdf.LoadFont("F10000", "Courier New", 1);
        QCOMPARE(many.pdf.Length("Hello", "F10000", 10), 30.0f);  // five of Courier's 600
        QCOMPARE(many.pdf.Length("Hello", "F1000", 10), 22.22f);
        QCOMPARE(many.pdf.Length("Hello", "F9999", 10), 22.78f);
        many.Close();

        Doc mm;
        mm.pdf.ScaleMode(3);
        mm.Open();
        mm.pdf.LoadFont("F", "Courier New", 1);
        QCOMPARE(mm.pdf.Length("ab", "F", 72), float(2 * 600 * 72 / 1000.0 / 72 * 25.4));
        mm.Close();
    }

    void drawTextPlacesRotatesAndEscapes()
    {
        Doc d;
        d.Open();
        d.pdf.LoadFont("Fnt1", "Arial", 1);
        d.pdf.LoadFontStandard("Fnt2", "Arial", 1);
        d.pdf.StartPage();
        float x = 100;
        d.pdf.DrawText(x, 700, "caf\xE9 (1) \\ \x80", "Fnt1", 10, 1, 0);
        x = 100;
        d.pdf.DrawText(x, 650, "Hello", "Fnt1", 10, 2, 0);
        QCOMPARE(x, 100 - 22.78f);
        x = 100;
        d.pdf.DrawText(x, 600, "Hello", "Fnt1", 10, 3, 0);
        QCOMPARE(x, 100 - 11.39f);
        x = 100;
        d.pdf.DrawText(x, 550, "Hello", "Fnt2", 10, 2, 0);
        QCOMPARE(x, 100.0f);  // no metrics: placed as if left-aligned
        x = 300;
        d.pdf.DrawText(x, 400, "Up", "Fnt1", 12.5f, 1, 90);
        d.pdf.SetTextRenderingMode(1);
        d.pdf.SetTextRenderingMode(3);
        d.pdf.EndPage();
        const std::string pdf = d.Close();
        const std::string stream = StreamOf(pdf, 9);
        QVERIFY(stream.find("BT\r\n/Fnt1 10 Tf\r\n100 700 Td\r\n(caf\xE9 \\(1\\) \\\\ \x80) Tj\r\nET\r\n") == 0);
        QVERIFY(stream.find("77.22 650 Td\r\n") != std::string::npos);
        QVERIFY(stream.find("88.61 600 Td\r\n") != std::string::npos);
        QVERIFY(stream.find("BT\r\n/Fnt1 12.5 Tf\r\n0 1 -1 0 300 400 Tm\r\n(Up) Tj\r\nET\r\n") != std::string::npos);
        QVERIFY(stream.find("1 Tr\r\n") != std::string::npos);
        QVERIFY(stream.find("3 Tr") == std::string::npos);
        QVERIFY(QpdfClean(d.path));
        const QString text = PdfText(d.path);
        QVERIFY2(text.contains(QString::fromUtf8("caf\u00E9 (1) \\ \u20AC")), qPrintable(text));
        QVERIFY(text.contains("Hello"));
    }

    void everyPlaceOfASpecialCharacterIsEscaped()
    {
        std::string expected;
        const std::string s = PageStream([&](clsFolium& pdf) {
            for (std::size_t at = 0; at < 20; ++at) {
                for (char special : {'(', ')', '\\'}) {
                    std::string text = "\xE9\x80" "abcdefghijklmnopqrs";
                    text.insert(at, 1, special);
                    float x = 0;
                    pdf.DrawText(x, 0, text, "F", 10, 1, 0);
                    expected += "BT\r\n/F 10 Tf\r\n0 0 Td\r\n(" + FoliumTestAccess::Escape(text) + ") Tj\r\nET\r\n";
                }
            }
        });
        QCOMPARE_STR(s, expected);
        QCOMPARE(Count(expected, "\\"), 60 + 20);  // one escape each, two characters for a backslash
    }

    void textStateOperators()
    {
        Doc d;
        d.Open();
        d.pdf.StartPage();
        d.pdf.SetWordSpacing(1.5f);
        d.pdf.SetCharSpacing(-0.25f);
        d.pdf.SetTextHorizontalScaling(80);
        d.pdf.EndPage();
        const std::string pdf = d.Close();
        QCOMPARE_STR(StreamOf(pdf, 6), std::string("1.5 Tw\r\n-0.25 Tc\r\n80 Tz\r\n"));
    }

    void everyRowOfTheDescriptorTable()
    {
        struct Row { const char* family; int style; const char* name; const char* descriptor; };
        const Row rows[] = {
            {"Courier New", 1, "CourierNew", "/Flags 34 /FontBBox [-250 -300 720 1000] /MissingWidth 600 /StemV 109 /StemH 109 /ItalicAngle 0 /CapHeight 833 /XHeight 417 /Ascent 833 /Descent -300 /Leading 133 /MaxWidth 600 /AvgWidth 600"},
            {"Courier New", 2, "CourierNew,Bold", "/Flags 16418 /FontBBox [-250 -300 720 1000] /MissingWidth 600 /StemV 191 /StemH 191 /ItalicAngle 0 /CapHeight 833 /XHeight 417 /Ascent 833 /Descent -300 /Leading 133 /MaxWidth 600 /AvgWidth 600"},
            {"Courier New", 3, "CourierNew,Italic", "/Flags 98 /FontBBox [-250 -300 720 1000] /MissingWidth 600 /StemV 109 /StemH 109 /ItalicAngle -11 /CapHeight 833 /XHeight 417 /Ascent 833 /Descent -300 /Leading 133 /MaxWidth 600 /AvgWidth 600"},
            {"Courier New", 4, "CourierNew,BoldItalic", "/Flags 16482 /FontBBox [-250 -300 720 1000] /MissingWidth 600 /StemV 191 /StemH 191 /ItalicAngle -11 /CapHeight 833 /XHeight 417 /Ascent 833 /Descent -300 /Leading 133 /MaxWidth 600 /AvgWidth 600"},
            {"Times New Roman", 1, "TimesNewRoman", "/Flags 34 /FontBBox [-250 -216 1200 1000] /MissingWidth 333 /StemV 73 /StemH 73 /ItalicAngle 0 /CapHeight 891 /XHeight 446 /Ascent 891 /Descent -216 /Leading 149 /MaxWidth 1000 /AvgWidth 401"},
            {"Times New Roman", 2, "TimesNewRoman,Bold", "/Flags 16418 /FontBBox [-250 -216 1201 1000] /MissingWidth 333 /StemV 136 /StemH 136 /ItalicAngle 0 /CapHeight 891 /XHeight 446 /Ascent 891 /Descent -216 /Leading 149 /MaxWidth 1001 /AvgWidth 401"},
            {"Times New Roman", 3, "TimesNewRoman,Italic", "/Flags 98 /FontBBox [-250 -216 1200 1000] /MissingWidth 333 /StemV 73 /StemH 73 /ItalicAngle -11 /CapHeight 891 /XHeight 446 /Ascent 891 /Descent -216 /Leading 149 /MaxWidth 1000 /AvgWidth 402"},
            {"Times New Roman", 4, "TimesNewRoman,BoldItalic", "/Flags 16482 /FontBBox [-250 -216 1200 1000] /MissingWidth 333 /StemV 131 /StemH 131 /ItalicAngle -11 /CapHeight 891 /XHeight 446 /Ascent 891 /Descent -216 /Leading 149 /MaxWidth 1000 /AvgWidth 412"},
            {"Symbol", 1, "Symbol", "/Flags 6 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 109 /StemH 109 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 /Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 601"},
            {"Symbol", 2, "Symbol,Bold", "/Flags 16390 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 191 /StemH 191 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 /Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 600"},
            {"Symbol", 3, "Symbol,Italic", "/Flags 70 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 109 /StemH 109 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 /Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 600"},
            {"Symbol", 4, "Symbol,BoldItalic", "/Flags 16454 /FontBBox [-250 -220 1246 1005] /MissingWidth 332 /StemV 191 /StemH 191 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 /Ascent 1005 /Descent -220 /Leading 225 /MaxWidth 1038 /AvgWidth 600"},
            {"Arial", 1, "Arial", "/Flags 32 /FontBBox [-250 -221 1190 1000] /MissingWidth 272 /StemV 80 /StemH 80 /ItalicAngle 0 /CapHeight 905 /XHeight 453 /Ascent 905 /Descent -212 /Leading 150 /MaxWidth 992 /AvgWidth 441"},
            {"Arial", 2, "Arial,Bold", "/Flags 16416 /FontBBox [-250 -212 1120 1000] /MissingWidth 311 /StemV 153 /StemH 153 /ItalicAngle 0 /CapHeight 905 /XHeight 453 /Ascent 905 /Descent -212 /Leading 150 /MaxWidth 933 /AvgWidth 479"},
            {"Arial", 3, "Arial,Italic", "/Flags 96 /FontBBox [-250 -212 1134 1000] /MissingWidth 259 /StemV 80 /StemH 80 /ItalicAngle -11 /CapHeight 905 /XHeight 453 /Ascent 905 /Descent -212 /Leading 150 /MaxWidth 945 /AvgWidth 441"},
            {"Arial", 4, "Arial,BoldItalic", "/Flags 16480 /FontBBox [-250 -212 1120 1000] /MissingWidth 311 /StemV 153 /StemH 153 /ItalicAngle -11 /CapHeight 905 /XHeight 453 /Ascent 905 /Descent -212 /Leading 150 /MaxWidth 933 /AvgWidth 479"},
        };
        Doc d;
        d.Open();
        for (int i = 0; i < 16; ++i)
            d.pdf.LoadFont("F" + std::to_string(i), rows[i].family, rows[i].style);
        // The numeric width for codes without one is the family's, whatever the descriptor says.
        const float missing[4] = {600, 333, 332, 272};
        for (int i = 0; i < 16; ++i)
            QCOMPARE(d.pdf.Length("\x01", "F" + std::to_string(i), 1000), missing[i / 4]);
        const std::string pdf = d.Close();
        for (int i = 0; i < 16; ++i) {
            const std::string expected = std::string("<<\r/Type /FontDescriptor\r/FontName /") + rows[i].name + "\r"
                                       + rows[i].descriptor + "\r>>\r\n";
            QCOMPARE_STR(ObjectBody(pdf, 6 + 2 * i), expected);
        }
    }

    void aFailedFontKeepsItsSlot()
    {
        Doc d;
        d.Open();
        d.pdf.LoadFont("A", "Arial", 1);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, d.pdf.LoadFont("X", "Arial", 0));
        d.pdf.LoadFont("B", "Courier New", 1);
        QCOMPARE(FoliumTestAccess::FontRegistry(d.pdf), std::string("<A>0001;<B>0003;"));
        QCOMPARE(d.pdf.Length("ab", "B", 10), 12.0f);  // Courier's metrics, from slot 3
        d.Close();
    }

    void textInMillimetresAndInches()
    {
        const std::string mm = PageStream([](clsFolium& p) { float x = 10; p.DrawText(x, 280, "a", "F", 11, 1, 0); }, 3);
        QCOMPARE_STR(mm, std::string("BT\r\n/F 11 Tf\r\n28.346 793.701 Td\r\n(a) Tj\r\nET\r\n"));
        const std::string in = PageStream([](clsFolium& p) { float x = 1; p.DrawText(x, 0.5f, "a", "F", 11, 1, 90); }, 2);
        QCOMPARE_STR(in, std::string("BT\r\n/F 11 Tf\r\n0 1 -1 0 72 36 Tm\r\n(a) Tj\r\nET\r\n"));
    }

    void renderingModeOnlyFromZeroToTwo()
    {
        const std::string s = PageStream([](clsFolium& p) {
            for (float mode : {-1.0f, -0.001f, 0.0f, 1.5f, 2.0f, 2.001f, 3.0f})
                p.SetTextRenderingMode(mode);
        });
        QCOMPARE_STR(s, std::string("0 Tr\r\n1.5 Tr\r\n2 Tr\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestFoliumText)
#include "test_folium_text.moc"
