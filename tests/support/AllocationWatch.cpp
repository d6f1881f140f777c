#include "AllocationWatch.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

std::atomic<long> allocations{0};
std::atomic<std::size_t> ceiling{std::numeric_limits<std::size_t>::max()};
std::atomic<bool> crossed{false};

} // namespace

long AllocationWatch::count()
{
    return allocations.load();
}

void AllocationWatch::setCeiling(std::size_t bytes)
{
    ceiling = bytes;
}

void AllocationWatch::clearCeiling()
{
    ceiling = std::numeric_limits<std::size_t>::max();
}

bool AllocationWatch::takeCeilingCrossed()
{
    return crossed.exchange(false);
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (size > ceiling.load(std::memory_order_relaxed)) {
        crossed = true;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
