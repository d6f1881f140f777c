#include "BatchRunner.h"

#include <gtest/gtest.h>

namespace {

TEST(BatchRunnerTest, PlaceholdersAreReplacedEverywhereInAValue)
{
    EXPECT_EQ(BatchRunner::substituted("out/{n}-{name}.{name}.png", "run", 12), "out/12-run.run.png");
    EXPECT_EQ(BatchRunner::substituted("{N} {nam} {} name", "run", 1), "{N} {nam} {} name");
}

// Only what the parser reads as an input is taken away; an option's value spelt as a file
// name stays with its option, and so does an optional value that reads as one.
TEST(BatchRunnerTest, TheOptionsAreWhatIsNotAnInput)
{
    const std::vector<std::pair<QStringList, QStringList>> cases{
        {{"a.csv", "b.csv", "--stats"}, {"--stats"}},
        {{"--title", "a.csv", "a.csv", "-o", "{name}.png"}, {"--title", "a.csv", "-o", "{name}.png"}},
        {{"--stats", "a.csv", "--harmonics", "1000", "b.csv"}, {"--stats", "--harmonics", "1000"}},
        {{"--amplitude", "a.csv"}, {"--amplitude"}},
        {{"--fit-fft", "a.csv", "--peaks", "0.1,0"}, {"--fit-fft", "--peaks", "0.1,0"}},
        {{"a.csv"}, {}},
    };
    for (const auto& [arguments, options] : cases)
        EXPECT_EQ(BatchRunner::optionsOnly(arguments), options) << arguments.join(' ').toStdString();
}

} // namespace
