#pragma once

#include "ReaderThreads.h"

#include <cstddef>

// How the rows of a large text table are shared out among threads: cut into blocks at line
// ends, each block read whole by one thread.
struct BlockPlan {
    // Below this the threads would cost more than they save, and a file is read as ever.
    static constexpr std::size_t kParallelBytes = std::size_t(4) << 20;

    unsigned threads = 1;
    // A block holds the lines that begin in this many bytes; 0 chooses blocks that stay in a
    // core's cache and give each thread several, so that one that finishes early takes on
    // another.
    std::size_t blockBytes = 0;
    // Texts no longer than this are read on one thread.
    std::size_t minBytes = kParallelBytes;

    static BlockPlan forMachine() { return {readerThreads(), 0, kParallelBytes}; }

    bool parallel(std::size_t bytes) const { return threads > 1 && bytes > minBytes; }
};
