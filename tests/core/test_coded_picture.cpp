// The coded picture on plain values: layout, round trips, what cannot come back.
#include "CodedPicture.h"

#include <QtTest>

using namespace CodedPicture;

namespace {

PixelSurface Encoded(const QByteArray& text, const Settings& settings = {})
{
    PixelSurface s(Width, Height);
    QRandomGenerator random(7);
    Encode(s, text, settings, random);
    return s;
}

QByteArray Letters(int n)
{
    QByteArray t;
    for (int i = 0; i < n; ++i)
        t.append(static_cast<char>('A' + i % 26));
    return t;
}

bool IsWhite(const PixelSurface& s, int x, int y)
{
    return s.GetPixel(x, y) == Rgb{255, 255, 255};
}

}  // namespace

class TestCodedPicture : public QObject {
    Q_OBJECT
private slots:
    void signatureIsFortyEightCharacters()
    {
        QCOMPARE(SignatureText().size(), 48);
        QVERIFY(SignatureText().startsWith("Hollowbrandt"));
        QCOMPARE(ReadableCharacters, 67620);
    }

    void sixCharactersFillTwoPixelsAndNothingElse()
    {
        const PixelSurface s = Encoded("ABCDEF");
        QCOMPARE(s.GetPixel(2, 3), (Rgb{65, 66, 67}));
        QCOMPARE(s.GetPixel(3, 3), (Rgb{68, 69, 70}));
        for (int y = 3; y <= 117; ++y)
            for (int x = 1; x <= 198; ++x)
                if (!(y == 3 && (x == 2 || x == 3)))
                    QVERIFY2(IsWhite(s, x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }

    void frameAndInnerMargin()
    {
        const PixelSurface s = Encoded(Letters(100));
        for (int x = 0; x < Width; ++x) {
            QCOMPARE(s.GetPixel(x, 0), (Rgb{0, 0, 0}));
            QCOMPARE(s.GetPixel(x, 119), (Rgb{0, 0, 0}));
            if (x >= 1 && x <= 198) {
                QVERIFY(IsWhite(s, x, 1));
                QVERIFY(IsWhite(s, x, 118));
            }
        }
        for (int y = 0; y < Height; ++y) {
            QCOMPARE(s.GetPixel(0, y), (Rgb{0, 0, 0}));
            QCOMPARE(s.GetPixel(199, y), (Rgb{0, 0, 0}));
            if (y >= 1 && y <= 118) {
                QVERIFY(IsWhite(s, 1, y));
                QVERIFY(IsWhite(s, 198, y));
            }
        }
    }

    void signatureRow()
    {
        Settings settings;
        settings.textSize = 10;
        settings.back = {255, 255, 255};
        settings.fore = {60, 60, 60};
        const PixelSurface a = Encoded("x", settings);
        PixelSurface b(Width, Height);
        QRandomGenerator other(99);
        Encode(b, "y", settings, other);
        QCOMPARE(a.GetPixel(2, 2), (Rgb{'H', 'o', 'l'}));
        QCOMPARE(ReadRow(a, 2, 2, 17), SignatureText());
        QCOMPARE(a.GetPixel(18, 2), (Rgb{10, 100, 100}));
        QCOMPARE(a.GetPixel(19, 2), (Rgb{255, 255, 255}));
        QCOMPARE(a.GetPixel(20, 2), (Rgb{60, 60, 60}));
        bool differs = false;
        for (int x = 21; x <= 197; ++x) {
            const Rgb f = a.GetPixel(x, 2);
            for (int c : {f.r, f.g, f.b})
                QVERIFY(c >= 32 && c <= 141);
            differs = differs || f != b.GetPixel(x, 2);
        }
        QVERIFY(differs);
    }

    void textSizeRoundsHalfToEven()
    {
        QCOMPARE(TextSizeRed(8.25), 8);
        QCOMPARE(TextSizeRed(8.5), 8);
        QCOMPARE(TextSizeRed(9.5), 10);
        QCOMPARE(TextSizeRed(11.75), 12);
    }

    void textWalkWrapsAfterColumn197()
    {
        QCOMPARE(GroupPosition(0), QPoint(2, 3));
        QCOMPARE(GroupPosition(195), QPoint(197, 3));
        QCOMPARE(GroupPosition(196), QPoint(2, 4));
        const PixelSurface s = Encoded(Letters(591));
        QCOMPARE(s.GetPixel(197, 3), GroupColour(Letters(591), 195));
        QCOMPARE(s.GetPixel(2, 4), GroupColour(Letters(591), 196));
        QVERIFY(IsWhite(s, 3, 4));
    }

    void roundTripsOfEveryLengthClass()
    {
        for (int n : {1, 2, 3, 4, 5, 588, 589, 590, 65000, 67619, 67620}) {
            const QByteArray text = Letters(n);
            const Decoded d = Decode(Encoded(text));
            // A short last group comes back padded with blanks: nothing is lost.
            QByteArray expected = text;
            while (expected.size() % 3)
                expected.append(' ');
            QCOMPARE(d.text.size(), expected.size());
            QCOMPARE(d.text, expected);
            QCOMPARE(CharactersNotRecoverable(text), 0);
        }
    }

    void everyByteComesBackExceptAGroupStartingWith255()
    {
        QByteArray text;
        for (int b = 0; b < 256; ++b)
            if (b != 255 || text.size() % 3 != 0)
                text.append(static_cast<char>(b));
        while (text.size() % 3)
            text.append('z');
        QCOMPARE(Decode(Encoded(text)).text, text);

        const QByteArray lost = QByteArray("abc") + '\xFF' + "de" + "fgh";
        QCOMPARE(CharactersNotRecoverable(lost), 3);
        QCOMPARE(Decode(Encoded(lost)).text, QByteArray("abcfgh"));
        QCOMPARE(CharactersNotRecoverable(QByteArray("ab") + '\xFF'), 0);
        QCOMPARE(CharactersNotRecoverable(QByteArray("\xFF", 1)), 1);
    }

    void textBeyondTheReadableRowsIsCountedAndNotRead()
    {
        const QByteArray text = Letters(70000);
        QCOMPARE(CharactersNotRecoverable(text), 70000 - 67620);
        const PixelSurface s = Encoded(text);
        QVERIFY(!IsWhite(s, 2, 118));  // written on row 118 ...
        QCOMPARE(Decode(s).text, text.left(67620));  // ... but not read
        // Far longer texts stop at the raster's edge.
        QCOMPARE(Decode(Encoded(Letters(200000))).text.size(), 67620);
    }

    void gapsAreSkippedAndLooseSettingsAreRead()
    {
        PixelSurface s(Width, Height);
        s.SetPixel(2, 3, {120, 50, 0});
        s.SetPixel(100, 50, {'x', 'y', 'z'});
        s.SetPixel(18, 2, {14, 100, 100});
        const Decoded d = Decode(s);
        QCOMPARE(d.text, QByteArray("x2\0xyz", 6));  // 120, 50, 0, then the later pixel
        QCOMPARE(d.textSize, 14);
        // A blank raster: size 255, white colours, no text.
        const Decoded blank = Decode(PixelSurface(Width, Height));
        QCOMPARE(blank.textSize, 255);
        QCOMPARE(blank.back, (Rgb{255, 255, 255}));
        QCOMPARE(blank.fore, (Rgb{255, 255, 255}));
        QVERIFY(blank.text.isEmpty());
    }

    void surfaceOperations()
    {
        PixelSurface s(5, 3);
        s.SetPixel(0, 1, {1, 2, 3});
        s.SetPixel(-1, 0, {0, 0, 0});
        s.SetPixel(5, 0, {0, 0, 0});
        QCOMPARE(ToColorValue(s.GetPixel(0, 1)), ColorValue(1 + 256 * 2 + 65536 * 3));
        QCOMPARE(FromColorValue(1 + 256 * 2 + 65536 * 3), (Rgb{1, 2, 3}));
        PixelSurface mirrored = s;
        mirrored.Mirror();
        QCOMPARE(mirrored.GetPixel(4, 1), (Rgb{1, 2, 3}));
        QVERIFY(mirrored.GetPixel(0, 1) == (Rgb{255, 255, 255}));
        mirrored.Mirror();
        QCOMPARE(mirrored.Image(), s.Image());

        PixelSurface big(7, 4);
        big.SetPixel(6, 3, {9, 9, 9});
        big.CopyFrom(s);
        QCOMPARE(big.GetPixel(0, 1), (Rgb{1, 2, 3}));
        QCOMPARE(big.GetPixel(6, 3), (Rgb{255, 255, 255}));
    }
};

QTEST_GUILESS_MAIN(TestCodedPicture)
#include "test_coded_picture.moc"
