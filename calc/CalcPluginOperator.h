#pragma once

#include "CalcOperatorI.h"
#include "CalcPluginApi.h"

#include <memory>

class CalcPlugin;

// An operator a plug-in offers, run by the plug-in's own code. It holds the
// plug-in, so the code and the texts it points to stay loaded as long as it.
class CalcPluginOperator final : public CalcOperatorI {
public:
    CalcPluginOperator(std::shared_ptr<const CalcPlugin> plugin, const CalcPluginOperatorRecord& record);
    ~CalcPluginOperator() override;

    const char* id() const override;
    const char* symbol() const override;
    const char* helpText() const override;
    const char* description() const override;
    bool isConstant() const override { return record_.isConstant != 0; }
    double evaluate(std::int32_t argCount, const double* args) override
    {
        return record_.evaluate(argCount, args);
    }
    std::int32_t precedence() const override { return record_.precedence; }
    bool isUnary() const override { return record_.isUnary != 0; }
    std::unique_ptr<CalcOperatorI> spawn() const override;

private:
    std::shared_ptr<const CalcPlugin> plugin_;
    const CalcPluginOperatorRecord& record_;
};
