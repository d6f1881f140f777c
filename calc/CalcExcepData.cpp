#include "CalcExcepData.h"

namespace {
const std::string noText;
}

CalcExcepData::CalcExcepData(std::string identifier, std::initializer_list<Param> params)
    : identifier_(std::move(identifier))
{
    for (const Param& param : params)
        addParam(param.first, param.second);
}

const std::string& CalcExcepData::paramName(std::uint32_t index) const
{
    return index < count_ ? names_[index] : noText;
}

const std::string& CalcExcepData::paramValue(std::uint32_t index) const
{
    return index < count_ ? values_[index] : noText;
}

std::string CalcExcepData::valueOf(std::string_view name) const
{
    for (std::uint32_t i = 0; i < count_; ++i)
        if (names_[i] == name)
            return values_[i];
    return {};
}

void CalcExcepData::addParam(std::string name, std::string value)
{
    if (count_ == maxParams)
        return;
    names_[count_] = std::move(name);
    values_[count_] = std::move(value);
    ++count_;
}
