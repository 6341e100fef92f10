// Files by their names as bytes, with the system calls alone (no toolkit): bounded reading of
// regular files and streams, and writes that put a complete file in place in one step.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace LocalFile {

// The reason for a system error number, as the system words it.
std::string Reason(int error);

// Reads the regular file at path whole. Anything else (a folder, a FIFO, a device, a socket)
// is refused at once without blocking, and so is a file of more than maxBytes. False with
// the reason in error.
bool ReadRegular(const std::string& path, std::size_t maxBytes, std::string* bytes, std::string* error);

// Reads an open stream (standard input) to its end, refusing it as soon as it holds more
// than maxBytes.
bool ReadStream(int fd, std::size_t maxBytes, std::string* bytes, std::string* error);

// Whether a write may take the place of a file that exists.
enum class Replace { Never, Allowed };
// Each file is flushed to the disk before it takes its name (EachFile); a batch that flushes
// its folder once at the end may leave that to it (Later).
enum class Sync { EachFile, Later };

// The reason a write with Replace::Never gives when the name exists.
extern const char* const ExistsAlready;

// Writes bytes to a temporary file beside path and then gives it the name. On failure the
// temporary file is removed, an old file stays as it was, and error says why. With
// Replace::Never the naming fails (ExistsAlready) when the name exists, even when another
// program creates it meanwhile. Only a regular file is ever replaced: a folder, FIFO, socket,
// device, a symbolic link to one of those or to nothing, and the names of open streams
// (/dev/stdout, /dev/fd/N) are refused with or without Replace::Allowed. A symbolic link to a
// regular file stays: the file it names is replaced, written beside that file. The new file
// has the mode of the file it replaces, or 0666 less the umask.
bool Write(const std::string& path, const std::string& bytes, Replace replace, Sync sync, std::string* error);

// The same for a writer that opens the file by its name (the PDF writer): write() gets the
// temporary file's path and reports failures by throwing a std::exception.
bool WriteByName(const std::string& path, const std::function<void(const std::string& temporaryPath)>& write,
                 Replace replace, std::string* error);

// Runs a writer that needs a file by name on a temporary file in TMPDIR (or /tmp) and reads
// back what it wrote, at most maxBytes; the temporary file is removed.
bool WriteToMemory(const std::function<void(const std::string& temporaryPath)>& write, std::size_t maxBytes,
                   std::string* bytes, std::string* error);

// True when anything stands at path: a file, a folder, a link (even to nothing) ...
bool Taken(const std::string& path);

// From now on SIGINT, SIGTERM and SIGHUP (unless ignored) remove the temporary files of the
// writes under way before they end the program as they would have.
void RemoveTemporariesOnSignals();

// True when path names a folder (or a link to one).
bool IsFolder(const std::string& path);

// Flushes everything written to the file system that holds folder. False when that fails.
bool SyncFolder(const std::string& folder);

// "1,234,567": a count with groups of three, for messages.
std::string Grouped(unsigned long long n);

}  // namespace LocalFile
