#include "CalcBlockEvaluator.h"

#include "CalcInstruction.h"
#include "CalcParser.h"
#include "CalcProgramView.h"
#include "library/UnaryMinusOp.h"

#include <algorithm>
#include <map>
#include <typeinfo>

namespace {

// The item's own evaluate() at every point, over argument blocks; the classes are final, so
// each loop compiles to the item's body.
template <class Item>
void unary(const CalcInstruction& record, const double* const* arguments, double* result, std::size_t count)
{
    auto* item = static_cast<Item*>(record.item);
    const double* a0 = arguments[0];
    for (std::size_t i = 0; i < count; ++i) {
        const double a[1] = {a0[i]};
        result[i] = item->Item::evaluate(1, a);
    }
}

template <class Item>
void binary(const CalcInstruction& record, const double* const* arguments, double* result, std::size_t count)
{
    auto* item = static_cast<Item*>(record.item);
    const double* a0 = arguments[0];
    const double* a1 = arguments[1];
    for (std::size_t i = 0; i < count; ++i) {
        const double a[2] = {a0[i], a1[i]};
        result[i] = item->Item::evaluate(2, a);
    }
}

} // namespace

CalcBlockEvaluator::CalcBlockEvaluator(CalcParser& parser, double* variable)
    : parser_(parser)
    , variable_(variable)
{
    const CalcProgramView& view = parser.programView();
    if (view.runCount() == 0) {
        constant_ = true;
        constantValue_ = view.lastResult();
        return;
    }
    build(view.begin(), view.end());
}

double* CalcBlockEvaluator::newBlock()
{
    blocks_.emplace_back(kBlock, 0.0);
    return blocks_.back().data();
}

// Each record's result goes to the argument of the record that consumes it; following those
// addresses back gives every argument its block. An argument no record writes is a constant
// the compiler put there.
void CalcBlockEvaluator::build(const CalcInstruction* first, const CalcInstruction* end)
{
    for (const CalcInstruction* record = first; record != end; ++record) {
        if (!record->source && (record->isVarFetch || !record->item->isConstant()))
            pointwise_ = true;
    }
    if (pointwise_)
        return;
    std::map<const double*, const double*> resultOf;
    std::map<const double*, const double*> fetched;
    steps_.reserve(std::size_t(end - first));
    for (const CalcInstruction* record = first; record != end; ++record) {
        const double* result = nullptr;
        if (record->isVarFetch) {
            double* block = newBlock();
            if (record->source == variable_)
                swept_ = block;
            else
                fixed_.push_back({record->source, block});
            fetched[&record->value] = block;
            result = block;
        } else if (record->source) {
            const auto fetch = fetched.find(record->source);
            if (fetch != fetched.end()) {
                result = fetch->second;
            } else {
                double* block = newBlock();
                fixed_.push_back({record->source, block});
                result = block;
            }
        } else {
            Step step{record, {}, newBlock()};
            for (std::int32_t k = 0; k < record->argCount; ++k) {
                const auto producer = resultOf.find(record->args + k);
                if (producer != resultOf.end()) {
                    step.arguments.push_back(producer->second);
                } else {
                    double* block = newBlock();
                    std::fill(block, block + kBlock, record->args[k]);
                    step.arguments.push_back(block);
                }
            }
            callArguments_.resize(std::max(callArguments_.size(), std::size_t(record->argCount)));
            result = step.result;
            steps_.push_back(std::move(step));
        }
        resultOf[record->target] = result;
        last_ = result;
    }
}

void CalcBlockEvaluator::evaluate(const double* values, std::size_t count, double* results)
{
    if (constant_) {
        std::fill(results, results + count, constantValue_);
        return;
    }
    if (pointwise_) {
        for (std::size_t i = 0; i < count; ++i) {
            *variable_ = values[i];
            results[i] = parser_.evaluate();
        }
        return;
    }
    for (const Fixed& fixed : fixed_)
        std::fill(fixed.block, fixed.block + kBlock, *fixed.source);
    // The last record's results go straight to the caller; nothing reads them in between.
    const bool lastComputes = !steps_.empty() && steps_.back().result == last_;
    const std::size_t computed = steps_.size() - (lastComputes ? 1 : 0);
    for (std::size_t start = 0; start < count; start += kBlock) {
        const std::size_t n = std::min(kBlock, count - start);
        if (swept_)
            std::copy(values + start, values + start + n, swept_);
        for (std::size_t s = 0; s < computed; ++s)
            run(steps_[s], n, steps_[s].result);
        if (lastComputes)
            run(steps_.back(), n, results + start);
        else
            std::copy(last_, last_ + n, results + start);
    }
    if (count > 0)
        *variable_ = values[count - 1];
}

void CalcBlockEvaluator::run(const Step& step, std::size_t count, double* result)
{
    const CalcInstruction& record = *step.record;
    const double* const* a = step.arguments.data();
    switch (record.inlineOp) {
    case CalcInlineOp::Add:
        return binary<AddOp>(record, a, result, count);
    case CalcInlineOp::Subtract:
        return binary<MinusOp>(record, a, result, count);
    case CalcInlineOp::Multiply:
        return binary<MultOp>(record, a, result, count);
    case CalcInlineOp::Divide:
        return binary<DivOp>(record, a, result, count);
    case CalcInlineOp::Power:
        return binary<ExpOp>(record, a, result, count);
    case CalcInlineOp::Sine:
        return unary<SinFct>(record, a, result, count);
    case CalcInlineOp::Cosine:
        return unary<CosFct>(record, a, result, count);
    case CalcInlineOp::None:
        break;
    }
    if (typeid(*record.item) == typeid(UnaryMinusOp))
        return unary<UnaryMinusOp>(record, a, result, count);
    runCall(step, count, result);
}

void CalcBlockEvaluator::runCall(const Step& step, std::size_t count, double* result)
{
    const CalcInstruction& record = *step.record;
    const std::size_t arity = std::size_t(record.argCount);
    double* arguments = callArguments_.data();
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t k = 0; k < arity; ++k)
            arguments[k] = step.arguments[k][i];
        result[i] = record.item->evaluate(record.argCount, arguments);
    }
}
