// The command line's reading of a text, UTF-8 or Windows-1252, into the text box's text.
#include "CliText.h"
#include "FuzzFile.h"
#include "Win1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (CliText::Encoding encoding : {CliText::Encoding::Utf8, CliText::Encoding::Cp1252}) {
        int replaced = -1;
        const QByteArray text = CliText::ToBoxText(input, encoding, &replaced);
        // Every line break is CR LF; nothing grows beyond two bytes a character.
        FUZZ_CHECK(text.count('\r') == text.count("\r\n") && text.count('\n') == text.count("\r\n"));
        FUZZ_CHECK(replaced >= 0 && text.size() <= 2 * input.size());
        FUZZ_CHECK(replaced <= text.count('?'));
        // Windows-1252 input loses nothing but the kind of its line breaks.
        if (encoding == CliText::Encoding::Cp1252)
            FUZZ_CHECK(replaced == 0);
        // Written out and read again, the text stays as it is.
        const QByteArray again = CliText::ToBoxText(CliText::FromBoxText(text, encoding), encoding, nullptr);
        FUZZ_CHECK(again == text);
    }
    return 0;
}
