#pragma once

#include "BlockSource.h"

// Blocks of a text that lies in memory whole: they are views of it, never copies.
class MemoryBlocks : public BlockSource
{
public:
    explicit MemoryBlocks(std::string_view text)
        : text(text)
    {
    }

    std::size_t size() const override { return text.size(); }
    bool read(std::size_t from, std::size_t count, std::string&, std::string_view& bytes) const override
    {
        bytes = from <= text.size() ? text.substr(from, count) : std::string_view();
        return bytes.size() == count;
    }

private:
    std::string_view text;
};
