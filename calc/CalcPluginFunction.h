#pragma once

#include "CalcFunctionI.h"
#include "CalcPluginApi.h"

#include <memory>

class CalcPlugin;

// A function a plug-in offers, run by the plug-in's own code. It holds the
// plug-in, so the code and the texts it points to stay loaded as long as it.
class CalcPluginFunction final : public CalcFunctionI {
public:
    CalcPluginFunction(std::shared_ptr<const CalcPlugin> plugin, const CalcPluginFunctionRecord& record);
    ~CalcPluginFunction() override;

    const char* id() const override;
    const char* symbol() const override;
    const char* helpText() const override;
    const char* description() const override;
    bool isConstant() const override { return record_.isConstant != 0; }
    double evaluate(std::int32_t argCount, const double* args) override
    {
        return record_.evaluate(argCount, args);
    }
    std::int32_t argCount() const override { return record_.argCount; }
    std::unique_ptr<CalcFunctionI> spawn() const override;

private:
    std::shared_ptr<const CalcPlugin> plugin_;
    const CalcPluginFunctionRecord& record_;
};
