// clsFolium: fonts, text measurement, text placement and the text-state operators.
#include "clsFolium.h"
#include "FontWidthTables.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

namespace {

enum Family { TimesNewRoman, CourierNew, Symbol, Arial };

struct FamilyInfo {
    const char* baseName;
    std::uint8_t firstChar;
    std::int32_t missingWidth;
};

const FamilyInfo kFamilies[] = {
    {"TimesNewRoman", 32, 333},
    {"CourierNew", 32, 600},
    {"Symbol", 30, 332},
    {"Arial", 32, 272},
};

// The five pieces of each font descriptor, by family and style (1-4).
struct DescriptorPieces {
    const char* flagsAndBox;
    const char* missingAndStemV;
    const char* stemHAngleHeights;
    const char* ascentDescentLeading;
    const char* maxAndAverage;
};

const DescriptorPieces kDescriptors[4][4] = {
    {   // Times New Roman
        {"/Flags 34 /FontBBox [-250 -216 1200 1000] ", "/MissingWidth 333 /StemV 73 ",
         "/StemH 73 /ItalicAngle 0 /CapHeight 891 /XHeight 446 ", "/Ascent 891 /Descent -216 /Leading 149 ",
         "/MaxWidth 1000 /AvgWidth 401"},
        {"/Flags 16418 /FontBBox [-250 -216 1201 1000] ", "/MissingWidth 333 /StemV 136 ",
         "/StemH 136 /ItalicAngle 0 /CapHeight 891 /XHeight 446 ", "/Ascent 891 /Descent -216 /Leading 149 ",
         "/MaxWidth 1001 /AvgWidth 401"},
        {"/Flags 98 /FontBBox [-250 -216 1200 1000] ", "/MissingWidth 333 /StemV 73 ",
         "/StemH 73 /ItalicAngle -11 /CapHeight 891 /XHeight 446 ", "/Ascent 891 /Descent -216 /Leading 149 ",
         "/MaxWidth 1000 /AvgWidth 402"},
        {"/Flags 16482 /FontBBox [-250 -216 1200 1000] ", "/MissingWidth 333 /StemV 131 ",
         "/StemH 131 /ItalicAngle -11 /CapHeight 891 /XHeight 446 ", "/Ascent 891 /Descent -216 /Leading 149 ",
         "/MaxWidth 1000 /AvgWidth 412"},
    },
    {   // Courier New
        {"/Flags 34 /FontBBox [-250 -300 720 1000] ", "/MissingWidth 600 /StemV 109 ",
         "/StemH 109 /ItalicAngle 0 /CapHeight 833 /XHeight 417 ", "/Ascent 833 /Descent -300 /Leading 133 ",
         "/MaxWidth 600 /AvgWidth 600"},
        {"/Flags 16418 /FontBBox [-250 -300 720 1000] ", "/MissingWidth 600 /StemV 191 ",
         "/StemH 191 /ItalicAngle 0 /CapHeight 833 /XHeight 417 ", "/Ascent 833 /Descent -300 /Leading 133 ",
         "/MaxWidth 600 /AvgWidth 600"},
        {"/Flags 98 /FontBBox [-250 -300 720 1000] ", "/MissingWidth 600 /StemV 109 ",
         "/StemH 109 /ItalicAngle -11 /CapHeight 833 /XHeight 417 ", "/Ascent 833 /Descent -300 /Leading 133 ",
         "/MaxWidth 600 /AvgWidth 600"},
        {"/Flags 16482 /FontBBox [-250 -300 720 1000] ", "/MissingWidth 600 /StemV 191 ",
         "/StemH 191 /ItalicAngle -11 /CapHeight 833 /XHeight 417 ", "/Ascent 833 /Descent -300 /Leading 133 ",
         "/MaxWidth 600 /AvgWidth 600"},
    },
    {   // Symbol
        {"/Flags 6 /FontBBox [-250 -220 1246 1005] ", "/MissingWidth 332 /StemV 109 ",
         "/StemH 109 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 ", "/Ascent 1005 /Descent -220 /Leading 225 ",
         "/MaxWidth 1038 /AvgWidth 601"},
        {"/Flags 16390 /FontBBox [-250 -220 1246 1005] ", "/MissingWidth 332 /StemV 191 ",
         "/StemH 191 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 ", "/Ascent 1005 /Descent -220 /Leading 225 ",
         "/MaxWidth 1038 /AvgWidth 600"},
        {"/Flags 70 /FontBBox [-250 -220 1246 1005] ", "/MissingWidth 332 /StemV 109 ",
         "/StemH 109 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 ", "/Ascent 1005 /Descent -220 /Leading 225 ",
         "/MaxWidth 1038 /AvgWidth 600"},
        {"/Flags 16454 /FontBBox [-250 -220 1246 1005] ", "/MissingWidth 332 /StemV 191 ",
         "/StemH 191 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 ", "/Ascent 1005 /Descent -220 /Leading 225 ",
         "/MaxWidth 1038 /AvgWidth 600"},
    },
    {   // Arial
        {"/Flags 32 /FontBBox [-250 -221 1190 1000] ", "/MissingWidth 272 /StemV 80 ",
         "/StemH 80 /ItalicAngle 0 /CapHeight 905 /XHeight 453 ", "/Ascent 905 /Descent -212 /Leading 150 ",
         "/MaxWidth 992 /AvgWidth 441"},
        {"/Flags 16416 /FontBBox [-250 -212 1120 1000] ", "/MissingWidth 311 /StemV 153 ",
         "/StemH 153 /ItalicAngle 0 /CapHeight 905 /XHeight 453 ", "/Ascent 905 /Descent -212 /Leading 150 ",
         "/MaxWidth 933 /AvgWidth 479"},
        {"/Flags 96 /FontBBox [-250 -212 1134 1000] ", "/MissingWidth 259 /StemV 80 ",
         "/StemH 80 /ItalicAngle -11 /CapHeight 905 /XHeight 453 ", "/Ascent 905 /Descent -212 /Leading 150 ",
         "/MaxWidth 945 /AvgWidth 441"},
        {"/Flags 16480 /FontBBox [-250 -212 1120 1000] ", "/MissingWidth 311 /StemV 153 ",
         "/StemH 153 /ItalicAngle -11 /CapHeight 905 /XHeight 453 ", "/Ascent 905 /Descent -212 /Leading 150 ",
         "/MaxWidth 933 /AvgWidth 479"},
    },
};

const std::int32_t* WidthTable(Family family, int style)
{
    using namespace FontWidthTables;
    static const std::int32_t* const tables[4][4] = {
        {kTimesNewRomanRegular, kTimesNewRomanBold, kTimesNewRomanItalic, kTimesNewRomanBoldItalic},
        {kCourierNewRegular, kCourierNewBold, kCourierNewItalic, kCourierNewBoldItalic},
        {kSymbol, kSymbol, kSymbol, kSymbol},
        {kArialRegular, kArialBold, kArialItalic, kArialBoldItalic},
    };
    return tables[family][style - 1];
}

std::string WithoutBlanks(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != ' ')
            out.push_back(c);
    return out;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

const char* StyleSuffix(std::int32_t options)
{
    switch (options) {
    case 2: return ",Bold";
    case 3: return ",Italic";
    case 4: return ",BoldItalic";
    default: return "";
    }
}

Family FamilyOf(const std::string& baseFont)
{
    const std::string key = Upper(WithoutBlanks(baseFont));
    if (key == "TIMESNEWROMAN")
        return TimesNewRoman;
    if (key == "COURIERNEW")
        return CourierNew;
    if (key == "SYMBOL")
        return Symbol;
    return Arial;
}

std::string FourDigits(int n)
{
    std::string s = std::to_string(n);
    return std::string(s.size() < 4 ? 4 - s.size() : 0, '0') + s;
}

}  // namespace

