#include "TextLines.h"

#include "DisplayedLines.h"

#include "Main.h"
#include "TextBox.h"

#include <QListWidget>
#include <QTextDocument>

namespace Module1 {

int GetWrappedLines(QPlainTextEdit* box, QStringList& lines)
{
    lines = DisplayedLines::Of(box->document()->toRawText(), box->font(), box->viewport()->width(),
                               box->document()->documentMargin(), box->tabStopDistance());
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
