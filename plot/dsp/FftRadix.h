#pragma once

// The butterflies of the transform's passes (FftKernels.h), for a value type T of any lanes.
// Each file that includes it builds its own copy for its own instruction set, so everything
// here has internal linkage and calls nothing but builtins: a copy built for a wider
// instruction set must never stand in for the other.

#include "FftSimd.h"

namespace {

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

// Radix A·B from the radices A and B: with points t = B·t1 + t2 and outputs r = r1 + A·r2,
// b[r] = Σ_t2 e^(−2πi·t2·r2/B) · e^(−2πi·t2·r1/AB) · y_t2[r1], where y_t2 is the radix-A
// butterfly on the points t2, t2 + B, … So B butterflies of radix A, turned by the roots
// e^(−2πi·k/AB) of `roots` (k <= (A − 1)·(B − 1)), then A of radix B.
template <int A, int B>
struct Composite {
    template <class T>
    [[gnu::always_inline]] static void apply(Cx<T>* a, const double* rootRe, const double* rootIm)
    {
        Cx<T> y[B][A];
#pragma GCC unroll 8
        for (int t2 = 0; t2 < B; ++t2) {
#pragma GCC unroll 8
            for (int t1 = 0; t1 < A; ++t1)
                y[t2][t1] = a[B * t1 + t2];
            Radix<A>::apply(y[t2]);
#pragma GCC unroll 8
            for (int r1 = 1; r1 < A; ++r1) {
                if (t2 > 0)
                    y[t2][r1] = times(y[t2][r1], splat<T>(rootRe[t2 * r1], rootIm[t2 * r1]));
            }
        }
#pragma GCC unroll 8
        for (int r1 = 0; r1 < A; ++r1) {
            Cx<T> z[B];
#pragma GCC unroll 8
            for (int t2 = 0; t2 < B; ++t2)
                z[t2] = y[t2][r1];
            Radix<B>::apply(z);
#pragma GCC unroll 8
            for (int r2 = 0; r2 < B; ++r2)
                a[r1 + A * r2] = z[r2];
        }
    }
};

// e^(−2πi·k/6), k <= 2
template <>
struct Radix<6> {
    template <class T>
    [[gnu::always_inline]] static void apply(Cx<T>* a)
    {
        static constexpr double re[] = {1.0, 0.5, -0.5};
        static constexpr double im[] = {0.0, -0x1.bb67ae8584caap-1, -0x1.bb67ae8584caap-1};
        Composite<3, 2>::apply(a, re, im);
    }
};

// e^(−2πi·k/9), k <= 4
template <>
struct Radix<9> {
    template <class T>
    [[gnu::always_inline]] static void apply(Cx<T>* a)
    {
        static constexpr double re[] = {1.0, 0x1.8836fa2cf5039p-1, 0x1.63a1a7e0b738ap-3, -0.5,
                                        -0x1.e11f642522d1cp-1};
        static constexpr double im[] = {0.0, -0x1.491b7523c161dp-1, -0x1.f838b8c811c17p-1,
                                        -0x1.bb67ae8584caap-1, -0x1.5e3a8748a0bf5p-2};
        Composite<3, 3>::apply(a, re, im);
    }
};

// e^(−2πi·k/10), k <= 4
template <>
struct Radix<10> {
    template <class T>
    [[gnu::always_inline]] static void apply(Cx<T>* a)
    {
        static constexpr double re[] = {1.0, 0x1.9e3779b97f4a8p-1, 0x1.3c6ef372fe950p-2,
                                        -0x1.3c6ef372fe950p-2, -0x1.9e3779b97f4a8p-1};
        static constexpr double im[] = {0.0, -0x1.2cf2304755a5ep-1, -0x1.e6f0e134454ffp-1,
                                        -0x1.e6f0e134454ffp-1, -0x1.2cf2304755a5ep-1};
        Composite<5, 2>::apply(a, re, im);
    }
};

} // namespace
