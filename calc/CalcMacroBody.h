#pragma once

#include "CalcParserCompiler.h"
#include "CalcParserRegistrar.h"
#include "CalcProgramView.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The compiled body of a macro. Its arguments are its only variables; every
// other name is looked up in the registry of the engine it compiles in, which
// the body shares instead of copying: a macro costs little more than its own
// program, however many definitions the engine holds.
class CalcMacroBody {
public:
    // Compiles the body against what the registry defines now; compile errors
    // propagate. The registry must outlive the body, and so must every item the
    // program calls (the registry keeps the items it removes).
    CalcMacroBody(CalcRegistrarI& registrar, const std::vector<std::string>& argNames, const std::string& body);
    CalcMacroBody(const CalcMacroBody&) = delete;
    CalcMacroBody& operator=(const CalcMacroBody&) = delete;

    // Copies the arguments into the doubles the body reads, then runs it.
    double evaluate(std::int32_t argCount, const double* args);
    // The records one evaluation runs, those of the macros it calls included.
    std::uint64_t steps() const { return steps_; }

private:
    std::uint64_t countSteps() const;

    CalcParserRegistrar arguments_;
    CalcParserCompiler compiler_;
    std::int32_t argCount_;
    std::unique_ptr<double[]> values_;
    CalcProgramView view_;
    std::uint64_t steps_ = 0;
};
