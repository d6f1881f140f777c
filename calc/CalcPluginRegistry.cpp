#include "CalcPluginRegistry.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// 8-4-4-4-12 hexadecimal digits between braces.
constexpr const char* classIdShape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool isAbsolute(const std::string& folder)
{
    return !folder.empty() && folder[0] == '/';
}

// A relative $HOME would follow the current folder, so the account's own
// home stands in for it.
std::string homeFolder()
{
    const std::string home = environment("HOME");
    if (isAbsolute(home))
        return home;
    const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
    passwd entry{};
    passwd* account = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &account) != 0 || !account
        || !account->pw_dir || !isAbsolute(account->pw_dir))
        return {};
    return account->pw_dir;
}

std::string trimmed(const std::string& text)
{
    const char* blanks = " \t\r";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

std::string CalcPluginRegistry::path()
{
    const std::string chosen = environment(pathVariable);
    if (!chosen.empty()) {
        std::error_code error;
        const fs::path absolute = fs::absolute(chosen, error);
        return error ? std::string() : absolute.string();
    }
    const std::string config = environment("XDG_CONFIG_HOME");
    if (isAbsolute(config))
        return config + "/kurvo/calc-plugins";
    const std::string home = homeFolder();
    return home.empty() ? std::string() : home + "/.config/kurvo/calc-plugins";
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

std::string CalcPluginRegistry::libraryFor(const std::string& registry, const std::string& text,
                                           const std::string& classId)
{
    const std::string wanted = canonicalClassId(classId);
    if (wanted.empty())
        return {};
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string entry = trimmed(line);
        if (entry.empty() || entry[0] == '#')
            continue;
        const std::size_t blank = entry.find_first_of(" \t");
        if (blank == std::string::npos || canonicalClassId(entry.substr(0, blank)) != wanted)
            continue;
        return (fs::path(registry).parent_path() / trimmed(entry.substr(blank))).string();
    }
    return {};
}
