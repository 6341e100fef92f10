#include "DisplayedLines.h"

#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

namespace DisplayedLines {
namespace {

// The box cuts the text of a paragraph into pieces of at most this many characters before it
// shapes them (and at every tab); a line that holds such a cut may break one character early.
constexpr qsizetype PieceLength = 4096;
// A paragraph longer than this is laid out a window at a time: the box's own layout of a
// paragraph with no place to break takes time in proportion to the square of its length.
constexpr qsizetype WindowLength = 1536;
// How far before a window's end the next one begins at the latest.
constexpr qsizetype WindowMargin = 64;

// One paragraph laid out as the text box lays it out.
class ParagraphLayout {
public:
    ParagraphLayout(const QString& paragraph, const QFont& font, const QTextOption& option, qreal width,
                    QStringList* lines)
        : m_paragraph(paragraph), m_font(font), m_option(option), m_width(width), m_lines(lines)
    {
    }

    void Run()
    {
        const qsizetype end = m_paragraph.size();
        if (end <= WindowLength) {
            LayOut(0, end);
            return;
        }
        const QList<qsizetype> cuts = PieceCuts();
        // Every line of a window but its last is final; the next window begins with that line.
        qsizetype from = 0;
        while (end - from > WindowLength) {
            QList<qsizetype> starts;
            LayOut(from, from + WindowLength, cuts, [&starts](qsizetype start, qsizetype) { starts.append(start); });
            // The lines that end near the window's end may have been decided by its end: the
            // next window begins with a line that starts a little before it.
            qsizetype k = starts.size() - 1;
            while (k > 0 && (starts[k] > from + WindowLength - WindowMargin || !CanResumeAt(starts[k])))
                --k;
            if (k == 0) {
                // Nowhere to begin again (no letter): the whole paragraph in one layout, as the
                // box makes it, for the lines from here on. Slow for a long run without letters.
                LayOut(0, end, {}, [&](qsizetype start, qsizetype length) {
                    if (start >= from)
                        Emit(start, length);
                });
                return;
            }
            for (qsizetype i = 0; i < k; ++i)
                Emit(starts[i], starts[i + 1] - starts[i]);
            from = starts[k];
        }
        LayOut(from, end, cuts, [this](qsizetype start, qsizetype length) { Emit(start, length); });
    }

private:
    // Where the box cuts the paragraph into pieces: around every tab, and after PieceLength
    // characters of a piece.
    QList<qsizetype> PieceCuts() const
    {
        QList<qsizetype> cuts;
        qsizetype pieceStart = 0;
        for (qsizetype i = 1; i < m_paragraph.size(); ++i) {
            if (m_paragraph.at(i) == QLatin1Char('\t') || m_paragraph.at(i - 1) == QLatin1Char('\t')
                || i - pieceStart == PieceLength) {
                cuts.append(i);
                pieceStart = i;
            }
        }
        return cuts;
    }

    void LayOut(qsizetype from, qsizetype to)
    {
        LayOut(from, to, {}, [this](qsizetype start, qsizetype length) { Emit(start, length); });
    }

    // Lays out [from, to) of the paragraph as a paragraph of its own, cut into pieces where the
    // whole paragraph is cut, giving each line's start and length in the paragraph to line.
    template <typename Line>
    void LayOut(qsizetype from, qsizetype to, const QList<qsizetype>& cuts, Line line) const
    {
        QTextLayout layout(m_paragraph.mid(from, to - from), m_font);
        layout.setTextOption(m_option);
        // Format ranges that change nothing but make the layout cut its text there too.
        QList<QTextLayout::FormatRange> pieces;
        for (auto at = std::upper_bound(cuts.begin(), cuts.end(), from); at != cuts.end() && *at < to; ++at)
            pieces.append({int(*at - from), 0, QTextCharFormat()});
        if (!pieces.isEmpty())
            layout.setFormats(pieces);
        layout.beginLayout();
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
            l.setLeadingIncluded(true);
            l.setLineWidth(m_width);
            line(from + l.textStart(), l.textLength());
        }
        layout.endLayout();
    }

    void Emit(qsizetype start, qsizetype length) { m_lines->append(m_paragraph.mid(start, length)); }

    // A window may begin with a line only where the box decides the breaks that follow from
    // that character on without looking back past it, and where nothing it decides before
    // looks ahead past it: at a letter, never within numbers, quotes, brackets or blanks.
    bool CanResumeAt(qsizetype at) const { return m_paragraph.at(at).isLetter(); }

    const QString& m_paragraph;
    const QFont& m_font;
    const QTextOption& m_option;
    qreal m_width;
    QStringList* m_lines;
};

}  // namespace

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
        const qsizetype before = lines.size();
        ParagraphLayout(paragraph, font, option, width, &lines).Run();
        if (lines.size() == before)
            lines.append(paragraph);
    }
    return lines;
}

}  // namespace DisplayedLines
