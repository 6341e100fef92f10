#include "Win1252.h"

namespace Win1252 {
namespace {

// 0x80-0x9F. The five bytes the code page leaves undefined keep their C1 code point,
// so every byte still has a character of its own.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

QChar ToChar(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F)
        return QChar(kHigh[b - 0x80]);
    return QChar(static_cast<char16_t>(b));
}

unsigned char ToByte(QChar c, bool* ok)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        if (ok) *ok = true;
        return static_cast<unsigned char>(u);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u) {
            if (ok) *ok = true;
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    if (ok) *ok = false;
    return '?';
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
