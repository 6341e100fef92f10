// huecipher-cli: code, decode, check and export from the command line, with no window.
#include "Commands.h"

#include <QGuiApplication>

#include <cstdio>
#include <functional>
#include <map>

namespace {

const char* const kUsage =
    "Usage: huecipher-cli COMMAND [options] [arguments]\n"
    "Codes texts into coded pictures (.hqc) and back, as the Huecipher window does.\n"
    "\n"
    "Commands:\n"
    "  encode   code a text into a picture\n"
    "  decode   write the text of a picture\n"
    "  check    say whether files are valid coded pictures\n"
    "  info     describe a coded picture\n"
    "  lines    the lines the text box displays for a text\n"
    "  pdf      the PDF document the window's export writes for a text\n"
    "\n"
    "huecipher-cli COMMAND --help describes a command; huecipher-cli --version shows the version.\n"
    "Status: 0 success, 1 bad input or a failed write, 2 wrong usage.\n";

}  // namespace

int main(int argc, char* argv[])
{
    // Text is laid out with fonts, never shown: no display is needed, whatever is set, and
    // the toolkit's notes about its surroundings are no business of a script's.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "huecipher-cli: %s\n", qPrintable(message));
    });
    QGuiApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString first = arguments.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (first == QLatin1String("--version") || first == QLatin1String("-v")) {
        std::printf("huecipher-cli %s\n", HUECIPHER_VERSION);
        return 0;
    }
    const std::map<QString, std::function<int(const QStringList&)>> commands = {
        {QStringLiteral("encode"), Cli::Encode}, {QStringLiteral("decode"), Cli::Decode},
        {QStringLiteral("check"), Cli::Check},   {QStringLiteral("info"), Cli::Info},
        {QStringLiteral("lines"), Cli::Lines},   {QStringLiteral("pdf"), Cli::Pdf},
    };
    const auto command = commands.find(first);
    if (command == commands.end()) {
        std::fprintf(stderr, "huecipher-cli: no command \"%s\"\n\n%s", qPrintable(first), kUsage);
        return 2;
    }
    return command->second(arguments);
}
