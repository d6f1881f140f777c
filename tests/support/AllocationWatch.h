#pragma once

#include <cstddef>

// The global operator new of the test programs that watch their own allocations: it counts
// every allocation and refuses, with std::bad_alloc, any single one above a ceiling. Link
// AllocationWatch.cpp into such a program alone, since it replaces the allocator of the
// whole program.
namespace AllocationWatch {

long count();
// No ceiling until one is set; `clearCeiling` lifts it again.
void setCeiling(std::size_t bytes);
void clearCeiling();
// Whether an allocation was refused since the last call.
bool takeCeilingCrossed();

} // namespace AllocationWatch
