#pragma once

#include "LineSource.h"

#include <string>

class BlockQueue;

// The lines of a text that another thread writes as it goes, in blocks of whole lines, so
// that the table rules read a sheet while its XML is still being read.
class PipeLines : public LineSource
{
public:
    // `expected` guesses the bytes of the whole text, for the readers to reserve by.
    PipeLines(BlockQueue& blocks, std::size_t expected);

    bool atEnd() override;
    std::string_view next() override;
    std::size_t bytesLeft() const override { return left; }

private:
    bool fill();

    BlockQueue& blocks;
    std::string block;
    std::size_t at = 0;
    std::size_t left;
    bool ended = false;
};
