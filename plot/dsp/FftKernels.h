#pragma once

// The loops behind FftKernelTable, written once for vectors of W lanes (two or four
// doubles). Each file that includes this header builds its own copy for its own instruction
// set, so everything here has internal linkage and calls nothing but builtins: a copy built
// for a wider instruction set must never stand in for the other.

#include "FftKernelTable.h"

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

// The butterflies b[r] = Σ_t a[t]·e^(−2πi·r·t/p), in place. The odd radices pair t with
// p − t, so each output pair r, p − r shares one real part A and one imaginary part B:
// b[r] = A − i·B and b[p − r] = A + i·B.
template <int P>
struct Radix;

template <>
struct Radix<2> {
    template <class T>
    [[gnu::always_inline]] static void apply(Cx<T>* a)
    {
        const Cx<T> a0 = a[0];
        a[0] = a0 + a[1];
        a[1] = a0 - a[1];
    }
};

template <>
struct Radix<3> {
    template <class T>
    [[gnu::always_inline]] static void apply(Cx<T>* a)
    {
        const T sin1 = Simd<T>::splat(0x1.bb67ae8584caap-1); // sin(2π/3)
        const Cx<T> t = a[1] + a[2];
        const Cx<T> b = minusI(scaled(a[1] - a[2], sin1));
        const Cx<T> m = a[0] - scaled(t, Simd<T>::splat(0.5));
        a[0] = a[0] + t;
        a[1] = m + b;
        a[2] = m - b;
    }
};

template <>
struct Radix<4> {
    template <class T>
    [[gnu::always_inline]] static void apply(Cx<T>* a)
    {
        const Cx<T> t0 = a[0] + a[2];
        const Cx<T> t1 = a[0] - a[2];
        const Cx<T> t2 = a[1] + a[3];
        const Cx<T> t3 = minusI(a[1] - a[3]);
        a[0] = t0 + t2;
        a[2] = t0 - t2;
        a[1] = t1 + t3;
        a[3] = t1 - t3;
    }
};

template <>
struct Radix<5> {
    template <class T>
    [[gnu::always_inline]] static void apply(Cx<T>* a)
    {
        const T cos1 = Simd<T>::splat(0x1.3c6ef372fe950p-2); // cos(2π/5)
        const T cos2 = Simd<T>::splat(-0x1.9e3779b97f4a8p-1); // cos(4π/5)
        const T sin1 = Simd<T>::splat(0x1.e6f0e134454ffp-1); // sin(2π/5)
        const T sin2 = Simd<T>::splat(0x1.2cf2304755a5ep-1); // sin(4π/5)
        const Cx<T> t1 = a[1] + a[4];
        const Cx<T> t2 = a[2] + a[3];
        const Cx<T> d1 = a[1] - a[4];
        const Cx<T> d2 = a[2] - a[3];
        const Cx<T> a1 = a[0] + scaled(t1, cos1) + scaled(t2, cos2);
        const Cx<T> a2 = a[0] + scaled(t1, cos2) + scaled(t2, cos1);
        const Cx<T> b1 = minusI(scaled(d1, sin1) + scaled(d2, sin2));
        const Cx<T> b2 = minusI(scaled(d1, sin2) - scaled(d2, sin1));
        a[0] = a[0] + t1 + t2;
        a[1] = a1 + b1;
        a[4] = a1 - b1;
        a[2] = a2 + b2;
        a[3] = a2 - b2;
    }
};

