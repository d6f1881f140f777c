#pragma once

// The loops behind FftKernelTable, written once for vectors of W lanes (two or four
// doubles). Each file that includes it builds its own copy for its own instruction set, so
// everything here has internal linkage and calls nothing but builtins: a copy built for a
// wider instruction set must never stand in for the other.

#include "FftKernelTable.h"
#include "FftRadix.h"
#include "FftSimd.h"

#include <cstddef>

namespace {

template <int P, class T>
[[gnu::always_inline]] inline void loadGroup(Cx<T>* a, const double* re, const double* im,
                                             std::size_t stride)
{
#pragma GCC unroll 10
    for (int t = 0; t < P; ++t)
        a[t] = {load<T>(re + t * stride), load<T>(im + t * stride)};
}

template <int P, class T>
[[gnu::always_inline]] inline void storeGroup(const Cx<T>* b, double* re, double* im,
                                              std::size_t stride)
{
#pragma GCC unroll 10
    for (int r = 0; r < P; ++r) {
        store(re + r * stride, b[r].re);
        store(im + r * stride, b[r].im);
    }
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
#pragma GCC unroll 10
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
#pragma GCC unroll 10
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
#pragma GCC unroll 5
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
#pragma GCC unroll 10
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
#pragma GCC unroll 10
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
#pragma GCC unroll 10
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
    case 6: passOf<6, W>(d); break;
    case 7: passOf<7, W>(d); break;
    case 9: passOf<9, W>(d); break;
    case 10: passOf<10, W>(d); break;
    default: passOf<8, W>(d); break; // the one radix left
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
    // Bins k − lanes + 1 … k, from the lanes in reverse order.
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
