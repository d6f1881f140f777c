#include "UnitWords.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

// Names and symbols in any case.
const char* const kWords[] = {
    "s", "sec", "secs", "second", "seconds", "min", "minute", "minutes", "h", "hr", "hour", "hours", "d",
    "day", "days", "v", "volt", "volts", "a", "amp", "amps", "ampere", "amperes", "ohm", "ohms", "w",
    "watt", "watts", "hz", "hertz", "m", "meter", "meters", "metre", "metres", "g", "gram", "grams",
    "pa", "bar", "psi", "n", "newton", "k", "kelvin", "c", "degc", "degf", "deg", "degree", "degrees",
    "rad", "%", "ppm", "db", "dbm", "dbv", "dbfs", "dbu", "j", "joule", "f", "farad", "henry", "t",
    "tesla", "l", "lux", "lx", "rpm", "mol", "count", "counts", "sequence", "sample", "samples",
    "index", "#", "pts", "points", "v/v", "a.u.", "au", "arb"};

// Symbols that take an SI prefix, in their own case.
const char* const kSymbols[] = {"s", "V", "A", "W", "Hz", "m", "g", "Pa", "F", "H", "T", "J", "N",
                                "K", "L", "Wb", "Ohm", "bar", "l"};
const char kPrefixes[] = "pnumckMGTd";
const std::string_view kMicro = "\xC2\xB5";
const std::string_view kDegree = "\xC2\xB0";
const std::string_view kOhm = "\xCE\xA9";

bool isWord(std::string_view atom)
{
    std::string lower(atom);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return std::any_of(std::begin(kWords), std::end(kWords), [&](const char* w) { return lower == w; });
}

bool isSymbol(std::string_view atom)
{
    return atom == kOhm || std::any_of(std::begin(kSymbols), std::end(kSymbols), [&](const char* s) { return atom == s; });
}

bool isAtom(std::string_view atom)
{
    if (atom.substr(0, kDegree.size()) == kDegree)
        atom.remove_prefix(kDegree.size());
    if (atom.empty() || isWord(atom) || isSymbol(atom))
        return true;
    if (atom.substr(0, kMicro.size()) == kMicro)
        return isSymbol(atom.substr(kMicro.size()));
    return std::string_view(kPrefixes).find(atom[0]) != std::string_view::npos && isSymbol(atom.substr(1));
}

bool bracketed(std::string_view text)
{
    return text.size() >= 2 && ((text.front() == '(' && text.back() == ')') || (text.front() == '[' && text.back() == ']'));
}

} // namespace

// A unit is atoms joined by '/', '*', '.', '^', '-' or blanks, with powers in digits.
bool isUnitText(std::string_view text)
{
    if (bracketed(text))
        return text.size() <= 24;
    if (text.empty() || text.size() > 24)
        return false;
    if (isWord(text))
        return true;
    std::size_t start = 0;
    bool sawAtom = false;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool stop = i == text.size() || std::string_view("/*.^- ").find(text[i]) != std::string_view::npos
                          || std::isdigit(static_cast<unsigned char>(text[i]));
        if (!stop)
            continue;
        if (i > start) {
            if (!isAtom(text.substr(start, i - start)))
                return false;
            sawAtom = true;
        }
        start = i + 1;
    }
    return sawAtom;
}
