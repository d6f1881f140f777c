#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A text from which threads take blocks, each thread on its own, by their place in it.
class BlockSource
{
public:
    virtual ~BlockSource() = default;

    // Asked on the thread that made the source only.
    virtual std::size_t size() const = 0;
    // The bytes [from, from + count), held in `buffer` where they need a place; false, with
    // nothing, where they cannot all be read. Safe to call from many threads at once.
    virtual bool read(std::size_t from, std::size_t count, std::string& buffer, std::string_view& bytes) const = 0;
};
