// Writing a file of the window so that an existing one is replaced only by a complete new one.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <string>

namespace AtomicFile {

// Writes bytes to a temporary file beside path, flushes it to the disk and gives it the name;
// on failure the temporary file is removed, the old file stays as it was, and error says why.
bool Write(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The same for a writer that opens the file by its name (the PDF writer): write() gets the
// temporary file's path and reports failures by throwing a std::exception.
bool WriteByName(const QString& path, const std::function<void(const std::string& temporaryPath)>& write,
                 QString* error = nullptr);

}  // namespace AtomicFile
