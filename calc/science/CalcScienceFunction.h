#pragma once

#include "CalcFunctionI.h"

#include <cstdint>
#include <memory>

// One function of the science library: its texts, its argument count and a plain C++
// function over the argument values. Every entry lives in a static table, so an item only
// points at it and a spawned copy costs nothing.
class CalcScienceFunction final : public CalcFunctionI {
public:
    struct Entry {
        const char* symbol;
        const char* helpText;
        const char* description;
        std::int32_t argCount;
        double (*code)(const double* args);
    };

    explicit CalcScienceFunction(const Entry& entry);

    const char* symbol() const override;
    const char* helpText() const override;
    const char* description() const override;
    std::int32_t argCount() const override;
    double evaluate(std::int32_t argCount, const double* args) override;
    std::unique_ptr<CalcFunctionI> spawn() const override;

private:
    const Entry& entry_;
};
