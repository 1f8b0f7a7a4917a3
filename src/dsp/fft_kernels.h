#pragma once
// The stages of the real FFT (see fft_plan.h). Each is compiled for several
// instruction sets and picked at load time.
// out holds N doubles; during the complex stages its first half holds the real
// parts and its second half the imaginary parts of the M complex points.

#include <atomic>

#include "dsp/fft_plan.h"

namespace dsp::fft {

// Block stage: reads in[0..N-1], writes out. False when abandoned.
bool blockStage(const FftPlan& plan, double* out, const double* in, const std::atomic<bool>* abortFlag);
// Column stage, in place on out. False when abandoned.
bool columnStage(const FftPlan& plan, double* out, const std::atomic<bool>* abortFlag);
// Lane path (FftPlan::lanes): reads in[0..N-1], writes out. False when abandoned.
bool laneStage(const FftPlan& plan, double* out, const double* in, const std::atomic<bool>* abortFlag);
// Plain radix-2 complex FFT for M < 128: reads in, writes out.
void smallComplexFft(const FftPlan& plan, double* out, const double* in);
// Turns the complex spectrum of z into the real spectrum of x, in place, in the
// result layout: out[k] = Re X_k (k = 0..N/2), out[N/2 + k] = Im X_k (k = 1..N/2 - 1),
// with X_k = Σ x[n]·e^(+2πi·k·n/N).
void splitRealSpectrum(const FftPlan& plan, double* out);

} // namespace dsp::fft
