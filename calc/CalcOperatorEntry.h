#pragma once

#include <cstdint>

class CalcParserItemI;

// One entry of the compiler's operator stack.
struct CalcOperatorEntry {
    enum class Kind { bracket, op, function };

    static constexpr std::int32_t bracketPrecedence = -1;
    static constexpr std::int32_t callPrecedence = 10000;

    std::int32_t precedence = bracketPrecedence;
    std::int32_t position = 0;
    // 1 or 2 for an operator; for a call, the arguments counted so far.
    std::int32_t argCount = 0;
    // An argument of this call has been started since its "(" or last separator.
    bool argPending = false;
    Kind kind = Kind::bracket;
    CalcParserItemI* item = nullptr;
};
