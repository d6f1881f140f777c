#pragma once

#include "CalcInstruction.h"
#include "CalcParserItemI.h"
#include "library/AddOp.h"
#include "library/CosFct.h"
#include "library/DivOp.h"
#include "library/ExpOp.h"
#include "library/MinusOp.h"
#include "library/MultOp.h"
#include "library/SinFct.h"

#include <cstdint>
#include <vector>

// What evaluating a compiled program needs: its records in order, or, for a
// program folded into one constant, that constant. Evaluation allocates
// nothing and makes at most one virtual call per record.
class CalcProgramView {
public:
    // Takes the program anew, after every compile and every reset of it.
    void refresh(const std::vector<CalcInstruction>& program);

    double evaluate()
    {
        if (runCount_ == 0)
            return constantResult_;
        for (const CalcInstruction* record = first_; record != end_; ++record)
            *record->target = run(*record);
        return end_[-1].value;
    }
    // The result of the last evaluation, or the constant.
    double lastResult() const { return runCount_ ? end_[-1].value : constantResult_; }
    // The records one evaluation runs: none for a constant.
    std::uint32_t runCount() const { return runCount_; }
    const CalcInstruction* begin() const { return first_; }
    const CalcInstruction* end() const { return end_; }

private:
    // The classes are final, so each inline case compiles to the item's own body.
    static double run(const CalcInstruction& record)
    {
        if (record.source)
            return *record.source;
        CalcParserItemI* item = record.item;
        const double* a = record.args;
        switch (record.inlineOp) {
        case CalcInlineOp::Add:
            return static_cast<AddOp*>(item)->evaluate(2, a);
        case CalcInlineOp::Subtract:
            return static_cast<MinusOp*>(item)->evaluate(2, a);
        case CalcInlineOp::Multiply:
            return static_cast<MultOp*>(item)->evaluate(2, a);
        case CalcInlineOp::Divide:
            return static_cast<DivOp*>(item)->evaluate(2, a);
        case CalcInlineOp::Power:
            return static_cast<ExpOp*>(item)->evaluate(2, a);
        case CalcInlineOp::Sine:
            return static_cast<SinFct*>(item)->evaluate(1, a);
        case CalcInlineOp::Cosine:
            return static_cast<CosFct*>(item)->evaluate(1, a);
        case CalcInlineOp::None:
            break;
        }
        return item->evaluate(record.argCount, a);
    }

    const CalcInstruction* first_ = nullptr;
    const CalcInstruction* end_ = nullptr;
    std::uint32_t runCount_ = 0;
    double constantResult_ = 0.0;
};
