// Built with AVX2 and FMA enabled where the compiler targets x86-64; called only on
// processors that have both.
#include "FftKernels.h"

#if defined(__AVX2__) && defined(__FMA__)

namespace {

constexpr FftKernelTable kAvx2 = kernelTable<Lanes4>();

} // namespace

const FftKernelTable* fftKernelsAvx2()
{
    return &kAvx2;
}

#else

const FftKernelTable* fftKernelsAvx2()
{
    return nullptr;
}

#endif
