#include "WindowFunction.h"

namespace {

const char* const kNames[kWindowFunctionCount] = {
    "Triangular", "Welch",           "Sine",     "Hann",     "Hamming", "Blackman",
    "Nuttall",    "Blackman Nuttall", "Blackman Harris", "Flat top", "Gaussian"};

} // namespace

const char* windowFunctionName(std::size_t index)
{
    return index < kWindowFunctionCount ? kNames[index] : nullptr;
}
