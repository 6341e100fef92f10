// Text files on disk and the colour hex text: plain values, no window.
#include "ColorValues.h"
#include "TextFile.h"
#include "ToolsTexts.h"

#include <QDir>
#include <QTemporaryDir>
#include "TestFiles.h"

#include <QtTest>

class TestTextFile : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void linesEndAtCrOrCrLf()
    {
        QCOMPARE(TextFile::LinesWithCrLf("a\r\nb"), QByteArray("a\r\nb\r\n"));
        QCOMPARE(TextFile::LinesWithCrLf("a\nb"), QByteArray("a\nb\r\n"));  // an LF alone stays in its line
        QCOMPARE(TextFile::LinesWithCrLf("a\rb\r"), QByteArray("a\r\nb\r\n"));
        QCOMPARE(TextFile::LinesWithCrLf("a\r\n\r\n"), QByteArray("a\r\n\r\n"));
        QCOMPARE(TextFile::LinesWithCrLf("\r\n"), QByteArray("\r\n"));
        QCOMPARE(TextFile::LinesWithCrLf(""), QByteArray(""));
        QCOMPARE(TextFile::LinesWithCrLf(QByteArray("\0\xFF", 2)), QByteArray("\0\xFF\r\n", 4));
    }

    void writeAndReadBack()
    {
        const QString path = m_dir.filePath("a.txt");
        QVERIFY(TextFile::Write(path, {"ab", "cd"}));
        QCOMPARE(ReadAll(path), QByteArray("ab\r\ncd\r\n"));
        QVERIFY(TextFile::Write(path, {""}));
        QCOMPARE(ReadAll(path), QByteArray("\r\n"));
        QVERIFY(TextFile::Write(path, {QString::fromUtf8("caf\u00E9 \u20AC \u0101")}));
        QCOMPARE(ReadAll(path), QByteArray("caf\xE9 \x80 ?\r\n"));
        QByteArray text;
        QVERIFY(TextFile::Read(path, &text));
        QCOMPARE(text, QByteArray("caf\xE9 \x80 ?\r\n"));
    }

    void failuresKeepTheOldFile()
    {
        const QString path = m_dir.filePath("keep.txt");
        QVERIFY(TextFile::Write(path, {"old"}));
        QString error;
        QVERIFY(!TextFile::Write(m_dir.filePath("missing/x.txt"), {"x"}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QDir(m_dir.path()).mkdir("dir.txt"));
        QVERIFY(!TextFile::Write(m_dir.filePath("dir.txt"), {"x"}));
        QCOMPARE(ReadAll(path), QByteArray("old\r\n"));
        QVERIFY(LeftoverTemporaries(m_dir.path()).isEmpty());
    }

    void unreadableAndHugeFilesAreRefused()
    {
        QByteArray text = "unchanged";
        QVERIFY(!TextFile::Read(m_dir.filePath("nothing.txt"), &text));
        QVERIFY(!TextFile::Read(m_dir.path(), &text));  // a folder
        QFile big(m_dir.filePath("big.txt"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(TextFile::MaxReadBytes + 1));
        big.close();
        QVERIFY(!TextFile::Read(big.fileName(), &text));
        QCOMPARE(text, QByteArray("unchanged"));
    }

    void hexAndMail()
    {
        QCOMPARE(Module1::ColorToHex(60, 60, 60), QStringLiteral("3C3C3C"));
        QCOMPARE(Module1::ColorToHex(255, 0, 10), QStringLiteral("FF000A"));
        QCOMPARE(Module1::ColorToHex(0, 0, 0), QStringLiteral("000000"));
        QCOMPARE(Module1::ColorToHex(15, 16, 255), QStringLiteral("0F10FF"));
        QCOMPARE(Module1::MailAddress(QStringLiteral(" a b@c.d ")),
                 QStringLiteral("mailto: a b@c.d ?subject=Glyphix Picture&body=Enter your text... "
                                "(Click on the Paperclip to add it as an attachment)"));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_text_file.moc"
