#include "FieldSplitter.h"

namespace {

const char kBlanks[] = " \t\v";

// Where the quote that opened a field at `start` closes ("" inside stands for one quote), or
// npos when it never does: such a field is left as it stands.
std::size_t closingQuote(std::string_view line, std::size_t start)
{
    std::size_t close = start + 1;
    for (;;) {
        close = line.find('"', close);
        if (close == std::string_view::npos || close + 1 >= line.size() || line[close + 1] != '"')
            return close;
        close += 2;
    }
}

// Finds the end of the field at `start`: the next stop the separator search gives, past
// the closing quote of a quoted field.
template <typename FindStop>
std::string_view fieldAt(std::string_view line, std::size_t start, std::size_t& end, FindStop findStop)
{
    if (start < line.size() && line[start] == '"') {
        const std::size_t close = closingQuote(line, start);
        if (close != std::string_view::npos) {
            end = findStop(close + 1);
            return line.substr(start + 1, close - start - 1);
        }
    }
    end = findStop(start);
    return FieldSplitter::trimmed(line.substr(start, end == std::string_view::npos ? end : end - start));
}

} // namespace

FieldSplitter::FieldSplitter(char separator)
    : sep(separator)
{
}

std::string_view FieldSplitter::trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool FieldSplitter::isNoRow(std::string_view line)
{
    line = trimmed(line);
    return line.empty() || line.front() == '#' || line.substr(0, 2) == "//";
}

const std::vector<std::string_view>& FieldSplitter::split(std::string_view line)
{
    fields.clear();
    if (sep == ' ')
        splitAtBlanks(trimmed(line));
    else
        splitAtSeparator(line);
    return fields;
}

void FieldSplitter::splitAtBlanks(std::string_view line)
{
    std::size_t start = 0;
    for (;;) {
        std::size_t end = 0;
        fields.push_back(fieldAt(line, start, end, [&](std::size_t from) { return line.find_first_of(kBlanks, from); }));
        if (end == std::string_view::npos)
            return;
        start = line.find_first_not_of(kBlanks, end);
        if (start == std::string_view::npos)
            return;
    }
}

// TAB lines keep their leading TABs, which open empty fields; other lines lose their blanks.
void FieldSplitter::splitAtSeparator(std::string_view line)
{
    std::size_t start = 0;
    for (;;) {
        while (start < line.size() && isBlank(line[start]) && line[start] != sep)
            ++start;
        std::size_t end = 0;
        fields.push_back(fieldAt(line, start, end, [&](std::size_t from) { return line.find(sep, from); }));
        if (end == std::string_view::npos)
            return;
        start = end + 1;
    }
}
