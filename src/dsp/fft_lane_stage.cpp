#include "dsp/fft_butterflies.h"
#include "dsp/fft_kernels.h"

#include <utility>

// The complex FFT up to FftPlan::kLaneMaxLength, as four transforms side by
// side. With n = 4k + v, row k holds z[4k + v] in lane v, so the rows form
// four interleaved sequences of K = M/4 points. Stockham passes (which keep
// the natural order without a bit reversal) transform all four at once, one
// row per vector, and a last pass joins them:
//   X[p + K·q] = Σ_v (-i)^(v·q) · e^(-2πi·v·p/M) · Y_v[p],
// Y_v being the transform of sequence v. That pass transposes four rows at a
// time, so its results are stored in order, real parts then imaginary parts.
// A row is eight doubles: four real parts, then four imaginary parts.

namespace dsp::fft {

namespace {

using simd::Lanes4;
using simd::Vec4;

using Complex4 = simd::SplitComplex<Vec4>;

ZX_DSP_INLINE Vec4 load4(const double* p)
{
    Vec4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
ZX_DSP_INLINE void store4(double* p, Vec4 v)
{
    std::memcpy(p, &v, sizeof v);
}

ZX_DSP_INLINE Complex4 loadRow(const double* rows, size_t k)
{
    return { load4(rows + 8 * k), load4(rows + 8 * k + 4) };
}
ZX_DSP_INLINE void storeRow(double* rows, size_t k, Complex4 v)
{
    store4(rows + 8 * k, v.re);
    store4(rows + 8 * k + 4, v.im);
}

// Row k straight from the real input: z[4k..4k+3] are x[8k..8k+7], pairs of real and imaginary parts.
ZX_DSP_INLINE Complex4 loadInputRow(const double* x, size_t k)
{
    const Vec4 a = load4(x + 8 * k), b = load4(x + 8 * k + 4);
    return { __builtin_shuffle(a, b, Lanes4 { 0, 2, 4, 6 }), __builtin_shuffle(a, b, Lanes4 { 1, 3, 5, 7 }) };
}

template <bool FromInput> ZX_DSP_INLINE Complex4 readRow(const double* x, size_t k)
{
    return FromInput ? loadInputRow(x, k) : loadRow(x, k);
}

// One radix-4 Stockham pass on sub-transforms of `length` points, `stride`
// of them interleaved: row q + stride·(p + length/4·t), t < 4, feeds rows
// q + stride·(4p + r), r < 4. tw: per p, w^p, w^2p, w^3p (real, imaginary)
// with w = e^(-2πi/length).
template <bool FromInput>
ZX_DSP_INLINE void radix4Pass(const double* x, double* y, size_t length, size_t stride, const double* tw)
{
    const size_t quarter = length / 4;
    for (size_t p = 0; p < quarter; ++p, tw += 6) {
        for (size_t q = 0; q < stride; ++q) {
            const size_t in = q + stride * p, out = q + stride * 4 * p;
            const Complex4 a = readRow<FromInput>(x, in), b = readRow<FromInput>(x, in + stride * quarter),
                           c = readRow<FromInput>(x, in + 2 * stride * quarter),
                           d = readRow<FromInput>(x, in + 3 * stride * quarter);
            const Complex4 apc = a + c, amc = a - c, bpd = b + d, bmd = mulMinusI(b - d);
            storeRow(y, out, apc + bpd);
            storeRow(y, out + stride, mulScalar(amc + bmd, tw[0], tw[1]));
            storeRow(y, out + 2 * stride, mulScalar(apc - bpd, tw[2], tw[3]));
            storeRow(y, out + 3 * stride, mulScalar(amc - bmd, tw[4], tw[5]));
        }
    }
}

// The last pass of the sequences when K is an odd power of two: two-point
// transforms need no twiddle.
ZX_DSP_INLINE void radix2LastPass(const double* x, double* y, size_t half)
{
    for (size_t q = 0; q < half; ++q) {
        const Complex4 a = loadRow(x, q), b = loadRow(x, q + half);
        storeRow(y, q, a + b);
        storeRow(y, q + half, a - b);
    }
}

// Joins the four sequences (see the top of the file): reads the rows of x,
// writes the M points to re[0..M-1] and im[0..M-1].
ZX_DSP_INLINE void joinLanes(const double* x, double* re, double* im, size_t rows, const double* tw)
{
    for (size_t p0 = 0; p0 < rows; p0 += 4, tw += 24) {
        Complex4 u[4];
        for (size_t j = 0; j < 4; ++j)
            u[j] = loadRow(x, p0 + j);
        simd::transpose4x4(u[0].re, u[1].re, u[2].re, u[3].re);
        simd::transpose4x4(u[0].im, u[1].im, u[2].im, u[3].im);
        // Now u[v] holds Y_v[p0 + j] in lane j.
        for (size_t v = 1; v < 4; ++v)
            u[v] = u[v] * Complex4 { load4(tw + 8 * (v - 1)), load4(tw + 8 * (v - 1) + 4) };
        const Complex4 s02 = u[0] + u[2], d02 = u[0] - u[2], s13 = u[1] + u[3], d13 = mulMinusI(u[1] - u[3]);
        const Complex4 result[4] = { s02 + s13, d02 + d13, s02 - s13, d02 - d13 };
        for (size_t q = 0; q < 4; ++q) {
            store4(re + q * rows + p0, result[q].re);
            store4(im + q * rows + p0, result[q].im);
        }
    }
}

} // namespace

ZX_DSP_CLONES
bool laneStage(const FftPlan& plan, double* out, const double* in, const std::atomic<bool>* abortFlag)
{
    const size_t rows = plan.laneRows;
    double* scratch = plan.scratch.data();
    const double* tw = plan.lanePassTwiddles.data();
    // The passes alternate between out and the scratch area so that the last
    // one leaves the rows in the scratch area, from which the join writes out.
    const size_t passes = plan.laneRadix4Passes + (plan.laneLastRadix2 ? 1 : 0);
    double* target = passes % 2 == 0 ? out : scratch;
    double* other = passes % 2 == 0 ? scratch : out;
    size_t length = rows, stride = 1;
    radix4Pass<true>(in, target, length, stride, tw);
    for (size_t pass = 1; pass < plan.laneRadix4Passes; ++pass) {
        if (aborted(abortFlag))
            return false;
        tw += 6 * (length / 4);
        length /= 4;
        stride *= 4;
        radix4Pass<false>(target, other, length, stride, tw);
        std::swap(target, other);
    }
    if (plan.laneLastRadix2) {
        if (aborted(abortFlag))
            return false;
        radix2LastPass(target, other, rows / 2);
        std::swap(target, other);
    }
    if (aborted(abortFlag))
        return false;
    joinLanes(target, out, out + plan.half, rows, plan.laneJoinTwiddles.data());
    return true;
}

} // namespace dsp::fft