template <>
struct Radix<7> {
    template <class T>
    [[gnu::always_inline]] static void apply(Cx<T>* a)
    {
        const T cos1 = Simd<T>::splat(0x1.3f3a0e28bedd1p-1); // cos(2π/7)
        const T cos2 = Simd<T>::splat(-0x1.c7b90e3024582p-3); // cos(4π/7)
        const T cos3 = Simd<T>::splat(-0x1.cd4bca9cb5c71p-1); // cos(6π/7)
        const T sin1 = Simd<T>::splat(0x1.904c37505de4bp-1); // sin(2π/7)
        const T sin2 = Simd<T>::splat(0x1.f329c0558e969p-1); // sin(4π/7)
        const T sin3 = Simd<T>::splat(0x1.bc4c04d71abc1p-2); // sin(6π/7)
        const Cx<T> t1 = a[1] + a[6];
        const Cx<T> t2 = a[2] + a[5];
        const Cx<T> t3 = a[3] + a[4];
        const Cx<T> d1 = a[1] - a[6];
        const Cx<T> d2 = a[2] - a[5];
        const Cx<T> d3 = a[3] - a[4];
        const Cx<T> a1 = a[0] + scaled(t1, cos1) + scaled(t2, cos2) + scaled(t3, cos3);
        const Cx<T> a2 = a[0] + scaled(t1, cos2) + scaled(t2, cos3) + scaled(t3, cos1);
        const Cx<T> a3 = a[0] + scaled(t1, cos3) + scaled(t2, cos1) + scaled(t3, cos2);
        const Cx<T> b1 = minusI(scaled(d1, sin1) + scaled(d2, sin2) + scaled(d3, sin3));
        const Cx<T> b2 = minusI(scaled(d1, sin2) - scaled(d2, sin3) - scaled(d3, sin1));
        const Cx<T> b3 = minusI(scaled(d1, sin3) - scaled(d2, sin1) + scaled(d3, sin2));
        a[0] = a[0] + t1 + t2 + t3;
        a[1] = a1 + b1;
        a[6] = a1 - b1;
        a[2] = a2 + b2;
        a[5] = a2 - b2;
        a[3] = a3 + b3;
        a[4] = a3 - b3;
    }
};

// Two halves of 4 first, then the odd half turned by e^(−2πi·u/8) and a radix-4 butterfly
// on each: the even half gives the even outputs, the odd half the odd ones.
template <>
struct Radix<8> {
    template <class T>
    [[gnu::always_inline]] static void apply(Cx<T>* a)
    {
        const T half = Simd<T>::splat(0x1.6a09e667f3bcdp-1); // √2/2
        Cx<T> e[4];
        Cx<T> f[4];
#pragma GCC unroll 4
        for (int u = 0; u < 4; ++u) {
            e[u] = a[u] + a[u + 4];
            f[u] = a[u] - a[u + 4];
        }
        // (x + iy)·(1 − i)/√2 and (x + iy)·(−1 − i)/√2
        f[1] = {(f[1].re + f[1].im) * half, (f[1].im - f[1].re) * half};
        f[2] = minusI(f[2]);
        f[3] = {(f[3].im - f[3].re) * half, -(f[3].re + f[3].im) * half};
        Radix<4>::apply(e);
        Radix<4>::apply(f);
#pragma GCC unroll 4
        for (int u = 0; u < 4; ++u) {
            a[2 * u] = e[u];
            a[2 * u + 1] = f[u];
        }
    }
};

template <int P, class T>
[[gnu::always_inline]] inline void loadGroup(Cx<T>* a, const double* re, const double* im,
                                             std::size_t stride)
{
#pragma GCC unroll 8
    for (int t = 0; t < P; ++t)
        a[t] = {load<T>(re + t * stride), load<T>(im + t * stride)};
}

