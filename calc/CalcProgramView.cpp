#include "CalcProgramView.h"

void CalcProgramView::refresh(const std::vector<CalcInstruction>& program)
{
    first_ = program.data();
    end_ = first_ + program.size();
    runCount_ = static_cast<std::uint32_t>(program.size());
    if (program.back().isValue) {
        constantResult_ = program.back().value;
        runCount_ = 0;
    }
}
