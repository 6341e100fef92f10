#include "Commands.h"

#include "Cp1252.h"
#include "DisplayedLines.h"
#include "ExportDocument.h"
#include "LocalFile.h"
#include "Output.h"
#include "Win1252.h"

#include <QGuiApplication>

#include <cerrno>
#include <cstdlib>
#include <unistd.h>

namespace Cli {
namespace {

using LocalFile::Replace;
using LocalFile::Sync;

// Starts what laying out text with fonts needs, once: the toolkit without a display.
void StartFonts()
{
    static int argc = 1;
    static char name[] = "huecipher-cli";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance())
        return;
    // Text is laid out with fonts, never shown: no display is needed, whatever is set, and
    // the toolkit's notes about its surroundings are no business of a script's.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            Err("huecipher-cli: " + message.toStdString() + "\n");
    });
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
    std::string text;
    if (!ReadBoxText(command.Positional().at(0), *encoding, &text))
        return BadInput;
    StartFonts();
    *lines = DisplayedLines::Of(Win1252::ToDocumentText(QByteArray::fromStdString(text)),
                                DisplayedLines::TextBoxFont(size));
    return -1;
}

}  // namespace

int Lines(const ArgumentList& arguments)
{
    Command command(
        "Usage: huecipher-cli lines [--size PT] [--encoding utf8|cp1252] TEXT\n"
        "Prints the lines the text box displays for the text, one to a line.\n"
        "  --size PT        text size, 8 to 12 (default: the program's start size, 8.25)\n"
        "  --encoding E     how TEXT is written: utf8 (default) or cp1252\n",
        {SizeOption, EncodingOption}, 1, 1);
    CliText::Encoding encoding;
    QStringList lines;
    if (const int status = ReadLines(command, arguments, &encoding, &lines); status >= 0)
        return status;
    std::string out;
    for (const QString& line : lines)
        out += Cp1252::FromBoxText(Win1252::Encode(line).toStdString(), encoding) + '\n';
    return WriteOut("-", out, Replace::Never, Sync::EachFile);
}

int Pdf(const ArgumentList& arguments)
{
    Command command(
        "Usage: huecipher-cli pdf [--size PT] [--encoding utf8|cp1252] [--name NAME] [--force] TEXT OUT\n"
        "Writes the PDF document the window's export writes for the text at that size.\n"
        "OUT is the document's file (- for standard output); with --name, OUT is a folder\n"
        "and the document is written there as NAME.pdf, as the window's export names it.\n"
        "  --size PT        text size, 8 to 12 (default: the program's start size, 8.25)\n"
        "  --encoding E     how TEXT is written: utf8 (default) or cp1252\n"
        "  --name NAME      the document's name, as typed in the window (OUT is then a folder)\n"
        "  --force          replace a document that exists\n",
        {SizeOption, EncodingOption, {"name", 0, true}, ForceOption}, 2, 2);
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
    const Replace replace = ReadReplace(command.Args());
    auto write = [&](const std::string& temporary) { ExportDocument::Write(lines, temporary); };
    std::string error;
    if (out == "-") {
        if (::isatty(STDOUT_FILENO))
            return Fail(out, BinaryToTerminal);
        // The writer needs a file: the document is made in a temporary one and then copied.
        std::string document;
        if (!LocalFile::WriteToMemory(write, std::string().max_size(), &document, &error))
            return Fail(out, error);
        return WriteOut(out, document, replace, Sync::EachFile);
    }
    if (!LocalFile::WriteByName(out, write, replace, &error))
        return Fail(out, WithForceHint(error));
    return Success;
}

}  // namespace Cli
