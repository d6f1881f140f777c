#pragma once

#include <cstddef>
#include <vector>

// What was read last: decides whether an operator is unary and whether a name
// or bracket is missing an operator before it.
enum class CalcElementKind { start, operand, op, function };

// One level per open bracket or argument, plus one for the whole text, each
// holding the kind of element read last at that level.
class CalcContextStack {
public:
    std::size_t depth() const { return levels_.size(); }
    void open() { levels_.push_back(CalcElementKind::start); }
    void close() { levels_.pop_back(); }
    void clear() { levels_.clear(); }

    CalcElementKind kind() const { return levels_.empty() ? CalcElementKind::start : levels_.back(); }
    void setKind(CalcElementKind kind)
    {
        if (!levels_.empty())
            levels_.back() = kind;
    }

private:
    std::vector<CalcElementKind> levels_;
};
