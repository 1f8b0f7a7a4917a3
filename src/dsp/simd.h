#pragma once
// Eight-lane double vectors for the hot loops of the measurement code.
//
// GCC lowers the four-lane halves to whatever the function being compiled
// may use: an AVX register or two SSE2 registers.
// The kernels that use them are compiled for several instruction sets
// (target_clones) and the best one is picked at load time, so the program
// runs on any x86-64. Every helper here is always inlined, so vectors never
// cross a call boundary and their calling convention never matters.

#include <cstddef>
#include <cstring>
#include <initializer_list>

namespace dsp::simd {

// A vector of four doubles: one AVX register, two SSE2 registers.
typedef double Vec4 __attribute__((vector_size(32)));
typedef long long Lanes4 __attribute__((vector_size(32)));

#define ZX_DSP_INLINE inline __attribute__((always_inline))

// Eight doubles as two halves of four. GCC lowers a single 64-byte vector
// well only where the processor has 64-byte registers; elsewhere it builds
// and splits such vectors through the stack, which stalls on every
// store-to-load forwarding. Two 32-byte halves map onto registers on every
// target, and AVX-512 still runs them at full width in its 32-byte form.
struct Vec8 {
    Vec4 lo;
    Vec4 hi;
};

ZX_DSP_INLINE Vec8 operator+(Vec8 a, Vec8 b)
{
    return { a.lo + b.lo, a.hi + b.hi };
}
ZX_DSP_INLINE Vec8 operator-(Vec8 a, Vec8 b)
{
    return { a.lo - b.lo, a.hi - b.hi };
}
ZX_DSP_INLINE Vec8 operator*(Vec8 a, Vec8 b)
{
    return { a.lo * b.lo, a.hi * b.hi };
}
ZX_DSP_INLINE Vec8 operator-(Vec8 a)
{
    return { -a.lo, -a.hi };
}
ZX_DSP_INLINE Vec8 operator*(Vec8 a, double s)
{
    return { a.lo * s, a.hi * s };
}
ZX_DSP_INLINE Vec8 operator*(double s, Vec8 a)
{
    return { s * a.lo, s * a.hi };
}
ZX_DSP_INLINE Vec8& operator+=(Vec8& a, Vec8 b)
{
    a = a + b;
    return a;
}

// Compiles a function for AVX-512, AVX2 with FMA and plain x86-64; the loader
// picks the best one the processor supports. ZX_TARGET_CLONES is defined by
// the build where the compiler targets x86-64; elsewhere the function is
// compiled once. ThreadSanitizer instruments the loader's selection function,
// which then runs before its own run-time is ready, so sanitised thread builds
// keep the plain version only.
#if !defined(ZX_TARGET_CLONES) || defined(__SANITIZE_THREAD__)
#define ZX_DSP_CLONES
#else
#define ZX_DSP_CLONES __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#endif

ZX_DSP_INLINE Vec8 load8(const double* p)
{
    Vec8 v;
    std::memcpy(&v.lo, p, sizeof v.lo);
    std::memcpy(&v.hi, p + 4, sizeof v.hi);
    return v;
}

ZX_DSP_INLINE void store8(double* p, Vec8 v)
{
    std::memcpy(p, &v.lo, sizeof v.lo);
    std::memcpy(p + 4, &v.hi, sizeof v.hi);
}

ZX_DSP_INLINE Vec8 splat8(double x)
{
    return { Vec4 { x, x, x, x }, Vec4 { x, x, x, x } };
}

ZX_DSP_INLINE Vec8 make8(double a, double b, double c, double d, double e, double f, double g, double h)
{
    return { Vec4 { a, b, c, d }, Vec4 { e, f, g, h } };
}

ZX_DSP_INLINE double lane(Vec8 v, int i)
{
    return i < 4 ? v.lo[i] : v.hi[i - 4];
}

// Lane by lane: a where a > b, else b (so b is kept where either is not a number).
ZX_DSP_INLINE Vec8 largerOf(Vec8 a, Vec8 b)
{
    return { a.lo > b.lo ? a.lo : b.lo, a.hi > b.hi ? a.hi : b.hi };
}

ZX_DSP_INLINE Vec8 reverse8(Vec8 v)
{
    const Lanes4 reverse { 3, 2, 1, 0 };
    return { __builtin_shuffle(v.hi, reverse), __builtin_shuffle(v.lo, reverse) };
}

ZX_DSP_INLINE double sumLanes(Vec8 v)
{
    const Vec4 s = v.lo + v.hi; // lanes 0+4, 1+5, 2+6, 3+7
    return (s[0] + s[1]) + (s[2] + s[3]);
}

// The even and the odd elements of x[0..15].
ZX_DSP_INLINE void deinterleave16(const double* x, Vec8& even, Vec8& odd)
{
    const Vec8 a = load8(x), b = load8(x + 8);
    const Lanes4 evens { 0, 2, 4, 6 }, odds { 1, 3, 5, 7 };
    even = { __builtin_shuffle(a.lo, a.hi, evens), __builtin_shuffle(b.lo, b.hi, evens) };
    odd = { __builtin_shuffle(a.lo, a.hi, odds), __builtin_shuffle(b.lo, b.hi, odds) };
}

// Transposes the 4x4 matrix whose rows are a, b, c, d in place.
ZX_DSP_INLINE void transpose4x4(Vec4& a, Vec4& b, Vec4& c, Vec4& d)
{
    const Vec4 t0 = __builtin_shuffle(a, b, Lanes4 { 0, 4, 2, 6 }), t1 = __builtin_shuffle(a, b, Lanes4 { 1, 5, 3, 7 });
    const Vec4 t2 = __builtin_shuffle(c, d, Lanes4 { 0, 4, 2, 6 }), t3 = __builtin_shuffle(c, d, Lanes4 { 1, 5, 3, 7 });
    a = __builtin_shuffle(t0, t2, Lanes4 { 0, 1, 4, 5 });
    b = __builtin_shuffle(t1, t3, Lanes4 { 0, 1, 4, 5 });
    c = __builtin_shuffle(t0, t2, Lanes4 { 2, 3, 6, 7 });
    d = __builtin_shuffle(t1, t3, Lanes4 { 2, 3, 6, 7 });
}

// Transposes the 8x8 matrix whose rows are r[0..7]: afterwards r[j][e] holds
// what r[e][j] held. Four 4x4 transposes; the two off-diagonal blocks swap.
ZX_DSP_INLINE void transpose8x8(Vec8* r)
{
    transpose4x4(r[0].lo, r[1].lo, r[2].lo, r[3].lo);
    transpose4x4(r[4].hi, r[5].hi, r[6].hi, r[7].hi);
    transpose4x4(r[0].hi, r[1].hi, r[2].hi, r[3].hi);
    transpose4x4(r[4].lo, r[5].lo, r[6].lo, r[7].lo);
    for (int i = 0; i < 4; ++i) {
        const Vec4 upperRight = r[i].hi;
        r[i].hi = r[i + 4].lo;
        r[i + 4].lo = upperRight;
    }
}

// Complex numbers with their real and imaginary parts in separate vectors:
// four of them over Vec4, eight over Vec8.
template <typename Vec> struct SplitComplex {
    Vec re;
    Vec im;
};
using Complex8 = SplitComplex<Vec8>;

template <typename Vec> ZX_DSP_INLINE SplitComplex<Vec> operator+(SplitComplex<Vec> a, SplitComplex<Vec> b)
{
    return { a.re + b.re, a.im + b.im };
}
template <typename Vec> ZX_DSP_INLINE SplitComplex<Vec> operator-(SplitComplex<Vec> a, SplitComplex<Vec> b)
{
    return { a.re - b.re, a.im - b.im };
}
template <typename Vec> ZX_DSP_INLINE SplitComplex<Vec> operator*(SplitComplex<Vec> a, SplitComplex<Vec> b)
{
    return { a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re };
}
// Multiplication by one complex scalar (c, s) shared by all lanes.
template <typename Vec> ZX_DSP_INLINE SplitComplex<Vec> mulScalar(SplitComplex<Vec> a, double c, double s)
{
    return { a.re * c - a.im * s, a.re * s + a.im * c };
}
// Multiplication by -i.
template <typename Vec> ZX_DSP_INLINE SplitComplex<Vec> mulMinusI(SplitComplex<Vec> a)
{
    return { a.im, -a.re };
}

ZX_DSP_INLINE Complex8 loadC8(const double* re, const double* im, size_t i)
{
    return { load8(re + i), load8(im + i) };
}
ZX_DSP_INLINE void storeC8(double* re, double* im, size_t i, Complex8 v)
{
    store8(re + i, v.re);
    store8(im + i, v.im);
}

} // namespace dsp::simd
