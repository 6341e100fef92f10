// The layout program of huecipher-cli: the commands that lay text out with the text box's
// fonts (lines, pdf). huecipher-cli starts it for them.
#include "CliMain.h"
#include "Commands.h"
#include "OutOfMemory.h"

namespace {

const char* const kUsage =
    "Usage: huecipher-cli lines|pdf [options] [arguments]\n"
    "huecipher-cli COMMAND --help describes a command.\n";

}  // namespace

int main(int argc, char* argv[])
{
    OutOfMemory::ReportInsteadOfCrashing();
    const Cli::CommandTable commands = {{"lines", Cli::Lines}, {"pdf", Cli::Pdf}};
    return Cli::RunProgram(Cli::ArgumentList(argv + 1, argv + argc), commands, kUsage);
}
