#pragma once

#include <QArrayData>

#include <climits>
#include <cstddef>

// The most points one curve can hold. A curve keeps its x values and its y values each in
// one Qt vector of doubles, and Qt 5 allocates an array as one block of at most INT_MAX
// bytes, its header (and any padding after it) included; a larger vector ends the program.
// Whatever makes a curve (a script run, the data readers, the plot's own entry points)
// refuses or cuts a count beyond this before it spends time or memory on the points.
constexpr std::size_t kMaxCurvePoints =
    (std::size_t(INT_MAX) - sizeof(QArrayData) - alignof(double)) / sizeof(double);

// Whether one curve can hold `count` points: the bound itself still fits.
constexpr bool curveHolds(std::size_t count)
{
    return count <= kMaxCurvePoints;
}
