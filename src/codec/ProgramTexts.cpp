#include "ProgramTexts.h"

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

std::string MailAddress(const std::string& recipient)
{
    return "mailto:" + recipient + "?subject=Glyphix Picture&body=Enter your text... "
           "(Click on the Paperclip to add it as an attachment)";
}

}  // namespace ProgramTexts
