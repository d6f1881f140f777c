#pragma once

#include <cstdint>
#include <exception>
#include <string>

// Base of the engine's one exception type. It offers the chain's records as
// plain texts, so that a caller needs no knowledge of the record payload.
class CalcException : public std::exception {
public:
    ~CalcException() override;

    virtual std::uint32_t count() const = 0;
    // Index 0 is the most recently added record.
    virtual const std::string& description(std::uint32_t index) const = 0;
    // Line and source unit of the most recently added record.
    virtual std::int32_t line() const = 0;
    virtual const std::string& sourceUnit() const = 0;

    // Every description, most recent first, joined with "\r\n".
    const std::string& text() const { return text_; }
    const char* what() const noexcept override { return text_.c_str(); }

protected:
    void refreshText();

private:
    std::string text_;
};
