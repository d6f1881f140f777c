#pragma once

#include <string>
#include <vector>

// The localized description of an operator: its identifier (the item's `id`),
// its symbol, what it does, and its operand names, one for a prefix operator
// and two for a binary one.
struct CalcOperatorInfo {
    std::string id;
    std::string symbol;
    std::string description;
    std::vector<std::string> argNames;

    // "-x" for a prefix operator, "x+y" for a binary one: no blanks.
    std::string helpText() const;
};
