// clsFolium driven by a byte string read as a sequence of member calls, in any order the
// class allows; the written document is then checked: header, every xref entry 20 bytes and
// pointing at its object, every stream's length, trailer and startxref.
#include "FuzzFile.h"
#include "clsFolium.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <exception>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A resource name: the callers use plain names.
std::string Name(FuzzedDataProvider& in)
{
    static const char* const names[] = {"Fnt1", "Fnt2", "Im1", "Item1", "Obj", "X"};
    return names[in.ConsumeIntegralInRange<int>(0, 5)];
}

float Value(FuzzedDataProvider& in)
{
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return static_cast<float>(in.ConsumeIntegralInRange<int>(-1000, 1000));
    case 1: return in.ConsumeFloatingPointInRange<float>(-1e4f, 1e4f);
    case 2: return in.ConsumeFloatingPoint<float>();
    default: return static_cast<float>(in.ConsumeIntegralInRange<int>(-3, 3)) * 0.5f;
    }
}

// Draws one operator into the open stream.
void Draw(clsFolium& pdf, FuzzedDataProvider& in)
{
    switch (in.ConsumeIntegralInRange<int>(0, 20)) {
    case 0: pdf.SetWordSpacing(Value(in)); break;
    case 1: pdf.SetCharSpacing(Value(in)); break;
    case 2: pdf.SetTextHorizontalScaling(Value(in)); break;
    case 3: pdf.SetTextRenderingMode(Value(in)); break;
    case 4: {
        float x = Value(in);
        pdf.DrawText(x, Value(in), in.ConsumeRandomLengthString(64), Name(in), Value(in),
                     in.ConsumeIntegralInRange<int>(0, 4), Value(in));
        break;
    }
    case 5: pdf.SetColorStroke(in.ConsumeIntegral<int32_t>()); break;
    case 6: pdf.SetColorFill(in.ConsumeIntegral<int32_t>()); break;
    case 7: pdf.SetDash(Value(in), Value(in)); break;
    case 8: pdf.SetLineWidth(Value(in)); break;
    case 9: pdf.SetLineCap(in.ConsumeIntegral<int16_t>()); break;
    case 10: pdf.SetLineJoin(in.ConsumeIntegral<int16_t>()); break;
    case 11: pdf.SetMiterLimit(Value(in)); break;
    case 12: pdf.MoveTo(Value(in), Value(in)); break;
    case 13: pdf.LineTo(Value(in), Value(in), in.ConsumeIntegral<int32_t>()); break;
    case 14: pdf.Rectangle(Value(in), Value(in), Value(in), Value(in), in.ConsumeIntegral<int32_t>(), Value(in)); break;
    case 15: pdf.Curve(Value(in), Value(in), Value(in), Value(in), Value(in), Value(in), in.ConsumeIntegral<int32_t>()); break;
    case 16: pdf.DrawCircle(Value(in), Value(in), Value(in), in.ConsumeIntegral<int32_t>()); break;
    case 17:
        pdf.Arc(Value(in), Value(in), Value(in), Value(in), Value(in), Value(in), in.ConsumeBool(), Value(in),
                in.ConsumeIntegral<int16_t>(), in.ConsumeIntegral<int32_t>());
        break;
    case 18: pdf.DrawImg(Name(in), Value(in), Value(in), Value(in), Value(in)); break;
    case 19: pdf.DrawObject(Name(in)); break;
    default: pdf.Length(in.ConsumeRandomLengthString(32), Name(in), Value(in)); break;
    }
}

// Loads a font, an image or a form object (only while no stream is open).
void Declare(clsFolium& pdf, FuzzedDataProvider& in, bool& inObject)
{
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: pdf.LoadFont(Name(in), in.ConsumeRandomLengthString(20), in.ConsumeIntegralInRange<int>(0, 5)); break;
    case 1: pdf.LoadFontStandard(Name(in), in.ConsumeRandomLengthString(20), in.ConsumeIntegral<int32_t>()); break;
    case 2: {
        const auto w = in.ConsumeIntegralInRange<int32_t>(1, 8);
        const auto h = in.ConsumeIntegralInRange<int32_t>(1, 8);
        static const uint8_t depths[] = {1, 4, 8, 24};
        const uint8_t bpp = depths[in.ConsumeIntegralInRange<int>(0, 3)];
        const std::vector<uint8_t> samples = in.ConsumeBytes<uint8_t>(static_cast<size_t>(w * h * 3));
        const std::vector<uint8_t> palette = in.ConsumeBytes<uint8_t>(bpp <= 8 ? (size_t(3) << bpp) : 0);
        pdf.LoadImgFromBuffer(Name(in), samples, palette, w, h, bpp, in.ConsumeIntegralInRange<int>(0, 1));
        break;
    }
    default:
        pdf.StartObject(Name(in), in.ConsumeIntegral<int32_t>());
        inObject = true;
        break;
    }
}

