#pragma once

#include <cstdint>
#include <string>

// Bounds the compiling of macro bodies inside macro bodies on the calling
// thread. A copied macro compiles against the definitions of the engine that
// holds it when first used, so later definitions can make a chain of copies
// call back into one that is still compiling, and a first use may have to
// compile a whole chain of copies on its way. Both end in an error instead of
// recursing without end.
class CalcMacroCompileGuard {
public:
    // The most macro bodies one outermost compile may compile along the way.
    static constexpr std::uint32_t maxCompiles = 4096;

    // Enters the compiling of one body; throws "CALCEXCEP_OutOfMemory" when the
    // outermost compile has used up its budget. A copy compiling on first use is
    // remembered by name and argument count until the guard goes.
    CalcMacroCompileGuard(const std::string& name, std::int32_t argCount, bool onFirstUse);
    ~CalcMacroCompileGuard();
    CalcMacroCompileGuard(const CalcMacroCompileGuard&) = delete;
    CalcMacroCompileGuard& operator=(const CalcMacroCompileGuard&) = delete;

    // Whether a copy of that name and argument count is compiling further out.
    static bool isCompiling(const std::string& name, std::int32_t argCount);

private:
    bool onFirstUse_;
};
