#include "CalcException.h"

CalcException::~CalcException() = default;

void CalcException::refreshText()
{
    text_.clear();
    for (std::uint32_t i = 0; i < count(); ++i) {
        if (i > 0)
            text_ += "\r\n";
        text_ += description(i);
    }
}
