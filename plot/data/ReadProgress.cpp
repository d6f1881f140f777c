#include "ReadProgress.h"

#include <algorithm>

namespace {

thread_local ReadProgress* threadProgress = nullptr;

} // namespace

ReadProgress* ReadProgress::current()
{
    return threadProgress;
}

void ReadProgress::makeCurrent(ReadProgress* progress)
{
    threadProgress = progress;
}

void ReadProgress::report(std::uint64_t done, std::uint64_t total)
{
    if (threadProgress)
        threadProgress->set(done, total);
}

bool ReadProgress::cancelRequested()
{
    return threadProgress && threadProgress->cancelled();
}

void ReadProgress::set(std::uint64_t doneNow, std::uint64_t totalNow)
{
    done.store(doneNow);
    total.store(totalNow);
}

// The two counts are read one after the other while the reader may move on in between, so
// the fraction is kept within its bounds rather than trusted to be.
int ReadProgress::permille() const
{
    const std::uint64_t all = total.load();
    if (all == 0)
        return 0;
    const double part = double(std::min(done.load(), all)) / double(all);
    return int(part * 1000.0);
}
