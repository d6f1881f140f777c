#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

// The plans of the few lengths used last, for one thread: planning again costs more than a
// transform, and a plan's scratch must not be shared between threads.
template <class Plan>
class FftPlanCache
{
public:
    explicit FftPlanCache(std::size_t capacity)
        : capacity_(capacity)
    {
    }

    // The plan for n, made if need be; the one used longest ago makes room. A reference
    // stays valid until `capacity` other lengths have been asked for. May throw what the
    // plan's constructor throws, and then changes nothing.
    const Plan& planFor(std::size_t n)
    {
        auto found = std::find_if(plans_.begin(), plans_.end(),
                                  [n](const std::unique_ptr<Plan>& plan) { return plan->size() == n; });
        if (found != plans_.end()) {
            std::rotate(plans_.begin(), found, found + 1);
            return *plans_.front();
        }
        auto plan = std::make_unique<Plan>(n);
        if (plans_.size() == capacity_)
            plans_.pop_back();
        plans_.insert(plans_.begin(), std::move(plan));
        return *plans_.front();
    }

private:
    std::size_t capacity_;
    // The most recently used first.
    std::vector<std::unique_ptr<Plan>> plans_;
};
