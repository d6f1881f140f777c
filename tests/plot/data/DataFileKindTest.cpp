#include "DataFileKind.h"
#include "PowerOfTwo.h"

#include <gtest/gtest.h>

namespace {

TEST(DataFileKindTest, DispatchBySuffixInAnyCase)
{
    const struct {
        const char* path;
        DataFileKind kind;
    } cases[] = {
        {"Data.WAV", DataFileKind::Audio},  {"x.sf", DataFileKind::Audio},    {"a/b.AiFf", DataFileKind::Audio},
        {"x.au", DataFileKind::Audio},      {"x.mat", DataFileKind::Audio},   {"x.Snd", DataFileKind::Audio},
        {"x.adf", DataFileKind::Array},     {"X.ADF", DataFileKind::Array},   {"x.aif", DataFileKind::Text},
        {"x.dif", DataFileKind::Text},      {"x.csv", DataFileKind::Text},    {"x.asf", DataFileKind::Text},
        {"wav", DataFileKind::Text},        {"a.wav/b.txt", DataFileKind::Text},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dataFileKind(c.path), c.kind) << c.path;
}

TEST(PowerOfTwoTest, NeverAboveTheCountRead)
{
    const std::pair<std::size_t, std::size_t> cases[] = {
        {0, 0}, {1, 1}, {2, 2}, {3, 2}, {4, 4}, {7, 4}, {1000, 512}, {1024, 1024}, {1025, 1024},
        {std::size_t(1) << 40, std::size_t(1) << 40}, {~std::size_t(0), std::size_t(1) << 63},
    };
    for (const auto& c : cases)
        EXPECT_EQ(powerOfTwoCount(c.first), c.second) << c.first;
}

} // namespace
