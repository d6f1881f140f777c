#pragma once

// The engine's own 15-bit pseudo-random sequence, the same on every platform
// and in every run: values 0 to 32767, never seeded. Each thread has its own
// sequence, so engines on different threads share no changing state.
class CalcRandomGenerator {
public:
    static constexpr int maxValue = 32767;

    static int next();
};
