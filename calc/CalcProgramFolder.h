#pragma once

#include "CalcInstruction.h"

#include <cstddef>
#include <vector>

// Wires every record's result to the argument slot of its consumer and
// computes, once, every record whose item is constant and whose arguments are
// all known.
class CalcProgramFolder {
public:
    // False when the records do not form one postfix expression: an argument
    // without a producer, or a result that nothing consumes.
    bool fold(std::vector<CalcInstruction>& program);

private:
    std::vector<std::size_t> producers_;
};
