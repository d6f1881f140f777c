#include "FftKernels.h"

namespace {

// Two lanes: what every processor the program is built for runs.
constexpr FftKernelTable kGeneric = kernelTable<Lanes2>();

} // namespace

const FftKernelTable* fftKernelsGeneric()
{
    return &kGeneric;
}
