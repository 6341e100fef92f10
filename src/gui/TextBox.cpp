#include "TextBox.h"

#include "Controls.h"
#include "Win1252.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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
    m_filtering = true;
    QTextDocument* doc = document();
    QTextCursor cursor(doc);
    bool editing = false;
    const int end = std::min(position + added, doc->characterCount() - 1);
    // Walk backwards so that replacements do not move the positions still to visit.
    for (int pos = end - 1; pos >= position; --pos) {
        const QChar c = doc->characterAt(pos);
        const char16_t u = c.unicode();
        if (u == QChar::ParagraphSeparator)
            continue;
        QString replacement;
        int first = pos;  // a character outside the basic plane is two units and becomes one "?"
        if (c.isLowSurrogate() && pos > 0 && doc->characterAt(pos - 1).isHighSurrogate())
            --first;
        if (u == '\r' && doc->characterAt(pos + 1) == QChar(QChar::ParagraphSeparator))
            replacement = QString();  // CR before a break: the break stands for CR LF already
        else if (u == '\r' || u == '\n' || u == QChar::LineSeparator)
            replacement = QStringLiteral("\n");
        else if (!Win1252::Holds(c))
            replacement = QStringLiteral("?");
        else
            continue;
        if (!editing) {
            cursor.joinPreviousEditBlock();
            editing = true;
        }
        cursor.setPosition(first);
        cursor.setPosition(pos + 1, QTextCursor::KeepAnchor);
        cursor.insertText(replacement);
        pos = first;
    }
    if (editing)
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
