#include "NumberParser.h"

#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

namespace {

// What the readers must reproduce: Qt's conversion of the trimmed field, 0 when it fails.
struct QtReading {
    bool ok = false;
    double value = 0.0;
};

QtReading qtReading(const std::string& field, bool decimalComma)
{
    // Decoded behind a blank, as inside a line: a byte-order mark there is no blank.
    const std::string behindBlank = " " + field;
    QString text = QString::fromUtf8(behindBlank.data(), int(behindBlank.size()));
    if (decimalComma)
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    QtReading r;
    r.value = text.trimmed().toDouble(&r.ok);
    if (!r.ok)
        r.value = 0.0;
    return r;
}

void expectSameAsQt(const std::string& field, bool decimalComma)
{
    const QtReading expected = qtReading(field, decimalComma);
    double value = -1.0;
    const bool ok = NumberParser::parse(field, decimalComma, value);
    ASSERT_EQ(ok, expected.ok) << "[" << field << "] decimalComma " << decimalComma;
    if (std::isnan(expected.value))
        EXPECT_TRUE(std::isnan(value)) << field;
    else
        EXPECT_EQ(std::memcmp(&value, &expected.value, sizeof value), 0)
            << "[" << field << "] " << value << " vs " << expected.value;
}

TEST(NumberParserTest, AcceptsExactlyWhatQtAccepts)
{
    const char* const forms[] = {
        // plain forms and signs
        "0", "1", "-1", "+1", "-0", "+0", "007", "00.5", "1.", ".5", "-.5", "+.5", ".", "-", "+", "--1",
        "+-1", "-+1", "", "12345678901234567",
        // exponents
        "1e5", "1E5", "1e+5", "1e-5", "1.e5", "1.E5", "-1.5e-3", "+2.5E+07", "1e", "1e+", "e5", "1e5.5",
        "1e0005", "0001e-0002", "1e0000000000000000001", "1d5",
        // limits
        "1.7976931348623157e308", "1.7976931348623159e308", "1e400", "-1e400", "1e-400", "1e-310",
        "4.9e-324", "2.2250738585072011e-308", "123456789012345678901234567890",
        "0.1000000000000000055511151231257827021181583404541015625",
        // infinities and NaNs
        "inf", "-inf", "+inf", "INF", "Inf", "infinity", "infx", "nan", "NaN", "nAn", "-nan", "+nan",
        "nan(1)", "1.#INF",
        // surrounding blanks
        " 1", "1 ", "\t1\t", " \r\n 2.5 \v", "1 2", "- 1", "\xC2\xA0" "3", "3\xE3\x80\x80", "\xC2\xA0 3",
        // decimal commas, group marks and other marks
        "1,5", ",5", "1,", "1,234,5", "-1,5e3", "1'000", "1_0", "0x10", "1.5f", "1.2.3", "\xEF\xBB\xBF" "1",
        " \xEF\xBB\xBF" "1", "\xEF\xBC\x91", "1\0" "2",
    };
    for (const char* form : forms) {
        for (bool decimalComma : {false, true})
            expectSameAsQt(form, decimalComma);
    }
    expectSameAsQt(std::string(800, '1'), false);
    expectSameAsQt("0." + std::string(1000, '0') + "1e1001", false);
    expectSameAsQt(std::string("1\0" "2", 3), false);
}

// Random numbers in every notation with 1 to 20 significant digits, bit for bit.
TEST(NumberParserTest, RandomNumbersRoundLikeQt)
{
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> digits(1, 20);
    std::uniform_int_distribution<int> exponent(-330, 330);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> coin(0, 3);
    for (int i = 0; i < 20000; ++i) {
        std::string text = coin(random) == 0 ? "-" : coin(random) == 0 ? "+" : "";
        const int n = digits(random);
        const int point = std::uniform_int_distribution<int>(0, n)(random);
        for (int d = 0; d < n; ++d) {
            if (d == point)
                text += coin(random) == 0 ? ',' : '.';
            text += char('0' + digit(random));
        }
        if (coin(random) != 0)
            text += (coin(random) == 0 ? "E" : "e") + std::to_string(exponent(random));
        expectSameAsQt(text, true);
        expectSameAsQt(text, false);
    }
}

} // namespace
