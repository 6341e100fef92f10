// Windows-1252: the single-byte character set of every text the program holds, and the text
// the text box holds (CR LF line breaks, "?" for what the set cannot hold) from other texts.
#pragma once

#include <cstddef>
#include <string>

namespace Cp1252 {

// The code point that stands for byte b (all 256 bytes have one, so decoding never loses).
char32_t ToCodePoint(unsigned char b);

// The byte of code point c; '?' when the set cannot hold it. ok, when given, tells which.
unsigned char ToByte(char32_t c, bool* ok = nullptr);

// True when the set holds c.
bool Holds(char32_t c);

// The code point of the valid UTF-8 sequence at the start of s (n bytes) and the sequence's
// length; 0 when none begins there (a stray byte, an overlong form, a surrogate, a cut end).
int Utf8Sequence(const unsigned char* s, std::size_t n, char32_t* code);

// True when bytes are valid UTF-8 throughout.
bool IsUtf8(const std::string& bytes);

// Windows-1252 bytes as UTF-8.
std::string ToUtf8(const std::string& bytes);

// How a text to be read is written.
enum class Encoding { Utf8, Cp1252 };

// The text as the text box would hold it, in Windows-1252: every kind of line break (CR LF,
// CR, LF, and in UTF-8 U+2028 and U+2029) as CR LF, and every character outside the set as
// "?": one for a character outside the basic plane, one for each byte that is not UTF-8.
// replaced, when given, receives how many characters became "?".
std::string BoxText(const std::string& input, Encoding encoding, int* replaced = nullptr);

// Text of the box (Windows-1252 bytes) in the given encoding.
std::string FromBoxText(const std::string& text, Encoding encoding);

}  // namespace Cp1252
