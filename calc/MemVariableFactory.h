#pragma once

#include "CalcParser.h"
#include "CalcVariableFactoryI.h"

// Makes variables that read a double of their own, starting at 0.
class CalcParser::MemVariableFactory final : public CalcVariableFactoryI {
public:
    std::unique_ptr<CalcVariableI> create(const std::string& name) override;
    std::unique_ptr<CalcVariableFactoryI> spawn() const override;
};
