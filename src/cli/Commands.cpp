#include "Commands.h"

#include "AtomicFile.h"
#include "CliText.h"
#include "CodedPicture.h"
#include "DisplayedLines.h"
#include "ExportDocument.h"
#include "PictureFile.h"
#include "Win1252.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <exception>
#include <unistd.h>

namespace Cli {
namespace {

constexpr int Success = 0;
constexpr int BadInput = 1;
constexpr int WrongUsage = 2;

void Out(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

void Err(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stderr);
}

// A failure that names the file and the reason.
int Fail(const QString& file, const QString& reason)
{
    Err(QStringLiteral("huecipher-cli: %1: %2\n").arg(file, reason));
    return BadInput;
}

// One command's options: parsed from its arguments, with --help and usage errors handled.
class Command {
public:
    Command(const QString& usage, int minimum, int maximum) : m_usage(usage), m_minimum(minimum), m_maximum(maximum)
    {
        m_parser.addOption(m_help);
    }
    QCommandLineParser& Parser() { return m_parser; }
    const QCommandLineParser& Parser() const { return m_parser; }
    // Parses; -1 to go on, otherwise the status to end with.
    int Parse(const QStringList& arguments)
    {
        if (!m_parser.parse(arguments))
            return Usage(m_parser.errorText());
        if (m_parser.isSet(m_help)) {
            Out(m_usage);
            return Success;
        }
        const qsizetype n = m_parser.positionalArguments().size();
        if (n < m_minimum || (m_maximum >= 0 && n > m_maximum))
            return Usage(QStringLiteral("wrong number of arguments"));
        return -1;
    }
    int Usage(const QString& why) const
    {
        Err(QStringLiteral("huecipher-cli: %1\n\n").arg(why) + m_usage);
        return WrongUsage;
    }
    QStringList Arguments() const { return m_parser.positionalArguments(); }

private:
    QString m_usage;
    int m_minimum;
    int m_maximum;
    QCommandLineParser m_parser;
    QCommandLineOption m_help{QStringList{QStringLiteral("h"), QStringLiteral("help")}};
};

const QCommandLineOption kEncoding(QStringLiteral("encoding"), QString(), QStringLiteral("utf8|cp1252"),
                                   QStringLiteral("utf8"));
const QCommandLineOption kSize(QStringLiteral("size"), QString(), QStringLiteral("points"));

bool ReadEncoding(const QCommandLineParser& parser, CliText::Encoding* encoding)
{
    const QString value = parser.value(kEncoding).toLower();
    if (value == QLatin1String("utf8") || value == QLatin1String("utf-8"))
        *encoding = CliText::Encoding::Utf8;
    else if (value == QLatin1String("cp1252") || value == QLatin1String("windows-1252"))
        *encoding = CliText::Encoding::Cp1252;
    else
        return false;
    return true;
}

// A size of the Textsize menu (8 to 12); without --size the window's start size.
bool ReadSize(const QCommandLineParser& parser, double* points)
{
    if (!parser.isSet(kSize)) {
        *points = 8.25;
        return true;
    }
    bool ok = false;
    const int size = parser.value(kSize).toInt(&ok);
    if (!ok || size < 8 || size > 12)
        return false;
    *points = size;
    return true;
}

// "#RRGGBB" or "R,G,B".
bool ReadColour(const QString& text, Rgb* colour)
{
    const auto hex = QRegularExpression(QStringLiteral("^#([0-9A-Fa-f]{6})$")).match(text);
    if (hex.hasMatch()) {
        const uint v = hex.captured(1).toUInt(nullptr, 16);
        *colour = {int(v >> 16), int((v >> 8) & 0xFF), int(v & 0xFF)};
        return true;
    }
    const auto parts = QRegularExpression(QStringLiteral("^\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*$")).match(text);
    if (!parts.hasMatch())
        return false;
    const int r = parts.captured(1).toInt();
    const int g = parts.captured(2).toInt();
    const int b = parts.captured(3).toInt();
    if (r > 255 || g > 255 || b > 255)
        return false;
    *colour = {r, g, b};
    return true;
}

QString Hex(Rgb c)
{
    return QStringLiteral("#%1%2%3").arg(c.r, 2, 16, QLatin1Char('0')).arg(c.g, 2, 16, QLatin1Char('0'))
        .arg(c.b, 2, 16, QLatin1Char('0')).toUpper();
}

// Reads a text as the text box would hold it, warning about replaced characters.
bool ReadBoxText(const QString& source, CliText::Encoding encoding, QByteArray* text)
{
    QByteArray raw;
    QString error;
    if (!CliText::ReadAll(source, &raw, &error)) {
        Fail(source, error);
        return false;
    }
    int replaced = 0;
    *text = CliText::ToBoxText(raw, encoding, &replaced);
    if (replaced > 0)
        Err(QStringLiteral("huecipher-cli: %1: %2 character(s) outside Windows-1252 became \"?\"\n")
                .arg(source).arg(replaced));
    return true;
}

// Why a file is not a coded picture, or an empty text when it is one; picture receives it
// as the window shows it (mirrored back).
QString PictureProblem(const QString& path, PixelSurface* picture)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("no such file");
    if (info.isDir())
        return QStringLiteral("is a folder");
    if (!info.isReadable())
        return QStringLiteral("cannot be read");
    PixelSurface surface;
    if (!PictureFile::Load(surface, path))
        return QStringLiteral("not a bitmap of 200 x 120 pixels");
    surface.Mirror();
    if (!PictureFile::IsCodedPicture(surface.Width(), surface.Height(), PictureFile::ReadSignatureRow(surface)))
        return QStringLiteral("no Hollowbrandt signature: not a valid Glyphix picture");
    *picture = surface;
    return QString();
}

// Shows "[k/n] name" on standard error while a batch runs, when a person watches it.
class Progress {
public:
    explicit Progress(qsizetype total) : m_total(total), m_shown(total > 1 && ::isatty(STDERR_FILENO)) {}
    ~Progress()
    {
        if (m_shown)
            Err(QStringLiteral("\n"));
    }
    void Step(qsizetype index, const QString& name)
    {
        if (m_shown)
            Err(QStringLiteral("\r[%1/%2] %3\x1b[K").arg(index + 1).arg(m_total).arg(name));
    }

private:
    qsizetype m_total;
    bool m_shown;
};

// The file in folder named as source, with another extension.
QString InFolder(const QString& folder, const QString& source, const QString& extension)
{
    return QDir(folder).filePath(QFileInfo(source).completeBaseName() + extension);
}

const QCommandLineOption kFolder(QStringList{QStringLiteral("d"), QStringLiteral("directory")}, QString(),
                                 QStringLiteral("folder"));

struct EncodeOptions {
    CodedPicture::Settings settings;
    AtomicFile::Sync sync = AtomicFile::Sync::EachFile;
    CliText::Encoding encoding = CliText::Encoding::Utf8;
    bool allowLoss = false;
    bool force = false;
};

// Codes one text into one picture file.
int EncodeOne(const QString& source, const QString& out, const EncodeOptions& options)
{
    QByteArray text;
    if (!ReadBoxText(source, options.encoding, &text))
        return BadInput;
    if (text.isEmpty())
        return Fail(source, QStringLiteral("no text available"));
    const int lost = CodedPicture::CharactersNotRecoverable(text);
    if (lost > 0 && !options.allowLoss)
        return Fail(source, QStringLiteral("%1 character(s) of this text will not come back from the picture "
                                           "(--allow-loss codes it anyway)").arg(lost));
    if (QFileInfo::exists(out) && !options.force)
        return Fail(out, QStringLiteral("exists already (--force replaces it)"));

    PixelSurface picture(CodedPicture::Width, CodedPicture::Height);
    CodedPicture::Encode(picture, text, options.settings, *QRandomGenerator::global());
    picture.Mirror();  // a picture file holds the coded picture mirrored
    QString error;
    if (!PictureFile::Save(picture, out, &error, options.sync))
        return Fail(out, error);
    return Success;
}

// Decodes one picture file into target ("-" for standard output).
int DecodeOne(const QString& path, const QString& target, CliText::Encoding encoding, bool info,
              AtomicFile::Sync sync = AtomicFile::Sync::EachFile)
{
    PixelSurface picture;
    if (const QString problem = PictureProblem(path, &picture); !problem.isEmpty())
        return Fail(path, problem);
    const CodedPicture::Decoded decoded = CodedPicture::Decode(picture);
    if (info)
        Err(QStringLiteral("size %1, text colour %2, background %3\n")
                .arg(decoded.textSize).arg(Hex(decoded.fore), Hex(decoded.back)));
    QString error;
    if (!CliText::WriteAll(target, CliText::FromBoxText(decoded.text, encoding), &error, sync))
        return Fail(target, error);
    return Success;
}

// Runs one job per input into folder, with a progress line; the status is the worst of them.
// The files are flushed to the disk once, at the end, rather than one by one.
template <typename Job>
int Batch(const QStringList& inputs, const QString& folder, Job job)
{
    int status = Success;
    {
        Progress progress(inputs.size());
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            progress.Step(i, inputs[i]);
            status = std::max(status, job(inputs[i]));
        }
    }
    if (!AtomicFile::SyncFolder(folder))
        return Fail(folder, QString::fromLocal8Bit(std::strerror(errno)));
    return status;
}

}  // namespace

