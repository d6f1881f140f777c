#include "CalcPluginFunction.h"

#include "CalcPlugin.h"

namespace {

const char* orEmpty(const char* text)
{
    return text ? text : "";
}

} // namespace

CalcPluginFunction::CalcPluginFunction(std::shared_ptr<const CalcPlugin> plugin,
                                       const CalcPluginFunctionRecord& record)
    : plugin_(std::move(plugin))
    , record_(record)
{
}

CalcPluginFunction::~CalcPluginFunction() = default;

const char* CalcPluginFunction::id() const
{
    return record_.id ? record_.id : symbol();
}

const char* CalcPluginFunction::symbol() const
{
    return orEmpty(record_.symbol);
}

const char* CalcPluginFunction::helpText() const
{
    return orEmpty(record_.helpText);
}

const char* CalcPluginFunction::description() const
{
    return orEmpty(record_.description);
}

std::unique_ptr<CalcFunctionI> CalcPluginFunction::spawn() const
{
    return std::make_unique<CalcPluginFunction>(plugin_, record_);
}
