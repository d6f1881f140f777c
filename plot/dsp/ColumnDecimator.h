#pragma once

#include <cstddef>
#include <vector>

// Thins a line of many more points than pixel columns. Fed points whose pixel x never
// decreases, it keeps the first, lowest, highest and last point of every column: a line
// through the kept points lights exactly the pixels the whole line lights.
class ColumnDecimator
{
public:
    void add(std::size_t index, double px, double py);
    // The kept indices in ascending order; the decimator starts afresh afterwards.
    std::vector<std::size_t> finish();

private:
    struct Kept {
        std::size_t index;
        double py;
    };
    void flush();

    std::vector<std::size_t> kept;
    bool open = false;
    double column = 0.0;
    Kept first{}, lowest{}, highest{}, last{};
};