// Byte offset of the body of object n, from the cross-reference table.
void CheckDocument(const std::string& pdf)
{
    FUZZ_CHECK(pdf.compare(0, 10, "%PDF-1.3\r\n") == 0);
    const size_t startxref = pdf.rfind("startxref\r");
    FUZZ_CHECK(startxref != std::string::npos);
    const size_t xref = std::stoul(pdf.substr(startxref + 10));
    FUZZ_CHECK(pdf.compare(xref, 6, "xref\r\n") == 0);
    size_t at = xref + 6;
    const size_t eol = pdf.find("\r\n", at);
    const int count = std::stoi(pdf.substr(at + 2, eol - at - 2));
    at = eol + 2;
    FUZZ_CHECK(pdf.compare(at, 20, "0000000000 65535 f\r\n") == 0);
    std::map<int, size_t> bodies;
    for (int n = 1; n < count; ++n) {
        const std::string entry = pdf.substr(at + 20 * static_cast<size_t>(n), 20);
        FUZZ_CHECK(entry.size() == 20 && entry.compare(10, 10, " 00000 n\r\n") == 0);
        const size_t offset = std::stoul(entry.substr(0, 10));
        const std::string header = std::to_string(n) + " 0 obj\r\n";
        FUZZ_CHECK(pdf.compare(offset, header.size(), header) == 0);
        bodies[n] = offset + header.size();
    }
    FUZZ_CHECK(pdf.find("trailer\r<<\r/Size " + std::to_string(count) + "\r/Info 1 0 R\r/Root 2 0 R\r>>\r\n",
                        at + 20 * static_cast<size_t>(count)) != std::string::npos);
    // Streams: pages and form objects measure to "endstream", images and palettes to "\rendstream".
    for (const auto& [n, body] : bodies) {
        const bool contents = pdf.compare(body, 10, "<< /Length") == 0;
        const bool xobject = pdf.compare(body, 17, "<<\r/Type /XObject") == 0;
        const bool palette = pdf.compare(body, 9, "<</Length") == 0 || pdf.compare(body, 9, "<</Filter") == 0;
        if (!contents && !xobject && !palette)
            continue;
        const size_t dictionaryEnd = pdf.find(">>\rstream\r\n", body);
        FUZZ_CHECK(dictionaryEnd != std::string::npos);
        const size_t data = dictionaryEnd + 11;
        const size_t lengthAt = pdf.find("/Length ", body);
        FUZZ_CHECK(lengthAt < dictionaryEnd);
        size_t lengthEnd = pdf.find_first_of(" \r", lengthAt + 8);
        size_t length = std::stoul(pdf.substr(lengthAt + 8, lengthEnd - lengthAt - 8));
        if (pdf.compare(lengthEnd, 6, " 0 R >") == 0 || pdf.compare(lengthEnd, 6, " 0 R\r\n") == 0
            || pdf.compare(lengthEnd, 5, " 0 R") == 0) {
            FUZZ_CHECK(bodies.count(static_cast<int>(length)));
            length = std::stoul(pdf.substr(bodies[static_cast<int>(length)]));
        }
        const bool endsWithCr = pdf.compare(data + length, 10, "\rendstream") == 0;
        FUZZ_CHECK(pdf.compare(data + length, 9, "endstream") == 0 || endsWithCr);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string path = FuzzPath(".pdf");
    clsFolium pdf;
    bool inPage = false;
    bool inObject = false;
    try {
        pdf.ScaleMode(in.ConsumeIntegralInRange<int32_t>(0, 5));
        pdf.PaperSize(in.ConsumeIntegralInRange<int32_t>(-1, 4));
        pdf.Margin(Value(in));
        pdf.Orientation(in.ConsumeIntegralInRange<int32_t>(0, 3));
        pdf.EncodeASCII85(in.ConsumeBool());
        pdf.Title(in.ConsumeRandomLengthString(40));
        std::string name = path;
        pdf.InitPDFFile(name);
    } catch (const std::exception&) {
        return 0;
    }
    int steps = 0;
    while (in.remaining_bytes() > 0 && ++steps < 400) {
        try {
            if (inPage || inObject) {
                if (in.ConsumeIntegralInRange<int>(0, 9) == 0) {
                    inPage ? pdf.EndPage() : pdf.EndObject();
                    inPage = inObject = false;
                } else {
                    Draw(pdf, in);
                }
            } else if (in.ConsumeBool()) {
                pdf.StartPage();
                inPage = true;
            } else {
                Declare(pdf, in, inObject);
            }
        } catch (const std::exception&) {
            // A refused call writes nothing: the document goes on.
        }
    }
    if (inPage)
        pdf.EndPage();
    if (inObject)
        pdf.EndObject();
    pdf.ClosePDFFile();
    CheckDocument(ReadFile(path));
    FUZZ_CHECK(pdf.Pages() >= 0);
    return 0;
}
