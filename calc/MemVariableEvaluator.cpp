#include "MemVariableEvaluator.h"

CalcParser::MemVariableEvaluator::MemVariableEvaluator(std::string name)
    : name_(std::move(name))
    , value_(&own_)
{
}

CalcParser::MemVariableEvaluator::MemVariableEvaluator(std::string name, double* value)
    : name_(std::move(name))
    , value_(value ? value : &own_)
{
}

std::unique_ptr<CalcVariableI> CalcParser::MemVariableEvaluator::spawn() const
{
    if (value_ != &own_)
        return std::make_unique<MemVariableEvaluator>(name_, value_);
    auto copy = std::make_unique<MemVariableEvaluator>(name_);
    copy->own_ = own_;
    return copy;
}
