#include "CliText.h"

#include "Output.h"
#include "TextBytes.h"

#include <unistd.h>

namespace CliText {

std::size_t MaxTextBytes(Encoding encoding)
{
    return TextBytes::MaxReadBytes * (encoding == Encoding::Utf8 ? 4 : 1);
}

bool ReadAll(const std::string& source, std::size_t maxBytes, std::string* bytes, std::string* error)
{
    if (source == "-")
        return LocalFile::ReadStream(STDIN_FILENO, maxBytes, bytes, error);
    return LocalFile::ReadRegular(source, maxBytes, bytes, error);
}

bool WriteAll(const std::string& path, const std::string& bytes, LocalFile::Replace replace, LocalFile::Sync sync,
              std::string* error)
{
    if (path == "-") {
        Cli::Out(bytes);
        const std::string failure = Cli::TakeOutputFailure();
        if (!failure.empty())
            *error = Cli::StandardOutputFailed + failure;
        return failure.empty();
    }
    return LocalFile::Write(path, bytes, replace, sync, error);
}

}  // namespace CliText
