// The browser page's bindings: the codec's coding, picture and text file bytes, for JavaScript.
// Bytes travel as Uint8Array; texts as JavaScript strings (UTF-8 on this side).
#include "Bitmap.h"
#include "Cp1252.h"
#include "Picture.h"
#include "ProgramTexts.h"
#include "TextBytes.h"
#include "TextDocument.h"

#include <emscripten/bind.h>
#include <emscripten/emscripten.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

using emscripten::val;

namespace {

std::string BytesOf(const val& array)
{
    const std::vector<std::uint8_t> v = emscripten::convertJSArrayToNumberVector<std::uint8_t>(array);
    return std::string(v.begin(), v.end());
}

val ArrayOf(const std::string& bytes)
{
    return val(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data())))
        .call<val>("slice");
}

val ColourOf(Rgb c)
{
    val o = val::object();
    o.set("r", c.r);
    o.set("g", c.g);
    o.set("b", c.b);
    return o;
}

Rgb RgbOf(const val& o)
{
    return {o["r"].as<int>() & 0xFF, o["g"].as<int>() & 0xFF, o["b"].as<int>() & 0xFF};
}

// The picture's pixels for a canvas: RGBA, rows from the top, as the coded picture is shown.
val Pixels(const Codec::PixelSurface& s)
{
    std::string rgba;
    rgba.reserve(s.Pixels().size() * 4);
    for (const std::uint32_t p : s.Pixels()) {
        rgba += char((p >> 16) & 0xFF);
        rgba += char((p >> 8) & 0xFF);
        rgba += char(p & 0xFF);
        rgba += char(0xFF);
    }
    return ArrayOf(rgba);
}

// The text as the text box holds it (Windows-1252, CR LF), from the page's text; how many
// characters became "?" goes to replaced.
val BoxText(const std::string& utf8)
{
    int replaced = 0;
    const std::string box = Cp1252::BoxText(utf8, Cp1252::Encoding::Utf8, &replaced);
    val o = val::object();
    o.set("text", Cp1252::ToUtf8(box));
    o.set("characters", int(box.size()));
    o.set("replaced", replaced);
    o.set("lost", Codec::CharactersNotRecoverable(box));
    return o;
}

// Codes the page's text: the picture as shown (RGBA).
val Encode(const std::string& utf8, double textSize, const val& fore, const val& back)
{
    static std::mt19937_64 engine{std::random_device{}()};
    const std::string box = Cp1252::BoxText(utf8, Cp1252::Encoding::Utf8);
    Codec::Settings settings;
    settings.textSize = textSize;
    settings.fore = RgbOf(fore);
    settings.back = RgbOf(back);
    Codec::PixelSurface picture(CodedPicture::Width, CodedPicture::Height);
    Codec::Encode(picture, box, settings, [] { return double(engine() >> 11) * 0x1.0p-53; });
    return Pixels(picture);
}

// Opens a picture file's bytes: ok and the picture as shown, or why it is no coded picture.
val OpenPicture(const val& bytes)
{
    val o = val::object();
    Codec::PixelSurface picture;
    std::string why;
    if (!PictureBytes::Read(BytesOf(bytes), &picture, &why)) {
        o.set("ok", false);
        o.set("why", why);
        return o;
    }
    picture.Mirror();
    const bool coded = Codec::IsCodedPicture(picture.Width(), picture.Height(), Codec::SignatureRowText(picture));
    o.set("ok", coded);
    o.set("why", coded ? std::string() : std::string("no Hollowbrandt signature"));
    if (coded)
        o.set("pixels", Pixels(picture));
    return o;
}

// The picture shown (RGBA as Pixels gives) as a surface.
Codec::PixelSurface Surface(const val& rgba)
{
    const std::string bytes = BytesOf(rgba);
    std::vector<std::uint32_t> pixels(std::size_t(CodedPicture::Width) * CodedPicture::Height, 0xFFFFFFFFu);
    for (std::size_t i = 0; i < pixels.size() && 4 * i + 2 < bytes.size(); ++i)
        pixels[i] = std::uint32_t(std::uint8_t(bytes[4 * i])) << 16 | std::uint32_t(std::uint8_t(bytes[4 * i + 1])) << 8
            | std::uint8_t(bytes[4 * i + 2]);
    Codec::PixelSurface picture;
    picture.SetPixels(CodedPicture::Width, CodedPicture::Height, std::move(pixels));
    return picture;
}

