#pragma once
// Eight-lane double vectors for the hot loops of the measurement code.
//
// GCC lowers these generic vectors to whatever the function being compiled
// may use: one AVX-512 register, two AVX2 registers or four SSE2 registers.
// The kernels that use them are compiled for several instruction sets
// (target_clones) and the best one is picked at load time, so the program
// runs on any x86-64. Every helper here is always inlined, so vectors never
// cross a call boundary and their calling convention never matters.

#include <cstddef>
#include <cstring>
#include <initializer_list>

namespace dsp::simd {

typedef double Vec8 __attribute__((vector_size(64)));
typedef long long Lanes8 __attribute__((vector_size(64)));

#define ZX_DSP_INLINE inline __attribute__((always_inline))

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
    std::memcpy(&v, p, sizeof v);
    return v;
}

ZX_DSP_INLINE void store8(double* p, Vec8 v)
{
    std::memcpy(p, &v, sizeof v);
}

ZX_DSP_INLINE Vec8 splat8(double x)
{
    return Vec8 { x, x, x, x, x, x, x, x };
}

ZX_DSP_INLINE Vec8 reverse8(Vec8 v)
{
    return __builtin_shuffle(v, Lanes8 { 7, 6, 5, 4, 3, 2, 1, 0 });
}

ZX_DSP_INLINE double sumLanes(Vec8 v)
{
    return ((v[0] + v[4]) + (v[1] + v[5])) + ((v[2] + v[6]) + (v[3] + v[7]));
}

// Transposes the 8x8 matrix whose rows are r[0..7]: afterwards r[j][e] holds what r[e][j] held.
ZX_DSP_INLINE void transpose8x8(Vec8* r)
{
    Vec8 a[8], b[8];
    for (int i = 0; i < 8; i += 2) {
        a[i] = __builtin_shuffle(r[i], r[i + 1], Lanes8 { 0, 8, 2, 10, 4, 12, 6, 14 });
        a[i + 1] = __builtin_shuffle(r[i], r[i + 1], Lanes8 { 1, 9, 3, 11, 5, 13, 7, 15 });
    }
    for (int i : { 0, 1, 4, 5 }) {
        b[i] = __builtin_shuffle(a[i], a[i + 2], Lanes8 { 0, 1, 8, 9, 4, 5, 12, 13 });
        b[i + 2] = __builtin_shuffle(a[i], a[i + 2], Lanes8 { 2, 3, 10, 11, 6, 7, 14, 15 });
    }
    for (int i = 0; i < 4; ++i) {
        r[i] = __builtin_shuffle(b[i], b[i + 4], Lanes8 { 0, 1, 2, 3, 8, 9, 10, 11 });
        r[i + 4] = __builtin_shuffle(b[i], b[i + 4], Lanes8 { 4, 5, 6, 7, 12, 13, 14, 15 });
    }
}

// Eight complex numbers, real and imaginary parts in separate vectors.
struct Complex8 {
    Vec8 re;
    Vec8 im;
};

ZX_DSP_INLINE Complex8 operator+(Complex8 a, Complex8 b)
{
    return { a.re + b.re, a.im + b.im };
}
ZX_DSP_INLINE Complex8 operator-(Complex8 a, Complex8 b)
{
    return { a.re - b.re, a.im - b.im };
}
ZX_DSP_INLINE Complex8 operator*(Complex8 a, Complex8 b)
{
    return { a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re };
}
// Multiplication by one complex scalar (c, s) shared by all lanes.
ZX_DSP_INLINE Complex8 mulScalar(Complex8 a, double c, double s)
{
    return { a.re * c - a.im * s, a.re * s + a.im * c };
}
// Multiplication by -i.
ZX_DSP_INLINE Complex8 mulMinusI(Complex8 a)
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
