#include "CalcScienceFunction.h"

CalcScienceFunction::CalcScienceFunction(const Entry& entry)
    : entry_(entry)
{
}

const char* CalcScienceFunction::symbol() const
{
    return entry_.symbol;
}

const char* CalcScienceFunction::helpText() const
{
    return entry_.helpText;
}

const char* CalcScienceFunction::description() const
{
    return entry_.description;
}

std::int32_t CalcScienceFunction::argCount() const
{
    return entry_.argCount;
}

double CalcScienceFunction::evaluate(std::int32_t, const double* args)
{
    return entry_.code(args);
}

std::unique_ptr<CalcFunctionI> CalcScienceFunction::spawn() const
{
    return std::make_unique<CalcScienceFunction>(entry_);
}
