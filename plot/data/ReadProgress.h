#pragma once

#include <atomic>
#include <cstdint>

// How far a long read has come, and whether the user wants it stopped, shared by the thread
// that reads and the one that shows the progress. A reader reaches the one it works for
// through its thread's `current()`, so no reader has to carry it through its signature; a
// thread nobody watches has none, and its reports go nowhere.
class ReadProgress
{
public:
    // The calling thread's, or null.
    static ReadProgress* current();
    static void makeCurrent(ReadProgress* progress);
    // Report to and ask the calling thread's, if it has one.
    static void report(std::uint64_t done, std::uint64_t total);
    static bool cancelRequested();

    void set(std::uint64_t done, std::uint64_t total);
    // Whether a total was reported, so that a fraction of it means something.
    bool measured() const { return total.load() > 0; }
    // The part done in thousandths, 0 while nothing is measured, never above 1000.
    int permille() const;

    void cancel() { cancelFlag.store(true); }
    bool cancelled() const { return cancelFlag.load(); }

private:
    std::atomic<std::uint64_t> done{0};
    std::atomic<std::uint64_t> total{0};
    std::atomic<bool> cancelFlag{false};
};
