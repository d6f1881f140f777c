#pragma once

#include "CalcFunctionI.h"
#include "CalcMacroPrototype.h"

#include <cstdint>
#include <memory>
#include <string>

class CalcParser;

// A function written as an expression: prototype "sq(x)", body "x*x". The
// body is compiled once in a private engine that copies the defining engine's
// operators, functions and constants but none of its variables: it sees only
// its own arguments, bound to the doubles a call fills in.
class CalcMacroFct final : public CalcFunctionI {
public:
    CalcMacroFct(std::string prototype, std::string body, std::string description);
    ~CalcMacroFct() override;
    CalcMacroFct(const CalcMacroFct&) = delete;
    CalcMacroFct& operator=(const CalcMacroFct&) = delete;

    const std::string& prototype() const { return prototype_; }
    const std::string& body() const { return body_; }
    bool isCompiled() const { return compiled_; }

    // Compiles the body against what the compiler and registry define now,
    // replacing any earlier compiled form. Prototype, body and definition
    // errors propagate unchanged.
    void compile(const CalcCompilerI& compiler, const CalcRegistrarI& registrar);

    const char* symbol() const override { return parts_.name().c_str(); }
    const char* helpText() const override { return helpText_.c_str(); }
    const char* description() const override { return description_.c_str(); }
    // Copies the arguments into the doubles the body reads, then runs the body.
    double evaluate(std::int32_t argCount, const double* args) override;
    std::int32_t argCount() const override { return argCount_; }
    // A copy compiles here, against the engine that places its first call.
    void prepare(CalcCompilerI& compiler, CalcRegistrarI& registrar) override;
    // Not compiled: it sees the definitions of the engine that holds it.
    std::unique_ptr<CalcFunctionI> spawn() const override;

private:
    void compileBody(const CalcCompilerI& compiler, const CalcRegistrarI& registrar);

    std::unique_ptr<CalcParser> engine_;
    std::string description_;
    std::string helpText_;
    // The name and the argument names. Copies keep the ones they were made
    // with, so that the name and count the registry filed them under cannot
    // change when they compile.
    CalcMacroPrototype parts_;
    bool prototypeParsed_ = false;
    std::string body_;
    std::string prototype_;
    std::int32_t argCount_ = 0;
    std::unique_ptr<double[]> argValues_;
    bool compiled_ = false;
};
