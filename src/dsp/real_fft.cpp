#include "dsp/real_fft.h"

#include <stdexcept>

#include "dsp/fft_kernels.h"
#include "dsp/fft_plan.h"

namespace dsp {

namespace {

bool isPowerOfTwo(uint32_t value)
{
    return value != 0 && (value & (value - 1)) == 0;
}

bool aborted(const std::atomic<bool>* abortFlag)
{
    return abortFlag != nullptr && abortFlag->load(std::memory_order_relaxed);
}

} // namespace

RealFft::RealFft(uint32_t length, const std::atomic<bool>* abortFlag)
    : length_(length)
    , abortFlag_(abortFlag)
{
    if (!isPowerOfTwo(length) || length > kMaxLength)
        throw std::invalid_argument("RealFft: the length must be a power of two from 1 to 2^30");
    plan_ = std::make_unique<FftPlan>(length);
}

RealFft::~RealFft() = default;

bool RealFft::forward(double* out, const double* in)
{
    if (out == nullptr || in == nullptr || out == in)
        throw std::invalid_argument("RealFft::forward: input and output must be two distinct arrays");
    if (length_ == 1) {
        out[0] = in[0];
        return true;
    }
    if (plan_->lanes) {
        if (!fft::laneStage(*plan_, out, in, abortFlag_) || aborted(abortFlag_))
            return false;
    } else if (plan_->blocked) {
        if (!fft::blockStage(*plan_, out, in, abortFlag_) || aborted(abortFlag_))
            return false;
        if (!fft::columnStage(*plan_, out, abortFlag_) || aborted(abortFlag_))
            return false;
    } else {
        fft::smallComplexFft(*plan_, out, in);
        if (aborted(abortFlag_))
            return false;
    }
    fft::splitRealSpectrum(*plan_, out);
    return true;
}

} // namespace dsp
