#pragma once

#include "XmlScanner.h"

#include <string>
#include <string_view>
#include <vector>

// Reads the shared string table of a workbook a piece at a time: the text of every item,
// its runs joined, its phonetic guides left out.
class SharedStringsReader : private XmlScanner::Handler
{
public:
    explicit SharedStringsReader(std::vector<std::string>& strings);

    std::size_t scan(std::string_view xml, bool atEnd) { return scanner.scan(xml, atEnd); }
    bool failed() const { return scanner.failed(); }

private:
    void start(std::string_view name, const std::vector<XmlScanner::Attribute>& attributes) override;
    void end(std::string_view name) override;
    void text(std::string_view text, bool raw) override;

    XmlScanner scanner;
    std::vector<std::string>& strings;
    bool inItem = false;
    bool inText = false;
    bool inPhonetic = false;
};
