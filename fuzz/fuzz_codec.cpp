// The Windows-1252 codec in both directions.
#include "FuzzFile.h"
#include "Win1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Bytes -> characters -> bytes gives every byte back.
    FUZZ_CHECK(Win1252::Encode(Win1252::Decode(bytes)) == bytes);

    // Arbitrary UTF-16 -> bytes: one byte a character (a pair of surrogates is one character),
    // "?" exactly where the set has no place.
    const QString text(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    const QByteArray encoded = Win1252::Encode(text);
    qsizetype at = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++at) {
        FUZZ_CHECK(at < encoded.size());
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            FUZZ_CHECK(encoded[at] == '?');
            ++i;
            continue;
        }
        const bool held = Win1252::Holds(text[i]);
        FUZZ_CHECK(held || encoded[at] == '?');
        FUZZ_CHECK(!held || Win1252::ToChar(static_cast<unsigned char>(encoded[at])) == text[i]);
    }
    FUZZ_CHECK(at == encoded.size());
    const QByteArray lines = Win1252::FromDocumentText(text);
    FUZZ_CHECK(lines.size() >= encoded.size());
    return 0;
}
