#include "ParallelTasks.h"

#include "ReadProgress.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

void runInParallel(std::size_t count, unsigned threads, const std::function<void(std::size_t, unsigned)>& task)
{
    // Each task's slot is written by the one thread that ran it.
    std::vector<std::exception_ptr> errors(count);
    std::atomic<std::size_t> next{0};
    const auto work = [&](unsigned thread) {
        for (std::size_t i = next++; i < count; i = next++) {
            try {
                task(i, thread);
            } catch (...) {
                errors[i] = std::current_exception();
            }
        }
    };
    ReadProgress* const progress = ReadProgress::current();
    const auto help = [&](unsigned thread) {
        ReadProgress::makeCurrent(progress);
        work(thread);
    };
    std::vector<std::thread> helpers;
    const std::size_t wanted = std::min<std::size_t>(std::max(threads, 1u), count);
    try {
        helpers.reserve(wanted);
        while (helpers.size() + 1 < wanted)
            helpers.emplace_back(help, unsigned(helpers.size() + 1));
    } catch (const std::exception&) {
        // The threads already started and this one do the work.
    }
    work(0);
    for (std::thread& helper : helpers)
        helper.join();
    for (const std::exception_ptr& error : errors) {
        if (error)
            std::rethrow_exception(error);
    }
}
