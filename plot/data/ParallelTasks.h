#pragma once

#include <cstddef>
#include <functional>

// Runs task(0, t) ... task(count - 1, t) on up to `threads` threads, the calling one among
// them, each task once, taken in order of its number as threads come free; t numbers the
// thread that runs it, from 0 to threads - 1, so that a task may use what its thread owns. Returns when every
// task has ended. What a task throws stays in its thread; once all have ended, the
// exception of the lowest-numbered task that threw is thrown here, as if the tasks had run
// one after the other on the calling thread. Where the system grants fewer threads, fewer run.
// Every thread reports to, and hears a cancel request from, the calling thread's ReadProgress.
void runInParallel(std::size_t count, unsigned threads, const std::function<void(std::size_t, unsigned)>& task);
