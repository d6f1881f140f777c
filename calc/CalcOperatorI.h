#pragma once

#include "CalcParserItemI.h"

#include <memory>

// A prefix operator with one operand or a binary infix operator.
class CalcOperatorI : public CalcParserItemI {
public:
    // A higher number binds tighter; the registry accepts 0 to 9999.
    virtual std::int32_t precedence() const = 0;
    virtual bool isUnary() const = 0;
    virtual std::unique_ptr<CalcOperatorI> spawn() const = 0;
};
