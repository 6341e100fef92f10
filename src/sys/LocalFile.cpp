#include "LocalFile.h"

#include <cerrno>
#include <cstdio>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <exception>
#include <new>
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

// What a thing that is not a regular file is: "a FIFO", "a folder" ...
std::string Kind(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    return std::string();
}

// What a file that is not a regular one is, for the message that refuses it.
std::string NotRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        return "is a folder";
    const std::string kind = Kind(mode);
    return kind.empty() ? "is not a regular file" : "is " + kind + ", not a regular file";
}

// Reads fd to its end into bytes; false when it holds more than maxBytes or a read fails.
// expected: the size the file says it has, so that it is read in one call (and one more that
// finds its end); a stream grows a block at a time.
bool ReadBounded(int fd, std::size_t maxBytes, std::string* bytes, std::string* error, std::size_t expected = 0)
{
    constexpr std::size_t Block = 16 * 1024;
    bytes->clear();
    std::size_t filled = 0;
    for (;;) {
        const std::size_t room = std::max(Block, expected + 1 > filled ? expected + 1 - filled : Block);
        bytes->resize(filled + room);
        const ssize_t n = ::read(fd, &(*bytes)[filled], room);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = Reason(errno);
            bytes->clear();
            return false;
        }
        filled += static_cast<std::size_t>(n);
        bytes->resize(filled);
        if (n == 0)
            return true;
        if (filled > maxBytes) {
            *error = TooLarge(filled, maxBytes, true);
            bytes->clear();
            return false;
        }
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

// Temporary files that SIGINT, SIGTERM or SIGHUP must not leave behind: their names in
// fixed slots that the signal handler reads without allocating.
constexpr int PendingSlots = 4;
char g_pending[PendingSlots][PATH_MAX];
volatile sig_atomic_t g_pendingUsed[PendingSlots];
const int CleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Removes the temporary files, then ends the program as the signal would have.
extern "C" void RemovePendingAndEnd(int signal)
{
    for (int i = 0; i < PendingSlots; ++i)
        if (g_pendingUsed[i])
            ::unlink(g_pending[i]);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    ::sigaction(signal, &standard, nullptr);
    ::raise(signal);  // delivered with its standard action once this handler returns
}

// Holds the cleaned signals back while the slots change, so the handler never sees half a name.
class SignalsHeld {
public:
    SignalsHeld()
    {
        sigset_t held;
        ::sigemptyset(&held);
        for (const int signal : CleanedSignals)
            ::sigaddset(&held, signal);
        ::sigprocmask(SIG_BLOCK, &held, &m_before);
    }
    ~SignalsHeld() { ::sigprocmask(SIG_SETMASK, &m_before, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t m_before;
};

// Puts name in a free slot; -1 when none is free or the name does not fit.
int Enlist(const char* name)
{
    const std::size_t length = std::strlen(name);
    for (int i = 0; i < PendingSlots; ++i) {
        if (!g_pendingUsed[i] && length < sizeof g_pending[i]) {
            std::memcpy(g_pending[i], name, length + 1);
            g_pendingUsed[i] = 1;
            return i;
        }
    }
    return -1;
}

// A temporary file in folder, open for writing, that the destructor removes unless kept. Until
// then a signal that ends the program removes it too.
class Temporary {
public:
    explicit Temporary(const std::string& folder)
    {
        // A short name, so that a name of full length still gets its turn.
        std::string pattern = folder + "/.huecipher-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        const SignalsHeld held;
        m_fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (m_fd >= 0) {
            m_name = name.data();
            m_slot = Enlist(name.data());
        } else {
            m_error = errno;
        }
    }
    ~Temporary()
    {
        Close();
        const SignalsHeld held;
        if (!m_kept && !m_name.empty())
            ::unlink(m_name.c_str());
        Release();
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
    // Gives the file its final name by rename (true) and stops removing it; false with errno.
    bool RenameTo(const std::function<int(const char* from)>& rename)
    {
        const SignalsHeld held;
        if (rename(m_name.c_str()) != 0)
            return false;
        m_kept = true;
        Release();
        return true;
    }

private:
    void Release()
    {
        if (m_slot >= 0)
            g_pendingUsed[m_slot] = 0;
        m_slot = -1;
    }

    int m_fd = -1;
    int m_error = 0;
    int m_slot = -1;
    bool m_kept = false;
    std::string m_name;
};

// Where a write to a name puts its file: the name itself for a new file, the regular file
// it names (through symbolic links) for one that is replaced.
struct Destination {
    std::string path;
    bool exists = false;
    mode_t mode = 0;
};

// True when path names an entry of a process's descriptor folder (/dev/stdout, /dev/fd/N,
// a process substitution): a stream that was opened for the program, not a file.
bool IsDescriptorName(const std::string& path)
{
    char* real = ::realpath(FolderOf(path).c_str(), nullptr);
    if (!real)
        return false;
    const std::string folder = real;
    std::free(real);
    if (folder.compare(0, 6, "/proc/") != 0 || folder.size() < 10 || folder.compare(folder.size() - 3, 3, "/fd") != 0)
        return false;
    // /proc/PID/fd or /proc/PID/task/TID/fd
    const std::string middle = folder.substr(6, folder.size() - 9);
    return middle.find_first_not_of("0123456789/task") == std::string::npos;
}

// Finds what stands at path. Only a regular file is ever replaced: a folder, FIFO, socket,
// device, a link to one of those or to nothing is refused, and so is a descriptor's name.
bool Resolve(const std::string& path, Destination* destination, std::string* error)
{
    std::string current = path;
    for (int hop = 0;; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno == ENOENT && hop > 0)
                return Fail(error, "is a symbolic link to nothing, not a regular file");
            if (errno != ENOENT)
                return Fail(error, Reason(errno));
            destination->path = path;
            destination->exists = false;
            return true;
        }
        if (S_ISREG(info.st_mode)) {
            destination->path = current;
            destination->exists = true;
            destination->mode = info.st_mode & 07777;
            return true;
        }
        if (!S_ISLNK(info.st_mode)) {
            if (hop == 0)
                return Fail(error, NotRegular(info.st_mode));
            const std::string kind = Kind(info.st_mode);
            return Fail(error, "is a symbolic link to " + (kind.empty() ? "something other than a file" : kind)
                                   + ", not a regular file");
        }
        // A descriptor's entry is always a link.
        if (IsDescriptorName(current))
            return Fail(error, "names an open stream, not a file (- writes to standard output)");
        if (hop == 40)
            return Fail(error, Reason(ELOOP));
        std::vector<char> target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1);
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size())
            return Fail(error, Reason(n < 0 ? errno : ENAMETOOLONG));
        const std::string next(target.data(), static_cast<std::size_t>(n));
        current = next[0] == '/' ? next : FolderOf(current) + "/" + next;
    }
}