template <int P, class T>
[[gnu::always_inline]] inline void storeGroup(const Cx<T>* b, double* re, double* im,
                                              std::size_t stride)
{
#pragma GCC unroll 8
    for (int r = 0; r < P; ++r) {
        store(re + r * stride, b[r].re);
        store(im + r * stride, b[r].im);
    }
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

// A pass whose span is at least 2: the vectors run along j, and each group's twiddle factors
// are one value per row.
template <int P, class W>
void widePass(const FftPassData& d)
{
    const std::size_t s = d.span;
    const std::size_t m = d.count;
    for (std::size_t q = 0; q < m; ++q) {
        double wRe[P];
        double wIm[P];
#pragma GCC unroll 8
        for (int r = 1; r < P; ++r) {
            wRe[r] = d.twiddleRe[(r - 1) * m + q];
            wIm[r] = d.twiddleIm[(r - 1) * m + q];
        }
        const double* inRe = d.inRe + s * q;
        const double* inIm = d.inIm + s * q;
        double* outRe = d.outRe + s * P * q;
        double* outIm = d.outIm + s * P * q;
        forLanes<W>(s, [&](auto lanes, std::size_t j) {
            using T = decltype(lanes);
            Cx<T> a[P];
            loadGroup<P>(a, inRe + j, inIm + j, s * m);
            Radix<P>::apply(a);
#pragma GCC unroll 8
            for (int r = 1; r < P; ++r)
                a[r] = times(a[r], splat<T>(wRe[r], wIm[r]));
            storeGroup<P>(a, outRe + j, outIm + j, s);
        });
    }
}

// out[P·l + r] = v[r] lane l: P vectors of lanes along q become the P neighbours of each q.
// Even radices go by whole vectors, shuffled; odd ones lane by lane.
template <int P, class T>
[[gnu::always_inline]] inline void storeTransposed(const T* v, double* out)
{
    constexpr std::size_t lanes = Simd<T>::lanes;
    if constexpr (lanes == 2 && P % 2 == 0) {
#pragma GCC unroll 4
        for (int r = 0; r < P; r += 2) {
            store(out + r, Simd<T>::zipLow(v[r], v[r + 1]));
            store(out + P + r, Simd<T>::zipHigh(v[r], v[r + 1]));
        }
    } else if constexpr (lanes == 4 && P == 2) {
        store(out, Simd<T>::zipLow(v[0], v[1]));
        store(out + 4, Simd<T>::zipHigh(v[0], v[1]));
    } else if constexpr (lanes == 4 && P % 4 == 0) {
#pragma GCC unroll 2
        for (int r = 0; r < P; r += 4) {
            T block[4] = {v[r], v[r + 1], v[r + 2], v[r + 3]};
            Simd<T>::transpose(block);
#pragma GCC unroll 4
            for (std::size_t l = 0; l < 4; ++l)
                store(out + P * l + r, block[l]);
        }
    } else {
#pragma GCC unroll 4
        for (std::size_t l = 0; l < lanes; ++l) {
#pragma GCC unroll 8
            for (int r = 0; r < P; ++r)
                out[P * l + r] = Simd<T>::lane(v[r], l);
        }
    }
}

// The first pass of a single sequence (span 1): the vectors run along q, reading
// neighbouring points and twiddle factors, and each lane's p results go to p neighbours.
template <int P, class W>
void narrowPass(const FftPassData& d)
{
    const std::size_t m = d.count;
    forLanes<W>(m, [&](auto lanes, std::size_t q) {
        using T = decltype(lanes);
        Cx<T> a[P];
        loadGroup<P>(a, d.inRe + q, d.inIm + q, m);
        Radix<P>::apply(a);
        T re[P];
        T im[P];
        re[0] = a[0].re;
        im[0] = a[0].im;
#pragma GCC unroll 8
        for (int r = 1; r < P; ++r) {
            const Cx<T> w = {load<T>(d.twiddleRe + (r - 1) * m + q),
                             load<T>(d.twiddleIm + (r - 1) * m + q)};
            const Cx<T> b = times(a[r], w);
            re[r] = b.re;
            im[r] = b.im;
        }
        storeTransposed<P>(re, d.outRe + P * q);
        storeTransposed<P>(im, d.outIm + P * q);
    });
}

// The last pass: no twiddle factors, each group reads and writes the same places, so it may
// run in place; it applies the transform's scale.
template <int P, class W>
void lastPass(const FftPassData& d)
{
    const std::size_t s = d.span;
    forLanes<W>(s, [&](auto lanes, std::size_t j) {
        using T = decltype(lanes);
        const T scale = Simd<T>::splat(d.scale);
        Cx<T> a[P];
        loadGroup<P>(a, d.inRe + j, d.inIm + j, s);
        Radix<P>::apply(a);
#pragma GCC unroll 8
        for (int r = 0; r < P; ++r)
            a[r] = scaled(a[r], scale);
        storeGroup<P>(a, d.outRe + j, d.outIm + j, s);
    });
}

template <int P, class W>
void passOf(const FftPassData& d)
{
    if (d.twiddleRe == nullptr)
        lastPass<P, W>(d);
    else if (d.span == 1)
        narrowPass<P, W>(d);
    else
        widePass<P, W>(d);
}

template <class W>
void pass(int radix, const FftPassData& d)
{
    switch (radix) {
    case 2: passOf<2, W>(d); break;
    case 3: passOf<3, W>(d); break;
    case 4: passOf<4, W>(d); break;
    case 5: passOf<5, W>(d); break;
    case 7: passOf<7, W>(d); break;
    default: passOf<8, W>(d); break;
    }
}

template <class W>
void joinHalves(const double* halfRe, const double* halfIm, std::size_t h, const double* rootRe,
                const double* rootIm, double scale, double* re, double* im)
{
    forLanes<W>(h, [&](auto lanes, std::size_t k) {
        using T = decltype(lanes);
        Cx<T> e;
        Cx<T> o;
        deinterleave(halfRe + 2 * k, e.re, o.re);
        deinterleave(halfIm + 2 * k, e.im, o.im);
        const Cx<T> wo = times(o, Cx<T>{load<T>(rootRe + k), load<T>(rootIm + k)});
        const T f = Simd<T>::splat(scale);
        const Cx<T> low = scaled(e + wo, f);
        const Cx<T> high = scaled(e - wo, f);
        store(re + k, low.re);
        store(im + k, low.im);
        store(re + k + h, high.re);
        store(im + k + h, high.im);
    });
}

template <class W>
void packReal(const double* x, std::size_t h, double* zRe, double* zIm)
{
    forLanes<W>(h, [&](auto lanes, std::size_t t) {
        using T = decltype(lanes);
        T even;
        T odd;
        deinterleave(x + 2 * t, even, odd);
        store(zRe + t, even);
        store(zIm + t, odd);
    });
}

// Where unpacking puts bins: split arrays of all n bins, the negative frequencies as the
// conjugates of the positive ones.
struct AllBins {
    double* re;
    double* im;
    std::size_t n;

    template <class T>
    void put(std::size_t k, Cx<T> x) const
    {
        store(re + k, x.re);
        store(im + k, x.im);
    }
    // Bins k − lanes + 1 … k, from the lanes in reverse order, and their mirrors.
    template <class T>
    void putBelow(std::size_t k, Cx<T> x) const
    {
        const std::size_t first = k + 1 - Simd<T>::lanes;
        store(re + first, Simd<T>::reversed(x.re));
        store(im + first, Simd<T>::reversed(x.im));
    }
    template <class T>
    void putPair(std::size_t k, std::size_t h, Cx<T> low, Cx<T> high) const
    {
        // X[k] = low, X[h − k] = conj(high), X[n − k] = conj(low), X[h + k] = high.
        put(k, low);
        putBelow(h - k, Cx<T>{high.re, -high.im});
        putBelow(n - k, Cx<T>{low.re, -low.im});
        put(h + k, high);
    }
    void putReal(std::size_t k, double value) const
    {
        re[k] = value;
        im[k] = 0.0;
    }
    void putMiddle(std::size_t k, double zRe, double zIm) const
    {
        put(k, Cx<double>{zRe, -zIm});
        put(n - k, Cx<double>{zRe, zIm});
    }
};

// Bins 0 … h only, as interleaved complex values.
struct HalfBins {
    double* out;

    template <class T>
    void put(std::size_t k, Cx<T> x) const
    {
        if constexpr (Simd<T>::lanes == 1) {
            out[2 * k] = x.re;
            out[2 * k + 1] = x.im;
        } else {
            store(out + 2 * k, Simd<T>::zipLow(x.re, x.im));
            store(out + 2 * k + Simd<T>::lanes, Simd<T>::zipHigh(x.re, x.im));
        }
    }
    template <class T>
    void putPair(std::size_t k, std::size_t h, Cx<T> low, Cx<T> high) const
    {
        put(k, low);
        put(h - k + 1 - Simd<T>::lanes,
            Cx<T>{Simd<T>::reversed(high.re), -Simd<T>::reversed(high.im)});
    }
    void putReal(std::size_t k, double value) const
    {
        out[2 * k] = value;
        out[2 * k + 1] = 0.0;
    }
    void putMiddle(std::size_t k, double zRe, double zIm) const
    {
        put(k, Cx<double>{zRe, -zIm});
    }
};

// Z[k] = E[k] + i·O[k], with E and O the transforms of the even and odd values, so
// E[k] = (Z[k] + conj Z[h − k])/2 and O[k] = (Z[k] − conj Z[h − k])/2i, and
// X[k] = E[k] + w^k·O[k]. Bin h − k takes the same E and O conjugated, and w^(h−k) =
// −conj w^k, so X[h − k] = conj(E[k] − w^k·O[k]): one pass works from both ends.
template <class W, class Bins>
void unpack(const double* zRe, const double* zIm, std::size_t h, const double* rootRe,
            const double* rootIm, double scale, const Bins& bins)
{
    bins.putReal(0, (zRe[0] + zIm[0]) * scale);
    bins.putReal(h, (zRe[0] - zIm[0]) * scale);
    // Bins 1 … (h − 1)/2 pair with h − 1 … h − (h − 1)/2; an even h leaves h/2 to itself.
    const std::size_t pairs = (h - 1) / 2;
    forLanes<W>(pairs, [&](auto lanes, std::size_t i) {
        using T = decltype(lanes);
        const std::size_t k = i + 1;
        const T half = Simd<T>::splat(0.5 * scale);
        const Cx<T> a = {load<T>(zRe + k), load<T>(zIm + k)};
        const std::size_t mirror = h - k + 1 - Simd<T>::lanes;
        const Cx<T> b = {Simd<T>::reversed(load<T>(zRe + mirror)),
                         Simd<T>::reversed(load<T>(zIm + mirror))};
        const Cx<T> e = {(a.re + b.re) * half, (a.im - b.im) * half};
        const Cx<T> o = {(a.im + b.im) * half, (b.re - a.re) * half};
        const Cx<T> wo = times(o, Cx<T>{load<T>(rootRe + k), load<T>(rootIm + k)});
        bins.putPair(k, h, e + wo, e - wo);
    });
    if (h % 2 == 0 && h >= 2)
        bins.putMiddle(h / 2, zRe[h / 2] * scale, zIm[h / 2] * scale);
}

template <class W>
void unpackReal(const double* zRe, const double* zIm, std::size_t h, const double* rootRe,
                const double* rootIm, double scale, double* re, double* im)
{
    unpack<W>(zRe, zIm, h, rootRe, rootIm, scale, AllBins{re, im, 2 * h});
}

template <class W>
void unpackRealHalf(const double* zRe, const double* zIm, std::size_t h, const double* rootRe,
                    const double* rootIm, double* out)
{
    unpack<W>(zRe, zIm, h, rootRe, rootIm, 1.0, HalfBins{out});
}

template <class W>
void multiplyRows(const double* inRe, const double* inIm, const double* factorRe,
                  const double* factorIm, std::size_t rows, std::size_t width, double scale,
                  double* outRe, double* outIm)
{
    // One column: the vectors run down it instead.
    if (width == 1) {
        forLanes<W>(rows, [&](auto lanes, std::size_t k) {
            using T = decltype(lanes);
            const Cx<T> x = {load<T>(inRe + k), load<T>(inIm + k)};
            const Cx<T> f = {load<T>(factorRe + k), load<T>(factorIm + k)};
            const Cx<T> y = scaled(times(x, f), Simd<T>::splat(scale));
            store(outRe + k, y.re);
            store(outIm + k, y.im);
        });
        return;
    }
    for (std::size_t k = 0; k < rows; ++k) {
        const double fRe = factorRe[k] * scale;
        const double fIm = factorIm[k] * scale;
        const std::size_t row = width * k;
        forLanes<W>(width, [&](auto lanes, std::size_t j) {
            using T = decltype(lanes);
            const Cx<T> x = {load<T>(inRe + row + j), load<T>(inIm + row + j)};
            const Cx<T> y = times(x, splat<T>(fRe, fIm));
            store(outRe + row + j, y.re);
            store(outIm + row + j, y.im);
        });
    }
}

template <class W>
constexpr FftKernelTable kernelTable()
{
    return {pass<W>, joinHalves<W>, packReal<W>, unpackReal<W>, unpackRealHalf<W>,
            multiplyRows<W>};
}

} // namespace
