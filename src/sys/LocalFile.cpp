#include "LocalFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <system_error>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace LocalFile {

const char* const ExistsAlready = "exists already";

std::string Reason(int error)
{
    if (error == ENOENT)
        return "no such file";
    if (error == ELOOP)
        return "a symbolic link that loops, or too many links";
    return std::strerror(error);
}

std::string Grouped(unsigned long long n)
{
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

namespace {

std::string TooLarge(unsigned long long size, std::size_t maxBytes, bool atLeast)
{
    return "too large: " + std::string(atLeast ? "more than " : "") + Grouped(size) + " bytes (at most "
        + Grouped(maxBytes) + ")";
}

// What a file that is not a regular one is, for the message that refuses it.
std::string NotRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        return "is a folder";
    if (S_ISFIFO(mode))
        return "is a FIFO, not a regular file";
    if (S_ISSOCK(mode))
        return "is a socket, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "is a device, not a regular file";
    return "is not a regular file";
}

// Reads fd to its end into bytes; false when it holds more than maxBytes or a read fails.
bool ReadBounded(int fd, std::size_t maxBytes, std::string* bytes, std::string* error)
{
    bytes->clear();
    char block[16 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = Reason(errno);
            return false;
        }
        if (n == 0)
            return true;
        if (bytes->size() + static_cast<std::size_t>(n) > maxBytes) {
            *error = TooLarge(bytes->size() + static_cast<std::size_t>(n), maxBytes, true);
            bytes->clear();
            return false;
        }
        bytes->append(block, static_cast<std::size_t>(n));
    }
}

bool Fail(std::string* error, const std::string& why)
{
    if (error)
        *error = why;
    return false;
}

// The folder a path names its file in.
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A temporary file beside path, open for writing, that the destructor removes unless kept.
class Temporary {
public:
    explicit Temporary(const std::string& path)
    {
        // A short name, so that a name of full length still gets its turn.
        std::string pattern = FolderOf(path) + "/.huecipher-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        m_fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (m_fd >= 0)
            m_name = name.data();
        else
            m_error = errno;
    }
    ~Temporary()
    {
        Close();
        if (!m_kept && !m_name.empty())
            ::unlink(m_name.c_str());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    int Fd() const { return m_fd; }
    int OpenError() const { return m_error; }
    const std::string& Name() const { return m_name; }
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }
    void Keep() { m_kept = true; }

private:
    int m_fd = -1;
    int m_error = 0;
    bool m_kept = false;
    std::string m_name;
};

