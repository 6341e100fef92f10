#include "DisplayedLines.h"

#include <QTextLayout>
#include <QTextOption>

namespace DisplayedLines {

QFont TextBoxFont(double points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    return font;
}

QStringList Of(const QString& text, const QFont& font, qreal viewportWidth, qreal margin, qreal tabStop)
{
    // The same layout the text box makes of every paragraph: its text option, the width less
    // a margin on either side, one line after the other until the paragraph is used up.
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(tabStop);
    const qreal width = (viewportWidth > 0 ? viewportWidth : qreal(INT_MAX)) - 2 * margin;

    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != QLatin1Char('\n') && text[i] != QChar(QChar::ParagraphSeparator))
            continue;
        const QString paragraph = text.mid(start, i - start);
        start = i + 1;
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        int count = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(width);
            lines.append(paragraph.mid(line.textStart(), line.textLength()));
            ++count;
        }
        layout.endLayout();
        if (count == 0)
            lines.append(paragraph);
    }
    return lines;
}

}  // namespace DisplayedLines
