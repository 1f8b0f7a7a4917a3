#pragma once
// Everything the real FFT of one length needs besides the caller's arrays:
// twiddle tables, index tables and a scratch area.
// Built once by the RealFft constructor; the transform itself only reads it
// (and writes the scratch area).
//
// The transform of N real samples is a complex FFT of M = N/2 points
// z[n] = x[2n] + i·x[2n+1], followed by a split step that recovers the
// spectrum of x. Lengths from kLaneMinLength to kLaneMaxLength run as four
// interleaved transforms side by side (see fft_lane_stage.cpp). Longer ones
// are done in two cache-friendly stages over M = B·R points
// (B = 2^blockBits, R = 2^rowBits):
//   block stage:  R independent FFTs of B points, block t transforming the
//                 samples z[s + R·q] (q < B) with s = bit-reverse(t), each
//                 block small enough to stay in the L2 cache;
//   column stage: for each of the B columns, a twiddle and an FFT of R points
//                 across the blocks, eight columns at a time in a scratch area.
// The smallest lengths use a plain radix-2 loop.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace dsp {

// e^(-2πi·k/N) for 0 <= k < N from two small tables: coarse[k >> fineBits] times fine[k mod 2^fineBits].
struct UnitRoots {
    unsigned fineBits = 3;
    std::vector<double> fineRe, fineIm, coarseRe, coarseIm;

    // Plain pointers to the tables, for the hot loops: a loop that stores
    // doubles could otherwise not keep the vectors' data pointers in registers.
    struct View {
        const double* fineRe;
        const double* fineIm;
        const double* coarseRe;
        const double* coarseIm;
        unsigned fineBits;

        void at(uint64_t k, double& re, double& im) const
        {
            const uint64_t c = k >> fineBits;
            const uint64_t f = k & ((uint64_t { 1 } << fineBits) - 1);
            const double ar = coarseRe[c], ai = coarseIm[c], br = fineRe[f], bi = fineIm[f];
            re = ar * br - ai * bi;
            im = ar * bi + ai * br;
        }
    };

    void build(uint32_t n);
    View view() const { return { fineRe.data(), fineIm.data(), coarseRe.data(), coarseIm.data(), fineBits }; }
};

// A 64-byte aligned array of doubles, for the scratch rows.
class AlignedDoubles {
public:
    void allocate(size_t count);
    double* data() const { return data_.get(); }

private:
    struct Free {
        void operator()(double* p) const;
    };
    std::unique_ptr<double[], Free> data_;
};

struct FftPlan {
    static constexpr uint32_t kLanes = 8; // columns in one vector
    static constexpr size_t kScratchBytes = size_t { 1 } << 19; // the column stage's rows stay in L2
    static constexpr unsigned kMaxBlockBits = 12; // 4096 points: eight blocks fill half the L2 cache

    uint32_t n = 0; // real samples
    uint32_t half = 0; // M, complex points
    unsigned halfBits = 0; // log2 M
    bool blocked = false; // two-stage path

    // The lane path: M = 4·K, row k holding z[4k..4k+3]. Up to 2^19 samples
    // it runs faster than the blocked stages; longer transforms keep to the
    // blocked stages, whose scratch area does not grow with the length.
    static constexpr uint32_t kLaneMinLength = 256;
    static constexpr uint32_t kLaneMaxLength = uint32_t { 1 } << 19;
    bool lanes = false;
    uint32_t laneRows = 0; // K
    unsigned laneRadix4Passes = 0; // then one radix-2 pass when K is an odd power of two
    bool laneLastRadix2 = false;
    // Per radix-4 pass of length L = K, K/4, ... and per p < L/4 six doubles:
    // w^p, w^2p, w^3p (real, imaginary) with w = e^(-2πi/L).
    std::vector<double> lanePassTwiddles;
    // Per four rows p0: for v = 1..3 the real parts, then the imaginary parts,
    // of e^(-2πi·v·(p0 + j)/M) for j < 4.
    std::vector<double> laneJoinTwiddles;

    unsigned blockBits = 0, rowBits = 0;
    uint32_t block = 0, rows = 0; // B and R
    std::vector<uint32_t> rowReverse; // bit-reverse of t over rowBits, t < R
    std::vector<uint32_t> leafReverse; // bit-reverse of q over blockBits - 4, q < B/16
    // Block stage passes of span L = 16, 64, ..., B/4; per pass six arrays of
    // L doubles: w^l, w^2l, w^3l (real, imaginary) with w = e^(-2πi/4L).
    std::vector<double> blockTwiddles;
    // Column stage radix-4 passes; per pass and per l < L six doubles:
    // w^l, w^2l, w^3l (real, imaginary).
    std::vector<double> rowTwiddles;
    // Per block index s < R: e^(-2πi·j·s/M) for j < 8, eight real parts then eight imaginary parts.
    std::vector<double> columnSteps;
    // Columns read and written together by the column stage: a multiple of
    // kLanes, as many as fit the scratch area, at most 64 (eight cache lines a row).
    uint32_t columnWidth = kLanes;
    UnitRoots roots; // e^(-2πi·k/N)
    // Up to kDirectTablesMaxLength samples the split step's twiddles are also
    // kept whole, which saves a complex product per use where the table stays
    // in cache: e^(-2πi·k/N) for k < N/4, real parts then imaginary parts.
    // Empty for longer transforms.
    static constexpr uint32_t kDirectTablesMaxLength = uint32_t { 1 } << 14;
    std::vector<double> splitTwiddles;
    // Blocked path: per eight columns 2·R·8 doubles, real rows then imaginary
    // rows. Lane path: N doubles, K rows of eight.
    AlignedDoubles scratch;

    explicit FftPlan(uint32_t length);

private:
    void buildLanes();
};

} // namespace dsp
