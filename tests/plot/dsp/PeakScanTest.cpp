#include "PeakScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

using Positions = std::vector<std::size_t>;

PeakPositions scan(const std::vector<double>& p, double delta, std::size_t limit = 200)
{
    return scanPeaks(p.data(), p.size(), delta, limit);
}

TEST(PeakScanTest, AlternatingSamples)
{
    const PeakPositions found = scan({0, 5, 0, 5, 0}, 1);
    EXPECT_EQ(found.maxima, (Positions{1, 3}));
    // No rise follows the last sample, so it is never a minimum.
    EXPECT_EQ(found.minima, (Positions{0, 2}));
}

TEST(PeakScanTest, MonotonicRiseHasOneMinimumAtItsStart)
{
    const PeakPositions found = scan({0, 1, 2, 3, 4, 5}, 0.5);
    EXPECT_EQ(found.minima, Positions{0});
    EXPECT_TRUE(found.maxima.empty());
}

TEST(PeakScanTest, DeltaSeparatesPeaksFromNoise)
{
    const std::vector<double> noisy = {0, 0.2, 0.1, 0.3, 5, 4.8, 4.9, 0, 0.1};
    EXPECT_EQ(scan(noisy, 1).maxima, Positions{4});
    EXPECT_EQ(scan(noisy, 1).minima, Positions{0});
    // Delta 0: every strict rise after a minimum and every strict fall after a maximum.
    const PeakPositions all = scan(noisy, 0);
    EXPECT_EQ(all.minima, (Positions{0, 2, 5, 7}));
    EXPECT_EQ(all.maxima, (Positions{1, 4, 6}));
    EXPECT_EQ(scan(noisy, -3).maxima, all.maxima);
}

TEST(PeakScanTest, StopsAtTheLimit)
{
    std::vector<double> teeth;
    for (int i = 0; i < 201; ++i) {
        teeth.push_back(0);
        teeth.push_back(1);
    }
    teeth.push_back(0);
    const PeakPositions found = scan(teeth, 0.5);
    EXPECT_EQ(found.maxima.size(), 200u);
    EXPECT_EQ(found.minima.size(), 200u);
    EXPECT_EQ(found.maxima.back(), 399u);
    const PeakPositions few = scan(teeth, 0.5, 3);
    EXPECT_EQ(few.minima, (Positions{0, 2, 4}));
    EXPECT_EQ(few.maxima, (Positions{1, 3, 5}));
    // The minima reach the limit first; the maximum after the last of them still counts.
    EXPECT_TRUE(scan(teeth, 0.5, 0).minima.empty());
    EXPECT_TRUE(scan(teeth, 0.5, 0).maxima.empty());
    EXPECT_EQ(scan({0, 1, 0, 1, 0}, 0.5, 1).maxima, Positions{1});
    EXPECT_EQ(scan({0, 1, 0, 1, 0}, 0.5, 1).minima, Positions{0});
}

Positions placed(const Positions& positions, const Positions& where)
{
    Positions moved;
    for (std::size_t at : positions)
        moved.push_back(where[at]);
    return moved;
}

// Gaps put anywhere, also first and last, change no peak: the scan finds the peaks of the
// samples without them, at the places the samples have among the gaps.
TEST(PeakScanTest, GapsArePassedOver)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> samples = {0, 5, 0, 5, 0, 3, 2.5, 9, -4, 1};
    const std::vector<Positions> gapSets = {{0}, {2}, {2, 3}, {5, 6, 7}, {8}, {10}, {0, 1, 4, 12, 13}};
    for (double delta : {0.0, 1.0, 4.0}) {
        const PeakPositions plain = scan(samples, delta);
        for (const Positions& gaps : gapSets) {
            std::vector<double> gappy;
            Positions where;
            for (std::size_t i = 0, next = 0; i < samples.size() + gaps.size(); ++i) {
                if (std::count(gaps.begin(), gaps.end(), i)) {
                    gappy.push_back(nan);
                    continue;
                }
                where.push_back(i);
                gappy.push_back(samples[next++]);
            }
            const PeakPositions found = scan(gappy, delta);
            EXPECT_EQ(found.maxima, placed(plain.maxima, where)) << delta << " gap " << gaps.front();
            EXPECT_EQ(found.minima, placed(plain.minima, where)) << delta << " gap " << gaps.front();
        }
    }
}

TEST(PeakScanTest, ShortOrUndefinedRuns)
{
    EXPECT_TRUE(scan({}, 1).minima.empty());
    EXPECT_TRUE(scan({7}, 1).minima.empty());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const PeakPositions found = scan({nan, nan, nan}, 0);
    EXPECT_TRUE(found.minima.empty());
    EXPECT_TRUE(found.maxima.empty());
}

} // namespace