int Encode(const QStringList& arguments)
{
    Command command(QStringLiteral(
        "Usage: huecipher-cli encode [--size PT] [--fore COLOUR] [--back COLOUR] [--encoding utf8|cp1252]\n"
        "                            [--allow-loss] [--force] TEXT OUT.hqc\n"
        "       huecipher-cli encode [options] -d FOLDER TEXT...\n"
        "Codes the text of TEXT (a file, or - for standard input) into a coded picture.\n"
        "  --size PT        text size, 8 to 12 (default: the program's start size, 8.25)\n"
        "  --fore COLOUR    text colour, #RRGGBB or R,G,B (default 60,60,60)\n"
        "  --back COLOUR    background colour (default 255,255,255)\n"
        "  --encoding E     how TEXT is written: utf8 (default) or cp1252\n"
        "  --allow-loss     code a text even when some of it will not come back\n"
        "  --force          replace OUT.hqc when it exists\n"
        "  -d, --directory FOLDER  code every TEXT into FOLDER/NAME.hqc\n"), 1, -1);
    const QCommandLineOption fore(QStringLiteral("fore"), QString(), QStringLiteral("colour"));
    const QCommandLineOption back(QStringLiteral("back"), QString(), QStringLiteral("colour"));
    const QCommandLineOption allowLoss(QStringLiteral("allow-loss"));
    const QCommandLineOption force(QStringLiteral("force"));
    command.Parser().addOptions({kSize, fore, back, kEncoding, allowLoss, force, kFolder});
    if (const int status = command.Parse(arguments); status >= 0)
        return status;
    const QCommandLineParser& p = command.Parser();
    EncodeOptions options;
    if (!ReadSize(p, &options.settings.textSize))
        return command.Usage(QStringLiteral("--size takes one of 8, 9, 10, 11, 12"));
    if (p.isSet(fore) && !ReadColour(p.value(fore), &options.settings.fore))
        return command.Usage(QStringLiteral("--fore takes #RRGGBB or R,G,B"));
    if (p.isSet(back) && !ReadColour(p.value(back), &options.settings.back))
        return command.Usage(QStringLiteral("--back takes #RRGGBB or R,G,B"));
    if (!ReadEncoding(p, &options.encoding))
        return command.Usage(QStringLiteral("--encoding takes utf8 or cp1252"));
    options.allowLoss = p.isSet(allowLoss);
    options.force = p.isSet(force);
    const QStringList inputs = command.Arguments();
    if (p.isSet(kFolder)) {
        const QString folder = p.value(kFolder);
        options.sync = AtomicFile::Sync::Later;
        return Batch(inputs, folder, [&](const QString& source) {
            return EncodeOne(source, InFolder(folder, source, QStringLiteral(".hqc")), options);
        });
    }
    if (inputs.size() != 2)
        return command.Usage(QStringLiteral("encode takes TEXT and OUT.hqc, or -d FOLDER and texts"));
    return EncodeOne(inputs.at(0), inputs.at(1), options);
}

