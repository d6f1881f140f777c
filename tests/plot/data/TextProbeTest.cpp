#include "TextProbe.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string repeated(char byte, std::size_t count)
{
    return std::string(count, byte);
}

TEST(TextProbeTest, TellsTextFromBinary)
{
    const struct {
        std::string bytes;
        bool text;
    } cases[] = {
        {"", true},
        {"1 2\n3 4\n", true},
        {std::string("1 2\n3 4", 7) + '\0', false},
        {std::string("\0", 1), false},
        {"\xEF\xBB\xBFTemperatur \xC2\xB0""C\n1;2,5\n", true},
        {"Temperatur \xB0""C\n1;2,5\n", true},
        {repeated('\x80', 64) + repeated('\xFF', 64), true},
        {"1\t2\v3\f4\r\n\x1A\x1B[0m", true},
        {repeated('\x1A', 100) + repeated('\x1B', 100), true},
        // One foreign control character in 32 bytes is still text, two are not.
        {repeated('a', 31) + '\x01', true},
        {repeated('a', 30) + "\x01\x1F", false},
        {repeated('a', 30) + "\x7F\x7F", false},
        {repeated('a', 62) + "\x02\x08", true},
        {repeated('a', 61) + "\x02\x08\x0E", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextProbe::canBeText(c.bytes.data(), qint64(c.bytes.size())), c.text) << c.bytes;
}

} // namespace
