#include "CalcMacroBody.h"

#include "CalcError.h"
#include "CalcParserMacroFunc.h"
#include "MemVariableEvaluator.h"

#include <algorithm>
#include <string_view>

namespace {

[[noreturn]] void raiseName(std::int32_t line, const char* identifier, const std::string& name,
                            std::string_view conflict)
{
    CalcError::raise(line, "CalcParserMacroFunc",
                     CalcExcepData(identifier, {{"itemName", name}, {"conflictItemName", std::string(conflict)}}));
}

// The prototype's names passed the rules of a default engine; a constant or an
// operator the engine added since would still hide an argument from the body.
void checkAgainstDefinitions(const CalcRegistrarI& registrar, const std::string& name)
{
    std::uint32_t position = 0;
    if (registrar.findConstant(name, position))
        raiseName(__LINE__, "CALCDEFEXCEP_VarNameConstConflict", name, {});
    for (std::size_t i = 0; i < name.size(); ++i) {
        std::string_view symbol;
        if (registrar.matchOperator(name.data() + i, name.size() - i, symbol))
            raiseName(__LINE__, "CALCDEFEXCEP_VarNameDelimConflict", name, symbol);
    }
}

} // namespace

CalcMacroBody::CalcMacroBody(CalcRegistrarI& registrar, const std::vector<std::string>& argNames,
                             const std::string& body)
    : compiler_(registrar, arguments_)
    , argCount_(static_cast<std::int32_t>(argNames.size()))
{
    if (argCount_ > 0)
        values_ = std::make_unique<double[]>(argNames.size());
    for (std::size_t i = 0; i < argNames.size(); ++i) {
        checkAgainstDefinitions(registrar, argNames[i]);
        arguments_.addVariable(std::make_unique<CalcParser::MemVariableEvaluator>(argNames[i], &values_[i]));
    }
    compiler_.compile(body);
    view_.refresh(compiler_.program());
    steps_ = countSteps();
}

double CalcMacroBody::evaluate(std::int32_t argCount, const double* args)
{
    std::copy_n(args, std::clamp(argCount, 0, argCount_), values_.get());
    return view_.evaluate();
}

// The steps of the macros it calls were counted when they compiled, so a chain
// is counted once per level, not once per path through it.
std::uint64_t CalcMacroBody::countSteps() const
{
    if (view_.runCount() == 0)
        return 0;
    std::uint64_t steps = 0;
    for (const CalcInstruction& record : compiler_.program()) {
        ++steps;
        if (const auto* macro = dynamic_cast<const CalcMacroFct*>(record.item))
            steps += macro->steps();
    }
    return steps;
}
