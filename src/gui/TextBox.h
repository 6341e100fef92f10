// The text box: a word-wrapping plain-text box that holds only Windows-1252 characters.
//
// "The text" of the box is its content with every line break as CR LF, as bytes of the
// code page; the counter, the coded picture and the text files all see these bytes.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPlainTextEdit>
#include <QUrl>

class TextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    TextBox(const QString& name, QWidget* parent);

    // The text as Windows-1252 bytes, line breaks as CR LF.
    QByteArray Text() const;
    // Sets the text; CR LF, lone CR and lone LF all become line breaks.
    void SetText(const QByteArray& bytes);
    // Number of characters of the text (a line break counts two).
    qint64 CharacterCount() const;

    double TextSize() const { return font().pointSizeF(); }
    void SetTextSize(double points);
    void SetTextColour(const QColor& colour);
    void SetBackColour(const QColor& colour);

signals:
    // Files dropped on the box: they are documents to open, not text to insert.
    void filesDropped(const QList<QUrl>& files);

protected:
    // Tab types a tab; Ctrl+Tab and Ctrl+Shift+Tab move the focus on and back.
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Whatever entered the box: characters outside the code page become "?", and any
    // other kind of line break becomes a paragraph break.
    void KeepToCodePage(int position, int removed, int added);

    bool m_filtering = false;
};
