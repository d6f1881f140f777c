#pragma once

#include <memory>
#include <string>

class CalcVariableI;

// Makes variables for names the compiler meets while automatic definition is on.
class CalcVariableFactoryI {
public:
    // Null when the factory cannot make a variable of that name.
    virtual std::unique_ptr<CalcVariableI> create(const std::string& name) = 0;
    virtual std::unique_ptr<CalcVariableFactoryI> spawn() const = 0;
    virtual ~CalcVariableFactoryI() = default;
};