int Decode(const QStringList& arguments)
{
    Command command(QStringLiteral(
        "Usage: huecipher-cli decode [-o TEXT] [--encoding utf8|cp1252] [--info] PICTURE\n"
        "       huecipher-cli decode [options] -d FOLDER PICTURE...\n"
        "Writes the text of a coded picture to standard output, or to TEXT.\n"
        "  -o, --output TEXT  the file to write (replaced when complete)\n"
        "  --encoding E       utf8 (default) or cp1252, the program's own text files\n"
        "  --info             the text size and colours on standard error\n"
        "  -d, --directory FOLDER  decode every PICTURE into FOLDER/NAME.txt\n"), 1, -1);
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("file"), QStringLiteral("-"));
    const QCommandLineOption info(QStringLiteral("info"));
    command.Parser().addOptions({output, kEncoding, info, kFolder});
    if (const int status = command.Parse(arguments); status >= 0)
        return status;
    const QCommandLineParser& p = command.Parser();
    CliText::Encoding encoding;
    if (!ReadEncoding(p, &encoding))
        return command.Usage(QStringLiteral("--encoding takes utf8 or cp1252"));
    const QStringList inputs = command.Arguments();
    if (p.isSet(kFolder)) {
        const QString folder = p.value(kFolder);
        return Batch(inputs, folder, [&](const QString& path) {
            return DecodeOne(path, InFolder(folder, path, QStringLiteral(".txt")), encoding, p.isSet(info),
                             AtomicFile::Sync::Later);
        });
    }
    if (inputs.size() != 1)
        return command.Usage(QStringLiteral("decode takes one PICTURE, or -d FOLDER and pictures"));
    return DecodeOne(inputs.at(0), p.value(output), encoding, p.isSet(info));
}

