#include "Commands.h"

#include "Bitmap.h"
#include "Cp1252.h"
#include "LocalFile.h"
#include "Output.h"
#include "Picture.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cerrno>
#include <cstdio>
#include <map>
#include <random>
#include <utility>
#include <unistd.h>

namespace Cli {
namespace {

using LocalFile::Replace;
using LocalFile::Sync;

// "#RRGGBB" or "R,G,B" (blanks around the numbers allowed).
bool ReadColour(const std::string& text, Rgb* colour)
{
    if (text.size() == 7 && text[0] == '#'
        && std::all_of(text.begin() + 1, text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; })) {
        const unsigned long v = std::strtoul(text.c_str() + 1, nullptr, 16);
        *colour = {int(v >> 16), int((v >> 8) & 0xFF), int(v & 0xFF)};
        return true;
    }
    int parts[3];
    std::size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t end = i < 2 ? text.find(',', at) : text.size();
        if (end == std::string::npos)
            return false;
        std::string part = text.substr(at, end - at);
        part.erase(0, part.find_first_not_of(" \t"));
        part.erase(part.find_last_not_of(" \t") + 1);
        if (part.empty() || part.size() > 3
            || !std::all_of(part.begin(), part.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
            return false;
        parts[i] = std::atoi(part.c_str());
        if (parts[i] > 255)
            return false;
        at = end + 1;
    }
    *colour = {parts[0], parts[1], parts[2]};
    return true;
}

std::string Hex(Rgb c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r & 0xFF, c.g & 0xFF, c.b & 0xFF);
    return text;
}

// Why a file is not a coded picture, or an empty text when it is one; picture receives it
// as the window shows it (mirrored back).
std::string PictureProblem(const std::string& path, Codec::PixelSurface* picture)
{
    std::string bytes;
    std::string error;
    if (!CliText::ReadAll(path, PictureBytes::MaxFileBytes, &bytes, &error))
        return error;
    Codec::PixelSurface surface;
    if (!PictureBytes::Read(bytes, &surface, &error))
        return error;
    surface.Mirror();
    if (!Codec::IsCodedPicture(surface.Width(), surface.Height(), Codec::SignatureRowText(surface)))
        return "no Hollowbrandt signature: not a valid Glyphix picture";
    *picture = std::move(surface);
    return std::string();
}

// Shows "[k/n] name" on standard error while a batch runs, when a person watches it.
class Progress {
public:
    explicit Progress(std::size_t total) : m_total(total), m_shown(total > 1 && ::isatty(STDERR_FILENO)) {}
    ~Progress()
    {
        if (m_shown) {
            SetProgressLine(false);
            Err("\n");
        }
    }
    void Step(std::size_t index, const std::string& name)
    {
        if (!m_shown)
            return;
        SetProgressLine(false);
        Err("\r[" + std::to_string(index + 1) + "/" + std::to_string(m_total) + "] " + Shown(name) + "\x1b[K");
        SetProgressLine(true);
    }

private:
    std::size_t m_total;
    bool m_shown;
};

// The file in folder named as source, with another extension.
std::string InFolder(const std::string& folder, const std::string& source, const std::string& extension)
{
    const std::size_t slash = source.rfind('/');
    std::string name = slash == std::string::npos ? source : source.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return folder + (folder.empty() || folder.back() == '/' ? "" : "/") + name + extension;
}

// Runs one job per input into folder, with a progress line; the status is the worst of them.
// Inputs that would write the same file are refused before anything is written. The files
// are flushed to the disk once, at the end, rather than one by one.
template <typename Job>
int Batch(const ArgumentList& inputs, const std::string& folder, const std::string& extension, Job job)
{
    // A folder that is not there is said once, before any input is read.
    if (!LocalFile::IsFolder(folder))
        return Fail(folder, LocalFile::Taken(folder) ? "not a folder" : "no such folder");
    std::map<std::string, std::string> writers;
    for (const std::string& input : inputs) {
        if (input == "-")
            return Fail(input, "standard input cannot be part of a batch");
        const std::string out = InFolder(folder, input, extension);
        const auto [earlier, isNew] = writers.emplace(out, input);
        if (!isNew)
            return Fail(out, "would be written for both " + Shown(earlier->second) + " and " + Shown(input)
                                 + "; nothing was written");
    }
    int status = Success;
    {
        Progress progress(inputs.size());
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            progress.Step(i, inputs[i]);
            status = std::max(status, job(inputs[i], InFolder(folder, inputs[i], extension)));
        }
    }
    if (!LocalFile::SyncFolder(folder))
        return Fail(folder, LocalFile::Reason(errno));
    return status;
}

struct EncodeOptions {
    Codec::Settings settings;
    Sync sync = Sync::EachFile;
    CliText::Encoding encoding = CliText::Encoding::Utf8;
    bool allowLoss = false;
    Replace replace = Replace::Never;
};

// Filler for the signature row, from the system's random source.
Codec::FillerSource Filler()
{
    static std::mt19937_64 engine{std::random_device{}()};
    return [] { return double(engine() >> 11) * 0x1.0p-53; };  // 53 random bits: from 0 to just below 1
}

