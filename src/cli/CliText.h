// Texts as the command line reads and writes them: files or standard streams, UTF-8 or the
// program's own Windows-1252, turned into the text the text box would hold.
#pragma once

#include "LocalFile.h"

#include <QByteArray>

#include <cstddef>
#include <string>

namespace CliText {

enum class Encoding { Utf8, Cp1252 };

// The most bytes of a text that is read: the window's limit, in the bytes that encoding needs
// for it (up to four a character in UTF-8).
std::size_t MaxTextBytes(Encoding encoding);

// Reads a whole regular file, or standard input for "-", of at most maxBytes. False with a
// reason when it cannot; anything but a regular file (a FIFO, a device) is refused at once.
bool ReadAll(const std::string& source, std::size_t maxBytes, std::string* bytes, std::string* error);

// The text as the text box would hold it: every kind of line break as CR LF, and every
// character outside Windows-1252 (one for a character outside the basic plane) as "?".
// replaced receives how many characters became "?".
QByteArray ToBoxText(const QByteArray& input, Encoding encoding, int* replaced);

// Text of the box (Windows-1252 bytes) in the output encoding.
QByteArray FromBoxText(const QByteArray& text, Encoding encoding);

// Writes bytes to path ("-" for standard output). A file is put in place only when complete,
// and replaces an old one only with Replace::Allowed. False with a reason when it cannot.
bool WriteAll(const std::string& path, const std::string& bytes, LocalFile::Replace replace, LocalFile::Sync sync,
              std::string* error);

}  // namespace CliText