int Check(const QStringList& arguments)
{
    Command command(QStringLiteral(
        "Usage: huecipher-cli check PICTURE...\n"
        "Says of every file whether it is a valid coded picture: \"ok\" or the reason.\n"
        "The status is 0 only when all of them are.\n"), 1, -1);
    if (const int status = command.Parse(arguments); status >= 0)
        return status;
    int result = Success;
    for (const QString& path : command.Arguments()) {
        PixelSurface picture;
        const QString problem = PictureProblem(path, &picture);
        Out(QStringLiteral("%1: %2\n").arg(path, problem.isEmpty() ? QStringLiteral("ok") : problem));
        if (!problem.isEmpty())
            result = BadInput;
    }
    std::fflush(stdout);
    return result;
}

int Info(const QStringList& arguments)
{
    Command command(QStringLiteral(
        "Usage: huecipher-cli info [--json] PICTURE\n"
        "Describes a coded picture: signature, text size, colours, number of characters, and\n"
        "whether anything was written past the rows that are read back.\n"), 1, 1);
    const QCommandLineOption json(QStringLiteral("json"));
    command.Parser().addOption(json);
    if (const int status = command.Parse(arguments); status >= 0)
        return status;
    const QString path = command.Arguments().at(0);
    PixelSurface picture;
    if (const QString problem = PictureProblem(path, &picture); !problem.isEmpty())
        return Fail(path, problem);
    const CodedPicture::Decoded decoded = CodedPicture::Decode(picture);
    // Rows 118 and 119 are not read back: text that reached them is lost.
    bool pastReadable = false;
    for (int x = CodedPicture::TextFirstX; x <= CodedPicture::TextLastX; ++x) {
        const Rgb below = picture.GetPixel(x, CodedPicture::TextLastReadRow + 1);
        const Rgb frame = picture.GetPixel(x, CodedPicture::Height - 1);
        pastReadable |= below.r != CodedPicture::EmptyRed || frame.r != 0 || frame.g != 0 || frame.b != 0;
    }
    const QString signature = Win1252::Decode(decoded.signature.left(CodedPicture::SignatureLength));
    if (command.Parser().isSet(json)) {
        const QJsonObject o{{QStringLiteral("file"), path},
                            {QStringLiteral("signature"), signature},
                            {QStringLiteral("textSize"), decoded.textSize},
                            {QStringLiteral("textColour"), Hex(decoded.fore)},
                            {QStringLiteral("backgroundColour"), Hex(decoded.back)},
                            {QStringLiteral("characters"), int(decoded.text.size())},
                            {QStringLiteral("writtenPastReadableRows"), pastReadable}};
        Out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
    } else {
        Out(QStringLiteral("signature: %1\ntext size: %2\ntext colour: %3\nbackground colour: %4\n"
                           "characters: %5\nwritten past the readable rows: %6\n")
                .arg(signature).arg(decoded.textSize).arg(Hex(decoded.fore), Hex(decoded.back))
                .arg(decoded.text.size()).arg(pastReadable ? QStringLiteral("yes") : QStringLiteral("no")));
    }
    std::fflush(stdout);
    return Success;
}

