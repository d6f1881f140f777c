#pragma once

#include "CalcItemTexts.h"
#include "CalcOperatorI.h"

#include <memory>

// Base of the stateless default operators; Derived supplies its texts as the
// static member texts and implements evaluate.
template <class Derived, int Precedence, bool Unary>
class CalcDefaultOperator : public CalcOperatorI {
public:
    const char* id() const override { return Derived::texts.id; }
    const char* symbol() const override { return Derived::texts.symbol; }
    const char* helpText() const override { return Derived::texts.helpText; }
    const char* description() const override { return Derived::texts.description; }
    std::int32_t precedence() const override { return Precedence; }
    bool isUnary() const override { return Unary; }
    std::unique_ptr<CalcOperatorI> spawn() const override { return std::make_unique<Derived>(); }
};
