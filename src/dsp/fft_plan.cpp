#include "dsp/fft_plan.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace dsp {

namespace {

// e^(-2πi·k/n), computed in extended precision and rounded once.
void root(uint64_t k, uint64_t n, double& re, double& im)
{
    const long double pi = 3.141592653589793238462643383279502884L;
    const long double angle = 2.0L * pi * static_cast<long double>(k % n) / static_cast<long double>(n);
    re = static_cast<double>(std::cos(angle));
    im = static_cast<double>(-std::sin(angle));
}

uint32_t reverseBits(uint32_t value, unsigned bits)
{
    uint32_t result = 0;
    for (unsigned i = 0; i < bits; ++i) {
        result = (result << 1) | (value & 1u);
        value >>= 1;
    }
    return result;
}

unsigned log2Exact(uint32_t value)
{
    unsigned bits = 0;
    while ((uint32_t { 1 } << bits) < value)
        ++bits;
    return bits;
}

std::vector<uint32_t> reversalTable(unsigned bits)
{
    std::vector<uint32_t> table(size_t { 1 } << bits);
    for (uint32_t i = 0; i < table.size(); ++i)
        table[i] = reverseBits(i, bits);
    return table;
}

} // namespace

void UnitRoots::build(uint32_t n)
{
    const unsigned bits = log2Exact(n);
    // At least eight fine roots, so eight consecutive k always share one coarse root.
    fineBits = std::max((bits + 1) / 2, 3u);
    const uint32_t fineCount = uint32_t { 1 } << fineBits;
    const uint32_t coarseCount = n >> fineBits > 0 ? n >> fineBits : 1;
    fineRe.resize(fineCount);
    fineIm.resize(fineCount);
    coarseRe.resize(coarseCount);
    coarseIm.resize(coarseCount);
    for (uint32_t i = 0; i < fineCount; ++i)
        root(i, n, fineRe[i], fineIm[i]);
    for (uint32_t i = 0; i < coarseCount; ++i)
        root(uint64_t { i } << fineBits, n, coarseRe[i], coarseIm[i]);
}

void AlignedDoubles::Free::operator()(double* p) const
{
    ::operator delete[](p, std::align_val_t { 64 });
}

void AlignedDoubles::allocate(size_t count)
{
    data_.reset(static_cast<double*>(::operator new[](count * sizeof(double), std::align_val_t { 64 })));
}

FftPlan::FftPlan(uint32_t length)
    : n(length)
    , half(length / 2)
{
    roots.build(n);
    if (half == 0)
        return;
    if (n <= kDirectTablesMaxLength) {
        const uint32_t quarter = n / 4;
        splitTwiddles.resize(2 * size_t { quarter });
        for (uint32_t k = 0; k < quarter; ++k)
            root(k, n, splitTwiddles[k], splitTwiddles[quarter + k]);
    }
    halfBits = log2Exact(half);
    if (n >= kLaneMinLength && n <= kLaneMaxLength) {
        buildLanes();
        return;
    }
    blocked = halfBits >= 7;
    if (!blocked)
        return;

    // B = 16·4^k so the block stage is a 16-point leaf plus radix-4 passes,
    // and R >= 8 so the block stage can work on eight blocks at once.
    blockBits = (halfBits - 3) & ~1u;
    if (blockBits > kMaxBlockBits)
        blockBits = kMaxBlockBits;
    rowBits = halfBits - blockBits;
    block = uint32_t { 1 } << blockBits;
    rows = uint32_t { 1 } << rowBits;
    rowReverse = reversalTable(rowBits);
    leafReverse = reversalTable(blockBits - 4);

    for (uint32_t span = 16; span < block; span *= 4) {
        const size_t base = blockTwiddles.size();
        blockTwiddles.resize(base + 6 * size_t { span });
        for (uint32_t l = 0; l < span; ++l)
            for (uint32_t q = 1; q <= 3; ++q)
                root(uint64_t { q } * l, 4 * uint64_t { span }, blockTwiddles[base + (2 * q - 2) * span + l],
                    blockTwiddles[base + (2 * q - 1) * span + l]);
    }

    for (uint32_t span = rowBits % 2 ? 2 : 1; span < rows; span *= 4) {
        for (uint32_t l = 0; l < span; ++l) {
            double w[6];
            for (uint32_t q = 1; q <= 3; ++q)
                root(uint64_t { q } * l, 4 * uint64_t { span }, w[2 * q - 2], w[2 * q - 1]);
            rowTwiddles.insert(rowTwiddles.end(), w, w + 6);
        }
    }

    columnSteps.resize(size_t { rows } * 2 * kLanes);
    for (uint32_t s = 0; s < rows; ++s)
        for (uint32_t j = 0; j < kLanes; ++j)
            root(uint64_t { j } * s, half, columnSteps[(2 * s) * kLanes + j], columnSteps[(2 * s + 1) * kLanes + j]);

    while (columnWidth < 64 && columnWidth < block
        && 2 * size_t { columnWidth } * rows * 2 * sizeof(double) <= kScratchBytes)
        columnWidth *= 2;
    scratch.allocate(size_t { rows } * 2 * columnWidth);
}

void FftPlan::buildLanes()
{
    lanes = true;
    laneRows = half / 4;
    const unsigned rowBits = halfBits - 2;
    laneRadix4Passes = rowBits / 2;
    laneLastRadix2 = rowBits % 2 != 0;
    for (uint32_t length = laneRows; length >= 4; length /= 4) {
        for (uint32_t p = 0; p < length / 4; ++p)
            for (uint32_t t = 1; t <= 3; ++t) {
                double re, im;
                root(uint64_t { t } * p, length, re, im);
                lanePassTwiddles.push_back(re);
                lanePassTwiddles.push_back(im);
            }
    }
    laneJoinTwiddles.resize(6 * size_t { laneRows });
    double* tw = laneJoinTwiddles.data();
    for (uint32_t p0 = 0; p0 < laneRows; p0 += 4, tw += 24)
        for (uint32_t v = 1; v <= 3; ++v)
            for (uint32_t j = 0; j < 4; ++j)
                root(uint64_t { v } * (p0 + j), half, tw[8 * (v - 1) + j], tw[8 * (v - 1) + 4 + j]);
    scratch.allocate(n);
}

} // namespace dsp
