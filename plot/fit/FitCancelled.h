#pragma once

#include <exception>

// A fit that its caller stopped between two iterations. No failure: nothing is reported, and
// nothing the fit would have added is added.
class FitCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "The fit was cancelled."; }
};
