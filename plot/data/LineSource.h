#pragma once

#include <cstddef>
#include <string_view>

// The lines of a text, one after the other, as a text-mode read gives them: a line ends at
// '\n', a "\r\n" ending counts as '\n', neither belongs to the line, and a leading byte-order
// mark is dropped. Whether the text lies in memory or is read from a file a block at a time
// is the source's business.
class LineSource
{
public:
    virtual ~LineSource() = default;

    virtual bool atEnd() = 0;
    // The next line, valid until the next call; an empty view at the end.
    virtual std::string_view next() = 0;
    // How many bytes are still to come, as far as known: a guess to reserve by.
    virtual std::size_t bytesLeft() const = 0;

protected:
    // Decoding a line to text drops a leading byte-order mark, so the readers never see one.
    static std::string_view withoutByteOrderMark(std::string_view line)
    {
        if (line.size() >= 3 && line[0] == '\xEF' && line[1] == '\xBB' && line[2] == '\xBF')
            line.remove_prefix(3);
        return line;
    }
};
