#include "dsp/fft_butterflies.h"
#include "dsp/fft_kernels.h"

// The short complex FFT and the split step that turns the complex spectrum
// of z into the spectrum of the real samples.

namespace dsp::fft {

namespace {

using simd::Complex8;
using simd::load8;
using simd::Vec8;

// One pair (k, M - k) of the split step; see splitRealSpectrum.
ZX_DSP_INLINE void splitPair(double* re, double* im, size_t half, size_t k, double wr, double wi)
{
    const double ar = re[k], ai = im[k], br = re[half - k], bi = im[half - k];
    const double er = 0.5 * (ar + br), ei = 0.5 * (ai - bi), orr = 0.5 * (ai + bi), oi = 0.5 * (br - ar);
    const double tr = wr * orr - wi * oi, ti = wr * oi + wi * orr;
    re[k] = er + tr;
    im[k] = -(ei + ti);
    re[half - k] = er - tr;
    im[half - k] = ei - ti;
}

} // namespace

void smallComplexFft(const FftPlan& plan, double* out, const double* in)
{
    const size_t half = plan.half;
    double* re = out;
    double* im = out + half;
    for (size_t n = 0; n < half; ++n) {
        size_t r = 0;
        for (unsigned bit = 0; bit < plan.halfBits; ++bit)
            r |= ((n >> bit) & 1u) << (plan.halfBits - 1 - bit);
        re[r] = in[2 * n];
        im[r] = in[2 * n + 1];
    }
    const UnitRoots::View roots = plan.roots.view();
    for (size_t length = 2; length <= half; length *= 2) {
        const size_t rootStep = plan.n / length;
        for (size_t i = 0; i < half; i += length)
            for (size_t j = 0; j < length / 2; ++j) {
                double wr, wi;
                roots.at(j * rootStep, wr, wi);
                const size_t a = i + j, b = a + length / 2;
                const double tr = re[b] * wr - im[b] * wi, ti = re[b] * wi + im[b] * wr;
                re[b] = re[a] - tr;
                im[b] = im[a] - ti;
                re[a] += tr;
                im[a] += ti;
            }
    }
}

// With Z the DFT of z[n] = x[2n] + i·x[2n+1], the even and odd halves of x have
// spectra E_k = (Z_k + conj Z_{M-k})/2 and O_k = (Z_k - conj Z_{M-k})/2i, and
// X_k = E_k + w^k·O_k, X_{M-k} = conj(E_k - w^k·O_k) with w = e^(-2πi/N).
// Each pair (k, M - k) reads and writes the same four places, so the step runs
// in place. The imaginary parts are stored negated, which gives the spectrum
// for the kernel e^(+2πi·k·n/N) of the result layout.
ZX_DSP_CLONES
void splitRealSpectrum(const FftPlan& plan, double* out)
{
    const size_t half = plan.half, quarter = half / 2;
    double* re = out;
    double* im = out + half;
    const double r0 = re[0], i0 = im[0];
    re[0] = r0 + i0;
    im[0] = r0 - i0;
    // At k = M/2 the formulas leave both parts as they are.
    const UnitRoots::View roots = plan.roots.view();
    size_t k = 1;
    double wr, wi;
    for (; k < quarter && k < 8; ++k) {
        roots.at(k, wr, wi);
        splitPair(re, im, half, k, wr, wi);
    }
    const size_t fineMask = (size_t { 1 } << roots.fineBits) - 1;
    const double* directTwiddles = plan.splitTwiddles.empty() ? nullptr : plan.splitTwiddles.data();
    for (; k + 8 <= quarter; k += 8) {
        Complex8 w;
        if (directTwiddles != nullptr) {
            w = simd::loadC8(directTwiddles, directTwiddles + quarter, k);
        } else {
            const size_t coarse = k >> roots.fineBits, fine = k & fineMask;
            w = simd::mulScalar(Complex8 { load8(roots.fineRe + fine), load8(roots.fineIm + fine) },
                roots.coarseRe[coarse], roots.coarseIm[coarse]);
        }
        const Complex8 a = simd::loadC8(re, im, k);
        const Complex8 mirrored = simd::loadC8(re, im, half - k - 7);
        const Vec8 br = simd::reverse8(mirrored.re), bi = simd::reverse8(mirrored.im);
        const Vec8 er = 0.5 * (a.re + br), ei = 0.5 * (a.im - bi), orr = 0.5 * (a.im + bi), oi = 0.5 * (br - a.re);
        const Vec8 tr = w.re * orr - w.im * oi, ti = w.re * oi + w.im * orr;
        simd::store8(re + k, er + tr);
        simd::store8(im + k, -(ei + ti));
        simd::store8(re + half - k - 7, simd::reverse8(er - tr));
        simd::store8(im + half - k - 7, simd::reverse8(ei - ti));
    }
    for (; k < quarter; ++k) {
        roots.at(k, wr, wi);
        splitPair(re, im, half, k, wr, wi);
    }
}

} // namespace dsp::fft
