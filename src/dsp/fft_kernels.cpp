#include "dsp/fft_kernels.h"

#include "dsp/simd.h"

namespace dsp::fft {

namespace {

    using simd::Complex8;
    using simd::load8;
    using simd::Vec8;

    constexpr size_t kPrefetchLeaves = 2;

    bool aborted(const std::atomic<bool>* abortFlag)
    {
        return abortFlag != nullptr && abortFlag->load(std::memory_order_relaxed);
    }

    // Four-point DFT in place: a0..a3 become X0..X3 with X_k = Σ a_q·(-i)^(q·k).
    ZX_DSP_INLINE void dft4(Complex8& a0, Complex8& a1, Complex8& a2, Complex8& a3)
    {
        const Complex8 t0 = a0 + a2, t1 = a0 - a2, t2 = a1 + a3, t3 = simd::mulMinusI(a1 - a3);
        a0 = t0 + t2;
        a2 = t0 - t2;
        a1 = t1 + t3;
        a3 = t1 - t3;
    }

    // Radix-4 decimation-in-time butterfly on the four quarters of a group.
    // The quarters hold the sub-transforms in bit-reversed order, so the
    // second quarter is the one of the samples = 2 (mod 4) and takes w^2.
    ZX_DSP_INLINE void radix4(Complex8& q0, Complex8& q1, Complex8& q2, Complex8& q3, Complex8 w1, Complex8 w2,
                              Complex8 w3)
    {
        Complex8 a0 = q0, a1 = q2 * w1, a2 = q1 * w2, a3 = q3 * w3;
        dft4(a0, a1, a2, a3);
        q0 = a0;
        q1 = a1;
        q2 = a2;
        q3 = a3;
    }

    ZX_DSP_INLINE void radix4(Complex8& q0, Complex8& q1, Complex8& q2, Complex8& q3, const double* w)
    {
        Complex8 a0 = q0, a1 = simd::mulScalar(q2, w[0], w[1]), a2 = simd::mulScalar(q1, w[2], w[3]),
                 a3 = simd::mulScalar(q3, w[4], w[5]);
        dft4(a0, a1, a2, a3);
        q0 = a0;
        q1 = a1;
        q2 = a2;
        q3 = a3;
    }