void clsFolium::LoadFontStandard(const std::string& Name, const std::string& BaseFont, std::int32_t Options)
{
    const std::string base = WithoutBlanks(BaseFont) + StyleSuffix(Options);
    const std::int32_t n = BeginIndirectObject(0);
    WriteLine("<< /Type /Font /Subtype /Type1 /Name /" + Name + " /BaseFont /" + base
              + " /Encoding /WinAnsiEncoding >>");
    EndIndirectObject();
    FontResources += "/" + Name + " " + std::to_string(n) + " 0 R \r";
}

void clsFolium::LoadFont(const std::string& Name, const std::string& BaseFont, std::int32_t Options)
{
    RequireOpen();
    if (FontCount >= 32767)
        throw std::overflow_error("clsFolium: too many fonts");
    ++FontCount;
    FontMetricsList.resize(static_cast<std::size_t>(FontCount));
    if (Options < 1 || Options > 4)
        throw std::invalid_argument("clsFolium: font style must be 1 to 4");

    const Family family = FamilyOf(BaseFont);
    const FamilyInfo& info = kFamilies[family];
    const DescriptorPieces& d = kDescriptors[family][Options - 1];
    FontMetrics metrics;
    metrics.BaseFontName = std::string(info.baseName) + StyleSuffix(Options);
    metrics.FirstChar = info.firstChar;
    metrics.LastChar = 255;
    metrics.MissingWidth = info.missingWidth;
    metrics.Descriptor = std::string(d.flagsAndBox) + d.missingAndStemV + d.stemHAngleHeights
                       + d.ascentDescentLeading + d.maxAndAverage;
    metrics.Widths = WidthTable(family, Options);
    FontMetricsList[static_cast<std::size_t>(FontCount) - 1] = metrics;

    const std::int32_t n = BeginIndirectObject(0);
    WriteLine("<< /Type /Font \r/Subtype /TrueType\r/Name /" + Name + "\r/BaseFont /" + metrics.BaseFontName
              + "\r/FirstChar " + std::to_string(metrics.FirstChar) + "\r/LastChar "
              + std::to_string(metrics.LastChar) + "\r/FontDescriptor " + std::to_string(n + 1)
              + " 0 R\r/Encoding /WinAnsiEncoding\r/Widths [");
    int inLine = 0;
    for (int code = metrics.FirstChar; code <= metrics.LastChar; ++code) {
        Put(FormatPdfNumber(static_cast<std::int64_t>(metrics.Widths[code]), 3));
        Put(" ");
        if (++inLine == 16 || code == metrics.LastChar) {
            EndLine();
            inLine = 0;
        }
    }
    WriteLine("] >>");
    EndIndirectObject();
    FontResources += "/" + Name + " " + std::to_string(n) + " 0 R \r";
    FontRegistry += "<" + Name + ">" + FourDigits(FontCount) + ";";

    BeginIndirectObject(0);
    WriteLine("<<\r/Type /FontDescriptor\r/FontName /" + metrics.BaseFontName + "\r" + metrics.Descriptor + "\r>>");
    EndIndirectObject();
}

