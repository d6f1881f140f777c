#include "ColumnFormats.h"

#include <charconv>
#include <cmath>

namespace {

void appendNumber(std::string& text, double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, result.ptr);
}

void appendLine(std::string& text, const char* line)
{
    text += line;
    text += "\r\n";
}

// A numeric tuple: the number, then its value indicator. A reader takes "nan" or "inf" for
// no number, so NaN is the format's missing value (NA) and an infinity its error value.
void appendDifValue(std::string& text, double value)
{
    if (std::isnan(value)) {
        text += "0,0\r\nNA\r\n";
        return;
    }
    if (std::isinf(value)) {
        text += "0,0\r\nERROR\r\n";
        return;
    }
    text += "0,";
    appendNumber(text, value);
    text += "\r\nV\r\n";
}

std::string quoted(const std::string& title)
{
    std::string text = "\"";
    for (char c : title) {
        if (c == '"')
            text += '"';
        text += c;
    }
    return text + '"';
}

} // namespace

std::string difColumn(const std::string& title, const double* values, std::size_t count)
{
    std::string text;
    text.reserve(64 + title.size() + count * 40);
    for (const char* line : {"TABLE", "0,1", "\"EXCEL\"", "VECTORS", "0,1", "\"\"", "TUPLES"})
        appendLine(text, line);
    text += "0,";
    text += std::to_string(count + 1);
    text += "\r\n";
    for (const char* line : {"\"\"", "DATA", "0,0", "\"\"", "-1,0", "BOT", "1,0"})
        appendLine(text, line);
    appendLine(text, quoted(title).c_str());
    appendLine(text, "-1,0");
    for (std::size_t i = 0; i < count; ++i) {
        appendLine(text, "BOT");
        appendDifValue(text, values[i]);
        appendLine(text, "-1,0");
    }
    appendLine(text, "EOD");
    return text;
}

std::string textColumn(const double* values, std::size_t count)
{
    std::string text;
    text.reserve(8 + count * 26);
    for (std::size_t i = 0; i < count; ++i) {
        appendNumber(text, values[i]);
        text += "\r\n";
    }
    appendLine(text, "EOD");
    return text;
}

std::string curveTable(const std::vector<TableCurve>& curves)
{
    std::string text;
    if (curves.empty())
        return text;
    const std::size_t rows = curves.front().count;
    text.reserve(rows * (26 + 26 * curves.size()));
    for (std::size_t i = 0; i < rows; ++i) {
        appendNumber(text, curves.front().x[i]);
        for (const TableCurve& curve : curves) {
            text += ',';
            if (i < curve.count)
                appendNumber(text, curve.y[i]);
        }
        text += '\n';
    }
    return text;
}
