#pragma once

#include "CalcOperatorEntry.h"

#include <vector>

// The shunting-yard stack of pending operators, calls and bracket markers. It
// also tracks, through the argument-pending mark, whether the innermost open
// call has received anything since its last "(" or separator.
class CalcOperatorStack {
public:
    bool empty() const { return entries_.empty(); }
    CalcOperatorEntry& top() { return entries_.back(); }
    void push(const CalcOperatorEntry& entry) { entries_.push_back(entry); }
    void pop() { entries_.pop_back(); }
    void clear() { entries_.clear(); }

    // The entry under a topmost bracket marker, else the topmost entry; null
    // when the stack is empty or holds only a marker.
    CalcOperatorEntry* markTarget();
    void markPending() { setMark(true); }
    void setMark(bool pending);

private:
    std::vector<CalcOperatorEntry> entries_;
};
