#pragma once

// The vectors of the transform's loops (FftKernels.h): two lanes anywhere, four where the
// instruction set has them, and complex numbers of them, split into real and imaginary parts.
// Each file that includes it builds its own copy for its own instruction set, so everything
// here has internal linkage and calls nothing but builtins: a copy built for a wider
// instruction set must never stand in for the other.

#include <cstddef>
#include <cstring>

namespace {

typedef double Lanes2 __attribute__((vector_size(16)));

template <class T>
struct Simd;

template <>
struct Simd<double> {
    static constexpr std::size_t lanes = 1;
    static double splat(double x) { return x; }
    static double lane(double v, std::size_t) { return v; }
    static double reversed(double v) { return v; }
};

template <>
struct Simd<Lanes2> {
    static constexpr std::size_t lanes = 2;
    static Lanes2 splat(double x) { return Lanes2{x, x}; }
    static double lane(Lanes2 v, std::size_t l) { return v[l]; }
    static Lanes2 reversed(Lanes2 v) { return __builtin_shufflevector(v, v, 1, 0); }
    static Lanes2 evens(Lanes2 a, Lanes2 b) { return __builtin_shufflevector(a, b, 0, 2); }
    static Lanes2 odds(Lanes2 a, Lanes2 b) { return __builtin_shufflevector(a, b, 1, 3); }
    static Lanes2 zipLow(Lanes2 a, Lanes2 b) { return __builtin_shufflevector(a, b, 0, 2); }
    static Lanes2 zipHigh(Lanes2 a, Lanes2 b) { return __builtin_shufflevector(a, b, 1, 3); }
};

// Four lanes only where the instruction set holds them in one register.
#ifdef __AVX__
typedef double Lanes4 __attribute__((vector_size(32)));

template <>
struct Simd<Lanes4> {
    static constexpr std::size_t lanes = 4;
    static Lanes4 splat(double x) { return Lanes4{x, x, x, x}; }
    static double lane(Lanes4 v, std::size_t l) { return v[l]; }
    static Lanes4 reversed(Lanes4 v) { return __builtin_shufflevector(v, v, 3, 2, 1, 0); }
    static Lanes4 evens(Lanes4 a, Lanes4 b) { return __builtin_shufflevector(a, b, 0, 2, 4, 6); }
    static Lanes4 odds(Lanes4 a, Lanes4 b) { return __builtin_shufflevector(a, b, 1, 3, 5, 7); }
    static Lanes4 zipLow(Lanes4 a, Lanes4 b) { return __builtin_shufflevector(a, b, 0, 4, 1, 5); }
    static Lanes4 zipHigh(Lanes4 a, Lanes4 b) { return __builtin_shufflevector(a, b, 2, 6, 3, 7); }
    // Rows v[0 … 3] become columns.
    static void transpose(Lanes4* v)
    {
        const Lanes4 t0 = __builtin_shufflevector(v[0], v[1], 0, 4, 2, 6);
        const Lanes4 t1 = __builtin_shufflevector(v[0], v[1], 1, 5, 3, 7);
        const Lanes4 t2 = __builtin_shufflevector(v[2], v[3], 0, 4, 2, 6);
        const Lanes4 t3 = __builtin_shufflevector(v[2], v[3], 1, 5, 3, 7);
        v[0] = __builtin_shufflevector(t0, t2, 0, 1, 4, 5);
        v[1] = __builtin_shufflevector(t1, t3, 0, 1, 4, 5);
        v[2] = __builtin_shufflevector(t0, t2, 2, 3, 6, 7);
        v[3] = __builtin_shufflevector(t1, t3, 2, 3, 6, 7);
    }
};
#endif

template <class T>
[[gnu::always_inline]] inline T load(const double* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class T>
[[gnu::always_inline]] inline void store(double* p, T v)
{
    std::memcpy(p, &v, sizeof v);
}

// Splits 2·lanes neighbours into the even and the odd ones.
template <class T>
[[gnu::always_inline]] inline void deinterleave(const double* p, T& even, T& odd)
{
    if constexpr (Simd<T>::lanes == 1) {
        even = p[0];
        odd = p[1];
    } else {
        const T a = load<T>(p);
        const T b = load<T>(p + Simd<T>::lanes);
        even = Simd<T>::evens(a, b);
        odd = Simd<T>::odds(a, b);
    }
}

template <class T>
struct Cx {
    T re;
    T im;
};

template <class T>
[[gnu::always_inline]] inline Cx<T> operator+(Cx<T> a, Cx<T> b)
{
    return {a.re + b.re, a.im + b.im};
}

template <class T>
[[gnu::always_inline]] inline Cx<T> operator-(Cx<T> a, Cx<T> b)
{
    return {a.re - b.re, a.im - b.im};
}

template <class T>
[[gnu::always_inline]] inline Cx<T> scaled(Cx<T> a, T f)
{
    return {a.re * f, a.im * f};
}

// −i·a
template <class T>
[[gnu::always_inline]] inline Cx<T> minusI(Cx<T> a)
{
    return {a.im, -a.re};
}

template <class T>
[[gnu::always_inline]] inline Cx<T> times(Cx<T> a, Cx<T> w)
{
    return {a.re * w.re - a.im * w.im, a.re * w.im + a.im * w.re};
}

template <class T>
[[gnu::always_inline]] inline Cx<T> splat(double re, double im)
{
    return {Simd<T>::splat(re), Simd<T>::splat(im)};
}

// Calls group<T>(j) for j = 0 … count − 1 in steps of W's lanes, then of two lanes, then
// one, so a count that W does not divide still runs mostly in vectors.
template <class W, class Group>
[[gnu::always_inline]] inline void forLanes(std::size_t count, Group group)
{
    std::size_t j = 0;
    for (; j + Simd<W>::lanes <= count; j += Simd<W>::lanes)
        group(W(), j);
    if constexpr (Simd<W>::lanes > 2) {
        if (j + 2 <= count) {
            group(Lanes2(), j);
            j += 2;
        }
    }
    for (; j < count; ++j)
        group(0.0, j);
}

} // namespace
