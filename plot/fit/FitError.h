#pragma once

#include <stdexcept>

// Every failure of a curve fit that the user can act on: a model that does not parse, too
// few points, a fit that does not converge, a model that is not finite. The text is the
// message to show.
class FitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
