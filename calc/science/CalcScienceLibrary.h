#pragma once

class CalcParser;

// What a physicist reaches for beyond the engine's default library: the mathematical
// constants of Math scripts and functions such as exp, erf, gamma, atan2 and sinc. Both
// come in through the engine's definition interface, so an engine without them keeps the
// default library exactly, and the script runner and the curve fit share one set.
class CalcScienceLibrary {
public:
    // pi, e, lg2 (ln 2), sr2 (the square root of 2), gamma (Euler's constant), aperys
    // (Apéry's constant) and gr (the golden ratio). Throws CalcError when a name is taken.
    static void defineConstants(CalcParser& parser);
    // The functions; a name that is also a constant, such as gamma, stays that constant
    // where no bracket follows it. Throws CalcError when a function is already defined.
    static void defineFunctions(CalcParser& parser);
};