// Codes one text into one picture file ("-" for standard output).
int EncodeOne(const std::string& source, const std::string& out, const EncodeOptions& options)
{
    if (out == "-" && ::isatty(STDOUT_FILENO))
        return Fail(out, BinaryToTerminal);
    std::string text;
    if (!ReadBoxText(source, options.encoding, &text))
        return BadInput;
    if (text.empty())
        return Fail(source, "no text available");
    const int lost = Codec::CharactersNotRecoverable(text);
    if (lost > 0 && !options.allowLoss)
        return Fail(source, LocalFile::Grouped(std::size_t(lost)) + " character(s) of this text will not come back from the picture "
                                                    "(--allow-loss codes it anyway)");
    Codec::PixelSurface picture(CodedPicture::Width, CodedPicture::Height);
    Codec::Encode(picture, text, options.settings, Filler());
    picture.Mirror();  // a picture file holds the coded picture mirrored
    return WriteOut(out, PictureBytes::Write(picture), options.replace, options.sync);
}

// Decodes one picture file into target ("-" for standard output).
int DecodeOne(const std::string& path, const std::string& target, CliText::Encoding encoding, bool info,
              Replace replace, Sync sync)
{
    Codec::PixelSurface picture;
    if (const std::string problem = PictureProblem(path, &picture); !problem.empty())
        return Fail(path, problem);
    const Codec::Decoded decoded = Codec::Decode(picture);
    if (info)
        // A batch (whose files sync later) names the picture on every line.
        Err((sync == Sync::Later ? Shown(path) + ": " : std::string()) + "size " + std::to_string(decoded.textSize) + ", text colour " + Hex(decoded.fore)
            + ", background " + Hex(decoded.back) + "\n");
    return WriteOut(target, Cp1252::FromBoxText(decoded.text, encoding), replace, sync);
}

// The characters of a decoded text as its writer counts them: a line break is one character,
// and the blanks that fill the last group of three (one or two at the very end) are not the text's.
std::size_t TextCharacters(const std::string& stored)
{
    std::size_t end = stored.size();
    for (int padding = 0; padding < 2 && end > 0 && stored[end - 1] == ' '; ++padding)
        --end;
    std::size_t n = 0;
    for (std::size_t i = 0; i < end; ++i)
        if (!(stored[i] == '\r' && i + 1 < end && stored[i + 1] == '\n'))
            ++n;
    return n;
}

