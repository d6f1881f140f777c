#include "CalcFunctionI.h"

void CalcFunctionI::prepare(CalcCompilerI&, CalcRegistrarI&)
{
}
