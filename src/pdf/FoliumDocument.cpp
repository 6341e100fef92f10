// clsFolium: document properties, output, objects, numbers, pages and the closing structures.
#include "clsFolium.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace {

constexpr std::int32_t kMaxObjectNumber = 32767;
constexpr const char* kProducer = "\xA9 2026 Ombrino";  // (c) sign in Windows-1252

std::tm LocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string Digits(long value, int width)
{
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
    return s;
}

// Folder of the running executable.
std::string ExecutableFolder()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

// Decimal digits of |n| rounded to at most `significant` digits (ties to even);
// returns the digits and how many places the value moved left.
std::string RoundToSignificant(std::string digits, int significant, int& shift)
{
    shift = 0;
    if (static_cast<int>(digits.size()) <= significant)
        return digits;
    const std::size_t keep = static_cast<std::size_t>(significant);
    const char first = digits[keep];
    const bool restNonZero = digits.find_first_not_of('0', keep + 1) != std::string::npos;
    bool up = first > '5' || (first == '5' && (restNonZero || ((digits[keep - 1] - '0') % 2 == 1)));
    shift = static_cast<int>(digits.size() - keep);
    digits.resize(keep);
    if (up) {
        int i = static_cast<int>(keep) - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
            digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[static_cast<std::size_t>(i)];
    }
    return digits;
}

// Text of the decimal number (digits x 10^-decimals), without exponent or trailing zeros.
std::string PlaceDecimalPoint(bool negative, std::string digits, int decimals)
{
    if (digits.find_first_not_of('0') == std::string::npos)
        return "0";
    while (decimals < 0) {
        digits.push_back('0');
        ++decimals;
    }
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, static_cast<std::size_t>(decimals) - digits.size() + 1, '0');
    std::string whole = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    std::string fraction = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    const std::size_t nz = whole.find_first_not_of('0');
    whole = nz == std::string::npos ? "0" : whole.substr(nz);
    std::string out = negative ? "-" : "";
    out += whole;
    if (!fraction.empty())
        out += "." + fraction;
    return out;
}

// Rounds value to `decimals` places (ties to even, on the value's exact binary value) and
// writes it with at most `significant` significant digits, never with an exponent.
std::string FormatRounded(long double value, int decimals, int significant)
{
    if (!std::isfinite(value))
        return "0";
    const long double scaled = std::nearbyint(value * std::pow(10.0L, decimals));
    const bool negative = scaled < 0;
    const long double magnitude = std::fabs(scaled);
    std::string digits;
    if (magnitude < 9.0e18L) {
        digits = std::to_string(static_cast<unsigned long long>(magnitude));
    } else {
        char buf[128];
        std::snprintf(buf, sizeof buf, "%.0Lf", magnitude);
        digits = buf;
    }
    int shift = 0;
    digits = RoundToSignificant(digits, significant, shift);
    return PlaceDecimalPoint(negative, digits, decimals - shift);
}

