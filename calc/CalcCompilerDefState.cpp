#include "CalcCompilerDefState.h"

#include "CalcConvFunctionI.h"
#include "CalcError.h"
#include "CalcOperatorI.h"
#include "CalcParserCompiler.h"
#include "CalcRegistrarI.h"

#include <charconv>
#include <cmath>

using Kind = CalcElementKind;
using Entry = CalcOperatorEntry;

CalcCompilerDefState::CalcCompilerDefState(CalcParserCompiler& compiler)
    : c_(compiler)
{
}

bool CalcCompilerDefState::endToken()
{
    CalcParserCompiler::Scan& scan = c_.scan_;
    if (scan.token.empty())
        return false;
    const std::string token = scan.token;
    const std::int32_t start = c_.tokenStart();
    if (scan.contexts.kind() == Kind::operand || scan.contexts.kind() == Kind::function)
        c_.raise("CALCPARSINGEXCEP_MissingOp", start, token);
    if (c_.charAt(scan.position) == '(')
        return beginCall(token, start);
    pushName(token, start);
    c_.clearToken();
    return false;
}

bool CalcCompilerDefState::beginCall(const std::string& name, std::int32_t start)
{
    CalcParserCompiler::Scan& scan = c_.scan_;
    std::uint32_t at = 0;
    if (!c_.registrar_.findFunction(name, at))
        c_.raise("CALCPARSINGEXCEP_UndefinedFunc", start, name);
    scan.operators.markPending();
    scan.contexts.setKind(Kind::function);
    c_.clearToken();
    CalcFunctionI* function = c_.registrar_.functionAt(at);
    if (CalcConvFunctionI* conversion = function->convFunction()) {
        c_.enterState(*conversion);
        return true;
    }
    scan.operators.push(Entry{Entry::callPrecedence, start, 0, false, Entry::Kind::function, function});
    return false;
}

void CalcCompilerDefState::pushName(const std::string& name, std::int32_t start)
{
    std::uint32_t at = 0;
    if (isNumber(name)) {
        c_.pushValue(toNumber(name));
    } else if (c_.registrar_.findConstant(name, at)) {
        std::string constantName;
        double value = 0.0;
        c_.registrar_.constantAt(at, constantName, value);
        c_.pushValue(value);
    } else {
        try {
            c_.pushVariableRef(name);
        } catch (const CalcError&) {
            c_.raise("CALCPARSINGEXCEP_UndefinedVar", start, name);
        }
    }
}

void CalcCompilerDefState::onOp(std::string_view symbol)
{
    if (endToken())
        return;
    CalcParserCompiler::Scan& scan = c_.scan_;
    const std::int32_t at = scan.position;
    scan.operators.markPending();
    const bool unary = scan.contexts.kind() == Kind::start || scan.contexts.kind() == Kind::op;
    scan.contexts.setKind(Kind::op);

    std::uint32_t found = 0;
    if (!c_.registrar_.findOperator(symbol, unary, found))
        c_.raise("CALCPARSINGEXCEP_InvalidOpSyntax", at, std::string(symbol));
    CalcOperatorI* op = c_.registrar_.operatorAt(found);
    scan.position += static_cast<std::int32_t>(symbol.size()) - 1;
    if (scan.position == static_cast<std::int32_t>(scan.text.size()) - 1)
        c_.raise("CALCPARSINGEXCEP_UnexpectedOp", scan.position);

    // Unary operators associate to the right.
    std::int32_t precedence = op->precedence();
    CalcOperatorStack& stack = scan.operators;
    if (!stack.empty() && stack.top().kind == Entry::Kind::op && stack.top().precedence == precedence
        && static_cast<CalcOperatorI*>(stack.top().item)->isUnary())
        ++precedence;
    // A prefix operator has no left operand yet, so nothing before it is complete.
    if (!unary) {
        while (!stack.empty() && stack.top().kind != Entry::Kind::bracket
               && stack.top().precedence >= precedence) {
            c_.output(stack.top());
            stack.pop();
        }
    }
    stack.push(Entry{precedence, at, unary ? 1 : 2, false, Entry::Kind::op, op});
}

