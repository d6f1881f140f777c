#pragma once

#include <string>

// A localized message template for one error identifier, with the same
// "%itemName" placeholders as the built-in English one.
struct CalcMessageInfo {
    std::string identifier;
    std::string text;
};
