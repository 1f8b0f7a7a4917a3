#include "dsp/fft_butterflies.h"
#include "dsp/fft_kernels.h"

// The column stage: for every column j of the blocks, the twiddle
// e^(-2πi·j·s/M) and an R-point FFT across the blocks, done on a few whole
// rows at a time in the scratch area.

namespace dsp::fft {

namespace {

using simd::Complex8;
using simd::load8;

// FFT of R points down eight columns, rows `stride` doubles apart, rows in
// bit-reversed order.
ZX_DSP_INLINE void rowPasses(const FftPlan& plan, double* re, double* im, size_t stride)
{
    const size_t rows = plan.rows;
    size_t span = 1;
    if (plan.rowBits % 2 != 0) {
        for (size_t t = 0; t < rows; t += 2) {
            const Complex8 a = simd::loadC8(re, im, stride * t), b = simd::loadC8(re, im, stride * (t + 1));
            simd::storeC8(re, im, stride * t, a + b);
            simd::storeC8(re, im, stride * (t + 1), a - b);
        }
        span = 2;
    }
    const double* tw = plan.rowTwiddles.data();
    for (; span < rows; span *= 4) {
        for (size_t group = 0; group < rows; group += 4 * span) {
            for (size_t l = 0; l < span; ++l) {
                const size_t i0 = stride * (group + l), step = stride * span;
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

} // namespace

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
    for (size_t j0 = 0; j0 < size; j0 += width) {
        // Rows are read and written whole (width columns) so that every cache
        // line is touched once; the transforms then run on eight columns at a time.
        for (size_t t = 0; t < rows; ++t) {
            const size_t s = rowReverse[t];
            const Complex8 step { load8(steps + 2 * s * lanes), load8(steps + (2 * s + 1) * lanes) };
            for (size_t piece = 0; piece < width / lanes; ++piece) {
                const size_t j = j0 + piece * lanes;
                double cr, ci;
                roots.at(2 * j * s, cr, ci); // e^(-2πi·j·s/M)
                double* pieceRe = scratch + piece * pieceSize;
                simd::storeC8(pieceRe, pieceRe + rows * lanes, t * lanes,
                    simd::loadC8(re, im, t * size + j) * simd::mulScalar(step, cr, ci));
            }
        }
        for (size_t piece = 0; piece < width / lanes; ++piece) {
            double* pieceRe = scratch + piece * pieceSize;
            rowPasses(plan, pieceRe, pieceRe + rows * lanes, lanes);
        }
        for (size_t k = 0; k < rows; ++k)
            for (size_t piece = 0; piece < width / lanes; ++piece) {
                const double* pieceRe = scratch + piece * pieceSize;
                simd::storeC8(
                    re, im, k * size + j0 + piece * lanes, simd::loadC8(pieceRe, pieceRe + rows * lanes, k * lanes));
            }
        if (aborted(abortFlag))
            return false;
    }
    return true;
}

} // namespace dsp::fft
