#include "CalcPluginOperator.h"

#include "CalcPlugin.h"

namespace {

const char* orEmpty(const char* text)
{
    return text ? text : "";
}

} // namespace

CalcPluginOperator::CalcPluginOperator(std::shared_ptr<const CalcPlugin> plugin,
                                       const CalcPluginOperatorRecord& record)
    : plugin_(std::move(plugin))
    , record_(record)
{
}

CalcPluginOperator::~CalcPluginOperator() = default;

const char* CalcPluginOperator::id() const
{
    return record_.id ? record_.id : symbol();
}

const char* CalcPluginOperator::symbol() const
{
    return orEmpty(record_.symbol);
}

const char* CalcPluginOperator::helpText() const
{
    return orEmpty(record_.helpText);
}

const char* CalcPluginOperator::description() const
{
    return orEmpty(record_.description);
}

std::unique_ptr<CalcOperatorI> CalcPluginOperator::spawn() const
{
    return std::make_unique<CalcPluginOperator>(plugin_, record_);
}
