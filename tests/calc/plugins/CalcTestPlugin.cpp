// Plug-ins for the loader's tests, one module per CALC_TEST_PLUGIN_ variant.

#include "CalcPluginApi.h"

#include <cmath>

namespace {

#if defined(CALC_TEST_PLUGIN_OPERATOR) || defined(CALC_TEST_PLUGIN_CONFLICT)
double hypotenuse(int32_t, const double* args)
{
    return std::hypot(args[0], args[1]);
}

const CalcPluginConstantRecord constants[] = {{"kt", 4.0}};
const CalcPluginOperatorRecord operators[] = {{"hypot", "#", "x # y", "Hypotenuse", 600, 0, 1, hypotenuse}};
#endif

#if defined(CALC_TEST_PLUGIN_OPERATOR)
const CalcPluginInterface plugin = {CALC_PLUGIN_VERSION, 1, constants, 0, nullptr, 1, operators};
#elif defined(CALC_TEST_PLUGIN_CONFLICT)
// Its constant and operator are fine; its function takes the name of a default one.
double first(int32_t, const double* args)
{
    return args[0];
}
const CalcPluginFunctionRecord functions[] = {{"sin", "sin", "sin(x)", "", 1, 1, first}};
const CalcPluginInterface plugin = {CALC_PLUGIN_VERSION, 1, constants, 1, functions, 1, operators};
#elif defined(CALC_TEST_PLUGIN_OLD_VERSION)
const CalcPluginInterface plugin = {"13", 0, nullptr, 0, nullptr, 0, nullptr};
#elif defined(CALC_TEST_PLUGIN_UNUSABLE)
const CalcPluginFunctionRecord functions[] = {{"nothing", "nothing", "", "", 1, 1, nullptr}};
const CalcPluginInterface plugin = {CALC_PLUGIN_VERSION, 0, nullptr, 1, functions, 0, nullptr};
#endif

} // namespace

#if defined(CALC_TEST_PLUGIN_NO_ENTRY)
extern "C" CALC_PLUGIN_EXPORT int notAPlugin(void)
{
    return 0;
}
#elif defined(CALC_TEST_PLUGIN_NULL_ENTRY)
extern "C" const CalcPluginInterface* kurvoCalcPlugin(void)
{
    return nullptr;
}
#else
extern "C" const CalcPluginInterface* kurvoCalcPlugin(void)
{
    return &plugin;
}
#endif
