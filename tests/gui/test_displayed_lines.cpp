// The displayed lines laid out without a widget are the lines the real text box shows.
#include "DisplayedLines.h"
#include "TextLines.h"
#include "WindowFixture.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

namespace {

// The lines as the text box itself has laid them out.
QStringList ShownLines(QPlainTextEdit* box)
{
    QTextDocument* document = box->document();
    QStringList lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        document->documentLayout()->blockBoundingRect(block);  // lays the block out
        const QTextLayout* layout = block.layout();
        if (!layout || layout->lineCount() == 0) {
            lines << block.text();
            continue;
        }
        for (int i = 0; i < layout->lineCount(); ++i)
            lines << block.text().mid(layout->lineAt(i).textStart(), layout->lineAt(i).textLength());
    }
    return lines;
}

QByteArray Repeated(const QByteArray& piece, int times)
{
    QByteArray text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// Words of every length from 1 to 130 letters: some of them fill a line exactly at each size.
QByteArray ExactFits()
{
    QByteArray text;
    for (int round = 0; round < 2; ++round)
        for (int length = 1; length <= 130; ++length)
            text += QByteArray(length, round ? 'i' : 'x') + ' ';
    return text;
}

// Letters, digits, "+" and "/" with no place to break.
QByteArray Base64Like(int size)
{
    const QByteArray alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    QByteArray text;
    quint32 state = 12345;
    for (int i = 0; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        text += alphabet[(state >> 16) % alphabet.size()];
    }
    return text;
}

// Pieces of every kind of character of Windows-1252, at random (but always the same).
QByteArray Mixed(int size)
{
    const QList<QByteArray> pieces = {"x", "W", "AV", "1", "1.", "(", ")", "!", " ", "\t", "%", "/", "-", "\xAD",
                                      "\xA0", "\x01", "\"", "'", "\xAB", "\xBB", "=", "\x80", "\x93", "\xE9"};
    QByteArray text;
    quint32 state = 777;
    while (text.size() < size) {
        state = state * 1103515245u + 12345u;
        const QByteArray& piece = pieces[(state >> 16) % pieces.size()];
        text += Repeated(piece, (state >> 8) % 4 == 0 ? 1 + (state >> 20) % 700 : 1);
    }
    return text;
}

QList<QByteArray> Corpus()
{
    QByteArray prose;
    for (int i = 0; i < 60; ++i)
        prose += "word" + QByteArray::number(i * 37) + (i % 7 == 0 ? "  " : " ");
    return {
        QByteArray(),
        "one line",
        "ab\r\n",
        "\r\n\r\n\r\nthree empty lines first",
        prose,
        QByteArray(700, 'x') + " a word longer than any line",
        "blanks at the wrap" + QByteArray(200, ' ') + "after them" + QByteArray(150, ' '),
        "tabs\tin\t\tthe\ttext\t" + prose.left(300) + "\tend",
        "Windows-1252: \xE4\xF6\xFC \xE9\xE8 \x80 \x84quoted\x93 \x85 \xA9 \xB5 " + prose.left(400),
        prose + "\r\n\r\n" + prose.left(123) + "\r\n" + QByteArray(3000, 'm'),
        // Long paragraphs, laid out a part at a time: runs with no place to break across the
        // box's own cuts every 4,096 characters, words that fill a line exactly at some size,
        // numbers, links, base64, and every character of Windows-1252 mixed.
        QByteArray(13000, 'x') + " tail",
        ExactFits(),
        QByteArray(9000, '1') + " " + Repeated("1.5/", 2000) + " (12,50%) " + prose,
        "see https://example.org/" + Repeated("path-segment/", 700) + "?q=" + QByteArray(4000, 'a') + " done",
        Base64Like(12000) + "\r\n" + Repeated("\tW", 800) + Repeated("AV", 3000),
        Mixed(12000),
    };
}

}  // namespace

class TestDisplayedLines : public QObject {
    Q_OBJECT
private slots:
    void theBoxAndTheLayoutAgreeAtEverySize()
    {
        WindowFixture f;
        Main& m = *f.main;
        QCOMPARE(m.Text1->viewport()->width(), DisplayedLines::TextBoxViewportWidth);
        QCOMPARE(m.Text1->document()->documentMargin(), DisplayedLines::TextBoxMargin);
        QCOMPARE(m.Text1->tabStopDistance(), DisplayedLines::TextBoxTabStop);
        const QList<QByteArray> corpus = Corpus();
        for (int size = 8; size <= 12; ++size) {
            Choose(m.Lettergrootte, size - 8);
            QCOMPARE(m.Text1->font(), DisplayedLines::TextBoxFont(size));
            for (int i = 0; i < corpus.size(); ++i) {
                m.Text1->SetText(corpus[i]);
                const QStringList shown = ShownLines(m.Text1);
                const QStringList laidOut = DisplayedLines::Of(m.Text1->document()->toRawText(), DisplayedLines::TextBoxFont(size));
                int line = 0;
                while (line < shown.size() && line < laidOut.size() && shown[line] == laidOut[line])
                    ++line;
                QVERIFY2(laidOut == shown,
                         qPrintable(QStringLiteral("size %1, text %2: %3 lines shown, %4 laid out; line %5 shown as "
                                                   "\"%6\", laid out as \"%7\"")
                                        .arg(size).arg(i).arg(shown.size()).arg(laidOut.size()).arg(line)
                                        .arg(shown.value(line), laidOut.value(line))));
                QStringList filled;
                Module1::GetWrappedLines(m.Text1, filled);
                QCOMPARE(filled, shown);
            }
        }
        // The start size of the window is 8.25 points.
        QCOMPARE(DisplayedLines::TextBoxFont(8.25), ArialFont(8.25));
    }
};

QTEST_MAIN(TestDisplayedLines)
#include "test_displayed_lines.moc"