void CalcCompilerDefState::onOpenBracket()
{
    CalcParserCompiler::Scan& scan = c_.scan_;
    const std::int32_t at = scan.position;
    const bool afterOperand = scan.token.empty()
        && (scan.contexts.kind() == Kind::operand || scan.contexts.kind() == Kind::function);
    if (endToken())
        return;
    if (scan.contexts.kind() != Kind::function && c_.charAt(at + 1) == ')')
        c_.raise("CALCPARSINGEXCEP_InvalidSyntax", at);
    // A group or call directly before "(" would leave a result nothing consumes.
    if (afterOperand)
        c_.raise("CALCPARSINGEXCEP_MissingOp", at, "(");
    scan.operators.setMark(false);
    scan.operators.push(Entry{Entry::bracketPrecedence, at, 0, false, Entry::Kind::bracket, nullptr});
    scan.contexts.open();
}

// ")" and the separator both end what the innermost bracket collected; the
// separator then opens the next argument of the same call.
void CalcCompilerDefState::closeGroup(bool isSeparator)
{
    CalcParserCompiler::Scan& scan = c_.scan_;
    const std::int32_t at = scan.position;
    if (endToken())
        return;
    if (scan.contexts.kind() == Kind::op)
        c_.raise("CALCPARSINGEXCEP_UnexpectedOp", at);
    if (scan.contexts.depth() == 1)
        c_.raise(isSeparator ? "CALCPARSINGEXCEP_InvalidArgSeparator" : "CALCPARSINGEXCEP_MissingOpenBracket", at);
    scan.contexts.close();
    const char next = c_.charAt(at + 1);
    if (isSeparator) {
        if (scan.contexts.kind() != Kind::function)
            c_.raise("CALCPARSINGEXCEP_InvalidArgSeparator", at);
        scan.contexts.open();
        if (next == ')')
            c_.raise("CALCPARSINGEXCEP_UselessArgSeparator", at);
    }
    const bool anyOutput = popToBracket();
    const bool hadContent = countArgument();
    if (isSeparator && !anyOutput && !hadContent)
        c_.raise("CALCPARSINGEXCEP_UselessArgSeparator", at);
    if (!isSeparator) {
        scan.operators.pop();
        if (scan.contexts.kind() != Kind::function)
            scan.contexts.setKind(Kind::operand);
    }
    // Carries "this group had content" outward, so that f((a),b) has two arguments.
    const bool carry = !isSeparator && (next == ')' || next == c_.syntax_.argSeparator);
    scan.operators.setMark(carry && hadContent);
}

bool CalcCompilerDefState::popToBracket()
{
    CalcOperatorStack& stack = c_.scan_.operators;
    bool anyOutput = false;
    while (stack.top().kind != Entry::Kind::bracket) {
        c_.output(stack.top());
        stack.pop();
        anyOutput = true;
    }
    return anyOutput;
}

bool CalcCompilerDefState::countArgument()
{
    Entry* target = c_.scan_.operators.markTarget();
    if (!target || !target->argPending)
        return false;
    if (target->kind == Entry::Kind::function)
        ++target->argCount;
    return true;
}

bool CalcCompilerDefState::isNumber(const std::string& token) const
{
    int points = 0;
    for (char c : token) {
        if (c == c_.syntax_.decimalPoint)
            ++points;
        else if (c < '0' || c > '9')
            return false;
    }
    return points <= 1;
}

// Independent of the process locale, which a GUI host sets from the user's.
double CalcCompilerDefState::toNumber(const std::string& token) const
{
    std::string text = token;
    const std::string::size_type point = text.find(c_.syntax_.decimalPoint);
    if (point != std::string::npos)
        text[point] = '.';
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const std::string whole = text.substr(0, text.find('.'));
        const bool large = whole.find_first_not_of('0') != std::string::npos;
        return large ? HUGE_VAL : 0.0;
    }
    // Only a lone decimal point fails to convert; it stands for 0.
    return result.ec == std::errc() ? value : 0.0;
}
