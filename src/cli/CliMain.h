// The frame of the command line's programs: standard streams guarded, the command run, no
// exception left uncaught, and lost output reported as a failure.
#pragma once

#include "Command.h"

#include <map>
#include <string>

namespace Cli {

using CommandTable = std::map<std::string, int (*)(const ArgumentList&)>;

// Runs the command that arguments name (its name first) from table; unknown names are a usage
// error. Returns the exit status.
int RunProgram(const ArgumentList& arguments, const CommandTable& table, const char* usage);

}  // namespace Cli
