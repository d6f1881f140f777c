#include "CalcPluginRegistry.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// 8-4-4-4-12 hexadecimal digits between braces.
constexpr const char* classIdShape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string trimmed(const std::string& text)
{
    const char* blanks = " \t\r";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool readable(const std::string& registry)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(registry, error);
    return !error && size <= CalcPluginRegistry::maxFileBytes;
}

} // namespace

std::string CalcPluginRegistry::path()
{
    const std::string chosen = environment(pathVariable);
    if (!chosen.empty())
        return chosen;
    const std::string config = environment("XDG_CONFIG_HOME");
    if (!config.empty())
        return config + "/kurvo/calc-plugins";
    return environment("HOME") + "/.config/kurvo/calc-plugins";
}

std::string CalcPluginRegistry::canonicalClassId(const std::string& text)
{
    const std::string shape = classIdShape;
    if (text.size() != shape.size())
        return {};
    std::string canonical = text;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (shape[i] == 'X' ? !std::isxdigit(c) : c != static_cast<unsigned char>(shape[i]))
            return {};
        canonical[i] = static_cast<char>(std::toupper(c));
    }
    return canonical;
}

CalcPluginRegistry::Lookup CalcPluginRegistry::find(const std::string& registry, const std::string& classId,
                                                    std::string& library)
{
    if (!readable(registry))
        return Lookup::unreadable;
    std::ifstream in(registry);
    if (!in)
        return Lookup::unreadable;
    const std::string wanted = canonicalClassId(classId);
    if (wanted.empty())
        return Lookup::notRegistered;
    std::string line;
    while (std::getline(in, line)) {
        const std::string entry = trimmed(line);
        if (entry.empty() || entry[0] == '#')
            continue;
        const std::size_t blank = entry.find_first_of(" \t");
        if (blank == std::string::npos || canonicalClassId(entry.substr(0, blank)) != wanted)
            continue;
        const fs::path file = trimmed(entry.substr(blank));
        // Absolute, so that the loader never searches its own folders instead.
        std::error_code error;
        library = fs::absolute(fs::path(registry).parent_path() / file, error).string();
        return Lookup::found;
    }
    return Lookup::notRegistered;
}
