#include "dsp/fft_butterflies.h"
#include "dsp/fft_kernels.h"

// The block stage: R/8 rounds, each transforming eight blocks of B points at
// once. The 16-point leaves are computed across the eight blocks (one block
// per vector lane) straight from the input rows; the remaining radix-4 passes
// then run on each block while it is in the L2 cache.

namespace dsp::fft {

namespace {

using simd::Complex8;
using simd::load8;
using simd::Vec8;

constexpr size_t kPrefetchLeaves = 2;

// Eight consecutive complex samples z[n..n+7] from the real input, where z[n] = x[2n] + i·x[2n+1].
ZX_DSP_INLINE Complex8 loadInterleaved(const double* x)
{
    Complex8 z;
    simd::deinterleave16(x, z.re, z.im);
    return z;
}

// Lane e of the leaf result belongs to block e: write its sixteen points there.
ZX_DSP_INLINE void scatterLeaf(const Complex8* y, double* re, double* im, const size_t* blockStart, size_t position)
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

} // namespace

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

} // namespace dsp::fft
