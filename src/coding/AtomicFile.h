// Writing a file so that an existing one is replaced only by a complete new one.
#pragma once

#include <QIODevice>
#include <QString>

#include <functional>

namespace AtomicFile {

// Writes to a temporary file beside path with write(); on success the temporary file takes
// the name, otherwise it is removed, the old file stays as it was, and error says why.
bool Write(const QString& path, const std::function<bool(QIODevice&)>& write, QString* error = nullptr);

}  // namespace AtomicFile