// Fast path for the common case: |value| x 10^decimals below 10^7 (so at most 7 digits and no
// significant-digit rounding). Writes into out (at least 24 bytes) and returns the length,
// or 0 when the value needs the general path.
std::size_t FormatSmall(float value, int decimals, char* out)
{
    if (decimals != 3)
        return 0;
    const double scaled = std::nearbyint(static_cast<double>(value) * 1000.0);  // exact for a float
    if (!(std::fabs(scaled) < 1.0e7))  // also false for NaN and infinities
        return 0;
    long n = static_cast<long>(scaled);
    if (n == 0) {
        out[0] = '0';
        return 1;
    }
    std::size_t at = 0;
    if (n < 0) {
        out[at++] = '-';
        n = -n;
    }
    long whole = n / 1000;
    int fraction = static_cast<int>(n % 1000);
    char digits[8];
    int len = 0;
    do {
        digits[len++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    while (len > 0)
        out[at++] = digits[--len];
    if (fraction != 0) {
        out[at++] = '.';
        out[at++] = static_cast<char>('0' + fraction / 100);
        fraction %= 100;
        if (fraction != 0) {
            out[at++] = static_cast<char>('0' + fraction / 10);
            if (fraction % 10 != 0)
                out[at++] = static_cast<char>('0' + fraction % 10);
        }
    }
    return at;
}

// True when any of the 8 bytes of v is '(' , ')' or '\\'.
inline bool HasSpecialByte(std::uint64_t v)
{
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t highs = 0x8080808080808080ULL;
    auto hasZero = [](std::uint64_t x) { return ((x - ones) & ~x & highs) != 0; };
    return hasZero(v ^ (ones * '(')) || hasZero(v ^ (ones * ')')) || hasZero(v ^ (ones * '\\'));
}

}  // namespace

clsFolium::clsFolium() : m_buffer(new char[BufferSize])
{
}

clsFolium::~clsFolium()
{
    // An unclosed document stays as far as it got; only the handle is released.
    if (OutputFile) {
        std::fwrite(m_buffer.get(), 1, m_used, OutputFile);
        std::fclose(OutputFile);
    }
}

// ---- properties ----

void clsFolium::EncodeASCII85(bool vData) { m_encodeASCII85 = vData; }
void clsFolium::Margin(float vData) { m_margin = ToPoints(vData); }
void clsFolium::PaperWidth(float vData) { m_paperWidth = ToPoints(vData); }
void clsFolium::PaperHeight(float vData) { m_paperHeight = ToPoints(vData); }
std::int16_t clsFolium::Pages() const { return PageCount; }
void clsFolium::ScaleMode(std::int32_t New_ScaleMode) { m_scaleMode = New_ScaleMode; }
void clsFolium::Orientation(std::int32_t NewOrientation) { m_orientation = NewOrientation; }
void clsFolium::Title(const std::string& New_Title) { m_title = New_Title; }

void clsFolium::PaperSize(std::int32_t New_PaperSize)
{
    m_paperSize = New_PaperSize;
    switch (New_PaperSize) {
    case 0: m_paperWidth = 595.2f; m_paperHeight = 842.0f; break;    // A4
    case 1: m_paperWidth = 842.0f; m_paperHeight = 1190.5f; break;   // A3
    case 2: m_paperWidth = 612.0f; m_paperHeight = 792.0f; break;    // US Letter
    case 3: m_paperWidth = 612.0f; m_paperHeight = 864.0f; break;    // 8.5 x 12 inches
    default: break;
    }
}

// ---- output ----

void clsFolium::RequireOpen() const
{
    if (!OutputFile)
        throw std::logic_error("clsFolium: no document is open");
}

void clsFolium::WriteLine(std::string_view text)
{
    Put(text);
    EndLine();
}

void clsFolium::PutNumber(float value)
{
    char text[24];
    const std::size_t length = FormatSmall(value, 3, text);
    if (length > 0)
        Put(std::string_view(text, length));
    else
        Put(FormatPdfNumber(value, 3));
}

void clsFolium::PutPoints(float userValue)
{
    PutNumber(ToPoints(userValue));
}

void clsFolium::PutEscaped(std::string_view text)
{
    // Most texts hold nothing to escape: skip them eight bytes at a time.
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t v;
        std::memcpy(&v, text.data() + i, 8);
        if (HasSpecialByte(v))
            break;
    }
    std::size_t from = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == '(' || c == ')') {
            Put(text.substr(from, i - from));
            Put("\\");
            from = i;
        }
    }
    Put(text.substr(from));
}

void clsFolium::PutLarge(std::string_view text)
{
    Flush();
    if (text.size() <= BufferSize) {
        std::memcpy(m_buffer.get(), text.data(), text.size());
        m_used = text.size();
        return;
    }
    if (std::fwrite(text.data(), 1, text.size(), OutputFile) != text.size())
        throw std::system_error(errno ? errno : EIO, std::generic_category(), "clsFolium: cannot write " + PdfFileName);
    m_flushed += text.size();
}

void clsFolium::Flush()
{
    if (!OutputFile || m_used == 0)
        return;
    const std::size_t written = std::fwrite(m_buffer.get(), 1, m_used, OutputFile);
    if (written != m_used) {
        const int error = errno ? errno : EIO;
        throw std::system_error(error, std::generic_category(), "clsFolium: cannot write " + PdfFileName);
    }
    m_flushed += written;
    m_used = 0;
}

std::uint64_t clsFolium::Offset() const
{
    return m_flushed + m_used;
}

// ---- objects ----

