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
                QVERIFY2(laidOut == shown, qPrintable(QStringLiteral("size %1, text %2: %3 lines shown, %4 laid out")
                                                          .arg(size).arg(i).arg(shown.size()).arg(laidOut.size())));
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