// Gives the temporary file the mode its target should have: the mode of the file it
// replaces, or for a new file the mode the user's umask gives.
bool GiveTargetMode(int fd, const std::string& path)
{
    struct stat existing {};
    mode_t mode;
    if (::stat(path.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    return ::fchmod(fd, mode) == 0;
}

bool WriteWhole(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Why a file could not take path as its name: a folder is never replaced, a file only when asked.
std::string NameTaken(const std::string& path, int error)
{
    if ((error == EEXIST || error == EISDIR) && IsFolder(path))
        return "is a folder";
    return error == EEXIST ? std::string(ExistsAlready) : Reason(error);
}

// Gives the complete temporary file its name in one step. Without replacing, the step itself
// fails when the name exists, so that of two writers at once only one succeeds.
bool PutInPlace(Temporary& file, const std::string& path, Replace replace, std::string* error)
{
    if (replace == Replace::Allowed) {
        if (std::rename(file.Name().c_str(), path.c_str()) != 0)
            return Fail(error, NameTaken(path, errno));
    } else {
        int result = ::renameat2(AT_FDCWD, file.Name().c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
        if (result != 0 && (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)) {
            // A file system without the flag: a hard link fails the same way when the name exists.
            result = ::link(file.Name().c_str(), path.c_str());
            if (result == 0)
                ::unlink(file.Name().c_str());
        }
        if (result != 0)
            return Fail(error, NameTaken(path, errno));
    }
    file.Keep();
    return true;
}

// A writer's failure in the user's words: the writer's own name left out.
std::string WriterReason(const std::exception& e)
{
    const std::string what = e.what();
    const std::size_t colon = what.find(": ");
    return colon != std::string::npos && what.compare(0, 3, "cls") == 0 ? what.substr(colon + 2) : what;
}

}  // namespace

bool ReadRegular(const std::string& path, std::size_t maxBytes, std::string* bytes, std::string* error)
{
    // Non-blocking, so that opening a FIFO without a writer returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return Fail(error, Reason(errno));
    struct stat info {};
    bool ok = false;
    if (::fstat(fd, &info) != 0)
        *error = Reason(errno);
    else if (!S_ISREG(info.st_mode))
        *error = NotRegular(info.st_mode);
    else if (static_cast<unsigned long long>(info.st_size) > maxBytes)
        *error = TooLarge(static_cast<unsigned long long>(info.st_size), maxBytes, false);
    else {
        bytes->reserve(static_cast<std::size_t>(info.st_size));
        ok = ReadBounded(fd, maxBytes, bytes, error);
    }
    ::close(fd);
    return ok;
}

bool ReadStream(int fd, std::size_t maxBytes, std::string* bytes, std::string* error)
{
    return ReadBounded(fd, maxBytes, bytes, error);
}

namespace {

// A new file written without a name (O_TMPFILE) and given one by a link that fails when the
// name exists: one step in the folder, and nothing left behind on failure. False with
// *unsupported set when the file system cannot make such a file.
bool WriteUnnamed(const std::string& path, const std::string& bytes, Sync sync, std::string* error, bool* unsupported)
{
    *unsupported = false;
    // The mode given is 0666 less the umask, as for any new file.
    const int fd = ::open(FolderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        *unsupported = errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
        return *unsupported ? false : Fail(error, Reason(errno));
    }
    if (!WriteWhole(fd, bytes) || (sync == Sync::EachFile && ::fsync(fd) != 0)) {
        const int why = errno;
        ::close(fd);
        return Fail(error, Reason(why));
    }
    int result = ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH);
    if (result != 0 && errno != EEXIST) {
        // Linking a descriptor needs a privilege; its name under /proc does not.
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        result = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
        *unsupported = result != 0 && errno == ENOENT && ::access("/proc/self/fd", F_OK) != 0;
    }
    const int why = errno;
    if (::close(fd) != 0 && result == 0) {
        const int closeError = errno;
        ::unlink(path.c_str());
        return Fail(error, Reason(closeError));
    }
    if (result != 0)
        return *unsupported ? false : Fail(error, NameTaken(path, why));
    return true;
}

}  // namespace

bool Write(const std::string& path, const std::string& bytes, Replace replace, Sync sync, std::string* error)
{
    if (replace == Replace::Never) {
        bool unsupported = false;
        const bool ok = WriteUnnamed(path, bytes, sync, error, &unsupported);
        if (ok || !unsupported)
            return ok;
    }
    Temporary file(path);
    if (file.Fd() < 0)
        return Fail(error, Reason(file.OpenError()));
    if (!WriteWhole(file.Fd(), bytes) || (sync == Sync::EachFile && ::fsync(file.Fd()) != 0)
        || !GiveTargetMode(file.Fd(), path) || !file.Close())
        return Fail(error, Reason(errno));
    return PutInPlace(file, path, replace, error);
}

bool WriteByName(const std::string& path, const std::function<void(const std::string& temporaryPath)>& write,
                 Replace replace, std::string* error)
{
    Temporary file(path);
    if (file.Fd() < 0)
        return Fail(error, Reason(file.OpenError()));
    if (!GiveTargetMode(file.Fd(), path) || !file.Close())
        return Fail(error, Reason(errno));
    try {
        write(file.Name());
    } catch (const std::system_error& e) {
        return Fail(error, Reason(e.code().value()));
    } catch (const std::exception& e) {
        return Fail(error, WriterReason(e));
    }
    const int fd = ::open(file.Name().c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        const int why = errno;
        if (fd >= 0)
            ::close(fd);
        return Fail(error, Reason(why));
    }
    ::close(fd);
    return PutInPlace(file, path, replace, error);
}

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::syncfs(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace LocalFile
