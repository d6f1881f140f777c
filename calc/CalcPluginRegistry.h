#pragma once

#include <cstdint>
#include <string>

// The plug-in registry: a text file that tells which shared library implements
// which plug-in class. One plug-in per line, its class identifier, blanks and
// the library's path, a relative path counting from the registry's folder;
// blank lines and lines beginning with "#" say nothing.
class CalcPluginRegistry {
public:
    // Names the registry file in place of the per-user one.
    static constexpr const char* pathVariable = "KURVO_CALC_PLUGIN_REGISTRY";
    // Larger files are refused unread: a registry holds a line per plug-in.
    static constexpr std::uintmax_t maxFileBytes = 1u << 20;

    enum class Lookup { found, notRegistered, unreadable };

    // $KURVO_CALC_PLUGIN_REGISTRY when set and not empty, else
    // $XDG_CONFIG_HOME/kurvo/calc-plugins, else ~/.config/kurvo/calc-plugins.
    static std::string path();
    // "{6f3a9c21-84d2-4b1e-9a57-2c0d8e41b7f3}" in upper case, braces included;
    // empty text for anything that is not a class identifier in braces.
    static std::string canonicalClassId(const std::string& text);
    // The library registered for the class identifier, read from the registry
    // file at the given path.
    static Lookup find(const std::string& registry, const std::string& classId, std::string& library);
};