// A text for a JSON document: quoted, with control characters and bytes that are not UTF-8
// escaped (the latter as \udcXX, the byte's escape).
std::string JsonString(const std::string& text)
{
    const bool validUtf8 = Cp1252::IsUtf8(text);
    std::string json = "\"";
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        char escape[8];
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (b < 0x20 || (b >= 0x80 && !validUtf8)) {
            std::snprintf(escape, sizeof escape, b < 0x20 ? "\\u%04x" : "\\udc%02x", b);
            json += escape;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

}  // namespace

int Encode(const ArgumentList& arguments)
{
    Command command(
        "Usage: huecipher-cli encode [--size PT] [--fore COLOUR] [--back COLOUR] [--encoding utf8|cp1252]\n"
        "                            [--allow-loss] [--force] TEXT OUT.hqc\n"
        "       huecipher-cli encode [options] -d FOLDER TEXT...\n"
        "Codes the text of TEXT (a file, or - for standard input) into a coded picture\n"
        "(OUT.hqc, or - for standard output).\n"
        "  --size PT        text size, 8 to 12 (default: the program's start size, 8.25)\n"
        "  --fore COLOUR    text colour, #RRGGBB or R,G,B (default 60,60,60)\n"
        "  --back COLOUR    background colour (default 255,255,255)\n"
        "  --encoding E     how TEXT is written: utf8 (default) or cp1252\n"
        "  --allow-loss     code a text even when some of it will not come back\n"
        "  --force          replace a picture that exists\n"
        "  -d, --directory FOLDER  code every TEXT into FOLDER/NAME.hqc\n",
        {SizeOption, {"fore", 0, true}, {"back", 0, true}, EncodingOption, {"allow-loss", 0, false}, ForceOption, FolderOption}, 1, Command::Any);
    if (const int status = command.Parse(arguments); status >= 0)
        return status;
    const Arguments& args = command.Args();
    EncodeOptions options;
    if (!ReadSize(args, &options.settings.textSize))
        return command.Usage("--size takes one of 8, 9, 10, 11, 12");
    if (args.Has("fore") && !ReadColour(args.Value("fore"), &options.settings.fore))
        return command.Usage("--fore takes #RRGGBB or R,G,B");
    if (args.Has("back") && !ReadColour(args.Value("back"), &options.settings.back))
        return command.Usage("--back takes #RRGGBB or R,G,B");
    if (!ReadEncoding(args, &options.encoding))
        return command.Usage("--encoding takes utf8 or cp1252");
    options.allowLoss = args.Has("allow-loss");
    options.replace = ReadReplace(args);
    const ArgumentList& inputs = command.Positional();
    if (args.Has("directory")) {
        options.sync = Sync::Later;
        return Batch(inputs, args.Value("directory"), ".hqc",
                     [&](const std::string& source, const std::string& out) { return EncodeOne(source, out, options); });
    }
    if (inputs.size() != 2)
        return command.Usage("encode takes TEXT and OUT.hqc, or -d FOLDER and texts");
    return EncodeOne(inputs.at(0), inputs.at(1), options);
}

int Decode(const ArgumentList& arguments)
{
    Command command(
        "Usage: huecipher-cli decode [-o TEXT] [--encoding utf8|cp1252] [--info] [--force] PICTURE\n"
        "       huecipher-cli decode [options] -d FOLDER PICTURE...\n"
        "Writes the text of a coded picture (a file, or - for standard input) to standard\n"
        "output, or to TEXT.\n"
        "  -o, --output TEXT  the file to write (- for standard output)\n"
        "  --encoding E       utf8 (default) or cp1252, the program's own text files\n"
        "  --info             the text size and colours on standard error\n"
        "  --force            replace a text file that exists\n"
        "  -d, --directory FOLDER  decode every PICTURE into FOLDER/NAME.txt\n",
        {{"output", 'o', true}, EncodingOption, {"info", 0, false}, ForceOption, FolderOption}, 1, Command::Any);
    if (const int status = command.Parse(arguments); status >= 0)
        return status;
    const Arguments& args = command.Args();
    CliText::Encoding encoding;
    if (!ReadEncoding(args, &encoding))
        return command.Usage("--encoding takes utf8 or cp1252");
    const Replace replace = ReadReplace(args);
    const ArgumentList& inputs = command.Positional();
    if (args.Has("directory") && args.Has("output"))
        return command.Usage("-o and -d do not go together: -o names one text, -d a folder for many");
    if (args.Has("directory")) {
        return Batch(inputs, args.Value("directory"), ".txt", [&](const std::string& path, const std::string& out) {
            return DecodeOne(path, out, encoding, args.Has("info"), replace, Sync::Later);
        });
    }
    if (inputs.size() != 1)
        return command.Usage("decode takes one PICTURE, or -d FOLDER and pictures");
    return DecodeOne(inputs.at(0), args.Value("output", "-"), encoding, args.Has("info"), replace, Sync::EachFile);
}

int Check(const ArgumentList& arguments)
{
    Command command(
        "Usage: huecipher-cli check PICTURE...\n"
        "Says of every file whether it is a valid coded picture: \"ok\" or the reason.\n"
        "The status is 0 only when all of them are.\n",
        {}, 1, Command::Any);
    if (const int status = command.Parse(arguments); status >= 0)
        return status;
    int result = Success;
    for (const std::string& path : command.Positional()) {
        Codec::PixelSurface picture;
        const std::string problem = PictureProblem(path, &picture);
        Out(Shown(path) + ": " + (problem.empty() ? std::string("ok") : problem) + "\n");
        if (!problem.empty())
            result = BadInput;
    }
    return result;
}

int Info(const ArgumentList& arguments)
{
    Command command(
        "Usage: huecipher-cli info [--json] PICTURE\n"
        "Describes a coded picture: signature, text size, colours, number of characters (a line\n"
        "break counts one; the blanks that fill the last pixel are left out; stored characters\n"
        "counts every one the picture holds), and\n"
        "whether anything was written past the rows that are read back.\n"
        "  --json           the same as a JSON object\n",
        {{"json", 0, false}}, 1, 1);
    if (const int status = command.Parse(arguments); status >= 0)
        return status;
    const std::string& path = command.Positional().at(0);
    Codec::PixelSurface picture;
    if (const std::string problem = PictureProblem(path, &picture); !problem.empty())
        return Fail(path, problem);
    const Codec::Decoded decoded = Codec::Decode(picture);
    const bool pastReadable = decoded.pastReadableRows;
    const std::string signature = Cp1252::ToUtf8(decoded.signature.substr(0, CodedPicture::SignatureLength));
    const std::string characters = std::to_string(TextCharacters(decoded.text));
    const std::string stored = std::to_string(decoded.text.size());
    if (command.Args().Has("json")) {
        Out("{\n    \"file\": " + JsonString(path) + ",\n    \"signature\": " + JsonString(signature)
            + ",\n    \"textSize\": " + std::to_string(decoded.textSize) + ",\n    \"textColour\": \""
            + Hex(decoded.fore) + "\",\n    \"backgroundColour\": \"" + Hex(decoded.back)
            + "\",\n    \"characters\": " + characters + ",\n    \"storedCharacters\": " + stored
            + ",\n    \"writtenPastReadableRows\": "
            + (pastReadable ? "true" : "false") + "\n}\n");
    } else {
        Out("signature: " + Shown(signature) + "\ntext size: " + std::to_string(decoded.textSize) + "\ntext colour: "
            + Hex(decoded.fore) + "\nbackground colour: " + Hex(decoded.back) + "\ncharacters: " + characters + "\nstored characters: " + stored
            + "\nwritten past the readable rows: " + (pastReadable ? "yes" : "no") + "\n");
    }
    return Success;
}

}  // namespace Cli
