#include "Commands.h"

#include "Arguments.h"
#include "CliText.h"
#include "CodedPicture.h"
#include "DisplayedLines.h"
#include "ExportDocument.h"
#include "LocalFile.h"
#include "Output.h"
#include "PictureFile.h"
#include "Win1252.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <unistd.h>

namespace Cli {
namespace {

constexpr int Success = 0;
constexpr int BadInput = 1;
constexpr int WrongUsage = 2;

using LocalFile::Replace;
using LocalFile::Sync;

// One command's options: parsed from its arguments, with --help and usage errors handled.
class Command {
public:
    Command(std::string usage, std::vector<OptionSpec> options, std::size_t minimum, std::size_t maximum)
        : m_usage(std::move(usage)), m_options(std::move(options)), m_minimum(minimum), m_maximum(maximum)
    {
        m_options.push_back({"help", 'h', false});
    }
    // Parses; -1 to go on, otherwise the status to end with.
    int Parse(const ArgumentList& arguments)
    {
        std::string why;
        if (!m_arguments.Parse(arguments, m_options, &why))
            return Usage(why);
        if (m_arguments.Has("help")) {
            Out(m_usage);
            return Success;
        }
        const std::size_t n = m_arguments.Positional().size();
        if (n < m_minimum || n > m_maximum)
            return Usage("wrong number of arguments");
        return -1;
    }
    int Usage(const std::string& why) const
    {
        Err("huecipher-cli: " + Shown(why) + "\n\n" + m_usage);
        return WrongUsage;
    }
    const Arguments& Args() const { return m_arguments; }
    const ArgumentList& Positional() const { return m_arguments.Positional(); }

private:
    std::string m_usage;
    std::vector<OptionSpec> m_options;
    std::size_t m_minimum;
    std::size_t m_maximum;
    Arguments m_arguments;
};

constexpr std::size_t Any = static_cast<std::size_t>(-1);
const OptionSpec kEncoding{"encoding", 0, true};
const OptionSpec kSize{"size", 0, true};
const OptionSpec kFolder{"directory", 'd', true};
const OptionSpec kForce{"force", 0, false};

bool ReadEncoding(const Arguments& args, CliText::Encoding* encoding)
{
    std::string value = args.Value("encoding", "utf8");
    std::transform(value.begin(), value.end(), value.begin(), [](unsigned char c) { return std::tolower(c); });
    if (value == "utf8" || value == "utf-8")
        *encoding = CliText::Encoding::Utf8;
    else if (value == "cp1252" || value == "windows-1252")
        *encoding = CliText::Encoding::Cp1252;
    else
        return false;
    return true;
}

// A size of the Textsize menu (8 to 12); without --size the window's start size.
bool ReadSize(const Arguments& args, double* points)
{
    if (!args.Has("size")) {
        *points = 8.25;
        return true;
    }
    static const std::regex number("[0-9]{1,2}");
    const std::string value = args.Value("size");
    if (!std::regex_match(value, number))
        return false;
    const int size = std::atoi(value.c_str());
    if (size < 8 || size > 12)
        return false;
    *points = size;
    return true;
}

// "#RRGGBB" or "R,G,B".
bool ReadColour(const std::string& text, Rgb* colour)
{
    static const std::regex hex("#([0-9A-Fa-f]{6})");
    static const std::regex parts("\\s*([0-9]{1,3})\\s*,\\s*([0-9]{1,3})\\s*,\\s*([0-9]{1,3})\\s*");
    std::smatch m;
    if (std::regex_match(text, m, hex)) {
        const unsigned long v = std::strtoul(m[1].str().c_str(), nullptr, 16);
        *colour = {int(v >> 16), int((v >> 8) & 0xFF), int(v & 0xFF)};
        return true;
    }
    if (!std::regex_match(text, m, parts))
        return false;
    const int r = std::atoi(m[1].str().c_str());
    const int g = std::atoi(m[2].str().c_str());
    const int b = std::atoi(m[3].str().c_str());
    if (r > 255 || g > 255 || b > 255)
        return false;
    *colour = {r, g, b};
    return true;
}

std::string Hex(Rgb c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r & 0xFF, c.g & 0xFF, c.b & 0xFF);
    return text;
}

// Reads a text as the text box would hold it, warning about replaced characters.
bool ReadBoxText(const std::string& source, CliText::Encoding encoding, QByteArray* text)
{
    std::string raw;
    std::string error;
    if (!CliText::ReadAll(source, CliText::MaxTextBytes(encoding), &raw, &error)) {
        Fail(source, error);
        return false;
    }
    int replaced = 0;
    *text = CliText::ToBoxText(QByteArray::fromStdString(raw), encoding, &replaced);
    if (replaced > 0)
        Err("huecipher-cli: " + Shown(source) + ": " + std::to_string(replaced)
            + " character(s) outside Windows-1252 became \"?\"\n");
    return true;
}

// Why a file is not a coded picture, or an empty text when it is one; picture receives it
// as the window shows it (mirrored back).
std::string PictureProblem(const std::string& path, PixelSurface* picture)
{
    std::string bytes;
    std::string error;
    if (!CliText::ReadAll(path, PictureFile::MaxFileBytes, &bytes, &error))
        return error;
    PixelSurface surface;
    if (!PictureFile::FromBytes(surface, QByteArray::fromStdString(bytes)))
        return "not a bitmap of 200 x 120 pixels";
    surface.Mirror();
    if (!PictureFile::IsCodedPicture(surface.Width(), surface.Height(), PictureFile::ReadSignatureRow(surface)))
        return "no Hollowbrandt signature: not a valid Glyphix picture";
    *picture = surface;
    return std::string();
}

// Writes a file of a command, with the message of a failure; status 0 or 1.
int WriteOut(const std::string& path, const std::string& bytes, Replace replace, Sync sync)
{
    std::string error;
    if (CliText::WriteAll(path, bytes, replace, sync, &error))
        return Success;
    if (error == LocalFile::ExistsAlready)
        error += " (--force replaces it)";
    return Fail(path, error);
}

// Shows "[k/n] name" on standard error while a batch runs, when a person watches it.
class Progress {
public:
    explicit Progress(std::size_t total) : m_total(total), m_shown(total > 1 && ::isatty(STDERR_FILENO)) {}
    ~Progress()
    {
        if (m_shown)
            Err("\n");
    }
    void Step(std::size_t index, const std::string& name)
    {
        if (m_shown)
            Err("\r[" + std::to_string(index + 1) + "/" + std::to_string(m_total) + "] " + Shown(name) + "\x1b[K");
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
    CodedPicture::Settings settings;
    Sync sync = Sync::EachFile;
    CliText::Encoding encoding = CliText::Encoding::Utf8;
    bool allowLoss = false;
    Replace replace = Replace::Never;
};

// Codes one text into one picture file ("-" for standard output).
int EncodeOne(const std::string& source, const std::string& out, const EncodeOptions& options)
{
    QByteArray text;
    if (!ReadBoxText(source, options.encoding, &text))
        return BadInput;
    if (text.isEmpty())
        return Fail(source, "no text available");
    const int lost = CodedPicture::CharactersNotRecoverable(text);
    if (lost > 0 && !options.allowLoss)
        return Fail(source, std::to_string(lost) + " character(s) of this text will not come back from the picture "
                                                    "(--allow-loss codes it anyway)");
    PixelSurface picture(CodedPicture::Width, CodedPicture::Height);
    CodedPicture::Encode(picture, text, options.settings, *QRandomGenerator::global());
    picture.Mirror();  // a picture file holds the coded picture mirrored
    return WriteOut(out, PictureFile::Bytes(picture).toStdString(), options.replace, options.sync);
}

// Decodes one picture file into target ("-" for standard output).
int DecodeOne(const std::string& path, const std::string& target, CliText::Encoding encoding, bool info,
              Replace replace, Sync sync)
{
    PixelSurface picture;
    if (const std::string problem = PictureProblem(path, &picture); !problem.empty())
        return Fail(path, problem);
    const CodedPicture::Decoded decoded = CodedPicture::Decode(picture);
    if (info)
        // A batch (whose files sync later) names the picture on every line.
        Err((sync == Sync::Later ? Shown(path) + ": " : std::string()) + "size " + std::to_string(decoded.textSize) + ", text colour " + Hex(decoded.fore)
            + ", background " + Hex(decoded.back) + "\n");
    return WriteOut(target, CliText::FromBoxText(decoded.text, encoding).toStdString(), replace, sync);
}

// A text for a JSON document: quoted, with control characters and bytes that are not UTF-8
// escaped (the latter as \udcXX, the byte's escape).
std::string JsonString(const std::string& text)
{
    const QString decoded = QString::fromUtf8(QByteArray::fromStdString(text));
    const bool validUtf8 = decoded.toUtf8() == QByteArray::fromStdString(text);
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

// Starts what laying out text with fonts needs, once: the toolkit without a display.
void StartFonts()
{
    static int argc = 1;
    static char name[] = "huecipher-cli";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance())
        return;
    // Text is laid out with fonts, never shown: no display is needed, whatever is set.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(argc, argv);
}

// Parses a command that lays a text out (--size, --encoding) and reads the displayed lines
// of its first argument; -1 to go on, otherwise the status to end with.
int ReadLines(Command& command, const ArgumentList& arguments, CliText::Encoding* encoding, QStringList* lines)
{
    if (const int status = command.Parse(arguments); status >= 0)
        return status;
    double size = 0;
    if (!ReadSize(command.Args(), &size) || !ReadEncoding(command.Args(), encoding))
        return command.Usage("--size takes one of 8 to 12, --encoding utf8 or cp1252");
    QByteArray text;
    if (!ReadBoxText(command.Positional().at(0), *encoding, &text))
        return BadInput;
    StartFonts();
    *lines = DisplayedLines::Of(Win1252::ToDocumentText(text), DisplayedLines::TextBoxFont(size));
    return -1;
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
        {kSize, {"fore", 0, true}, {"back", 0, true}, kEncoding, {"allow-loss", 0, false}, kForce, kFolder}, 1, Any);
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
    options.replace = args.Has("force") ? Replace::Allowed : Replace::Never;
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
        {{"output", 'o', true}, kEncoding, {"info", 0, false}, kForce, kFolder}, 1, Any);
    if (const int status = command.Parse(arguments); status >= 0)
        return status;
    const Arguments& args = command.Args();
    CliText::Encoding encoding;
    if (!ReadEncoding(args, &encoding))
        return command.Usage("--encoding takes utf8 or cp1252");
    const Replace replace = args.Has("force") ? Replace::Allowed : Replace::Never;
    const ArgumentList& inputs = command.Positional();
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
        {}, 1, Any);
    if (const int status = command.Parse(arguments); status >= 0)
        return status;
    int result = Success;
    for (const std::string& path : command.Positional()) {
        PixelSurface picture;
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
        "Describes a coded picture: signature, text size, colours, number of characters, and\n"
        "whether anything was written past the rows that are read back.\n",
        {{"json", 0, false}}, 1, 1);
    if (const int status = command.Parse(arguments); status >= 0)
        return status;
    const std::string& path = command.Positional().at(0);
    PixelSurface picture;
    if (const std::string problem = PictureProblem(path, &picture); !problem.empty())
        return Fail(path, problem);
    const CodedPicture::Decoded decoded = CodedPicture::Decode(picture);
    // Rows 118 and 119 are not read back: text that reached them is lost.
    bool pastReadable = false;
    for (int x = CodedPicture::TextFirstX; x <= CodedPicture::TextLastX; ++x) {
        const Rgb below = picture.GetPixel(x, CodedPicture::TextLastReadRow + 1);
        const Rgb frame = picture.GetPixel(x, CodedPicture::Height - 1);
        pastReadable |= below.r != CodedPicture::EmptyRed || frame.r != 0 || frame.g != 0 || frame.b != 0;
    }
    const std::string signature =
        Win1252::Decode(decoded.signature.left(CodedPicture::SignatureLength)).toUtf8().toStdString();
    const std::string characters = std::to_string(decoded.text.size());
    if (command.Args().Has("json")) {
        Out("{\n    \"file\": " + JsonString(path) + ",\n    \"signature\": " + JsonString(signature)
            + ",\n    \"textSize\": " + std::to_string(decoded.textSize) + ",\n    \"textColour\": \""
            + Hex(decoded.fore) + "\",\n    \"backgroundColour\": \"" + Hex(decoded.back)
            + "\",\n    \"characters\": " + characters + ",\n    \"writtenPastReadableRows\": "
            + (pastReadable ? "true" : "false") + "\n}\n");
    } else {
        Out("signature: " + Shown(signature) + "\ntext size: " + std::to_string(decoded.textSize) + "\ntext colour: "
            + Hex(decoded.fore) + "\nbackground colour: " + Hex(decoded.back) + "\ncharacters: " + characters
            + "\nwritten past the readable rows: " + (pastReadable ? "yes" : "no") + "\n");
    }
    return Success;
}

