// huecipher-cli: code, decode, check and export from the command line, with no window. Coding
// runs on the codec alone; the commands that lay text out with fonts run in a program of their
// own, started only for them.
#include "CliMain.h"
#include "Commands.h"
#include "LayoutProgram.h"
#include "Output.h"

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

// Usage with a word on what follows an option that takes nothing more.
int NothingMore(const Cli::ArgumentList& arguments)
{
    Cli::Err("huecipher-cli: \"" + Cli::Shown(arguments.front()) + "\" is more than this option takes\n\n" + kUsage);
    return Cli::WrongUsage;
}

int Help(const Cli::ArgumentList& arguments)
{
    if (!arguments.empty())
        return NothingMore(arguments);
    Cli::Out(kUsage);
    return Cli::Success;
}

int Version(const Cli::ArgumentList& arguments)
{
    if (!arguments.empty())
        return NothingMore(arguments);
    Cli::Out("huecipher-cli " HUECIPHER_VERSION "\n");
    return Cli::Success;
}

}  // namespace

int main(int argc, char* argv[])
{
    const Cli::CommandTable commands = {
        {"encode", Cli::Encode},        {"decode", Cli::Decode},      {"check", Cli::Check},
        {"info", Cli::Info},            {"lines", Cli::StartLines},   {"pdf", Cli::StartPdf},
        {"--help", Help},               {"-h", Help},                 {"--version", Version},
        {"-v", Version},
    };
    return Cli::RunProgram(Cli::ArgumentList(argv + 1, argv + argc), commands, kUsage);
}
