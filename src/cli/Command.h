// What every command of huecipher-cli shares: its options parsed (with --help and usage
// errors), the common options read, texts read as the text box holds them, files written.
#pragma once

#include "Arguments.h"
#include "CliText.h"
#include "LocalFile.h"

#include <string>
#include <vector>

namespace Cli {

using ArgumentList = std::vector<std::string>;

constexpr int Success = 0;
constexpr int BadInput = 1;
constexpr int WrongUsage = 2;

// One command's options: parsed from its arguments, with --help and usage errors handled.
class Command {
public:
    static constexpr std::size_t Any = static_cast<std::size_t>(-1);
    Command(std::string usage, std::vector<Option> options, std::size_t minimum, std::size_t maximum);
    // Parses; -1 to go on, otherwise the status to end with.
    int Parse(const ArgumentList& arguments);
    // The usage error: the reason and the command's usage on standard error; returns 2.
    int Usage(const std::string& why) const;
    const Arguments& Args() const { return m_arguments; }
    const ArgumentList& Positional() const { return m_arguments.Positional(); }

private:
    std::string m_usage;
    std::vector<Option> m_options;
    std::size_t m_minimum;
    std::size_t m_maximum;
    Arguments m_arguments;
};

// Why a picture or PDF document is not written to standard output when that is a terminal.
extern const char* const BinaryToTerminal;

extern const Option EncodingOption;   // --encoding utf8|cp1252
extern const Option SizeOption;       // --size PT
extern const Option FolderOption;     // -d, --directory FOLDER
extern const Option ForceOption;      // --force

// --encoding: utf8 (the default) or cp1252. False for anything else.
bool ReadEncoding(const Arguments& args, CliText::Encoding* encoding);

// --size: one of the Textsize menu's sizes (8 to 12); without it the window's start size.
bool ReadSize(const Arguments& args, double* points);

// --force: whether a file that exists may be replaced.
LocalFile::Replace ReadReplace(const Arguments& args);

// Reads a text as the text box would hold it, warning about replaced characters; false (with
// the message given) when it cannot be read.
bool ReadBoxText(const std::string& source, CliText::Encoding encoding, std::string* text);

// Writes a file of a command ("-" for standard output), with the message of a failure;
// returns the status, 0 or 1.
int WriteOut(const std::string& path, const std::string& bytes, LocalFile::Replace replace, LocalFile::Sync sync);

// The message for a write that found its name taken.
std::string WithForceHint(const std::string& error);

}  // namespace Cli
