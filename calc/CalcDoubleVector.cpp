#include "CalcDoubleVector.h"

#include "CalcNan.h"

CalcDoubleVector::CalcDoubleVector(std::string name, const double* values, std::uint32_t count)
    : name_(std::move(name))
    , values_(values)
    , count_(values ? count : 0)
{
}

double CalcDoubleVector::evaluate(std::int32_t, const double*)
{
    if (count_ == 0)
        return calcNan();
    const double value = values_[cursor_];
    cursor_ = (cursor_ + 1) % count_;
    return value;
}

std::unique_ptr<CalcVariableI> CalcDoubleVector::spawn() const
{
    return std::make_unique<CalcDoubleVector>(name_, values_, count_);
}
