#pragma once

#include <QString>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>

// Blocks of bytes handed from one thread to another, at most `capacity` of them waiting: the
// writer waits while the reader is behind, the reader while nothing has come.
class BlockQueue
{
public:
    explicit BlockQueue(std::size_t capacity);

    // False once the reader has stopped: the writer need not go on.
    bool push(std::string block);
    // No block follows; a failure says why the blocks end early.
    void close(const QString& failure = QString());
    // The next block; false, and `block` empty, when they have ended.
    bool pop(std::string& block);
    // The reader takes no more: a writer waiting to push returns.
    void stop();
    QString failure() const;

private:
    const std::size_t capacity;
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::string> blocks;
    bool closed = false;
    bool stopped = false;
    QString failed;
};
