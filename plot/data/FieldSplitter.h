#pragma once

#include <string_view>
#include <vector>

// Cuts a table's line into fields at one separator. Blanks around a field never belong to
// it, so "1, 2" splits at the comma; a blank separator takes any run of blanks and TABs as
// one; a TAB separator takes each TAB as one, so a blank-only field between two TABs is an
// empty field. A field in double quotes may hold the separator.
class FieldSplitter
{
public:
    explicit FieldSplitter(char separator = ',');

    char separator() const { return sep; }
    // The fields, without their quotes, valid until the next call and as long as the line.
    const std::vector<std::string_view>& split(std::string_view line);

    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }
    static std::string_view trimmed(std::string_view s);
    // Blank lines, '#' lines and "//" lines are no rows of a table.
    static bool isNoRow(std::string_view line);

private:
    void splitAtBlanks(std::string_view line);
    void splitAtSeparator(std::string_view line);

    char sep;
    std::vector<std::string_view> fields;
};
