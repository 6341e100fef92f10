#include "TextBytes.h"

namespace TextBytes {

std::string Write(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::string Read(const std::string& content)
{
    std::string text;
    text.reserve(content.size() + content.size() / 32 + 2);
    std::size_t start = 0;
    const std::size_t n = content.size();
    while (start < n) {
        std::size_t end = content.find('\r', start);
        if (end == std::string::npos)
            end = n;
        text.append(content, start, end - start);
        text += "\r\n";
        start = end + 1;
        if (end < n && start < n && content[start] == '\n')
            ++start;
    }
    return text;
}

}  // namespace TextBytes
