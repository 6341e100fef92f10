#include "Cp1252.h"

namespace Cp1252 {

int Utf8Sequence(const unsigned char* s, std::size_t n, char32_t* code)
{
    if (n == 0)
        return 0;
    const unsigned char b = s[0];
    int length = 0;
    char32_t c = 0;
    if (b < 0x80) {
        *code = b;
        return 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
        c = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        c = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        c = b & 0x07;
    } else {
        return 0;
    }
    if (n < std::size_t(length))
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((s[k] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (s[k] & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return 0;
    *code = c;
    return length;
}

namespace {

// 0x80-0x9F. The five bytes the code page leaves undefined keep their C1 code point,
// so every byte still has a character of its own.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The code point of the UTF-8 sequence at s[i]; i moves past it. A byte that does not begin
// a valid sequence gives U+FFFD and moves on by one.
char32_t NextUtf8(const std::string& s, std::size_t& i)
{
    char32_t c = 0;
    const int length = Utf8Sequence(reinterpret_cast<const unsigned char*>(s.data()) + i, s.size() - i, &c);
    i += length > 0 ? std::size_t(length) : 1;
    return length > 0 ? c : 0xFFFD;
}

}  // namespace

char32_t ToCodePoint(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F)
        return kHigh[b - 0x80];
    return b;
}

unsigned char ToByte(char32_t c, bool* ok)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        if (ok)
            *ok = true;
        return static_cast<unsigned char>(c);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c) {
            if (ok)
                *ok = true;
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    if (ok)
        *ok = false;
    return '?';
}

bool Holds(char32_t c)
{
    bool ok = false;
    ToByte(c, &ok);
    return ok;
}

bool IsUtf8(const std::string& bytes)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    char32_t code = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const int length = Utf8Sequence(s + i, bytes.size() - i, &code);
        if (length == 0)
            return false;
        i += std::size_t(length);
    }
    return true;
}

std::string ToUtf8(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char b : bytes)
        AppendUtf8(out, ToCodePoint(static_cast<unsigned char>(b)));
    return out;
}

std::string BoxText(const std::string& input, Encoding encoding, int* replaced)
{
    std::string box;
    box.reserve(input.size() + input.size() / 32);
    int lost = 0;
    for (std::size_t i = 0; i < input.size();) {
        const char32_t c = encoding == Encoding::Utf8 ? NextUtf8(input, i) : ToCodePoint(static_cast<unsigned char>(input[i++]));
        if (c == '\r') {
            if (i < input.size() && input[i] == '\n')
                ++i;
            box += "\r\n";
        } else if (c == '\n' || c == 0x2028 || c == 0x2029) {
            box += "\r\n";
        } else {
            bool ok = false;
            box += char(ToByte(c, &ok));
            lost += ok ? 0 : 1;
        }
    }
    if (replaced)
        *replaced = lost;
    return box;
}

std::string FromBoxText(const std::string& text, Encoding encoding)
{
    return encoding == Encoding::Utf8 ? ToUtf8(text) : text;
}

}  // namespace Cp1252
