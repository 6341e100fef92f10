#include "TextLines.h"

#include "Main.h"
#include "TextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QListWidget>
#include <QTextBlock>
#include <QTextLayout>

namespace Module1 {

int GetWrappedLines(QPlainTextEdit* box, QStringList& lines)
{
    QTextDocument* document = box->document();
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    lines.clear();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        layout->blockBoundingRect(block);  // makes sure the block is laid out
        const QString text = block.text();
        const QTextLayout* blockLayout = block.layout();
        const int count = blockLayout ? blockLayout->lineCount() : 0;
        if (count == 0) {
            lines.append(text);
            continue;
        }
        for (int i = 0; i < count; ++i) {
            const QTextLine line = blockLayout->lineAt(i);
            lines.append(text.mid(line.textStart(), line.textLength()));
        }
    }
    return static_cast<int>(lines.size()) - 1;
}

void FillLineList(Main& main)
{
    QStringList lines;
    GetWrappedLines(main.Text1, lines);
    main.List1->clear();
    main.List1->addItems(lines);
}

}  // namespace Module1
