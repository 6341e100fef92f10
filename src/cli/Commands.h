// The commands of huecipher-cli, one function each. Every one takes its own arguments (the
// command's name first) and returns the exit status: 0 success, 1 bad input or a failed
// write (with a message on standard error naming the file and the reason), 2 wrong usage.
#pragma once

#include <QStringList>

namespace Cli {

int Encode(const QStringList& arguments);
int Decode(const QStringList& arguments);
int Check(const QStringList& arguments);
int Info(const QStringList& arguments);
int Lines(const QStringList& arguments);
int Pdf(const QStringList& arguments);

}  // namespace Cli
