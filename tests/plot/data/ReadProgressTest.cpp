#include "BlockLines.h"
#include "ReadProgress.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct Fraction {
    std::uint64_t done;
    std::uint64_t total;
    int permille;
};

TEST(ReadProgressTest, PermilleStaysWithinItsBounds)
{
    const Fraction fractions[] = {{0, 0, 0}, {5, 0, 0}, {0, 10, 0}, {1, 3, 333}, {999, 1000, 999},
                                  {10, 10, 1000}, {11, 10, 1000}, {UINT64_MAX, UINT64_MAX, 1000}};
    for (const Fraction& f : fractions) {
        ReadProgress progress;
        progress.set(f.done, f.total);
        EXPECT_EQ(progress.permille(), f.permille) << f.done << " of " << f.total;
        EXPECT_EQ(progress.measured(), f.total > 0);
    }
}

class CurrentProgressTest : public ::testing::Test
{
protected:
    ~CurrentProgressTest() override { ReadProgress::makeCurrent(nullptr); }

    QBuffer buffer;
    ReadProgress progress;
};

TEST_F(CurrentProgressTest, BlockLinesReportTheBytesRead)
{
    QByteArray text;
    for (int i = 0; i < 100; ++i)
        text += "12345678\n";
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    ReadProgress::makeCurrent(&progress);
    BlockLines lines(buffer, 64);
    int count = 0;
    for (; !lines.atEnd() && count < 10; ++count)
        lines.next();
    EXPECT_GT(progress.permille(), 0);
    EXPECT_LT(progress.permille(), 1000);
    while (!lines.atEnd())
        lines.next();
    EXPECT_EQ(progress.permille(), 1000);
}

TEST_F(CurrentProgressTest, CancelledBlockLinesEndWithoutAnError)
{
    buffer.setData("1\n2\n3\n");
    buffer.open(QIODevice::ReadOnly);
    ReadProgress::makeCurrent(&progress);
    progress.cancel();
    BlockLines lines(buffer);
    EXPECT_TRUE(lines.atEnd());
    EXPECT_FALSE(lines.failed());
}

} // namespace
