#include "CalcMacroCompileGuard.h"

#include "CalcError.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct NestedCompiles {
    std::uint32_t depth = 0;
    std::uint32_t compiled = 0;
    std::vector<std::pair<std::string, std::int32_t>> onFirstUse;
};

thread_local NestedCompiles nested;

} // namespace

CalcMacroCompileGuard::CalcMacroCompileGuard(const std::string& name, std::int32_t argCount, bool onFirstUse)
    : onFirstUse_(onFirstUse)
{
    if (nested.compiled == maxCompiles)
        CalcError::raise(__LINE__, "CalcParserMacroFunc", CalcExcepData("CALCEXCEP_OutOfMemory"));
    ++nested.compiled;
    ++nested.depth;
    if (onFirstUse_)
        nested.onFirstUse.emplace_back(name, argCount);
}

CalcMacroCompileGuard::~CalcMacroCompileGuard()
{
    if (onFirstUse_)
        nested.onFirstUse.pop_back();
    if (--nested.depth == 0)
        nested.compiled = 0;
}

bool CalcMacroCompileGuard::isCompiling(const std::string& name, std::int32_t argCount)
{
    const auto& active = nested.onFirstUse;
    return std::find(active.begin(), active.end(), std::make_pair(name, argCount)) != active.end();
}
