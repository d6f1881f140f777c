#pragma once

#include <chrono>
#include <future>
#include <stdexcept>
#include <string>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A FIFO made where a test wants one. Opening it for reading waits until a
// writer comes, so code under test that opens it runs under a watchdog: when
// the action has not finished after a few seconds, the watchdog opens the
// other end, which lets the waiting open return, and the test fails instead
// of hanging.
class CalcFifo {
public:
    explicit CalcFifo(std::string path)
        : path_(std::move(path))
    {
        if (mkfifo(path_.c_str(), 0600) != 0)
            throw std::runtime_error("cannot make the FIFO " + path_);
    }

    const std::string& path() const { return path_; }

    // Runs the action and returns its result; `waited` tells whether the
    // watchdog had to free it.
    template <class Action>
    auto runGuarded(Action action, bool& waited) const
    {
        auto result = std::async(std::launch::async, std::move(action));
        waited = result.wait_for(std::chrono::seconds(5)) == std::future_status::timeout;
        while (result.wait_for(std::chrono::milliseconds(100)) == std::future_status::timeout)
            freeReader();
        return result.get();
    }

private:
    // A writer that comes and goes at once: the waiting reader then reads the end.
    void freeReader() const
    {
        const int end = open(path_.c_str(), O_WRONLY | O_NONBLOCK);
        if (end >= 0)
            close(end);
    }

    std::string path_;
};
