#include "ProgramTexts.h"

#include <cctype>

namespace ProgramTexts {

std::string MakerWebPage()
{
    return "https://hollowbrandt.org/software";
}

std::string MakerEmailAddress()
{
    return "info@hollowbrandt.org";
}

std::string WatermarkText()
{
    return "hollowbrandt.org";
}

std::string SpecialCharacters()
{
    static const char* const rows[] = {
        "\u00E1  = Ctrl-Alt - a  / 160",
        "\u00E9  = Ctrl-Alt - e  / 130",
        "\u00F3  = Ctrl-Alt - o  / 162",
        "\u00E4  = Ctrl-Alt - q  / 132",
        "\u00FC  = Ctrl-Alt - y  / 129",
        "\u00F6  = Ctrl-Alt - p  / 148",
        "\u00FA  = Ctrl-Alt - u  / 163",
        "\u00B5  = Ctrl-Alt - m / 230",
        "",
        "\u00A9 = Ctrl-Alt - c",
        " \u00B2  = Ctrl-Alt - 2",
        " \u00B3  = Ctrl-Alt - 3",
        "\u20AC  = Ctrl-Alt - 5",
        "\u00BC = Ctrl-Alt - 6 / 172",
        "\u00BD = Ctrl-Alt - 7 / 171",
        "\u00BE = Ctrl-Alt - 8",
        "",
        "Copy    = Ctrl-C",
        "Paste    = Ctrl-V",
        "Delete  = Ctrl-X",
    };
    std::string text;
    for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
        text += (i > 0 ? "\r\n" : "") + std::string(rows[i]);
    return text;
}

namespace {
const char* const MailSubject = "Glyphix Picture";
const char* const MailBody = "Enter your text... (Click on the Paperclip to add it as an attachment)";
}  // namespace

std::string MailAddress(const std::string& recipient)
{
    return "mailto:" + recipient + "?subject=" + MailSubject + "&body=" + MailBody;
}

std::string MailUrl(const std::string& recipient)
{
    // The address as a whole, so that "#", "?", "&" or a blank in it cannot cut off the
    // subject and body; "@" stays as it is in an address.
    auto encoded = [](const std::string& text, bool address) {
        static const char hex[] = "0123456789ABCDEF";
        std::string out;
        for (const char c : text) {
            const auto b = static_cast<unsigned char>(c);
            if (std::isalnum(b) || c == '-' || c == '.' || c == '_' || c == '~' || (address && c == '@')) {
                out += c;
            } else {
                out += '%';
                out += hex[b >> 4];
                out += hex[b & 0xF];
            }
        }
        return out;
    };
    return "mailto:" + encoded(recipient, true) + "?subject=" + encoded(MailSubject, false) + "&body="
        + encoded(MailBody, false);
}

}  // namespace ProgramTexts
