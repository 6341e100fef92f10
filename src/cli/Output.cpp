#include "Output.h"

#include "LocalFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace Cli {

const char* const StandardOutputFailed = "standard output cannot be written: ";

namespace {

int g_outputError = 0;        // errno of the first failed write to standard output
bool g_outputClosed = false;   // standard output was closed when the program started
bool g_progressLine = false;   // standard error's last line is a progress line

}  // namespace

void GuardStandardStreams()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        // The lowest free descriptor is this one: /dev/null, opened so that writes fail.
        ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_RDONLY | O_CLOEXEC);
        if (fd == STDOUT_FILENO)
            g_outputClosed = true;
    }
}

void Out(const std::string& text)
{
    if (g_outputError != 0 || text.empty())
        return;
    if (g_outputClosed) {
        g_outputError = EBADF;
        return;
    }
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        g_outputError = errno ? errno : EIO;
}

std::string TakeOutputFailure()
{
    static bool told = false;
    if (g_outputError == 0 && std::fflush(stdout) != 0)
        g_outputError = errno ? errno : EIO;
    if (g_outputError == 0 || told)
        return std::string();
    told = true;
    return LocalFile::Reason(g_outputError);
}

void Err(const std::string& text)
{
    if (g_progressLine) {
        std::fputs("\r\x1b[K", stderr);
        g_progressLine = false;
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
}

void SetProgressLine(bool shown)
{
    g_progressLine = shown;
}

std::string Shown(const std::string& name)
{
    std::string shown;
    shown.reserve(name.size());
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\')
            shown += "\\\\";  // so that a name with "\n" in it differs from one with a line break
        else if (c == '\n')
            shown += "\\n";
        else if (c == '\t')
            shown += "\\t";
        else if (c == '\r')
            shown += "\\r";
        else if (b < 0x20 || b == 0x7F) {
            const char* hex = "0123456789ABCDEF";
            shown += "\\x";
            shown += hex[b >> 4];
            shown += hex[b & 15];
        } else {
            shown += c;
        }
    }
    return shown;
}

int Fail(const std::string& file, const std::string& reason)
{
    Err("huecipher-cli: " + Shown(file) + ": " + reason + "\n");
    return 1;
}

}  // namespace Cli
