#include "SharedStringsReader.h"

SharedStringsReader::SharedStringsReader(std::vector<std::string>& strings)
    : scanner(*this)
    , strings(strings)
{
}

void SharedStringsReader::start(std::string_view name, const std::vector<XmlScanner::Attribute>&)
{
    if (name == "si") {
        inItem = true;
        strings.emplace_back();
    } else if (name == "t") {
        inText = inItem;
    } else if (name == "rPh") {
        inPhonetic = true;
    }
}

void SharedStringsReader::end(std::string_view name)
{
    if (name == "si")
        inItem = false;
    else if (name == "t")
        inText = false;
    else if (name == "rPh")
        inPhonetic = false;
}

void SharedStringsReader::text(std::string_view text, bool raw)
{
    if (!inText || inPhonetic)
        return;
    if (raw)
        XmlScanner::appendDecoded(text, strings.back());
    else
        strings.back().append(text.data(), text.size());
}