// The bytes of the picture file of the picture shown: mirrored, as every picture file is.
val PictureFile(const val& rgba)
{
    Codec::PixelSurface picture = Surface(rgba);
    picture.Mirror();
    return ArrayOf(PictureBytes::Write(picture));
}

// Decodes the picture shown: the text, its size and colours.
val Decode(const val& rgba)
{
    const Codec::Decoded d = Codec::Decode(Surface(rgba));
    val o = val::object();
    o.set("text", Cp1252::ToUtf8(d.text));
    o.set("textSize", d.textSize);
    o.set("fore", ColourOf(d.fore));
    o.set("back", ColourOf(d.back));
    o.set("signature", Cp1252::ToUtf8(d.signature));
    return o;
}

// A text file's bytes as the text box takes them; null when larger than the window takes.
val OpenText(const val& bytes)
{
    const std::string content = BytesOf(bytes);
    if (content.size() > TextBytes::MaxReadBytes)
        return val::null();
    return val(Cp1252::ToUtf8(TextBytes::Read(content)));
}

// The bytes of a text file of the page's lines (each followed by CR LF, Windows-1252).
val TextFile(const val& lines)
{
    std::vector<std::string> encoded;
    const int n = lines["length"].as<int>();
    for (int i = 0; i < n; ++i)
        encoded.push_back(Cp1252::BoxText(lines[i].as<std::string>(), Cp1252::Encoding::Utf8));
    return ArrayOf(TextBytes::Write(encoded));
}

// The PDF document of the page's displayed lines, as the window's export writes it. The writer
// streams to a file: here one in the module's memory, read back and removed.
val PdfDocument(const val& lines)
{
    std::vector<std::string> encoded;
    const int n = lines["length"].as<int>();
    for (int i = 0; i < n; ++i)
        encoded.push_back(Cp1252::BoxText(lines[i].as<std::string>(), Cp1252::Encoding::Utf8));
    const std::string path = "/export.pdf";
    TextDocument::Write(encoded, ProgramTexts::WatermarkText(), path);
    std::ifstream file(path, std::ios::binary);
    const std::string document((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::remove(path.c_str());
    return ArrayOf(document);
}

// Median milliseconds of coding and of decoding text (21 runs each), measured inside the
// WebAssembly module, for the benchmark that sets them beside the native codec.
val Benchmark(const std::string& utf8)
{
    const std::string box = Cp1252::BoxText(utf8, Cp1252::Encoding::Utf8);
    Codec::PixelSurface picture(CodedPicture::Width, CodedPicture::Height);
    auto median = [](auto work) {
        std::vector<double> times;
        for (int i = 0; i < 21; ++i) {
            const double start = emscripten_get_now();
            work();
            times.push_back(emscripten_get_now() - start);
        }
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    val o = val::object();
    o.set("encode", median([&] { Codec::Encode(picture, box, {}, [] { return 0.5; }); }));
    std::size_t decoded = 0;
    o.set("decode", median([&] { decoded = Codec::Decode(picture).text.size(); }));
    o.set("characters", int(decoded));
    return o;
}

// The Tools menu's texts.
val ToolsTexts()
{
    val o = val::object();
    o.set("makerWebPage", ProgramTexts::MakerWebPage());
    o.set("makerEmailAddress", ProgramTexts::MakerEmailAddress());
    o.set("specialCharacters", ProgramTexts::SpecialCharacters());
    return o;
}

}  // namespace

EMSCRIPTEN_BINDINGS(huecipher)
{
    emscripten::function("boxText", &BoxText);
    emscripten::function("encode", &Encode);
    emscripten::function("openPicture", &OpenPicture);
    emscripten::function("decode", &Decode);
    emscripten::function("pictureFile", &PictureFile);
    emscripten::function("openText", &OpenText);
    emscripten::function("textFile", &TextFile);
    emscripten::function("pdfDocument", &PdfDocument);
    emscripten::function("toolsTexts", &ToolsTexts);
    emscripten::function("benchmark", &Benchmark);
    emscripten::function("mailUrl", &ProgramTexts::MailUrl);
    emscripten::constant("maxPictureBytes", int(PictureBytes::MaxFileBytes));
    emscripten::constant("maxTextBytes", int(TextBytes::MaxReadBytes));
}
