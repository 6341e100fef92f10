// huecipher-cli: code, decode, check and export from the command line, with no window.
#include "Commands.h"
#include "Output.h"

#include <csignal>
#include <exception>
#include <map>
#include <new>
#include <string>

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

int Run(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        Cli::Err(kUsage);
        return 2;
    }
    const std::string& first = arguments.front();
    if (first == "--help" || first == "-h") {
        Cli::Out(kUsage);
        return 0;
    }
    if (first == "--version" || first == "-v") {
        Cli::Out("huecipher-cli " HUECIPHER_VERSION "\n");
        return 0;
    }
    const std::map<std::string, int (*)(const Cli::ArgumentList&)> commands = {
        {"encode", Cli::Encode}, {"decode", Cli::Decode}, {"check", Cli::Check},
        {"info", Cli::Info},     {"lines", Cli::Lines},   {"pdf", Cli::Pdf},
    };
    const auto command = commands.find(first);
    if (command == commands.end()) {
        Cli::Err("huecipher-cli: no command \"" + Cli::Shown(first) + "\"\n\n" + kUsage);
        return 2;
    }
    return command->second(Cli::ArgumentList(arguments.begin() + 1, arguments.end()));
}

}  // namespace

int main(int argc, char* argv[])
{
    // A reader that goes away is a failed write, reported as such, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    Cli::GuardStandardStreams();
    int status;
    try {
        status = Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::bad_alloc&) {
        Cli::Err("huecipher-cli: not enough memory\n");
        return 1;
    } catch (const std::exception& e) {
        Cli::Err(std::string("huecipher-cli: ") + e.what() + "\n");
        return 1;
    }
    // Output that did not arrive is a failure, whatever the command made of it.
    if (const std::string failure = Cli::TakeOutputFailure(); !failure.empty()) {
        Cli::Err("huecipher-cli: standard output: " + failure + "\n");
        return 1;
    }
    return status;
}
