#pragma once

#include <string>

// What a library info file says about the library it describes.
struct CalcLibraryInfo {
    // The type of a library whose items come from a plug-in.
    static constexpr const char* pluginType = "plugin";

    std::string name;
    std::string version;
    // "plugin", or any other text for a library that needs no loading.
    std::string type;
    // For a plug-in, the class identifier the plug-in registry knows it by.
    std::string classId;
    std::string description;
    std::string vendor;
};
