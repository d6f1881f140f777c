#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

// One error description: an identifier such as "CALCPARSINGEXCEP_UndefinedVar"
// and up to four named text parameters, kept in the order added.
class CalcExcepData {
public:
    static constexpr std::uint32_t maxParams = 4;
    using Param = std::pair<std::string, std::string>;

    CalcExcepData() = default;
    explicit CalcExcepData(std::string identifier, std::initializer_list<Param> params = {});

    const std::string& identifier() const { return identifier_; }
    std::uint32_t paramCount() const { return count_; }
    const std::string& paramName(std::uint32_t index) const;
    const std::string& paramValue(std::uint32_t index) const;
    // The value of the named parameter, or empty text when it is absent.
    std::string valueOf(std::string_view name) const;

    // A fifth parameter is dropped: the message templates name at most four.
    void addParam(std::string name, std::string value);

private:
    std::string identifier_;
    std::array<std::string, maxParams> names_;
    std::array<std::string, maxParams> values_;
    std::uint32_t count_ = 0;
};
