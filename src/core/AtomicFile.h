// Writing a file so that an existing one is replaced only by a complete new one.
#pragma once

#include <QFileDevice>
#include <QIODevice>
#include <QString>

#include <functional>
#include <string>

namespace AtomicFile {

// Writes to a temporary file beside path with write(); on success the temporary file takes
// the name, otherwise it is removed, the old file stays as it was, and error says why.
// Each file is flushed to the disk before it takes the name (Sync::EachFile); a batch that
// syncs its folder once at the end may leave that to it (Sync::Later).
enum class Sync { EachFile, Later };
bool Write(const QString& path, const std::function<bool(QIODevice&)>& write, QString* error = nullptr,
           Sync sync = Sync::EachFile);

// The same for a writer that opens the file by its name (the PDF writer): write() gets the
// temporary file's path and reports failures by throwing a std::exception.
bool WriteByName(const QString& path, const std::function<void(const std::string& temporaryPath)>& write,
                 QString* error = nullptr);

// Flushes everything written to the file system that holds folder. False when that fails.
bool SyncFolder(const QString& folder);

// Gives the open temporary file the mode its target should have: the mode of the file it
// replaces, or for a new file the mode the user's umask gives. False when that fails.
bool GiveTargetMode(QFileDevice& file, const QString& path);

}  // namespace AtomicFile
