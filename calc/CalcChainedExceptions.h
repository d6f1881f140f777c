#pragma once

#include "CalcException.h"
#include "CalcMessageTable.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>

// The engine's exception: a short chain of error records, the most recent at
// index 0. It is a value; a caught chain outlives the engine that threw it.
template <class Data>
class CalcChainedExceptions : public CalcException {
public:
    static constexpr std::uint32_t maxRecords = 4;

    struct Record {
        std::int32_t line = 0;
        std::string sourceUnit;
        std::int32_t reserved = 0;
        Data data;
        std::string description;
    };

    CalcChainedExceptions() = default;

    // Throws a chain of one record described by the default English message.
    [[noreturn]] static void raise(std::int32_t line, const char* sourceUnit, Data data)
    {
        CalcChainedExceptions chain;
        std::string description = CalcMessageTable::defaultMessage(data);
        chain.addRecord(line, sourceUnit, std::move(data), std::move(description));
        throw chain;
    }

    // A fifth record is dropped: callers add context, they never depend on it.
    void addRecord(std::int32_t line, std::string sourceUnit, Data data, std::string description)
    {
        if (count_ == maxRecords)
            return;
        records_[count_] = Record{line, std::move(sourceUnit), 0, std::move(data), std::move(description)};
        ++count_;
        refreshText();
    }

    // A record described by the default English message of its data.
    void addRecord(std::int32_t line, std::string sourceUnit, Data data)
    {
        std::string description = CalcMessageTable::defaultMessage(data);
        addRecord(line, std::move(sourceUnit), std::move(data), std::move(description));
    }

    // Takes the other chain's records from its most recent to its first.
    void appendChain(const CalcChainedExceptions& other)
    {
        for (std::uint32_t i = 0; i < other.count(); ++i) {
            const Record& r = other.record(i);
            addRecord(r.line, r.sourceUnit, r.data, r.description);
        }
    }

    // An index beyond the chain gives an empty record rather than undefined memory.
    const Record& record(std::uint32_t index) const
    {
        static const Record none;
        return index < count_ ? records_[count_ - 1 - index] : none;
    }

    std::uint32_t count() const override { return count_; }
    const std::string& description(std::uint32_t index) const override
    {
        return record(index).description;
    }
    std::int32_t line() const override { return record(0).line; }
    const std::string& sourceUnit() const override { return record(0).sourceUnit; }

private:
    std::array<Record, maxRecords> records_;
    std::uint32_t count_ = 0;
};
