#include "BlockQueue.h"

BlockQueue::BlockQueue(std::size_t capacity)
    : capacity(capacity)
{
}

bool BlockQueue::push(std::string block)
{
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return stopped || blocks.size() < capacity; });
    if (stopped)
        return false;
    blocks.push_back(std::move(block));
    changed.notify_all();
    return true;
}

void BlockQueue::close(const QString& failure)
{
    const std::lock_guard<std::mutex> lock(mutex);
    closed = true;
    failed = failure;
    changed.notify_all();
}

bool BlockQueue::pop(std::string& block)
{
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return closed || !blocks.empty(); });
    if (blocks.empty()) {
        block.clear();
        return false;
    }
    block = std::move(blocks.front());
    blocks.pop_front();
    changed.notify_all();
    return true;
}

void BlockQueue::stop()
{
    const std::lock_guard<std::mutex> lock(mutex);
    stopped = true;
    blocks.clear();
    changed.notify_all();
}

QString BlockQueue::failure() const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return failed;
}
