#include "MemVariableFactory.h"

#include "MemVariableEvaluator.h"

std::unique_ptr<CalcVariableI> CalcParser::MemVariableFactory::create(const std::string& name)
{
    return std::make_unique<MemVariableEvaluator>(name);
}

std::unique_ptr<CalcVariableFactoryI> CalcParser::MemVariableFactory::spawn() const
{
    return std::make_unique<MemVariableFactory>();
}