std::int32_t clsFolium::BeginIndirectObject(std::int32_t number)
{
    RequireOpen();
    if (number == 0) {
        if (MaxObject + 1 > kMaxObjectNumber)
            throw std::overflow_error("clsFolium: too many objects");
        number = MaxObject + 1;
    }
    if (number < 1 || number > kMaxObjectNumber)
        throw std::overflow_error("clsFolium: object number out of range");
    const std::uint64_t offset = Offset();
    if (offset > 9999999999ULL)
        throw std::overflow_error("clsFolium: document too large for its cross-reference table");
    if (number > MaxObject)
        MaxObject = number;
    if (XrefEntries.size() < static_cast<std::size_t>(MaxObject) + 1)
        XrefEntries.resize(static_cast<std::size_t>(MaxObject) + 1, 0);
    XrefEntries[static_cast<std::size_t>(number)] = offset;
    WriteLine(std::to_string(number) + " 0 obj");
    return number;
}

void clsFolium::EndIndirectObject()
{
    WriteLine("endobj");
}

void clsFolium::CloseStream()
{
    const std::uint64_t length = Offset() - StreamStart;
    WriteLine("endstream");
    EndIndirectObject();
    BeginIndirectObject(0);
    WriteLine(std::to_string(length));
    EndIndirectObject();
}

// ---- units and numbers ----

float clsFolium::ToPoints(float value) const
{
    const long double v = value;
    switch (m_scaleMode) {
    case 1: return value;
    case 2: return static_cast<float>(v * 72);
    case 3: return static_cast<float>(v * 72 / 25.4L);
    case 4: return static_cast<float>(v * 72 / 2.54L);
    default: return 0.0f;
    }
}

float clsFolium::FromPoints(float value) const
{
    const long double p = value;
    switch (m_scaleMode) {
    case 1: return value;
    case 2: return static_cast<float>(p / 72);
    case 3: return static_cast<float>(p / 72 * 25.4L);
    case 4: return static_cast<float>(p / 72 * 2.54L);
    default: return 0.0f;
    }
}

std::string clsFolium::FormatPdfNumber(float value, int decimals)
{
    char text[24];
    const std::size_t length = FormatSmall(value, decimals, text);
    return length > 0 ? std::string(text, length) : FormatRounded(value, decimals, 7);
}

std::string clsFolium::FormatPdfNumber(double value, int decimals)
{
    return FormatRounded(value, decimals, 15);
}

std::string clsFolium::FormatPdfNumber(std::int64_t value, int decimals)
{
    (void)decimals;
    return std::to_string(value);
}

