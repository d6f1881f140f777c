#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// The localizer's records of one kind, in the order read, found by index or
// by the text in their `key` field. When several files describe the same key,
// the record read first is the one found.
template <class Info, std::string Info::*key>
class CalcInfoTable {
public:
    std::uint32_t size() const { return static_cast<std::uint32_t>(records_.size()); }

    // Null when there is no such record.
    const Info* at(std::uint32_t index) const { return index < records_.size() ? &records_[index] : nullptr; }
    const Info* find(const std::string& text) const
    {
        const auto found = index_.find(text);
        return found == index_.end() ? nullptr : &records_[found->second];
    }

    void add(Info info)
    {
        index_.emplace(info.*key, size());
        records_.push_back(std::move(info));
    }
    void append(const CalcInfoTable& other)
    {
        for (const Info& info : other.records_)
            add(info);
    }
    void clear()
    {
        records_.clear();
        index_.clear();
    }

private:
    std::vector<Info> records_;
    std::unordered_map<std::string, std::uint32_t> index_;
};
