#include "Arguments.h"

namespace Cli {

std::string Arguments::Value(const std::string& name, const std::string& fallback) const
{
    const auto found = m_values.find(name);
    return found == m_values.end() ? fallback : found->second;
}

bool Arguments::Parse(const std::vector<std::string>& arguments, const std::vector<Option>& options,
                      std::string* why)
{
    auto byName = [&](const std::string& name) -> const Option* {
        for (const Option& o : options)
            if (o.name == name)
                return &o;
        return nullptr;
    };
    auto byLetter = [&](char letter) -> const Option* {
        for (const Option& o : options)
            if (o.letter != 0 && o.letter == letter)
                return &o;
        return nullptr;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (optionsEnded || a == "-" || a.empty() || a[0] != '-') {
            m_positional.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        const Option* option = nullptr;
        std::string value;
        bool inlineValue = false;
        if (a.compare(0, 2, "--") == 0) {
            const std::size_t equals = a.find('=');
            option = byName(a.substr(2, equals == std::string::npos ? std::string::npos : equals - 2));
            if (equals != std::string::npos) {
                value = a.substr(equals + 1);
                inlineValue = true;
            }
        } else if (a.size() >= 2) {
            option = byLetter(a[1]);
            if (a.size() > 2) {
                value = a.substr(2);
                inlineValue = true;
            }
        }
        if (!option) {
            *why = "unknown option \"" + a + "\"";
            return false;
        }
        if (option->takesValue && !inlineValue) {
            if (i + 1 >= arguments.size()) {
                *why = "missing value after \"" + a + "\"";
                return false;
            }
            value = arguments[++i];
        } else if (!option->takesValue && inlineValue) {
            *why = "\"" + a + "\" takes no value";
            return false;
        }
        m_values[option->name] = value;
    }
    return true;
}

}  // namespace Cli
