#pragma once
// The data of one acquisition run of the job thread: the two read requests,
// the sample buffers, the window and the spectrum analyser, the thread's copy
// of the ADC parameters, the block size, the settings copied at the start and
// the values of the current block. The job thread owns it; the window reads
// and writes it only inside synchronised calls, while the job waits.

#include "device/records.h"
#include "dsp/window.h"
#include "platform/memory.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>

namespace dsp {
class SpectrumAnalyser;
}

struct AcquisitionState {
    AcquisitionState();
    ~AcquisitionState();
    AcquisitionState(const AcquisitionState&) = delete;
    AcquisitionState& operator=(const AcquisitionState&) = delete;

    // Used alternately; each owns one OVERLAPPED record (and its ReadEvent)
    // for the whole run.
    std::array<ReadRequest, 2> Requests {};
    // BlockSamples codes of one block, interleaved by frame.
    platform::ZeroedArray<int16_t> AdcBuffer;
    // BlockSamples converted samples.
    platform::ZeroedArray<double> AdcData;
    // SamplesPerChannel + 16 elements each: one channel's samples, its
    // spectrum ("fft" only) and the window values. The 16 spare elements stay
    // zero, so a spectrum shorter than the window's lobes reads zeros.
    platform::ZeroedArray<double> AdcDataPerChannel;
    platform::ZeroedArray<double> FftAdcDataPerChannel;
    platform::ZeroedArray<double> Window;
    double WindowSum = 0.0;
    double WindowPowerGain = 0.0;
    uint32_t RequestSamples = 0;
    std::unique_ptr<dsp::SpectrumAnalyser> SpectrumAnalyser;
    int8_t WindowType = dsp::kCosineSum9Window;
    dsp::WindowTerms WindowTerms;

    // "fft" over two or more channels: the buffers (N + 16 doubles each) and
    // the analyser with which a second thread measures another channel of
    // the block at the same time. Empty when they could not be had: the job
    // thread then measures every channel itself.
    struct Workspace {
        platform::ZeroedArray<double> Samples;
        platform::ZeroedArray<double> Spectrum;
        std::unique_ptr<dsp::SpectrumAnalyser> Analyser;
    };
    Workspace SecondWorkspace;

    // The thread's copy of the ADC parameter record.
    ::AdcParameters AdcParameters {};
    double MaxAcquisitionTime = 0.0;
    double AdcRateHz = 0.0;
    double KadrRateHz = 0.0;
    uint32_t BlockSamples = 0;
    uint32_t ActiveChannelCount = 0;
    uint32_t SamplesPerChannel = 0;
    // Place of channel c inside a frame; -1 when c is inactive.
    std::array<int16_t, 4> ChannelPosition { -1, -1, -1, -1 };
    std::array<double, 4> DcValue {};
    std::array<double, 4> AcValue {};
    std::array<double, 4> Frequency {};
    QString ComputationMethod;
    std::array<int32_t, 4> ParType {};
    std::array<int32_t, 4> InputRangeIndex {};
    QString AmplitudeType;
    QString AmplitudeKind;
    std::array<QString, 2> FrequencyFormatCaps;
    // Byte 0 accumulates (OR) byte 0 of every status read during the block:
    // bit c = channel c overloaded.
    uint8_t OverloadBits[sizeof(DataStatus)] {};

    // True when the read requests' records, events or buffers may still be
    // in the device library's hands; they are then never freed.
    bool RequestsMayBeOutstanding = false;

    // Closes the events and frees the OVERLAPPED records, setting them to
    // null, and hands the buffers and the analyser over to BuffersToFree.
    // False when an event could not be closed (everything else is released
    // all the same).
    bool ReleaseAcquisitionResources();

    // Buffers taken out of use, returned to the system by the job thread:
    // unmapping hundreds of megabytes takes long enough to stall the window.
    struct Buffers {
        platform::ZeroedArray<int16_t> AdcBuffer;
        platform::ZeroedArray<double> AdcData;
        platform::ZeroedArray<double> AdcDataPerChannel;
        platform::ZeroedArray<double> FftAdcDataPerChannel;
        platform::ZeroedArray<double> Window;
        std::unique_ptr<dsp::SpectrumAnalyser> SpectrumAnalyser;
        Workspace SecondWorkspace;
    };
    std::unique_ptr<Buffers> BuffersToFree;
};
