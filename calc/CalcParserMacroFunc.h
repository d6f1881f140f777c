#pragma once

#include "CalcFunctionI.h"
#include "CalcMacroPrototype.h"

#include <cstdint>
#include <memory>
#include <string>

class CalcMacroBody;

// A function written as an expression: prototype "sq(x)", body "x*x". The
// body is compiled once against the operators, functions and constants of the
// engine that holds the macro, sharing that engine's registry, with none of
// its variables: it sees only its own arguments, bound to the doubles a call
// fills in.
class CalcMacroFct final : public CalcFunctionI {
public:
    // The most steps one evaluation of a macro may take: the records its
    // program runs and those of the macros it calls. A definition past it is
    // refused, so that macros calling each other cannot multiply their work
    // without bound.
    static constexpr std::uint64_t maxStepsPerEvaluation = 10000;

    CalcMacroFct(std::string prototype, std::string body, std::string description);
    ~CalcMacroFct() override;
    CalcMacroFct(const CalcMacroFct&) = delete;
    CalcMacroFct& operator=(const CalcMacroFct&) = delete;

    const std::string& prototype() const { return prototype_; }
    const std::string& body() const { return body_; }
    bool isCompiled() const { return compiledBody_ != nullptr; }
    // The steps one evaluation takes; 0 before the macro is compiled.
    std::uint64_t steps() const;

    // Compiles the body against what the registry defines now, replacing any
    // earlier compiled form. Prototype, body and definition errors propagate
    // unchanged; a body of more steps than allowed raises
    // "CALCDEFEXCEP_MacroTooCostly". The registry must outlive the macro.
    void compile(CalcRegistrarI& registrar);

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
    void compileBody(CalcRegistrarI& registrar);

    std::unique_ptr<CalcMacroBody> compiledBody_;
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
};
