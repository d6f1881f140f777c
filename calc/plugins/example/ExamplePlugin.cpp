// An example calculator plug-in: the cardinal sine sinc(x) and the speed of
// light c0 in m/s. Registered under the class identifier
// {4C1D7A52-93E8-4F60-B2A1-5D7E0C9F3B84}; examples/calc/example-plugin.xml is
// its info file.

#include "CalcPluginApi.h"

#include <cmath>

namespace {

double sinc(int32_t, const double* args)
{
    const double x = args[0];
    return x == 0.0 ? 1.0 : std::sin(x) / x;
}

const CalcPluginConstantRecord constants[] = {
    {"c0", 299792458.0},
};

const CalcPluginFunctionRecord functions[] = {
    {"sinc", "sinc", "sinc(x)", "Cardinal sine: sin(x)/x, and 1 at 0", 1, 1, sinc},
};

const CalcPluginInterface plugin = {
    CALC_PLUGIN_VERSION, 1, constants, 1, functions, 0, nullptr,
};

} // namespace

extern "C" const CalcPluginInterface* kurvoCalcPlugin(void)
{
    return &plugin;
}
