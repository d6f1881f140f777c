#include "LooseLines.h"

LooseLines::LooseLines(LineSource& lines)
    : lines(lines)
{
}

std::string_view LooseLines::next()
{
    if (!splitting) {
        rest = lines.next();
        splitting = true;
    }
    const std::size_t at = rest.find_first_of("\r\f");
    if (at == std::string_view::npos) {
        splitting = false;
        return rest;
    }
    const std::string_view line = rest.substr(0, at);
    rest.remove_prefix(at + 1);
    return line;
}
