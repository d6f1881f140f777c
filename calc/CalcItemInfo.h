#pragma once

#include <string>

// The localized description of a constant or a variable.
struct CalcItemInfo {
    std::string name;
    std::string description;
};
