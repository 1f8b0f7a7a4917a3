#include "fftw_reference.h"

#include <fftw3.h>

namespace bench {

namespace {

void loadWisdomOnce()
{
    static const bool loaded = [] {
        fftw_import_wisdom_from_filename(ZX_FFTW_WISDOM_FILE);
        return true;
    }();
    (void)loaded;
}

} // namespace

FftwR2c::FftwR2c(uint32_t length, double* in, double* out)
{
    loadWisdomOnce();
    auto* complexOut = reinterpret_cast<fftw_complex*>(out);
    plan_ = fftw_plan_dft_r2c_1d(static_cast<int>(length), in, complexOut, FFTW_MEASURE | FFTW_WISDOM_ONLY);
    if (plan_ == nullptr) {
        plan_ = fftw_plan_dft_r2c_1d(static_cast<int>(length), in, complexOut, FFTW_MEASURE);
        fftw_export_wisdom_to_filename(ZX_FFTW_WISDOM_FILE);
    }
}

FftwR2c::~FftwR2c()
{
    fftw_destroy_plan(static_cast<fftw_plan>(plan_));
}

void FftwR2c::execute()
{
    fftw_execute(static_cast<fftw_plan>(plan_));
}

void FftwR2c::execute(double* in, double* out)
{
    fftw_execute_dft_r2c(static_cast<fftw_plan>(plan_), in, reinterpret_cast<fftw_complex*>(out));
}

double* fftwDoubles(uint64_t count)
{
    return fftw_alloc_real(count);
}

void fftwFree(double* p)
{
    fftw_free(p);
}

} // namespace bench
