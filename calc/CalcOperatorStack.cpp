#include "CalcOperatorStack.h"

CalcOperatorEntry* CalcOperatorStack::markTarget()
{
    if (entries_.empty())
        return nullptr;
    if (entries_.back().kind != CalcOperatorEntry::Kind::bracket)
        return &entries_.back();
    return entries_.size() > 1 ? &entries_[entries_.size() - 2] : nullptr;
}

void CalcOperatorStack::setMark(bool pending)
{
    if (CalcOperatorEntry* target = markTarget())
        target->argPending = pending;
}
