// A text file's bytes as the text box takes them, on the codec.
#include "FuzzFile.h"
#include "TextBytes.h"

#include <algorithm>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string content(reinterpret_cast<const char*>(data), size);
    const std::string text = TextBytes::Read(content);
    // Every byte but the line ends survives, and the text ends with a line break.
    FUZZ_CHECK(content.empty() || (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0));
    auto withoutBreaks = [](std::string s) {
        std::string out;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '\r') {
                if (i + 1 < s.size() && s[i + 1] == '\n')
                    ++i;
                continue;
            }
            out += s[i];
        }
        return out;
    };
    FUZZ_CHECK(withoutBreaks(text) == withoutBreaks(content));
    // The lines written again are the lines read.
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    FUZZ_CHECK(TextBytes::Write(lines) == text);
    return 0;
}
