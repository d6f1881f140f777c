#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

// The plans of the few lengths used last, for one thread: planning again costs more than a
// transform, and a plan's scratch must not be shared between threads. Small plans (segments of
// a spectrum) are what repeats; a plan of a whole long curve holds hundreds of megabytes, so
// the older plans go once all together exceed a budget of points, and only the plan just asked
// for may exceed it on its own.
template <class Plan>
class FftPlanCache
{
public:
    static constexpr std::size_t kPointBudget = std::size_t(1) << 21;

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
        keepWithinBudget();
        return *plans_.front();
    }

private:
    void keepWithinBudget()
    {
        std::size_t points = 0;
        auto kept = plans_.begin();
        for (; kept != plans_.end(); ++kept) {
            points += (*kept)->size();
            if (points > kPointBudget && kept != plans_.begin())
                break;
        }
        plans_.erase(kept, plans_.end());
    }

    std::size_t capacity_;
    // The most recently used first.
    std::vector<std::unique_ptr<Plan>> plans_;
};
