#include "CalcProgramFolder.h"

#include "CalcParserItemI.h"

// A forward pass with a stack of producers gives the same wiring as walking
// back from the last record, without recursion on deeply nested input.
bool CalcProgramFolder::fold(std::vector<CalcInstruction>& program)
{
    producers_.clear();
    for (std::size_t k = 0; k < program.size(); ++k) {
        CalcInstruction& record = program[k];
        if (record.isVarFetch)
            continue;
        if (!record.isValue) {
            if (producers_.size() < static_cast<std::size_t>(record.argCount))
                return false;
            bool argumentsKnown = true;
            for (std::int32_t j = record.argCount - 1; j >= 0; --j) {
                CalcInstruction& producer = program[producers_.back()];
                producers_.pop_back();
                producer.target = &record.args[j];
                if (producer.isValue)
                    record.args[j] = producer.value;
                else
                    argumentsKnown = false;
            }
            if (argumentsKnown && record.item->isConstant()) {
                record.value = record.item->evaluate(record.argCount, record.args);
                record.isValue = true;
            }
        }
        producers_.push_back(k);
    }
    return producers_.size() == 1;
}
