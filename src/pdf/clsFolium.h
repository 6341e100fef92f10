// clsFolium: writes a PDF 1.3 document straight to a file while the caller draws.
//
// Every operator goes to the file the moment it is called; only the bookkeeping for the
// closing structures (cross-reference offsets, page references, resource lists) is kept.
// Texts and names are single-byte Windows-1252 strings and reach the file unchanged.
// Failures are exceptions: std::overflow_error for the 16-bit limits, std::system_error for
// the output file, std::invalid_argument / std::logic_error for calls that cannot be honoured.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class clsFolium {
public:
    clsFolium();
    ~clsFolium();
    clsFolium(const clsFolium&) = delete;
    clsFolium& operator=(const clsFolium&) = delete;

    // Document properties (set ScaleMode first: lengths are converted when set).
    void EncodeASCII85(bool vData);
    void Margin(float vData);
    void PaperWidth(float vData);
    void PaperHeight(float vData);
    std::int16_t Pages() const;
    void ScaleMode(std::int32_t New_ScaleMode);
    void PaperSize(std::int32_t New_PaperSize);
    void Orientation(std::int32_t NewOrientation);
    void Title(const std::string& New_Title);

    // Document and pages.
    void InitPDFFile(std::string& strFileName);
    void ClosePDFFile();
    std::int16_t StartPage();
    void EndPage();

    // Text state and text.
    void SetWordSpacing(float W);
    void SetCharSpacing(float W);
    void SetTextHorizontalScaling(float W);
    void SetTextRenderingMode(float W);
    void DrawText(float& x, float y, const std::string& strTemp, const std::string& FontName, float Fontsize,
                  std::int32_t Align = 1, float Rotate = 0);

    // Vector graphics.
    void SetColorStroke(std::int32_t Color);
    void SetColorFill(std::int32_t Color);
    void SetDash(float DashLength, float GapLength);
    void SetLineWidth(float Width);
    void SetLineCap(std::int16_t Cap);
    void SetLineJoin(std::int16_t Join);
    void SetMiterLimit(float Limit);
    void MoveTo(float x, float y);
    void LineTo(float x, float y, std::int32_t Options = 0);
    void Rectangle(float x, float y, float Width, float Height, std::int32_t Options = 0, float Radius = 0);
    void Curve(float x1, float y1, float x2, float y2, float x3, float y3, std::int32_t Options = 0);
    void DrawCircle(float x, float y, float Radius, std::int32_t Options = 0);
    void Arc(float x, float y, float Radius, float StartAngle, float EndAngle, float Ratio, bool Pie, float Rotation,
             std::int16_t Step, std::int32_t Options = 0);

    // Images.
    bool LoadImgFromBMPFile(const std::string& Name, const std::string& FileName, std::int32_t ColorSpace);
    void LoadImgFromBuffer(const std::string& Name, const std::vector<std::uint8_t>& Samples,
                           const std::vector<std::uint8_t>& Palette, std::int32_t Width, std::int32_t Height,
                           std::uint8_t Bpp, std::int32_t ColorSpace);
    void DrawImg(const std::string& Name, float x, float y, float Width, float Height);

    // Fonts.
    void LoadFontStandard(const std::string& Name, const std::string& BaseFont, std::int32_t Options);
    void LoadFont(const std::string& Name, const std::string& BaseFont, std::int32_t Options);

    // Form objects.
    void StartObject(const std::string& Name, std::int32_t Flags);
    void EndObject();
    void DrawObject(const std::string& Name);

    // Width of a text in user units (0 for a font without metrics).
    float Length(const std::string& Phrase, const std::string& FontName, float Fontsize);

    // Reads a Windows bitmap into PDF sample and palette buffers.
    bool LeggeBMP(const std::string& FileName, std::int32_t ColorSpace, std::vector<std::uint8_t>& Samples,
                  std::vector<std::uint8_t>& Palette, std::int32_t& Width, std::int32_t& Height, std::uint8_t& Bpp);

    // Metrics of one TrueType font.
    struct FontMetrics {
        std::string BaseFontName;
        std::uint8_t FirstChar = 0;
        std::uint8_t LastChar = 0;
        std::string Descriptor;
        const std::int32_t* Widths = nullptr;  // 256 entries, by character code
        std::int32_t MissingWidth = 0;
    };

    struct FormObject {
        std::string Name;
        std::int32_t Flags = 0;
    };

