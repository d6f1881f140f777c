#pragma once

#include "CalcChainedExceptions.h"
#include "CalcExcepData.h"

// The one exception type every engine operation throws.
using CalcError = CalcChainedExceptions<CalcExcepData>;
