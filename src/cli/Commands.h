// The commands of huecipher-cli, one function each. Every one takes the arguments that follow
// its name, as bytes, and returns the exit status: 0 success, 1 bad input or a failed write
// (with a message on standard error naming the file and the reason), 2 wrong usage.
#pragma once

#include <string>
#include <vector>

namespace Cli {

using ArgumentList = std::vector<std::string>;

int Encode(const ArgumentList& arguments);
int Decode(const ArgumentList& arguments);
int Check(const ArgumentList& arguments);
int Info(const ArgumentList& arguments);
int Lines(const ArgumentList& arguments);
int Pdf(const ArgumentList& arguments);

}  // namespace Cli
