#include "ReaderThreads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace {

TEST(ReaderThreadsTest, PositiveIntegersOnlyOverrideTheMachine)
{
    const unsigned machine = std::max(1u, std::thread::hardware_concurrency());
    const struct {
        const char* setting;
        unsigned threads;
    } cases[] = {
        {"1", 1}, {"2", 2}, {" 7 ", 7}, {"64", 64},
        {"", machine}, {"0", machine}, {"-2", machine}, {"2.5", machine}, {"two", machine},
        {"99999999999", machine},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readerThreads(QByteArray(c.setting)), c.threads) << c.setting;
}

} // namespace
