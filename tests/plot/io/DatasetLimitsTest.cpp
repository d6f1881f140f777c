#include "AvailableMemory.h"
#include "DatasetLimits.h"
#include "PointLimit.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

class FixedMemory : public AvailableMemory
{
public:
    explicit FixedMemory(quint64 bytes)
        : available(bytes)
    {
    }
    quint64 bytes() const override { return available; }

private:
    quint64 available;
};

// x, and every column as read and as a curve: (2 c + 1) × 8 bytes a row.
TEST(DatasetLimitsTest, RowsAndMemoryAtTheirLimits)
{
    QString refusal;
    EXPECT_TRUE(DatasetLimits::fit(1000, 3, "f", refusal, FixedMemory(56000)));
    EXPECT_FALSE(DatasetLimits::fit(1000, 3, "f", refusal, FixedMemory(55999)));
    EXPECT_EQ(refusal, "Kurvo: Not enough memory to read f (0.000 GB needed, 0.000 GB available)");
    EXPECT_TRUE(DatasetLimits::fit(double(kMaxCurvePoints), 1, "f", refusal, FixedMemory(~quint64(0))));
    EXPECT_FALSE(DatasetLimits::fit(double(kMaxCurvePoints) + 1, 1, "f", refusal, FixedMemory(~quint64(0))));
    EXPECT_FALSE(DatasetLimits::fit(4e9, 4e9, "f", refusal, FixedMemory(~quint64(0))));
}

} // namespace
