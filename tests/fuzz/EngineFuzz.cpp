// The expression engine on arbitrary text, with x bound. Every failure must be a CalcError,
// and the three ways to the same value must agree to the bit: a program compiled once and
// evaluated at each x, evaluate(text) compiling anew at each x, and a program where x is a
// constant, so that the compiler folds everything that depends on it.

#include "CalcError.h"
#include "CalcParser.h"
#include "FuzzCheck.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Zero, a fraction inside every function's domain, a negative and a large value.
const double kXs[] = {0.0, 0.7, -3.0, 1e6};

struct Outcome {
    bool failed = true;
    std::uint64_t bits = 0;

    bool operator==(const Outcome& other) const
    {
        return failed == other.failed && (failed || bits == other.bits);
    }
};

template <class Evaluation>
Outcome attempt(Evaluation evaluation)
{
    try {
        return Outcome{false, fuzz::bitsOf(evaluation())};
    } catch (const CalcError&) {
        return Outcome{};
    }
}

// Made once: building the default library for every input would cost more than most
// expressions do.
struct Engines {
    double x = 0.0;
    CalcParser compiled;
    CalcParser textual;
    CalcParser folded;

    Engines()
    {
        compiled.defineVar("x", &x);
        textual.defineVar("x", &x);
        folded.defineConst("x", x);
    }

    Outcome foldedAt(double value, const std::string& text)
    {
        folded.undefineConst("x");
        folded.defineConst("x", value);
        return attempt([&] { return folded.evaluate(text); });
    }
};

// rand() draws the next value of one sequence at every evaluation, so two evaluations of it
// differ by design. The compiler drops blanks before it reads names, so "r and()" calls it
// too; every white space character goes here, and lower case, since both cost nothing.
bool drawsRandomValues(const std::string& text)
{
    std::string name;
    for (const unsigned char c : text) {
        if (!std::isspace(c))
            name += char(std::tolower(c));
    }
    return name.find("rand") != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Engines engines;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const bool comparable = !drawsRandomValues(text);
    const Outcome compiledOnce = attempt([&] {
        engines.compiled.compile(text);
        return 0.0;
    });
    for (double x : kXs) {
        engines.x = x;
        const Outcome once = compiledOnce.failed ? compiledOnce : attempt([&] { return engines.compiled.evaluate(); });
        const Outcome anew = attempt([&] { return engines.textual.evaluate(text); });
        const Outcome folded = engines.foldedAt(x, text);
        fuzz::check(once.failed == anew.failed, "compile() fails exactly where evaluate(text) fails");
        fuzz::check(once.failed == folded.failed, "x as a constant fails exactly where x as a variable fails");
        if (!comparable || once.failed)
            continue;
        fuzz::check(once == anew, "the compiled program gives evaluate(text)'s bits");
        fuzz::check(once == folded, "folding x gives the bits of evaluating it");
        const Outcome again = attempt([&] { return engines.compiled.evaluate(); });
        fuzz::check(once == again, "a second evaluation gives the same bits");
    }
    return 0;
}
