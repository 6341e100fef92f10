// A command's arguments as the system hands them over: bytes, never decoded, so that every
// file name reaches open() as it was typed.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace Cli {

struct Option {
    std::string name;     // the long name, "force" for --force
    char letter = 0;      // the short name, 'd' for -d, or 0
    bool takesValue = false;
};

class Arguments {
public:
    // Reads the arguments that follow the command's name: options (--name, --name=value,
    // --name value, -x value), "--" to end them, "-" as an argument. False with why for an
    // unknown option or a missing value.
    bool Parse(const std::vector<std::string>& arguments, const std::vector<Option>& options, std::string* why);

    bool Has(const std::string& name) const { return m_values.count(name) > 0; }
    std::string Value(const std::string& name, const std::string& fallback = std::string()) const;
    const std::vector<std::string>& Positional() const { return m_positional; }

private:
    std::map<std::string, std::string> m_values;
    std::vector<std::string> m_positional;
};

}  // namespace Cli
