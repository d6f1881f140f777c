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
    // A plain loop: find_first_of would search its two characters once per byte.
    std::size_t at = 0;
    while (at < rest.size() && rest[at] != '\r' && rest[at] != '\f')
        ++at;
    if (at == rest.size()) {
        splitting = false;
        return rest;
    }
    const std::string_view line = rest.substr(0, at);
    rest.remove_prefix(at + 1);
    return line;
}
