#include "SystemMemory.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr quint64 unknown = std::numeric_limits<quint64>::max();

TEST(SystemMemoryTest, TakesMemAvailableInBytes)
{
    const QByteArray meminfo = "MemTotal:       16314508 kB\n"
                               "MemFree:          512000 kB\n"
                               "MemAvailable:    8000000 kB\n"
                               "Buffers:          200000 kB\n";
    EXPECT_EQ(SystemMemory::memAvailable(meminfo), 8000000ull * 1024);
    EXPECT_EQ(SystemMemory::memAvailable("MemAvailable: 0 kB"), 0u);
}

// A kernel that does not say, or says it in a way not understood, refuses nothing.
TEST(SystemMemoryTest, WithoutAReadableLineNothingIsRefused)
{
    for (const char* meminfo : {"", "MemTotal: 1000 kB\nMemFree: 10 kB\n", "MemAvailable: lots kB\n",
                                "MemAvailable: 12 MB\n", "MemAvailable: 18014398509481985 kB\n"})
        EXPECT_EQ(SystemMemory::memAvailable(meminfo), unknown) << meminfo;
}

TEST(SystemMemoryTest, TheSystemHasSome)
{
    EXPECT_GT(SystemMemory().bytes(), 0u);
}

} // namespace
