#pragma once
// The measurement window: a nine-term cosine sum (type 8, the only type the
// measurement selects), 1 at the centre of the block and about 0 at its ends.

#include <atomic>
#include <cstdint>

namespace dsp {

constexpr int kCosineSum9Window = 8;
// Window samples produced between two tests of the abort flag.
constexpr uint32_t kWindowChunk = 0x40000;

struct WindowTerms {
    uint16_t count = 0;
    double terms[32] = {};
};

// Fills window[0..N-1] with w[n] = Σ a_k·cos(2π·k·n/N) and terms with the
// a_k of the window type. Tests the abort flag (may be null) before every
// chunk of kWindowChunk samples and returns false, leaving the window
// incomplete, when it is raised. A type other than 8 throws std::invalid_argument.
bool MakeWindow(double* window, uint32_t N, int type, WindowTerms& terms, const std::atomic<bool>* abortFlag);

// a0² + (a1² + ... + a_last²)/2: the mean power of a unit line seen through the window.
double WindowPowerGain(const WindowTerms& terms);

} // namespace dsp
