// The codec's coded picture and text, with no toolkit: round trips at the edges of what a
// picture holds, and the text box's text from UTF-8 and Windows-1252.
#include "CodecCheck.h"
#include "Cp1252.h"
#include "Picture.h"
#include "TextBytes.h"

namespace {

std::string Letters(std::size_t n)
{
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
        s += char('a' + i % 26);
    return s;
}

Codec::PixelSurface Encoded(const std::string& text, Codec::Settings settings = {}, double filler = 0.5)
{
    Codec::PixelSurface s(CodedPicture::Width, CodedPicture::Height);
    Codec::Encode(s, text, settings, [filler] { return filler; });
    return s;
}

std::string Padded(std::string text)
{
    while (text.size() % 3)
        text += ' ';
    return text;
}

}  // namespace

CODEC_TEST(roundTripsAtTheEdgesOfTheCapacity)
{
    for (std::size_t n : {std::size_t(1), std::size_t(2), std::size_t(3), std::size_t(196 * 3 + 1),
                          std::size_t(67619), std::size_t(67620)}) {
        const std::string text = Letters(n);
        CHECK_EQ(Codec::CharactersNotRecoverable(text), 0);
        const Codec::Decoded d = Codec::Decode(Encoded(text));
        CHECK(d.text == Padded(text));
        CHECK(!d.pastReadableRows);
    }
    // Past the readable rows: written into rows 118 and 119, not read back, and said so.
    const std::string over = Letters(67621);
    CHECK_EQ(Codec::CharactersNotRecoverable(over), 1);
    const Codec::Decoded d = Codec::Decode(Encoded(over));
    CHECK(d.text == over.substr(0, 67620));
    CHECK(d.pastReadableRows);
    CHECK_EQ(Codec::CharactersNotRecoverable(Letters(200000)), 200000 - 67620);
    CHECK_EQ(Codec::Decode(Encoded(Letters(200000))).text.size(), std::size_t(67620));

    // A group that begins with code 255 reads as empty: its characters are lost.
    const std::string lost = std::string("abc") + "\xFF" + "de" + "fgh";
    CHECK_EQ(Codec::CharactersNotRecoverable(lost), 3);
    CHECK(Codec::Decode(Encoded(lost)).text == "abcfgh");
    CHECK_EQ(Codec::CharactersNotRecoverable(std::string("ab\xFF")), 0);
}

CODEC_TEST(signatureSettingsAndFillerAreWhereTheyBelong)
{
    Codec::Settings settings;
    settings.textSize = 10.5;  // a half goes to the even neighbour
    settings.fore = {1, 2, 3};
    settings.back = {250, 251, 252};
    const Codec::PixelSurface s = Encoded("xyz", settings, 0.999999);
    const Codec::Decoded d = Codec::Decode(s);
    CHECK(d.signature == Codec::Signature());
    CHECK_EQ(Codec::Signature().size(), std::size_t(48));
    CHECK_EQ(d.textSize, 10);
    CHECK(d.fore == (Rgb{1, 2, 3}));
    CHECK(d.back == (Rgb{250, 251, 252}));
    CHECK(s.GetPixel(CodedPicture::FillerFirstX, 2) == (Rgb{141, 141, 141}));
    CHECK(Encoded("x", {}, 0.0).GetPixel(CodedPicture::TextLastX, 2) == (Rgb{32, 32, 32}));
    CHECK(s.GetPixel(0, 0) == (Rgb{0, 0, 0}) && s.GetPixel(199, 119) == (Rgb{0, 0, 0}));  // the frame
    CHECK(s.GetPixel(2, 3) == (Rgb{'x', 'y', 'z'}));
    CHECK(Codec::IsCodedPicture(200, 120, Codec::SignatureRowText(s)));
    CHECK(!Codec::IsCodedPicture(200, 120, Codec::SignatureRowText(Codec::PixelSurface(200, 120))));
    CHECK(!Codec::IsCodedPicture(201, 120, Codec::SignatureRowText(s)));
    Codec::PixelSurface mirrored = s;
    mirrored.Mirror();
    CHECK(!Codec::IsCodedPicture(200, 120, Codec::SignatureRowText(mirrored)));
    mirrored.Mirror();
    CHECK(mirrored.Pixels() == s.Pixels());
}

CODEC_TEST(theTextBoxTextFromUtf8AndWindows1252)
{
    int replaced = -1;
    // Every kind of line break becomes CR LF; a character outside the set one "?", also one
    // outside the basic plane; a byte that is not UTF-8 one "?".
    const std::string utf8 = "caf\xC3\xA9\r\nb\rc\nd\xE2\x80\xA8" "e\xE2\x80\xA9\xE2\x82\xAC \xF0\x9F\x98\x80 \xC4\x81 \xFF";
    CHECK(Cp1252::BoxText(utf8, Cp1252::Encoding::Utf8, &replaced)
          == "caf\xE9\r\nb\r\nc\r\nd\r\ne\r\n\x80 ? ? ?");
    CHECK_EQ(replaced, 3);
    CHECK(Cp1252::BoxText("a\r\r\nb", Cp1252::Encoding::Cp1252, &replaced) == "a\r\n\r\nb");
    CHECK_EQ(replaced, 0);

    // All 256 bytes: to UTF-8 and back through the box's text, only line breaks change.
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            all += char(b);
    CHECK(Cp1252::IsUtf8(Cp1252::ToUtf8(all)));
    CHECK(Cp1252::BoxText(Cp1252::ToUtf8(all), Cp1252::Encoding::Utf8, &replaced) == all);
    CHECK_EQ(replaced, 0);
    CHECK(!Cp1252::IsUtf8("\xE9t\xE9"));
    CHECK(Cp1252::ToByte(0x20AC) == 0x80 && Cp1252::ToCodePoint(0x80) == 0x20AC);
    CHECK(!Cp1252::Holds(0x0101) && Cp1252::Holds(0x0081));

    // Text files: a line ends at CR or CR LF, an LF alone stays in its line.
    CHECK(TextBytes::Read("a\rb\r\nc\nd") == "a\r\nb\r\nc\nd\r\n");
    CHECK(TextBytes::Read("").empty());
    CHECK(TextBytes::Read("\r\n\r") == "\r\n\r\n");
    CHECK(TextBytes::Write({"ab", "", "c\xE9"}) == "ab\r\n\r\nc\xE9\r\n");
}

int main()
{
    return CodecCheck::RunAll();
}
