#include "Win1252.h"

#include "Cp1252.h"

namespace Win1252 {

QChar ToChar(unsigned char b)
{
    return QChar(static_cast<char16_t>(Cp1252::ToCodePoint(b)));
}

unsigned char ToByte(QChar c, bool* ok)
{
    return Cp1252::ToByte(c.unicode(), ok);
}

bool Holds(QChar c)
{
    bool ok = false;
    ToByte(c, &ok);
    return ok;
}

QString Decode(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (int i = 0; i < bytes.size(); ++i)
        d[i] = ToChar(static_cast<unsigned char>(bytes[i]));
    return out;
}

namespace {
// True when text[i] is the second half of a character outside the basic plane, which the
// first half has already been written for.
bool SecondHalf(const QString& text, qsizetype i)
{
    return i > 0 && text[i].isLowSurrogate() && text[i - 1].isHighSurrogate();
}
}  // namespace

QByteArray Encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!SecondHalf(text, i))
            out.append(static_cast<char>(ToByte(text[i])));
    return out;
}

QByteArray FromDocumentText(const QString& documentText)
{
    QByteArray out;
    out.reserve(documentText.size() + documentText.size() / 16);
    for (qsizetype i = 0; i < documentText.size(); ++i) {
        const QChar c = documentText[i];
        const char16_t u = c.unicode();
        if (u == QChar::ParagraphSeparator || u == QChar::LineSeparator || u == '\n')
            out.append("\r\n", 2);
        else if (!SecondHalf(documentText, i))
            out.append(static_cast<char>(ToByte(c)));
    }
    return out;
}

QString ToDocumentText(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (int i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            out.append(QChar('\n'));
        } else {
            out.append(ToChar(b));
        }
    }
    return out;
}

}  // namespace Win1252
