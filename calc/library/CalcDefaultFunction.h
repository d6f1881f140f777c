#pragma once

#include "CalcFunctionI.h"
#include "CalcItemTexts.h"

#include <memory>

// Base of the stateless default functions; Derived supplies its texts as the
// static member texts and implements evaluate.
template <class Derived, int ArgCount>
class CalcDefaultFunction : public CalcFunctionI {
public:
    const char* id() const override { return Derived::texts.id; }
    const char* symbol() const override { return Derived::texts.symbol; }
    const char* helpText() const override { return Derived::texts.helpText; }
    const char* description() const override { return Derived::texts.description; }
    std::int32_t argCount() const override { return ArgCount; }
    std::unique_ptr<CalcFunctionI> spawn() const override { return std::make_unique<Derived>(); }
};