// Gives the temporary file the mode its target should have: the mode of the regular file it
// replaces, or for a new file the mode the user's umask gives.
bool GiveTargetMode(int fd, const Destination& destination)
{
    mode_t mode = destination.mode;
    if (!destination.exists) {
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
// fails when the name exists, so that of two writers at once only one succeeds. Replacing, the
// name is looked at once more just before: what stands there now must still be a regular file.
bool PutInPlace(Temporary& file, const Destination& destination, Replace replace, std::string* error)
{
    const std::string& path = destination.path;
    if (replace == Replace::Allowed) {
        struct stat now {};
        if (::lstat(path.c_str(), &now) == 0 && !S_ISREG(now.st_mode))
            return Fail(error, S_ISLNK(now.st_mode) ? "is a symbolic link that appeared while writing"
                                                    : NotRegular(now.st_mode));
        if (!file.RenameTo([&](const char* from) { return std::rename(from, path.c_str()); }))
            return Fail(error, NameTaken(path, errno));
        return true;
    }
    const bool named = file.RenameTo([&](const char* from) {
        int result = ::renameat2(AT_FDCWD, from, AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
        if (result != 0 && (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)) {
            // A file system without the flag: a hard link fails the same way when the name exists.
            result = ::link(from, path.c_str());
            if (result == 0)
                ::unlink(from);
        }
        return result;
    });
    return named || Fail(error, NameTaken(path, errno));
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
    else
        ok = ReadBounded(fd, maxBytes, bytes, error, static_cast<std::size_t>(info.st_size));
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

namespace {

// Finds where a write to path goes; false (with the reason) when it must not be written.
bool Prepare(const std::string& path, Replace replace, Destination* destination, std::string* error)
{
    if (!Resolve(path, destination, error))
        return false;
    // A new file in a folder that is not there: said so, not "no such file".
    if (!destination->exists && !IsFolder(FolderOf(destination->path)))
        return Fail(error, "no such folder: " + FolderOf(destination->path));
    return !(destination->exists && replace == Replace::Never) || Fail(error, ExistsAlready);
}

// Runs a writer that opens its file by name on the temporary file; false with the reason.
bool RunWriter(const std::function<void(const std::string& temporaryPath)>& write, const std::string& name,
               std::string* error)
{
    try {
        write(name);
    } catch (const std::bad_alloc&) {
        return Fail(error, "not enough memory");
    } catch (const std::system_error& e) {
        return Fail(error, Reason(e.code().value()));
    } catch (const std::exception& e) {
        return Fail(error, WriterReason(e));
    }
    return true;
}

}  // namespace

bool Write(const std::string& path, const std::string& bytes, Replace replace, Sync sync, std::string* error)
{
    Destination destination;
    if (!Prepare(path, replace, &destination, error))
        return false;
    if (replace == Replace::Never) {
        bool unsupported = false;
        const bool ok = WriteUnnamed(destination.path, bytes, sync, error, &unsupported);
        if (ok || !unsupported)
            return ok;
    }
    Temporary file(FolderOf(destination.path));
    if (file.Fd() < 0)
        return Fail(error, Reason(file.OpenError()));
    if (!WriteWhole(file.Fd(), bytes) || (sync == Sync::EachFile && ::fsync(file.Fd()) != 0)
        || !GiveTargetMode(file.Fd(), destination) || !file.Close())
        return Fail(error, Reason(errno));
    return PutInPlace(file, destination, replace, error);
}

bool WriteByName(const std::string& path, const std::function<void(const std::string& temporaryPath)>& write,
                 Replace replace, std::string* error)
{
    Destination destination;
    if (!Prepare(path, replace, &destination, error))
        return false;
    Temporary file(FolderOf(destination.path));
    if (file.Fd() < 0)
        return Fail(error, Reason(file.OpenError()));
    if (!GiveTargetMode(file.Fd(), destination) || !file.Close())
        return Fail(error, Reason(errno));
    if (!RunWriter(write, file.Name(), error))
        return false;
    const int fd = ::open(file.Name().c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        const int why = errno;
        if (fd >= 0)
            ::close(fd);
        return Fail(error, Reason(why));
    }
    ::close(fd);
    return PutInPlace(file, destination, replace, error);
}

bool WriteToMemory(const std::function<void(const std::string& temporaryPath)>& write, std::size_t maxBytes,
                   std::string* bytes, std::string* error)
{
    const char* folder = std::getenv("TMPDIR");
    Temporary file(folder && *folder == '/' ? folder : "/tmp");
    if (file.Fd() < 0)
        return Fail(error, Reason(file.OpenError()));
    if (!file.Close())
        return Fail(error, Reason(errno));
    return RunWriter(write, file.Name(), error) && ReadRegular(file.Name(), maxBytes, bytes, error);
}

bool Taken(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

void RemoveTemporariesOnSignals()
{
    for (const int signal : CleanedSignals) {
        struct sigaction before {};
        ::sigaction(signal, nullptr, &before);
        if (before.sa_handler == SIG_IGN)
            continue;  // a signal the caller chose to ignore (nohup) stays ignored
        struct sigaction action {};
        action.sa_handler = RemovePendingAndEnd;
        ::sigemptyset(&action.sa_mask);
        for (const int other : CleanedSignals)
            ::sigaddset(&action.sa_mask, other);
        ::sigaction(signal, &action, nullptr);
    }
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
