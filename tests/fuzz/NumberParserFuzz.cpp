// NumberParser against Qt: a field is a number exactly when Qt reads the trimmed field as
// one, with the same bits; with a decimal comma, when Qt reads it with every comma made a
// point. The field is decoded behind a blank, as inside a line: Qt's decoder drops a
// byte-order mark at the very start of its input, but in a field it is a character that
// makes the field no number.

#include "FuzzCheck.h"
#include "NumberParser.h"

#include <QString>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

struct Reading {
    bool ok = false;
    std::uint64_t bits = 0;
};

Reading qtReading(std::string_view field, bool decimalComma)
{
    const std::string behindBlank = " " + std::string(field);
    QString text = QString::fromUtf8(behindBlank.data(), int(behindBlank.size()));
    if (decimalComma)
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    Reading reading;
    const double value = text.trimmed().toDouble(&reading.ok);
    reading.bits = fuzz::bitsOf(reading.ok ? value : 0.0);
    return reading;
}

Reading parserReading(std::string_view field, bool decimalComma)
{
    double value = -1.0;
    Reading reading;
    reading.ok = NumberParser::parse(field, decimalComma, value);
    reading.bits = fuzz::bitsOf(value);
    return reading;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size >= std::size_t(INT_MAX))
        return 0;
    const std::string_view field(reinterpret_cast<const char*>(data), size);
    for (bool decimalComma : {false, true}) {
        const Reading expected = qtReading(field, decimalComma);
        const Reading read = parserReading(field, decimalComma);
        fuzz::check(read.ok == expected.ok, "a number exactly where Qt reads one");
        fuzz::check(read.bits == expected.bits, "Qt's value to the bit, +0 where there is no number");
    }
    return 0;
}
