#pragma once

#include "UnicodeText.h"

namespace Xls {

// One cell of a worksheet: empty, a number (integer or double) or a text. A double that is
// NaN or infinite is saved as the error #NUM!.
class Cell
{
public:
    enum Type { Empty = 0, Integer = 1, Double = 2, Text = 3 };

    // The longest text a cell holds, in UTF-16 code units; longer text is cut there.
    static constexpr std::size_t maxTextLength = 32767;

    Type type() const { return cellType; }
    int integer() const { return integerValue; }
    double number() const { return type() == Integer ? double(integerValue) : doubleValue; }
    const UnicodeText& text() const { return textValue; }

    // UTF-8 text (malformed sequences become U+FFFD); null or empty text empties the cell.
    void setText(const char* utf8);
    void setDouble(double value);
    void setInteger(int value);
    void clear();

private:
    Type cellType = Empty;
    int integerValue = 0;
    double doubleValue = 0.0;
    UnicodeText textValue;
};

} // namespace Xls
