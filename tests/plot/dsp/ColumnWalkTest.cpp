#include "ColumnDecimator.h"
#include "ColumnExtremes.h"
#include "ColumnWalk.h"
#include "MinMaxPyramid.h"
#include "NoisySamples.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Fed only what the walk picks, the thinnings keep what they keep fed every sample: with ties
// at the extremes, gaps, columns of a few samples and of thousands, pixels rising and falling.
TEST(ColumnWalkTest, ThinningsKeepTheSameSamples)
{
    const std::vector<double> y = noisySamples(70001, 3);
    MinMaxPyramid pyramid;
    pyramid.build(y.data(), y.size());
    for (double perColumn : {3.0, 37.5, 2000.0}) {
        for (double direction : {1.0, -1.0}) {
            const auto px = [&](std::size_t i) { return direction * (double(i) / perColumn - 100.0); };
            const auto pixelY = [](double v) { return std::round(-v * 1.5); };
            ColumnDecimator all(-50, 400);
            ColumnDecimator picked(-50, 400);
            ColumnExtremes allSticks(-50, 400);
            ColumnExtremes pickedSticks(-50, 400);
            for (std::size_t i = 0; i < y.size(); ++i) {
                all.add(i, px(i), pixelY(y[i]));
                allSticks.add(i, px(i), pixelY(y[i]));
            }
            const ColumnWalk walk(
                pyramid, [&](std::size_t i) { return picked.columnOf(px(i)); }, pixelY);
            walk.walk(0, y.size() - 1, [&](std::size_t i) {
                picked.add(i, px(i), pixelY(y[i]));
                pickedSticks.add(i, px(i), pixelY(y[i]));
            });
            EXPECT_EQ(picked.finish(), all.finish()) << perColumn << " " << direction;
            EXPECT_EQ(pickedSticks.indices(), allSticks.indices()) << perColumn << " " << direction;
        }
    }
}

} // namespace
