#include "PointLimit.h"

#include <gtest/gtest.h>

namespace {

// Every maker of curves asks this one bound, so its edge is checked here without the 4 GB
// two curves of that many points would take.
TEST(PointLimitTest, TheLargestCurveItselfIsHeld)
{
    EXPECT_TRUE(curveHolds(kMaxCurvePoints));
    EXPECT_FALSE(curveHolds(kMaxCurvePoints + 1));
    EXPECT_TRUE(curveHolds(0));
}

} // namespace
