#include "TextBox.h"

#include "Controls.h"
#include "Win1252.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <vector>

TextBox::TextBox(const QString& name, QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(name);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(false);
    connect(document(), &QTextDocument::contentsChange, this, &TextBox::KeepToCodePage);
}

QByteArray TextBox::Text() const
{
    return Win1252::FromDocumentText(document()->toRawText());
}

void TextBox::SetText(const QByteArray& bytes)
{
    setPlainText(Win1252::ToDocumentText(bytes));
}

qint64 TextBox::CharacterCount() const
{
    // Every paragraph break is one character in the document and two (CR LF) in the text.
    const QTextDocument* doc = document();
    return static_cast<qint64>(doc->characterCount() - 1) + (doc->blockCount() - 1);
}

void TextBox::SetTextSize(double points)
{
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
}

void TextBox::SetTextColour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, colour);
    setPalette(p);
}

void TextBox::SetBackColour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    setPalette(p);
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    // The text edit keeps the focus on its own Tab; the widget's focus chain is asked directly.
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (control && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        QWidget::focusNextPrevChild(!back);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextBox::KeepToCodePage(int position, int removed, int added)
{
    Q_UNUSED(removed);
    if (m_filtering || added <= 0)
        return;
    QTextDocument* doc = document();
    const int end = std::min(position + added, doc->characterCount() - 1);

    // What must change, found paragraph by paragraph: one string per paragraph is read rather
    // than one lookup per character, so a large text that enters whole is checked quickly.
    struct Change {
        int first;  // document positions, last exclusive
        int last;
        QString replacement;
    };
    std::vector<Change> changes;
    for (QTextBlock block = doc->findBlock(position); block.isValid() && block.position() < end;
         block = block.next()) {
        const QString text = block.text();
        const int base = block.position();
        const int from = std::max(position - base, 0);
        const int to = std::min(end - base, static_cast<int>(text.size()));
        for (int i = from; i < to; ++i) {
            const QChar c = text.at(i);
            const char16_t u = c.unicode();
            int first = i;  // a character outside the basic plane is two units and becomes one "?"
            int last = i + 1;
            if (c.isHighSurrogate() && last < text.size() && text.at(last).isLowSurrogate())
                ++last;
            else if (c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate())
                --first;
            QString replacement;
            if (u == '\r' && last == text.size())
                replacement = QString();  // CR before a break: the break stands for CR LF already
            else if (u == '\r' || u == '\n' || u == QChar::LineSeparator)
                replacement = QStringLiteral("\n");
            else if (last - first == 2 || !Win1252::Holds(c))
                replacement = QStringLiteral("?");
            else
                continue;
            changes.push_back({base + first, base + last, replacement});
            i = last - 1;
        }
    }
    if (changes.empty())
        return;

    // From the end backwards, so that replacements do not move the positions still to change.
    m_filtering = true;
    QTextCursor cursor(doc);
    cursor.joinPreviousEditBlock();
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        cursor.setPosition(change->first);
        cursor.setPosition(change->last, QTextCursor::KeepAnchor);
        cursor.insertText(change->replacement);
    }
    cursor.endEditBlock();
    m_filtering = false;
}

namespace {
// True when the drag carries files rather than text.
bool CarriesFiles(const QMimeData* data)
{
    return data && data->hasUrls() && !data->urls().isEmpty();
}
}  // namespace

void TextBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (CarriesFiles(event->mimeData()))
        event->acceptProposedAction();
    else
        QPlainTextEdit::dragEnterEvent(event);
}

void TextBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (CarriesFiles(event->mimeData()))
        event->acceptProposedAction();
    else
        QPlainTextEdit::dragMoveEvent(event);
}

void TextBox::dropEvent(QDropEvent* event)
{
    if (!CarriesFiles(event->mimeData())) {
        QPlainTextEdit::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(event->mimeData()->urls());
}
