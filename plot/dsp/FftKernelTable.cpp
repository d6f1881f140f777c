#include "FftKernelTable.h"

namespace {

const FftKernelTable& chooseKernels()
{
#if defined(__x86_64__) || defined(__i386__)
    const FftKernelTable* avx2 = fftKernelsAvx2();
    if (avx2 != nullptr && __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"))
        return *avx2;
#endif
    return *fftKernelsGeneric();
}

} // namespace

const FftKernelTable& fftKernelTable()
{
    static const FftKernelTable& kernels = chooseKernels();
    return kernels;
}