std::string clsFolium::EscapePdfString(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\\' || c == '(' || c == ')')
            out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

// ---- document ----

void clsFolium::InitPDFFile(std::string& strFileName)
{
    // Opening a second document over an open one would leave the first without its
    // cross-reference table: refused, and the open document stays as it is.
    if (OutputFile)
        throw std::logic_error("clsFolium: a document is still open: " + PdfFileName);
    const std::tm now = LocalTime();
    if (strFileName.empty()) {
        static std::mt19937 random(std::random_device{}());
        const std::string digits = std::to_string(now.tm_mday) + Digits(now.tm_hour, 2) + Digits(now.tm_min, 2)
                                 + Digits(now.tm_sec, 2) + std::to_string(random() % 10);
        std::ostringstream hex;
        hex << std::uppercase << std::hex << std::stoull(digits);
        strFileName = ExecutableFolder() + "/~" + hex.str() + ".pdf";
    }
    PdfFileName = strFileName;
    OutputFile = std::fopen(strFileName.c_str(), "wb");
    if (!OutputFile)
        throw std::system_error(errno, std::generic_category(), "clsFolium: cannot create " + strFileName);
    m_used = 0;
    m_flushed = 0;

    WriteLine("%PDF-1.3");
    MaxObject = 0;
    BeginIndirectObject(1);
    const std::string date = Digits(now.tm_year + 1900, 4) + Digits(now.tm_mon + 1, 2) + Digits(now.tm_mday, 2)
                           + Digits(now.tm_hour, 2) + Digits(now.tm_min, 2) + Digits(now.tm_sec, 2);
    WriteLine("<<\r/Title (" + EscapePdfString(m_title) + ")\r/Author (" + EscapePdfString("Ombrino")
              + ")\r/Creator  (" + EscapePdfString("Applicazione di prova") + ")\r/Producer ("
              + EscapePdfString(kProducer) + ")\r/CreationDate (D:" + date + "+01'00')\r>>");
    EndIndirectObject();
    BeginIndirectObject(2);
    WriteLine("<<\r/Type /Catalog\r/Pages 3 0 R\r/PageLayout /OneColumn\r/PageMode /UseNone\r/Lang (it) \r"
              "/ViewerPreferences << /HideToolbar false /DisplayDocTitle true /HideWindowUI false >>\r>>");
    EndIndirectObject();
    MaxObject = 4;
    XrefEntries.resize(5, 0);
}

std::int16_t clsFolium::StartPage()
{
    RequireOpen();
    if (PageCount >= 32767 || MaxObject + 3 > kMaxObjectNumber)
        throw std::overflow_error("clsFolium: too many pages (a document holds at most 32,767 objects, three a page: "
                                  "about 10,900 pages)");
    ++PageCount;
    const std::int32_t n = BeginIndirectObject(0);
    WriteLine("<<\r/Type /Page\r/Parent 3 0 R\r/Contents " + std::to_string(n + 1) + " 0 R\r>>");
    EndIndirectObject();
    KidsList += std::to_string(n) + " 0 R ";
    BeginIndirectObject(n + 1);
    WriteLine("<< /Length " + std::to_string(n + 2) + " 0 R >>\rstream");
    StreamStart = Offset();
    DrawAutoObjects();
    CharSpacing = 0;
    WordSpacing = 0;
    HorizontalScaling = 100;
    return PageCount;
}

void clsFolium::EndPage()
{
    RequireOpen();
    CloseStream();
}

void clsFolium::ClosePDFFile()
{
    RequireOpen();
    std::string resources = "<<\r";
    if (!FontResources.empty())
        resources += "/Font <<\r" + FontResources + ">>\r";
    resources += "/ProcSet [/PDF /Text";
    if (!ImageResources.empty())
        resources += " /ImageB /ImageC /ImageI";
    resources += " ]\r";
    if (!ImageResources.empty() || !ObjectResources.empty())
        resources += "/XObject <<\r" + ImageResources + "\r" + ObjectResources + ">>\r";
    resources += ">>";
    ResourcesObject = static_cast<std::int16_t>(BeginIndirectObject(4));
    WriteLine(resources);
    EndIndirectObject();

    const float w = m_paperWidth;
    const float h = m_paperHeight;
    const float m = m_margin;
    const float right = w - m;
    const float top = h - m;
    PagesObject = static_cast<std::int16_t>(BeginIndirectObject(3));
    WriteLine("<<\r/Type /Pages\r/Count " + std::to_string(PageCount) + "\r/MediaBox [0 0 " + FormatPdfNumber(w, 3)
              + " " + FormatPdfNumber(h, 3) + "]\r/CropBox [" + FormatPdfNumber(m, 3) + " " + FormatPdfNumber(m, 3)
              + " " + FormatPdfNumber(right, 3) + " " + FormatPdfNumber(top, 3) + "]\r"
              + (m_orientation == 2 ? "/Rotate 90" : "") + "\r/Kids [" + KidsList + " ]\r/Resources "
              + std::to_string(ResourcesObject) + " 0 R\r>>");
    EndIndirectObject();

    const std::uint64_t xref = Offset();
    WriteLine("xref");
    WriteLine("0 " + std::to_string(MaxObject + 1));
    WriteLine("0000000000 65535 f");
    for (std::int32_t i = 1; i <= MaxObject; ++i)
        WriteLine(Digits(static_cast<long>(XrefEntries[static_cast<std::size_t>(i)]), 10) + " 00000 n");
    WriteLine("trailer\r<<\r/Size " + std::to_string(MaxObject + 1) + "\r/Info 1 0 R\r/Root 2 0 R\r>>");
    WriteLine("startxref\r" + std::to_string(xref) + "\r%%EOF");

    Flush();
    std::FILE* file = OutputFile;
    OutputFile = nullptr;
    const bool failed = std::ferror(file) != 0;
    if (std::fclose(file) != 0 || failed)
        throw std::system_error(errno ? errno : EIO, std::generic_category(), "clsFolium: cannot write " + PdfFileName);
}