namespace {
// Parses a command that lays a text out (--size, --encoding) and reads the displayed lines
// of its first argument; -1 to go on, otherwise the status to end with.
int ReadLines(Command& command, const QStringList& arguments, CliText::Encoding* encoding, QStringList* lines)
{
    command.Parser().addOptions({kSize, kEncoding});
    if (const int status = command.Parse(arguments); status >= 0)
        return status;
    double size = 0;
    if (!ReadSize(command.Parser(), &size) || !ReadEncoding(command.Parser(), encoding))
        return command.Usage(QStringLiteral("--size takes one of 8 to 12, --encoding utf8 or cp1252"));
    QByteArray text;
    if (!ReadBoxText(command.Arguments().at(0), *encoding, &text))
        return BadInput;
    *lines = DisplayedLines::Of(Win1252::ToDocumentText(text), DisplayedLines::TextBoxFont(size));
    return -1;
}
}  // namespace

int Lines(const QStringList& arguments)
{
    Command command(QStringLiteral(
        "Usage: huecipher-cli lines [--size PT] [--encoding utf8|cp1252] TEXT\n"
        "Prints the lines the text box displays for the text, one to a line.\n"), 1, 1);
    CliText::Encoding encoding;
    QStringList lines;
    if (const int status = ReadLines(command, arguments, &encoding, &lines); status >= 0)
        return status;
    QByteArray out;
    for (const QString& line : lines)
        out += CliText::FromBoxText(Win1252::Encode(line), encoding) + '\n';
    QString error;
    if (!CliText::WriteAll(QStringLiteral("-"), out, &error))
        return Fail(QStringLiteral("-"), error);
    return Success;
}

int Pdf(const QStringList& arguments)
{
    Command command(QStringLiteral(
        "Usage: huecipher-cli pdf [--size PT] [--encoding utf8|cp1252] [--name NAME] TEXT OUT\n"
        "Writes the PDF document the window's export writes for the text at that size.\n"
        "OUT is the document's file; with --name, OUT is a folder and the document is\n"
        "written there as NAME.pdf, as the window's export names it.\n"), 2, 2);
    const QCommandLineOption name(QStringLiteral("name"), QString(), QStringLiteral("name"));
    command.Parser().addOption(name);
    CliText::Encoding encoding;
    QStringList lines;
    if (const int status = ReadLines(command, arguments, &encoding, &lines); status >= 0)
        return status;
    QString out = command.Arguments().at(1);
    if (command.Parser().isSet(name)) {
        // The name as typed (blanks kept), as the window's export takes it.
        const QString documentName = command.Parser().value(name);
        if (documentName.trimmed().isEmpty() || documentName.contains(QLatin1Char('/')))
            return command.Usage(QStringLiteral("--name takes a name, not empty and not a path"));
        if (!QFileInfo(out).isDir())
            return Fail(out, QStringLiteral("not a folder (with --name, OUT is the folder to write in)"));
        out = QDir(out).filePath(documentName + QStringLiteral(".pdf"));
    }
    QString error;
    if (!AtomicFile::WriteByName(out, [&](const std::string& temporary) { ExportDocument::Write(lines, temporary); },
                                 &error))
        return Fail(out, error);
    return Success;
}

}  // namespace Cli
