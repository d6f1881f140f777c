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

    // Always absolute, so that the current folder never chooses the code that
    // is loaded: $KURVO_CALC_PLUGIN_REGISTRY when set and not empty, taken from
    // the current folder if relative; else $XDG_CONFIG_HOME/kurvo/calc-plugins
    // where that folder is absolute (the XDG rule ignores a relative one); else
    // .config/kurvo/calc-plugins in the home folder, which is $HOME if absolute
    // and otherwise the user account's. Empty text when there is no home folder.
    static std::string path();
    // "{6f3a9c21-84d2-4b1e-9a57-2c0d8e41b7f3}" in upper case, braces included;
    // empty text for anything that is not a class identifier in braces.
    static std::string canonicalClassId(const std::string& text);
    // The absolute path of the library that the registry's text, read from
    // the file at the given absolute path, names for the class identifier;
    // empty text when it names none.
    static std::string libraryFor(const std::string& registry, const std::string& text, const std::string& classId);
};
