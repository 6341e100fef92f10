// The code page, the date, the clock and the counter: the texts the program shows and stores.
#include "DateText.h"
#include "ProgramFolder.h"
#include "StatusTexts.h"
#include "Win1252.h"

#include <QtTest>

class TestCodec : public QObject {
    Q_OBJECT
private slots:
    void everyByteSurvivesDecodeAndEncode()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        QCOMPARE(Win1252::Encode(Win1252::Decode(all)), all);
    }

    void highRangeAndForeignCharacters()
    {
        QCOMPARE(Win1252::ToChar(0x80), QChar(0x20AC));
        QCOMPARE(Win1252::ToChar(0x9F), QChar(0x0178));
        QCOMPARE(Win1252::ToChar(0xE9), QChar(0xE9));
        QCOMPARE(Win1252::Encode(QStringLiteral("\u20AC\u2122\u00FF")), QByteArray("\x80\x99\xFF"));
        // Characters the code page cannot hold become "?".
        QCOMPARE(Win1252::Encode(QStringLiteral("a\u0101\u4E2Db")), QByteArray("a??b"));
        QVERIFY(!Win1252::Holds(QChar(0x0101)));
        QVERIFY(Win1252::Holds(QChar(0x00A0)));
    }

    void lineBreaksBecomeCrLf()
    {
        QCOMPARE(Win1252::FromDocumentText(QStringLiteral("a\u2029b\u2028c\nd")), QByteArray("a\r\nb\r\nc\r\nd"));
        QCOMPARE(Win1252::ToDocumentText("a\r\nb\rc\nd\r\r\n"), QStringLiteral("a\nb\nc\nd\n\n"));
        QCOMPARE(Win1252::FromDocumentText(Win1252::ToDocumentText("x\r\ny")), QByteArray("x\r\ny"));
    }

    void dutchDateText()
    {
        QCOMPARE(DateTextFor(QDate(2027, 1, 1)), QStringLiteral("Vrijdag 1 Januari 2027"));
        QCOMPARE(DateTextFor(QDate(2026, 12, 7)), QStringLiteral("Maandag 7 December 2026"));
        QCOMPARE(DateTextFor(QDate(2026, 8, 16)), QStringLiteral("Zondag 16 Augustus 2026"));
        QCOMPARE(DateTextFor(QDate(2026, 3, 21)), QStringLiteral("Zaterdag 21 Maart 2026"));
    }

    void clockWithoutLeadingZeroOnHours()
    {
        const QLocale english(QLocale::English, QLocale::UnitedKingdom);
        QCOMPARE(Module1::ClockText(QTime(9, 5, 3), english), QStringLiteral("9:05:03"));
        QCOMPARE(Module1::ClockText(QTime(21, 5, 3), english), QStringLiteral("21:05:03"));
        QCOMPARE(Module1::ClockText(QTime(0, 0, 0), english), QStringLiteral("0:00:00"));
    }

    void counterGroupsWithTheLocale()
    {
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
        QCOMPARE(Module1::CounterText(0, english), QStringLiteral("0 / 65.000 Characters"));
        QCOMPARE(Module1::CounterText(1234, english), QStringLiteral("1,234 / 65.000 Characters"));
        QCOMPARE(Module1::CounterText(1234, dutch), QStringLiteral("1.234 / 65.000 Characters"));
        QCOMPARE(Module1::CounterText(70123, english), QStringLiteral("70,123 / 65.000 Characters"));
    }

    void namesThatWouldLeaveTheFolderAreRefused()
    {
        QVERIFY(Module1::IsSafeFileName(QStringLiteral("my picture ")));
        QVERIFY(Module1::IsSafeFileName(QStringLiteral("a\\b")));
        QVERIFY(!Module1::IsSafeFileName(QStringLiteral("../x")));
        QVERIFY(!Module1::IsSafeFileName(QStringLiteral("a/b")));
        QVERIFY(!Module1::IsSafeFileName(QStringLiteral(".")));
        QVERIFY(!Module1::IsSafeFileName(QStringLiteral("..")));
        QVERIFY(!Module1::IsSafeFileName(QString(QChar(0)) + QStringLiteral("x")));
        QCOMPARE(Module1::TrimBlanks(QStringLiteral("  a b  ")), QStringLiteral("a b"));
        QCOMPARE(Module1::TrimBlanks(QStringLiteral("   ")), QString());
    }
};

QTEST_GUILESS_MAIN(TestCodec)
#include "test_codec.moc"
