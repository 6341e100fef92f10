// Text files' bytes: lines of Windows-1252 bytes, each followed by CR LF.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace TextBytes {

// Largest file the program reads into the text box; anything larger is refused.
constexpr std::size_t MaxReadBytes = 2 * 1024 * 1024;

// Every line followed by CR LF.
std::string Write(const std::vector<std::string>& lines);

// A file's bytes as the text box takes them: a line ends at CR or CR LF (an LF alone stays in
// its line) and every line read is followed by CR LF.
std::string Read(const std::string& content);

}  // namespace TextBytes
