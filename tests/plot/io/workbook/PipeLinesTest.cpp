#include "BlockQueue.h"
#include "BlockWriter.h"
#include "PipeLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Lines come in blocks of whole lines; the last may lack its line end.
TEST(PipeLinesTest, LinesOfEveryBlockInOrder)
{
    BlockQueue blocks(2);
    std::vector<std::string> read;
    {
        const BlockWriter writer(blocks, [&] {
            for (const char* block : {"a\tb\n\n", "c\n", "", "last"})
                blocks.push(block);
            blocks.close();
        });
        PipeLines lines(blocks, 100);
        while (!lines.atEnd())
            read.emplace_back(lines.next());
        EXPECT_TRUE(lines.next().empty());
    }
    EXPECT_EQ(read, (std::vector<std::string>{"a\tb", "", "c", "last"}));
    EXPECT_TRUE(blocks.failure().isEmpty());
}

// A reader that leaves early frees a writer that waits for room, and a writer's failure
// reaches the reader.
TEST(PipeLinesTest, EitherSideMayEndFirst)
{
    BlockQueue blocks(1);
    int pushed = 0;
    {
        const BlockWriter writer(blocks, [&] {
            while (blocks.push("x\n"))
                ++pushed;
        });
        PipeLines lines(blocks, 0);
        EXPECT_EQ(lines.next(), "x");
    }
    EXPECT_GE(pushed, 1);

    BlockQueue failing(1);
    const BlockWriter writer(failing, [&] { failing.close("damaged"); });
    PipeLines lines(failing, 0);
    EXPECT_TRUE(lines.atEnd());
    EXPECT_EQ(failing.failure().toStdString(), "damaged");
}

} // namespace