private:
    friend struct FoliumTestAccess;

    // Output.
    static constexpr std::size_t BufferSize = 1 << 16;

    void WriteLine(std::string_view text);
    // Appends bytes to the output; hot, so defined here.
    void Put(std::string_view text)
    {
        if (!OutputFile)
            RequireOpen();
        if (text.size() > BufferSize - m_used) {
            PutLarge(text);
            return;
        }
        std::memcpy(m_buffer.get() + m_used, text.data(), text.size());
        m_used += text.size();
    }
    void PutLarge(std::string_view text);
    void PutNumber(float value);
    void PutPoints(float userValue);  // FormatPdfNumber(ToPoints(v), 3)
    void PutEscaped(std::string_view text);  // EscapePdfString(text)
    void EndLine() { Put("\r\n"); }
    void Flush();
    std::uint64_t Offset() const;
    void RequireOpen() const;

    // Objects.
    std::int32_t BeginIndirectObject(std::int32_t number);
    void EndIndirectObject();
    void CloseStream();  // ends a page's or form object's stream and writes its length object

    // Units and numbers.
    float ToPoints(float value) const;
    float FromPoints(float value) const;
    static std::string FormatPdfNumber(float value, int decimals);
    static std::string FormatPdfNumber(double value, int decimals);
    static std::string FormatPdfNumber(std::int64_t value, int decimals);
    static std::string EscapePdfString(const std::string& text);

    // Drawing helpers.
    void FinishPath(std::int32_t Options);
    void SetColor(std::int32_t Color, const char* rgbOperator, const char* greyOperator);
    void DrawAutoObjects();
    static std::string EncodeAscii85Bytes(const std::vector<std::uint8_t>& bytes);
    std::string StreamData(const std::vector<std::uint8_t>& bytes) const;
    // Writes an image's stream data (ASCII85 with its end marker, or the bytes unchanged) as it
    // is made; returns how many bytes that was.
    std::uint64_t PutStreamData(const std::vector<std::uint8_t>& bytes);
    const FontMetrics* FindFontMetrics(const std::string& FontName) const;

    std::FILE* OutputFile = nullptr;
    std::unique_ptr<char[]> m_buffer;  // bytes not yet handed to the file ...
    std::size_t m_used = 0;            // ... and how many there are
    std::uint64_t m_flushed = 0;   // bytes handed to the file so far

    std::string m_title = "(senza titolo)";
    std::int32_t m_paperSize = 0;
    float m_paperWidth = 595.2f;
    float m_paperHeight = 842.0f;
    std::int32_t m_scaleMode = 1;
    std::int32_t m_orientation = 1;
    std::int16_t PageCount = 0;
    float m_margin = 0.0f;
    std::string PdfFileName;
    bool m_encodeASCII85 = false;
    std::string KidsList;
    std::string FontResources;
    std::string FontRegistry;
    std::string ImageResources;
    std::string ObjectResources;
    std::int16_t ResourcesObject = 4;
    std::int16_t PagesObject = 3;
    std::int16_t FormObjectCount = 0;
    std::vector<FormObject> FormObjects;
    std::int32_t MaxObject = 0;
    std::uint64_t StreamStart = 0;
    std::int16_t FontCount = 0;
    float CharSpacing = 0.0f;
    float WordSpacing = 0.0f;
    float HorizontalScaling = 100.0f;
    std::vector<std::uint64_t> XrefEntries;  // byte offset of each object, by object number
    std::vector<FontMetrics> FontMetricsList;
};