    // Sixteen-point DFT of y[0..15] in place, natural order in; on return
    // X[k1 + 4·k2] is in y[4·k1 + k2].
    ZX_DSP_INLINE void dft16(Complex8* y)
    {
        constexpr double c1 = 0.92387953251128675613;  // cos(π/8)
        constexpr double s1 = 0.38268343236508977173;  // sin(π/8)
        constexpr double h = 0.70710678118654752440;  // cos(π/4)
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

    // Eight consecutive complex samples z[n..n+7] from the real input, where z[n] = x[2n] + i·x[2n+1].
    ZX_DSP_INLINE Complex8 loadInterleaved(const double* x)
    {
        const Vec8 lo = load8(x), hi = load8(x + 8);
        return { __builtin_shuffle(lo, hi, simd::Lanes8 { 0, 2, 4, 6, 8, 10, 12, 14 }),
                 __builtin_shuffle(lo, hi, simd::Lanes8 { 1, 3, 5, 7, 9, 11, 13, 15 }) };
    }

    // Lane e of the leaf result belongs to block e: write its sixteen points there.
    ZX_DSP_INLINE void scatterLeaf(const Complex8* y, double* re, double* im, const size_t* blockStart,
                                   size_t position)
    {
        for (int half = 0; half < 2; ++half) {
            Vec8 partRe[8], partIm[8];
            for (int k = 0; k < 8; ++k) {
                // X[k1 + 4·k2] is in y[4·k1 + k2]
                const int index = 8 * half + k;
                partRe[k] = y[4 * (index % 4) + index / 4].re;
                partIm[k] = y[4 * (index % 4) + index / 4].im;
            }
            simd::transpose8x8(partRe);
            simd::transpose8x8(partIm);
            for (int e = 0; e < 8; ++e) {
                simd::store8(re + blockStart[e] + position + 8 * half, partRe[e]);
                simd::store8(im + blockStart[e] + position + 8 * half, partIm[e]);
            }
        }
    }

    // Radix-4 passes of span 16 .. B/4 over one block already holding its 16-point leaves.
    ZX_DSP_INLINE void blockPasses(const FftPlan& plan, double* re, double* im)
    {
        const size_t size = plan.block;
        const double* tw = plan.blockTwiddles.data();
        for (size_t span = 16; span < size; span *= 4) {
            for (size_t group = 0; group < size; group += 4 * span) {
                double* gRe = re + group;
                double* gIm = im + group;
                for (size_t l = 0; l < span; l += 8) {
                    Complex8 q0 = simd::loadC8(gRe, gIm, l), q1 = simd::loadC8(gRe, gIm, span + l),
                             q2 = simd::loadC8(gRe, gIm, 2 * span + l), q3 = simd::loadC8(gRe, gIm, 3 * span + l);
                    radix4(q0, q1, q2, q3, { load8(tw + l), load8(tw + span + l) },
                           { load8(tw + 2 * span + l), load8(tw + 3 * span + l) },
                           { load8(tw + 4 * span + l), load8(tw + 5 * span + l) });
                    simd::storeC8(gRe, gIm, l, q0);
                    simd::storeC8(gRe, gIm, span + l, q1);
                    simd::storeC8(gRe, gIm, 2 * span + l, q2);
                    simd::storeC8(gRe, gIm, 3 * span + l, q3);
                }
            }
            tw += 6 * span;
        }
    }

    // FFT of R points along the scratch rows (one row = eight columns), rows in bit-reversed order.
    ZX_DSP_INLINE void rowPasses(const FftPlan& plan, double* re, double* im)
    {
        const size_t rows = plan.rows;
        size_t span = 1;
        if (plan.rowBits % 2 != 0) {
            for (size_t t = 0; t < rows; t += 2) {
                const Complex8 a = simd::loadC8(re, im, 8 * t), b = simd::loadC8(re, im, 8 * t + 8);
                simd::storeC8(re, im, 8 * t, a + b);
                simd::storeC8(re, im, 8 * t + 8, a - b);
            }
            span = 2;
        }
        const double* tw = plan.rowTwiddles.data();
        for (; span < rows; span *= 4) {
            for (size_t group = 0; group < rows; group += 4 * span) {
                for (size_t l = 0; l < span; ++l) {
                    const size_t i0 = 8 * (group + l), step = 8 * span;
                    Complex8 q0 = simd::loadC8(re, im, i0), q1 = simd::loadC8(re, im, i0 + step),
                             q2 = simd::loadC8(re, im, i0 + 2 * step), q3 = simd::loadC8(re, im, i0 + 3 * step);
                    radix4(q0, q1, q2, q3, tw + 6 * l);
                    simd::storeC8(re, im, i0, q0);
                    simd::storeC8(re, im, i0 + step, q1);
                    simd::storeC8(re, im, i0 + 2 * step, q2);
                    simd::storeC8(re, im, i0 + 3 * step, q3);
                }
            }
            tw += 6 * span;
        }
    }

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

}  // namespace

ZX_DSP_CLONES
bool blockStage(const FftPlan& plan, double* out, const double* in, const std::atomic<bool>* abortFlag)
{
    const size_t size = plan.block, rows = plan.rows, leaves = size / 16;
    double* re = out;
    double* im = out + plan.half;
    const uint32_t* rowReverse = plan.rowReverse.data();
    const uint32_t* leafReverse = plan.leafReverse.data();
    for (size_t s0 = 0; s0 < rows; s0 += 8) {
        size_t blockStart[8];
        for (size_t e = 0; e < 8; ++e)
            blockStart[e] = rowReverse[s0 + e] * size;
        for (size_t q = 0; q < leaves; ++q) {
            Complex8 y[16];
            const bool prefetch = q + kPrefetchLeaves < leaves;
            for (size_t u = 0; u < 16; ++u) {
                const size_t row = 2 * (s0 + rows * (q + leaves * u));
                // The rows are far apart: ask early for the ones of a later leaf.
                if (prefetch) {
                    __builtin_prefetch(in + row + 2 * rows * kPrefetchLeaves);
                    __builtin_prefetch(in + row + 2 * rows * kPrefetchLeaves + 8);
                }
                y[u] = loadInterleaved(in + row);
            }
            dft16(y);
            scatterLeaf(y, re, im, blockStart, 16 * size_t { leafReverse[q] });
        }
        for (size_t e = 0; e < 8; ++e)
            blockPasses(plan, re + blockStart[e], im + blockStart[e]);
        if (aborted(abortFlag))
            return false;
    }
    return true;
}

ZX_DSP_CLONES
bool columnStage(const FftPlan& plan, double* out, const std::atomic<bool>* abortFlag)
{
    const size_t size = plan.block, rows = plan.rows, width = plan.columnWidth;
    const size_t lanes = FftPlan::kLanes, pieceSize = 2 * rows * lanes;
    double* re = out;
    double* im = out + plan.half;
    double* scratch = plan.scratch.data();
    const double* steps = plan.columnSteps.data();
    const uint32_t* rowReverse = plan.rowReverse.data();
    const UnitRoots::View roots = plan.roots.view();
    const double* directTwiddles = plan.columnTwiddles.empty() ? nullptr : plan.columnTwiddles.data();
    for (size_t j0 = 0; j0 < size; j0 += width) {
        // Rows are read and written whole (width columns) so that every cache
        // line is touched once; the transforms then run on eight columns at a time.
        if (directTwiddles != nullptr) {
            for (size_t t = 0; t < rows; ++t)
                for (size_t piece = 0; piece < width / lanes; ++piece) {
                    const size_t j = j0 + piece * lanes;
                    const double* twiddleRe = directTwiddles + 2 * t * size;
                    double* pieceRe = scratch + piece * pieceSize;
                    simd::storeC8(pieceRe, pieceRe + rows * lanes, t * lanes,
                                  simd::loadC8(re, im, t * size + j) * simd::loadC8(twiddleRe, twiddleRe + size, j));
                }
        } else {
            for (size_t t = 0; t < rows; ++t) {
                const size_t s = rowReverse[t];
                const Complex8 step { load8(steps + 2 * s * lanes), load8(steps + (2 * s + 1) * lanes) };
                for (size_t piece = 0; piece < width / lanes; ++piece) {
                    const size_t j = j0 + piece * lanes;
                    double cr, ci;
                    roots.at(2 * j * s, cr, ci);  // e^(-2πi·j·s/M)
                    double* pieceRe = scratch + piece * pieceSize;
                    simd::storeC8(pieceRe, pieceRe + rows * lanes, t * lanes,
                                  simd::loadC8(re, im, t * size + j) * simd::mulScalar(step, cr, ci));
                }
            }
        }
        for (size_t piece = 0; piece < width / lanes; ++piece) {
            double* pieceRe = scratch + piece * pieceSize;
            rowPasses(plan, pieceRe, pieceRe + rows * lanes);
        }
        for (size_t k = 0; k < rows; ++k)
            for (size_t piece = 0; piece < width / lanes; ++piece) {
                const double* pieceRe = scratch + piece * pieceSize;
                simd::storeC8(re, im, k * size + j0 + piece * lanes,
                              simd::loadC8(pieceRe, pieceRe + rows * lanes, k * lanes));
            }
        if (aborted(abortFlag))
            return false;
    }
    return true;
}

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
            w = simd::mulScalar({ load8(roots.fineRe + fine), load8(roots.fineIm + fine) }, roots.coarseRe[coarse],
                                roots.coarseIm[coarse]);
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

}  // namespace dsp::fft
