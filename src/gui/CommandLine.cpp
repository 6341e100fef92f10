#include "CommandLine.h"

#include <QCommandLineParser>

#include <cstdio>

namespace Module1 {
namespace {

QString UsageText()
{
    return QStringLiteral(
        "Usage: huecipher [options] [file]\n"
        "Huecipher hides a text in a picture of 200 x 120 pixels and gets it back.\n"
        "\n"
        "Options:\n"
        "  -h, --help     Shows this help and ends.\n"
        "  -v, --version  Shows the version and ends.\n"
        "\n"
        "Arguments:\n"
        "  file           A coded picture (.hqc) or a text file (.txt) to open.\n");
}

void Print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

QString ProgramVersion()
{
    return QStringLiteral(HUECIPHER_VERSION);
}

StartRequest ReadCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    // The toolkit reads these itself (a session manager restarts the program with -session).
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "style",
                             "stylesheet", "session", "geometry", "title", "name", "qwindowgeometry", "qwindowtitle",
                             "qwindowicon", "visual", "ncols", "cmap", "im", "inputstyle", "fn", "font", "bg",
                             "background", "fg", "foreground", "btn", "button", "qmljsdebugger"}) {
        QCommandLineOption toolkit(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        toolkit.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(toolkit);
    }
    for (const char* name : {"reverse", "sync", "nograb", "dograb", "widgetcount", "testability"}) {
        QCommandLineOption toolkit(QString::fromLatin1(name));
        toolkit.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(toolkit);
    }

    StartRequest request;
    if (!parser.parse(arguments) || parser.positionalArguments().size() > 1) {
        const QString why = parser.errorText().isEmpty() ? QStringLiteral("Only one file can be opened.")
                                                         : parser.errorText();
        Print(stderr, QStringLiteral("huecipher: %1\n\n").arg(why) + UsageText());
        request.exitCode = 2;
        return request;
    }
    if (parser.isSet(help)) {
        Print(stdout, UsageText());
        request.exitCode = 0;
    } else if (parser.isSet(version)) {
        Print(stdout, QStringLiteral("huecipher %1\n").arg(ProgramVersion()));
        request.exitCode = 0;
    } else if (!parser.positionalArguments().isEmpty()) {
        request.file = parser.positionalArguments().first();
    }
    return request;
}

}  // namespace Module1
