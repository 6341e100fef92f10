// The commands that lay text out with fonts (lines, pdf) need the toolkit; they run in a
// program of their own, so that coding never starts it.
#pragma once

#include "Command.h"

namespace Cli {

// Replaces this process by the layout program running command with arguments. Returns only
// when that program cannot be started: then with status 1 and a message.
int RunLayoutProgram(const std::string& command, const ArgumentList& arguments);

inline int StartLines(const ArgumentList& arguments)
{
    return RunLayoutProgram("lines", arguments);
}

inline int StartPdf(const ArgumentList& arguments)
{
    return RunLayoutProgram("pdf", arguments);
}

}  // namespace Cli
