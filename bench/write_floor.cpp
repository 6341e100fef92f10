// The floor for one call of huecipher-cli encode: a plain program that reads the text and
// writes a file of a picture's size with the same safety (temporary name, fsync, rename).
#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    std::vector<char> picture(54 + 200 * 120 * 3, 'p');
    const int in = ::open(argv[1], O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return 1;
    const ssize_t n = ::read(in, picture.data() + 54, picture.size() - 54);
    ::close(in);
    if (n < 0)
        return 1;
    std::string temporary = std::string(argv[2]) + ".XXXXXX";
    const int out = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (out < 0)
        return 1;
    const bool ok = ::write(out, picture.data(), picture.size()) == ssize_t(picture.size()) && ::fsync(out) == 0
        && ::close(out) == 0 && std::rename(temporary.c_str(), argv[2]) == 0;
    return ok ? 0 : 1;
}
