#pragma once
// FFTW r2c as the reference the real FFT is measured against. Linked by the
// benchmark only. Plans are made with FFTW_MEASURE; the wisdom is kept in a
// file in the build folder so that only the first run pays for planning.

#include <cstdint>

namespace bench {

class FftwR2c {
public:
    // in holds N doubles, out N + 2 doubles (N/2 + 1 complex values).
    FftwR2c(uint32_t length, double* in, double* out);
    ~FftwR2c();
    FftwR2c(const FftwR2c&) = delete;
    FftwR2c& operator=(const FftwR2c&) = delete;

    void execute();
    // The transform of another pair of arrays with the same alignment.
    void execute(double* in, double* out);

private:
    void* plan_;
};

// fftw_malloc'ed doubles.
double* fftwDoubles(uint64_t count);
void fftwFree(double* p);

} // namespace bench
