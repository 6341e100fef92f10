#include "Command.h"

#include "Cp1252.h"
#include "LocalFile.h"
#include "Output.h"
#include "TextBytes.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace Cli {

Command::Command(std::string usage, std::vector<Option> options, std::size_t minimum, std::size_t maximum)
    : m_usage(std::move(usage)), m_options(std::move(options)), m_minimum(minimum), m_maximum(maximum)
{
    m_options.push_back({"help", 'h', false});
}

int Command::Parse(const ArgumentList& arguments)
{
    std::string why;
    if (!m_arguments.Parse(arguments, m_options, &why))
        return Usage(why);
    if (m_arguments.Has("help")) {
        Out(m_usage);
        return Success;
    }
    const std::size_t n = m_arguments.Positional().size();
    if (n < m_minimum || n > m_maximum)
        return Usage("wrong number of arguments");
    // An empty name names no file: refused before anything is read or written.
    for (const std::string& name : m_arguments.Positional())
        if (name.empty())
            return Usage("an empty file name");
    for (const Option& option : m_options)
        if (option.takesValue && m_arguments.Has(option.name) && m_arguments.Value(option.name).empty())
            return Usage("--" + option.name + " takes a value, not an empty one");
    return -1;
}

int Command::Usage(const std::string& why) const
{
    Err("huecipher-cli: " + Shown(why) + "\n\n" + m_usage);
    return WrongUsage;
}

const char* const BinaryToTerminal =
    "standard output is a terminal: a picture or document is not written there (redirect it to a file)";

const Option EncodingOption{"encoding", 0, true};
const Option SizeOption{"size", 0, true};
const Option FolderOption{"directory", 'd', true};
const Option ForceOption{"force", 0, false};

bool ReadEncoding(const Arguments& args, CliText::Encoding* encoding)
{
    std::string value = args.Value("encoding", "utf8");
    std::transform(value.begin(), value.end(), value.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (value == "utf8" || value == "utf-8")
        *encoding = CliText::Encoding::Utf8;
    else if (value == "cp1252" || value == "windows-1252")
        *encoding = CliText::Encoding::Cp1252;
    else
        return false;
    return true;
}

bool ReadSize(const Arguments& args, double* points)
{
    if (!args.Has("size")) {
        *points = 8.25;
        return true;
    }
    const std::string value = args.Value("size");
    if (value.empty() || value.size() > 2 || !std::all_of(value.begin(), value.end(), ::isdigit))
        return false;
    const int size = std::atoi(value.c_str());
    if (size < 8 || size > 12)
        return false;
    *points = size;
    return true;
}

LocalFile::Replace ReadReplace(const Arguments& args)
{
    return args.Has("force") ? LocalFile::Replace::Allowed : LocalFile::Replace::Never;
}

bool ReadBoxText(const std::string& source, CliText::Encoding encoding, std::string* text)
{
    std::string raw;
    std::string error;
    if (!CliText::ReadAll(source, CliText::MaxTextBytes(encoding), &raw, &error)) {
        Fail(source, error);
        return false;
    }
    if (encoding == CliText::Encoding::Cp1252) {
        // The program's own text files, read as the window reads them: a line ends at CR or
        // CR LF, and every line, the last too, is followed by CR LF.
        raw = TextBytes::Read(raw);
    } else if (raw.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        raw.erase(0, 3);  // a byte-order mark says how the text is written; it is not the text's
    }
    int replaced = 0;
    *text = Cp1252::BoxText(raw, encoding, &replaced);
    if (replaced > 0)
        Err("huecipher-cli: " + Shown(source) + ": " + LocalFile::Grouped(std::size_t(replaced))
            + " character(s) outside Windows-1252 became \"?\"\n");
    return true;
}

std::string WithForceHint(const std::string& error)
{
    return error == LocalFile::ExistsAlready ? error + " (--force replaces it)" : error;
}

int WriteOut(const std::string& path, const std::string& bytes, LocalFile::Replace replace, LocalFile::Sync sync)
{
    std::string error;
    if (CliText::WriteAll(path, bytes, replace, sync, &error))
        return Success;
    return Fail(path, WithForceHint(error));
}

}  // namespace Cli
