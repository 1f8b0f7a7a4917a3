#include "dsp/window.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace dsp {

namespace {

constexpr double kTwoPi = 6.283185307179586;

constexpr double kCosineSum9Terms[9] = {
    0.2384331152777942,
    -0.400554534864382,
    0.2358242530472107,
    -0.09527918858383112,
    0.02537395516617152,
    -0.004152432907505835,
    0.000368560416329818,
    -1.38435559391703e-05,
    1.161808358932861e-07,
};

// One sample of the nine-term window: a single cosine, the higher
// harmonics from the double-angle and product recurrences.
double cosineSum9(const double* a, double theta)
{
    const double c1 = std::cos(theta);
    const double c2 = 2 * c1 * c1 - 1;
    const double c3 = 2 * c2 * c1 - c1;
    const double c4 = 2 * c2 * c2 - 1;
    const double c5 = 2 * c3 * c2 - c1;
    const double c6 = 2 * c3 * c3 - 1;
    const double c7 = 2 * c4 * c3 - c1;
    const double c8 = 2 * c4 * c4 - 1;
    return a[0] + a[1] * c1 + a[2] * c2 + a[3] * c3 + a[4] * c4 + a[5] * c5 + a[6] * c6 + a[7] * c7 + a[8] * c8;
}

} // namespace

bool MakeWindow(double* window, uint32_t N, int type, WindowTerms& terms, const std::atomic<bool>* abortFlag)
{
    if (type != kCosineSum9Window)
        throw std::invalid_argument("MakeWindow: unknown window type " + std::to_string(type));
    terms = WindowTerms {};
    terms.count = 9;
    for (int k = 0; k < 9; ++k)
        terms.terms[k] = kCosineSum9Terms[k];

    for (uint32_t start = 0; start < N; start += kWindowChunk) {
        if (abortFlag != nullptr && abortFlag->load(std::memory_order_relaxed))
            return false;
        const uint32_t end = N - start > kWindowChunk ? start + kWindowChunk : N;
        for (uint32_t n = start; n < end; ++n)
            window[n] = cosineSum9(terms.terms, kTwoPi * n / N);
    }
    return true;
}

double WindowPowerGain(const WindowTerms& terms)
{
    if (terms.count == 0)
        return 0.0;
    double lines = 0.0;
    for (int k = 1; k < terms.count; ++k)
        lines += terms.terms[k] * terms.terms[k];
    return terms.terms[0] * terms.terms[0] + 0.5 * lines;
}

} // namespace dsp
