#include "ToneEstimator.h"

#include "SpectrumInput.h"

std::vector<Tone> findTones(const double* y, std::size_t count, double fs,
                            std::size_t, std::size_t)
{
    checkSpectrumInput(y, count, fs, count);
    return {};
}
