#include "Cell.h"

namespace Xls {

void Cell::setText(const char* utf8)
{
    clear();
    if (!utf8 || !*utf8)
        return;
    textValue = UnicodeText::fromUtf8(utf8, maxTextLength);
    cellType = Text;
}

void Cell::setDouble(double value)
{
    clear();
    doubleValue = value;
    cellType = Double;
}

void Cell::setInteger(int value)
{
    clear();
    integerValue = value;
    cellType = Integer;
}

void Cell::clear()
{
    *this = Cell();
}

} // namespace Xls
