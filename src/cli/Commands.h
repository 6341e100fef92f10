// The commands of huecipher-cli, one function each. Every one takes the arguments that follow
// its name, as bytes, and returns the exit status: 0 success, 1 bad input or a failed write
// (with a message on standard error naming the file and the reason), 2 wrong usage.
#pragma once

#include "Command.h"

namespace Cli {

// On the codec alone.
int Encode(const ArgumentList& arguments);
int Decode(const ArgumentList& arguments);
int Check(const ArgumentList& arguments);
int Info(const ArgumentList& arguments);

// With the toolkit's fonts, in the layout program.
int Lines(const ArgumentList& arguments);
int Pdf(const ArgumentList& arguments);

}  // namespace Cli
