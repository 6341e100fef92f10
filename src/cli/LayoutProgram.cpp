#include "LayoutProgram.h"

#include "LocalFile.h"
#include "Output.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <unistd.h>

namespace Cli {
namespace {

// The folder of this program's executable.
std::string OwnFolder()
{
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    const std::string self(path, std::size_t(n));
    return self.substr(0, self.rfind('/'));
}

}  // namespace

int RunLayoutProgram(const std::string& command, const ArgumentList& arguments)
{
    // Beside this program in a build, in the private programs' folder when installed.
    const std::string folder = OwnFolder();
    const std::string name = HUECIPHER_LAYOUT_NAME;
    std::string program = folder + "/" + name;
    if (::access(program.c_str(), X_OK) != 0)
        program = folder + "/../libexec/huecipher/" + name;
    std::vector<std::string> all{name, command};
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
