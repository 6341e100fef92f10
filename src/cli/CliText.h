// Texts as the command line reads and writes them: files or standard streams, UTF-8 or the
// program's own Windows-1252, turned into the text the text box would hold.
#pragma once

#include "AtomicFile.h"

#include <QByteArray>
#include <QString>

namespace CliText {

enum class Encoding { Utf8, Cp1252 };

// Reads a whole file ("-" for standard input). False with a reason when it cannot.
bool ReadAll(const QString& source, QByteArray* bytes, QString* error);

// The text as the text box would hold it: every kind of line break as CR LF, and every
// character outside Windows-1252 (one for a character outside the basic plane) as "?".
// replaced receives how many characters became "?".
QByteArray ToBoxText(const QByteArray& input, Encoding encoding, int* replaced);

// Text of the box (Windows-1252 bytes) in the output encoding.
QByteArray FromBoxText(const QByteArray& text, Encoding encoding);

// Writes bytes to path ("-" for standard output); a file replaces an old one only when
// complete. False with a reason when it cannot.
bool WriteAll(const QString& path, const QByteArray& bytes, QString* error,
              AtomicFile::Sync sync = AtomicFile::Sync::EachFile);

}  // namespace CliText
