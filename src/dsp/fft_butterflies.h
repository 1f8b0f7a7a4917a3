#pragma once
// Butterflies shared by the stages of the real FFT, on eight complex values
// at a time (see simd.h).

#include <atomic>

#include "dsp/simd.h"

namespace dsp::fft {

inline bool aborted(const std::atomic<bool>* abortFlag)
{
    return abortFlag != nullptr && abortFlag->load(std::memory_order_relaxed);
}

// Four-point DFT in place: a0..a3 become X0..X3 with X_k = Σ a_q·(-i)^(q·k).
ZX_DSP_INLINE void dft4(simd::Complex8& a0, simd::Complex8& a1, simd::Complex8& a2, simd::Complex8& a3)
{
    const simd::Complex8 t0 = a0 + a2, t1 = a0 - a2, t2 = a1 + a3, t3 = simd::mulMinusI(a1 - a3);
    a0 = t0 + t2;
    a2 = t0 - t2;
    a1 = t1 + t3;
    a3 = t1 - t3;
}

// Radix-4 decimation-in-time butterfly on the four quarters of a group.
// The quarters hold the sub-transforms in bit-reversed order, so the
// second quarter is the one of the samples = 2 (mod 4) and takes w^2.
ZX_DSP_INLINE void radix4(simd::Complex8& q0, simd::Complex8& q1, simd::Complex8& q2, simd::Complex8& q3,
    simd::Complex8 w1, simd::Complex8 w2, simd::Complex8 w3)
{
    simd::Complex8 a0 = q0, a1 = q2 * w1, a2 = q1 * w2, a3 = q3 * w3;
    dft4(a0, a1, a2, a3);
    q0 = a0;
    q1 = a1;
    q2 = a2;
    q3 = a3;
}

ZX_DSP_INLINE void radix4(
    simd::Complex8& q0, simd::Complex8& q1, simd::Complex8& q2, simd::Complex8& q3, const double* w)
{
    simd::Complex8 a0 = q0, a1 = simd::mulScalar(q2, w[0], w[1]), a2 = simd::mulScalar(q1, w[2], w[3]),
                   a3 = simd::mulScalar(q3, w[4], w[5]);
    dft4(a0, a1, a2, a3);
    q0 = a0;
    q1 = a1;
    q2 = a2;
    q3 = a3;
}

// Sixteen-point DFT of y[0..15] in place, natural order in; on return
// X[k1 + 4·k2] is in y[4·k1 + k2].
ZX_DSP_INLINE void dft16(simd::Complex8* y)
{
    constexpr double c1 = 0.92387953251128675613; // cos(π/8)
    constexpr double s1 = 0.38268343236508977173; // sin(π/8)
    constexpr double h = 0.70710678118654752440; // cos(π/4)
    for (int u = 0; u < 4; ++u)
        dft4(y[u], y[4 + u], y[8 + u], y[12 + u]);
    // y[4·k1 + u] *= e^(-2πi·u·k1/16)
    y[5] = simd::mulScalar(y[5], c1, -s1);
    y[6] = simd::mulScalar(y[6], h, -h);
    y[7] = simd::mulScalar(y[7], s1, -c1);
    y[9] = simd::mulScalar(y[9], h, -h);
    y[10] = simd::mulMinusI(y[10]);
    y[11] = simd::mulScalar(y[11], -h, -h);
    y[13] = simd::mulScalar(y[13], s1, -c1);
    y[14] = simd::mulScalar(y[14], -h, -h);
    y[15] = simd::mulScalar(y[15], -c1, s1);
    for (int k1 = 0; k1 < 4; ++k1)
        dft4(y[4 * k1], y[4 * k1 + 1], y[4 * k1 + 2], y[4 * k1 + 3]);
}

} // namespace dsp::fft
