#include "LayoutProgram.h"

#include "LocalFile.h"
#include "Command.h"
#include "OutOfMemory.h"
#include "Output.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <unistd.h>

namespace Cli {
namespace {

// The folder of this program's executable, always absolute; empty when the system does not say.
std::string OwnFolder()
{
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0 || path[0] != '/')
        return std::string();
    const std::string self(path, std::size_t(n));
    return self.substr(0, self.rfind('/'));
}

bool IsProgram(const std::string& path)
{
    return ::access(path.c_str(), X_OK) == 0;
}

// The layout program: beside this program in a build, in the private programs' folder of its
// installation, or in the folder the build was made to install it in. Never a relative folder:
// a program planted in the current folder must not run. Empty when there is none.
std::string FindLayoutProgram()
{
    const std::string name = HUECIPHER_LAYOUT_NAME;
    if (const std::string folder = OwnFolder(); !folder.empty()) {
        for (const std::string& candidate : {folder + "/" + name, folder + "/../libexec/huecipher/" + name})
            if (IsProgram(candidate))
                return candidate;
    }
    for (const char* folder : {HUECIPHER_LIBEXEC_FOLDERS}) {
        const std::string candidate = std::string(folder) + "/" + name;
        if (folder[0] == '/' && IsProgram(candidate))
            return candidate;
    }
    return std::string();
}

}  // namespace

int RunLayoutProgram(const std::string& command, const ArgumentList& arguments)
{
    // Too little address space for the toolkit's libraries: said here, before they fail to load.
    if (OutOfMemory::LimitBelow(OutOfMemory::LayoutMinimum)) {
        Err("huecipher-cli: not enough memory\n");
        return BadInput;
    }
    const std::string program = FindLayoutProgram();
    if (program.empty()) {
        Err("huecipher-cli: cannot find " HUECIPHER_LAYOUT_NAME "\n");
        return BadInput;
    }
    std::vector<std::string> all{HUECIPHER_LAYOUT_NAME, command};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::fflush(stdout);
    ::execv(program.c_str(), argv.data());
    return Fail(program, "cannot be started: " + LocalFile::Reason(errno));
}

}  // namespace Cli
