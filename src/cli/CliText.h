// Texts and files as the command line reads and writes them: files or standard streams, bounded.
#pragma once

#include "Cp1252.h"
#include "LocalFile.h"

#include <cstddef>
#include <string>

namespace CliText {

using Cp1252::Encoding;

// The most bytes of a text that is read: the window's limit, in the bytes that encoding needs
// for it (up to four a character in UTF-8).
std::size_t MaxTextBytes(Encoding encoding);

// Reads a whole regular file, or standard input for "-", of at most maxBytes. False with a
// reason when it cannot; anything but a regular file (a FIFO, a device) is refused at once.
bool ReadAll(const std::string& source, std::size_t maxBytes, std::string* bytes, std::string* error);

// Writes bytes to path ("-" for standard output). A file is put in place only when complete,
// and replaces an old one only with Replace::Allowed. False with a reason when it cannot.
bool WriteAll(const std::string& path, const std::string& bytes, LocalFile::Replace replace, LocalFile::Sync sync,
              std::string* error);

}  // namespace CliText
