#include "CalcMacroPrototype.h"

#include "CalcError.h"
#include "CalcParser.h"

#include <cstdint>

namespace {

const char* const sourceUnit = "CalcParserMacroFunc";

// The prototype without its blanks, remembering where each character stood.
struct BlankFreeText {
    explicit BlankFreeText(const std::string& text)
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == ' ')
                continue;
            chars += text[i];
            positions.push_back(static_cast<std::int32_t>(i));
        }
    }

    std::int32_t callerPosition(std::size_t at) const { return positions[at]; }
    std::int32_t lastPosition() const { return positions.empty() ? 0 : positions.back(); }

    std::string chars;
    std::vector<std::int32_t> positions;
};

CalcExcepData syntaxError(std::int32_t position, const std::string& prototype)
{
    return CalcExcepData("CALCDEFEXCEP_MacroProtoSyntax",
                         {{"pos", std::to_string(position)}, {"itemName", prototype}});
}

[[noreturn]] void raiseSyntax(std::int32_t line, std::int32_t position, const std::string& prototype)
{
    CalcError::raise(line, sourceUnit, syntaxError(position, prototype));
}

bool endsWith(const std::string& text, const char* tail)
{
    const std::string end(tail);
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

CalcMacroPrototype CalcMacroPrototype::parse(const std::string& prototype, CalcSyntax syntax)
{
    const BlankFreeText text(prototype);
    const std::string& p = text.chars;
    const std::size_t open = p.find('(');
    if (p.empty() || open == std::string::npos || p.back() != ')')
        raiseSyntax(__LINE__, text.lastPosition(), prototype);

    CalcMacroPrototype result;
    result.name_ = p.substr(0, open);
    // Defining every argument in one engine makes a repeated name fail as well.
    CalcParser scratch;
    const bool declaresNoArgument = endsWith(p, "()");
    std::size_t start = open + 1;
    for (;;) {
        std::size_t end = p.find(syntax.argSeparator, start);
        if (end == std::string::npos)
            end = p.find(')', start);
        const std::string arg = p.substr(start, end - start);
        if (!arg.empty()) {
            try {
                scratch.defineVar(arg, nullptr);
            } catch (CalcError& refused) {
                refused.addRecord(__LINE__, sourceUnit, syntaxError(text.callerPosition(start), prototype));
                throw;
            }
            result.argNames_.push_back(arg);
        } else if (!declaresNoArgument) {
            raiseSyntax(__LINE__, text.callerPosition(start), prototype);
        }
        if (end == p.size() - 1)
            return result;
        // The argument list ends at its first ")": "f(a)b)" is no prototype.
        if (p[end] == ')')
            raiseSyntax(__LINE__, text.callerPosition(end), prototype);
        start = end + 1;
    }
}

std::string CalcMacroPrototype::helpText(char separator) const
{
    std::string help = name_ + "(";
    for (std::size_t i = 0; i < argNames_.size(); ++i) {
        if (i > 0)
            help += std::string(1, separator) + " ";
        help += argNames_[i];
    }
    return help + ")";
}
