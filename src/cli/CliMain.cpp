#include "CliMain.h"

#include "LocalFile.h"
#include "Output.h"

#include <csignal>
#include <exception>
#include <new>

namespace Cli {
namespace {

int Dispatch(const ArgumentList& arguments, const CommandTable& table, const char* usage)
{
    if (arguments.empty()) {
        Err(usage);
        return WrongUsage;
    }
    const auto command = table.find(arguments.front());
    if (command == table.end()) {
        Err("huecipher-cli: no command \"" + Shown(arguments.front()) + "\"\n\n" + usage);
        return WrongUsage;
    }
    return command->second(ArgumentList(arguments.begin() + 1, arguments.end()));
}

}  // namespace

int RunProgram(const ArgumentList& arguments, const CommandTable& table, const char* usage)
{
    // A reader that goes away is a failed write, reported as such, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    // Ctrl-C or kill during a write leaves no temporary file behind.
    LocalFile::RemoveTemporariesOnSignals();
    GuardStandardStreams();
    int status;
    try {
        status = Dispatch(arguments, table, usage);
    } catch (const std::bad_alloc&) {
        Err("huecipher-cli: not enough memory\n");
        return BadInput;
    } catch (const std::exception& e) {
        Err(std::string("huecipher-cli: ") + e.what() + "\n");
        return BadInput;
    }
    // Output that did not arrive is a failure, whatever the command made of it.
    if (const std::string failure = TakeOutputFailure(); !failure.empty())
        return Fail("-", StandardOutputFailed + failure);
    return status;
}

}  // namespace Cli
