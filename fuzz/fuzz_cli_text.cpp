// The reading of a text, UTF-8 or Windows-1252, into the text box's text (the codec's).
#include "Cp1252.h"
#include "FuzzFile.h"

#include <algorithm>

namespace {
std::size_t Count(const std::string& s, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + what.size()))
        ++n;
    return n;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (Cp1252::Encoding encoding : {Cp1252::Encoding::Utf8, Cp1252::Encoding::Cp1252}) {
        int replaced = -1;
        const std::string text = Cp1252::BoxText(input, encoding, &replaced);
        // Every line break is CR LF; nothing grows beyond two bytes a character.
        const std::size_t pairs = Count(text, "\r\n");
        FUZZ_CHECK(Count(text, "\r") == pairs && Count(text, "\n") == pairs);
        FUZZ_CHECK(replaced >= 0 && text.size() <= 2 * input.size());
        FUZZ_CHECK(std::size_t(replaced) <= Count(text, "?"));
        // Windows-1252 input loses nothing but the kind of its line breaks.
        if (encoding == Cp1252::Encoding::Cp1252)
            FUZZ_CHECK(replaced == 0);
        // Written out and read again, the text stays as it is.
        FUZZ_CHECK(Cp1252::BoxText(Cp1252::FromBoxText(text, encoding), encoding) == text);
        FUZZ_CHECK(Cp1252::IsUtf8(Cp1252::ToUtf8(text)));
    }
    return 0;
}
