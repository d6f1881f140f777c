#pragma once

#include "BlockQueue.h"

#include <functional>
#include <thread>

// A thread that writes blocks into a queue, stopped and joined when this goes, also when the
// reader leaves early or by an exception.
class BlockWriter
{
public:
    BlockWriter(BlockQueue& blocks, std::function<void()> work)
        : blocks(blocks)
        , thread(std::move(work))
    {
    }
    ~BlockWriter()
    {
        blocks.stop();
        thread.join();
    }
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

private:
    BlockQueue& blocks;
    std::thread thread;
};
