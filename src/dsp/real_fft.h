#pragma once
// Forward FFT of a block of real doubles.
//
// Result layout for N samples (no scaling):
//   out[0]           = Σ x[n]                       (Re X_0)
//   out[k]           = Re X_k        for k = 1..N/2-1
//   out[N/2]         = Re X_{N/2}                   (N >= 2)
//   out[N/2 + k]     = Im X_k        for k = 1..N/2-1
// with X_k = Σ x[n]·e^(+2πi·k·n/N). Callers use only magnitudes, so the sign
// of the imaginary parts does not matter to them.
//
// All tables are built by the constructor; forward() allocates nothing, so one
// engine serves every channel and block of a run. forward() can be abandoned
// between its passes through the abort flag given at construction.

#include <atomic>
#include <cstdint>
#include <memory>

namespace dsp {

struct FftPlan;

class RealFft {
public:
    static constexpr uint32_t kMaxLength = uint32_t { 1 } << 30;

    // length: a power of two, 1..2^30, else std::invalid_argument.
    // abortFlag may be null. Table allocation failure throws std::bad_alloc.
    explicit RealFft(uint32_t length, const std::atomic<bool>* abortFlag = nullptr);
    ~RealFft();
    RealFft(const RealFft&) = delete;
    RealFft& operator=(const RealFft&) = delete;

    uint32_t length() const { return length_; }

    // Reads in[0..N-1] (left unchanged), writes out[0..N-1]; in and out are two
    // distinct arrays (std::invalid_argument otherwise). Returns false when the
    // abort flag was raised: out is then incomplete and must be discarded.
    bool forward(double* out, const double* in);

private:
    uint32_t length_;
    const std::atomic<bool>* abortFlag_;
    std::unique_ptr<FftPlan> plan_;
};

} // namespace dsp