const clsFolium::FontMetrics* clsFolium::FindFontMetrics(const std::string& FontName) const
{
    const std::string key = Upper("<" + FontName + ">");
    const std::string registry = Upper(FontRegistry);
    const std::size_t at = registry.find(key);
    if (at == std::string::npos)
        return nullptr;
    // The entry's number: four digits or more (from the 10,000th font on), then ";".
    int index = 0;
    std::size_t i = at + key.size();
    for (; i < registry.size() && registry[i] != ';'; ++i) {
        if (registry[i] < '0' || registry[i] > '9' || index > 99999)
            return nullptr;  // a name that only looked like an entry
        index = index * 10 + (registry[i] - '0');
    }
    if (i >= registry.size() || i - (at + key.size()) < 4)
        return nullptr;
    if (index < 1 || index > static_cast<int>(FontMetricsList.size()))
        return nullptr;
    const FontMetrics& metrics = FontMetricsList[static_cast<std::size_t>(index) - 1];
    return metrics.Widths ? &metrics : nullptr;
}

float clsFolium::Length(const std::string& Phrase, const std::string& FontName, float Fontsize)
{
    const FontMetrics* metrics = FindFontMetrics(FontName);
    if (!metrics)
        return 0.0f;
    float sum = 0.0f;
    int spaces = 0;
    for (char ch : Phrase) {
        const int c = static_cast<unsigned char>(ch);
        sum += static_cast<float>(c >= metrics->FirstChar && c <= metrics->LastChar ? metrics->Widths[c]
                                                                                     : metrics->MissingWidth);
        if (c == 32)
            ++spaces;
    }
    const float characters = static_cast<float>(Phrase.size());
    const float points = (sum * Fontsize / 1000.0f + static_cast<float>(spaces) * WordSpacing
                          + characters * CharSpacing) * HorizontalScaling / 100.0f;
    return FromPoints(points);
}

void clsFolium::DrawText(float& x, float y, const std::string& strTemp, const std::string& FontName, float Fontsize,
                         std::int32_t Align, float Rotate)
{
    RequireOpen();
    if (Align == 2)
        x = x - Length(strTemp, FontName, Fontsize);
    else if (Align == 3)
        x = x - Length(strTemp, FontName, Fontsize) / 2.0f;
    WriteLine("BT");
    Put("/");
    Put(FontName);
    Put(" ");
    PutNumber(Fontsize);
    Put(" Tf");
    EndLine();
    const float X = ToPoints(x);
    const float Y = ToPoints(y);
    if (Rotate != 0.0f) {
        const double a = 3.141592 / 180.0 * Rotate;
        const float c = static_cast<float>(std::cos(a));
        const float s = static_cast<float>(std::sin(a));
        for (float v : {c, s, -s, c, X, Y}) {
            PutNumber(v);
            Put(" ");
        }
        Put("Tm");
    } else {
        PutNumber(X);
        Put(" ");
        PutNumber(Y);
        Put(" Td");
    }
    EndLine();
    Put("(");
    PutEscaped(strTemp);
    Put(") Tj");
    EndLine();
    WriteLine("ET");
}

void clsFolium::SetWordSpacing(float W)
{
    RequireOpen();
    WordSpacing = W;
    WriteLine(FormatPdfNumber(W, 3) + " Tw");
}

void clsFolium::SetCharSpacing(float W)
{
    RequireOpen();
    CharSpacing = W;
    WriteLine(FormatPdfNumber(W, 3) + " Tc");
}

void clsFolium::SetTextHorizontalScaling(float W)
{
    RequireOpen();
    HorizontalScaling = W;
    WriteLine(FormatPdfNumber(W, 3) + " Tz");
}

void clsFolium::SetTextRenderingMode(float W)
{
    if (W >= 0 && W <= 2)
        WriteLine(FormatPdfNumber(W, 3) + " Tr");
}
