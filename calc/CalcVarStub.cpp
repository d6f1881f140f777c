#include "CalcVarStub.h"

#include "CalcNan.h"

const double CalcParserCompiler::CalcVarStub::unbound = calcNan();

std::unique_ptr<CalcVariableI> CalcParserCompiler::CalcVarStub::spawn() const
{
    return std::make_unique<CalcVarStub>();
}
