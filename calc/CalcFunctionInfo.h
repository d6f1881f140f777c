#pragma once

#include "CalcSyntax.h"

#include <string>
#include <vector>

// The localized description of a function: its identifier (the item's `id`),
// its symbol, what it does, and the names and meanings of its arguments.
struct CalcFunctionInfo {
    std::string id;
    std::string symbol;
    std::string description;
    std::vector<std::string> argNames;
    std::vector<std::string> argDescriptions;

    // "min(x, y)" with the engine's argument separator and one blank.
    std::string helpText(CalcSyntax syntax) const;
};