int Lines(const ArgumentList& arguments)
{
    Command command(
        "Usage: huecipher-cli lines [--size PT] [--encoding utf8|cp1252] TEXT\n"
        "Prints the lines the text box displays for the text, one to a line.\n",
        {kSize, kEncoding}, 1, 1);
    CliText::Encoding encoding;
    QStringList lines;
    if (const int status = ReadLines(command, arguments, &encoding, &lines); status >= 0)
        return status;
    QByteArray out;
    for (const QString& line : lines)
        out += CliText::FromBoxText(Win1252::Encode(line), encoding) + '\n';
    return WriteOut("-", out.toStdString(), Replace::Never, Sync::EachFile);
}

int Pdf(const ArgumentList& arguments)
{
    Command command(
        "Usage: huecipher-cli pdf [--size PT] [--encoding utf8|cp1252] [--name NAME] [--force] TEXT OUT\n"
        "Writes the PDF document the window's export writes for the text at that size.\n"
        "OUT is the document's file (- for standard output); with --name, OUT is a folder\n"
        "and the document is written there as NAME.pdf, as the window's export names it.\n"
        "  --force          replace a document that exists\n",
        {kSize, kEncoding, {"name", 0, true}, kForce}, 2, 2);
    CliText::Encoding encoding;
    QStringList lines;
    if (const int status = ReadLines(command, arguments, &encoding, &lines); status >= 0)
        return status;
    std::string out = command.Positional().at(1);
    if (command.Args().Has("name")) {
        // The name as typed (blanks kept), as the window's export takes it.
        const std::string name = command.Args().Value("name");
        if (name.find_first_not_of(" \t") == std::string::npos || name.find('/') != std::string::npos)
            return command.Usage("--name takes a name, not empty and not a path");
        if (out == "-" || !LocalFile::IsFolder(out))
            return Fail(out, "not a folder (with --name, OUT is the folder to write in)");
        out += (out.back() == '/' ? "" : "/") + name + ".pdf";
    }
    const Replace replace = command.Args().Has("force") ? Replace::Allowed : Replace::Never;
    auto write = [&](const std::string& temporary) { ExportDocument::Write(lines, temporary); };
    std::string error;
    if (out == "-") {
        // The writer needs a file: the document is made in a temporary one and then copied.
        char name[] = "/tmp/huecipher-pdf-XXXXXX";
        const int fd = ::mkstemp(name);
        if (fd < 0)
            return Fail(name, LocalFile::Reason(errno));
        ::close(fd);
        std::string document;
        bool ok = LocalFile::WriteByName(name, write, Replace::Allowed, &error)
            && LocalFile::ReadRegular(name, std::string().max_size(), &document, &error);
        ::unlink(name);
        if (!ok)
            return Fail(out, error);
        return WriteOut(out, document, replace, Sync::EachFile);
    }
    if (!LocalFile::WriteByName(out, write, replace, &error)) {
        if (error == LocalFile::ExistsAlready)
            error += " (--force replaces it)";
        return Fail(out, error);
    }
    return Success;
}

}  // namespace Cli
