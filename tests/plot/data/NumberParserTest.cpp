#include "NumberParser.h"

#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <random>
#include <string>

namespace {

// What the readers must reproduce: Qt's conversion of the trimmed field; where Qt refuses it,
// the C library's of the whole trimmed field in its decimal forms; 0 when both refuse.
struct Reading {
    bool ok = false;
    double value = 0.0;
};

Reading qtReading(const std::string& field, bool decimalComma)
{
    // Decoded behind a blank, as inside a line: a byte-order mark there is no blank.
    const std::string behindBlank = " " + field;
    QString text = QString::fromUtf8(behindBlank.data(), int(behindBlank.size()));
    if (decimalComma)
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    Reading r;
    r.value = text.trimmed().toDouble(&r.ok);
    if (!r.ok)
        r.value = 0.0;
    return r;
}

Reading cReading(std::string field, bool decimalComma)
{
    const char* const blanks = " \t\n\v\f\r";
    field.erase(0, field.find_first_not_of(blanks));
    field.erase(field.find_last_not_of(blanks) + 1);
    if (decimalComma)
        std::replace(field.begin(), field.end(), ',', '.');
    // Hexadecimal numbers are strtod's own and no data file's.
    const std::size_t digits = field.find_first_not_of("+-");
    if (field.empty() || field.compare(0, 2, "+-") == 0
        || (digits != std::string::npos && (field.compare(digits, 2, "0x") == 0 || field.compare(digits, 2, "0X") == 0)))
        return {};
    static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    char* end = nullptr;
    Reading r;
    r.value = strtod_l(field.c_str(), &end, c);
    r.ok = end == field.c_str() + field.size();
    return r.ok ? r : Reading{};
}

Reading expectedReading(const std::string& field, bool decimalComma)
{
    const Reading qt = qtReading(field, decimalComma);
    return qt.ok ? qt : cReading(field, decimalComma);
}

void expectSameAs(const Reading& expected, const std::string& field, bool decimalComma)
{
    double value = -1.0;
    const bool ok = NumberParser::parse(field, decimalComma, value);
    ASSERT_EQ(ok, expected.ok) << "[" << field << "] decimalComma " << decimalComma;
    if (std::isnan(expected.value))
        EXPECT_TRUE(std::isnan(value)) << field;
    else
        EXPECT_EQ(std::memcmp(&value, &expected.value, sizeof value), 0)
            << "[" << field << "] " << value << " vs " << expected.value;
}

void expectLikeQtOrC(const std::string& field, bool decimalComma)
{
    expectSameAs(expectedReading(field, decimalComma), field, decimalComma);
}

TEST(NumberParserTest, AcceptsWhatQtOrTheCLibraryAccepts)
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
            expectLikeQtOrC(form, decimalComma);
    }
    expectLikeQtOrC(std::string(800, '1'), false);
    expectLikeQtOrC("0." + std::string(1000, '0') + "1e1001", false);
    expectLikeQtOrC(std::string("1\0" "2", 3), false);
}

// Magnitudes beyond a double, signed or spelt NaNs and infinities: Qt refuses them, and a
// reader that took its refusal would lose a measured value or make it 0.
TEST(NumberParserTest, WhatQtRefusesButADoubleHolds)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* field;
        bool decimalComma;
        double value;
    } rows[] = {
        {"-nan", false, nan},         {"+NaN", false, nan},    {"nan(7)", false, nan},
        {"-Infinity", false, -inf},   {"INFINITY", false, inf}, {" +infinity\t", false, inf},
        {"1e400", false, inf},        {"-1e400", false, -inf},  {"+1e400", false, inf},
        {"1,5e400", true, inf},       {"-1,5E400", true, -inf}, {"1e99999999999999999999", false, inf},
        {"1e-400", false, 0.0},       {"-1e-400", false, -0.0}, {"-2e-324", false, -0.0},
    };
    for (const auto& row : rows) {
        EXPECT_FALSE(qtReading(row.field, row.decimalComma).ok) << row.field;
        expectSameAs({true, row.value}, row.field, row.decimalComma);
    }
    for (const char* refused : {"+-1e400", "0x1p3", "1e400x", "inf inf", "-", "1.#INF"}) {
        double value = -1.0;
        EXPECT_FALSE(NumberParser::parse(refused, false, value)) << refused;
        EXPECT_EQ(value, 0.0) << refused;
    }
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
        expectLikeQtOrC(text, true);
        expectLikeQtOrC(text, false);
    }
}

} // namespace
