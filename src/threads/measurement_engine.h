#pragma once
// One measurement run on an open, ready module, with no window and no thread
// of its own: send the ADC parameters and size the block, make the buffers,
// then read one block after another (two requests in flight), convert it and
// compute each channel's values, and finally stop the ADC and give back what
// the run holds once the library holds none of it. The caller's thread does
// all the work; a stop request is seen at every step. The first failure of a
// run is handed to the message sink (UTF-8 texts, the job dialog's own) and
// ends the run's work; Finish still runs.
//
// Typical use:
//     MeasurementEngine engine(module, module.QUERY_DEVICE_HANDLE(), &stop, sink);
//     if (engine.Configure(config) && engine.Allocate())
//         while (engine.ReadBlock())
//             use(engine.Values());
//     engine.Finish();

#include "coeffs/correction_coeffs.h"
#include "device/records.h"
#include "threads/acquisition_state.h"
#include "threads/adc_parameters_fill.h"

#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

class ModuleApi;

namespace acquisition {

// Receives the text of a run's failure (UTF-8 already decoded).
using MessageSink = std::function<void(const QString&)>;

// What one channel measures.
struct ChannelSetup {
    bool on = false;
    int range = 0; // 0 = ±3.0 V, 1 = ±1.0 V, 2 = ±0.3 V
    int connectionMode = 0; // 0 = own zero, 1 = common ground
    int parameter = 0; // 0 = DC, 1 = AC, 2 = AC+DC
};

struct RunConfig {
    std::array<ChannelSetup, kChannelCount> channels {};
    double adcRateHz = 100000.0; // asked for; the module answers with the rate it runs at
    double maxAcquisitionTime = 1.0; // seconds one block covers at most
    QString method = QStringLiteral("sum"); // "sum" or "fft"
    QString amplitudeType = QStringLiteral("rms"); // "rms" or "amp"
    QString amplitudeKind = QStringLiteral("volt"); // "volt": values in volts, else in codes
    // The record the run starts from: its revision flag and ADC coefficients
    // are sent as they are (see BaseParametersFor). Channels, rate and link
    // speed are filled by the engine.
    AdcParameters baseParameters {};
    uint8_t usbSpeed = 1; // as QUERY_USB_SPEED answered: 0 = full speed
};

// A base record for a module of `revision` ('A' or other) that sends the ADC
// pairs of `coeffs` (AdcRaw: offsets in codes).
AdcParameters BaseParametersFor(char revision, const coeffs::CorrectionCoeffs& coeffs);

// The values of the last block read.
struct BlockValues {
    // The channels computed in this block (on, with a place in the block and
    // a parameter of 0..2).
    std::array<bool, kChannelCount> measured {};
    // In volts ("volt") or codes. dc and ac as the channel's parameter asks;
    // frequency ("fft" only) in hertz.
    std::array<double, kChannelCount> dc {};
    std::array<double, kChannelCount> ac {};
    std::array<double, kChannelCount> frequency {};
    uint8_t overloadBits = 0; // bit c = channel c went past its range during the block
};

// What Configure does, for a caller that keeps the run's state itself (the
// window, in a synchronised call of the job): copies `base`, fills in the
// channel choices, `adcRateHz` and the link speed, sends the record with
// WRITE_ADC_PARAMETERS (a null module fails as a refusal), takes the accepted
// rates and sizes the block by state.ComputationMethod ("sum" when not
// "fft") and state.MaxAcquisitionTime. The first failure goes to `report`.
bool SendRunParameters(AcquisitionState& state, ModuleApi* module, const ChannelChoices& choices, double adcRateHz,
    const AdcParameters& base, uint8_t usbSpeed, const MessageSink& report);

class MeasurementEngine {
public:
    // `stop` (may be null) is polled at every step; the engine never sets it.
    MeasurementEngine(
        ModuleApi& module, platform::DeviceHandle handle, const std::atomic<bool>* stop, MessageSink sink);
    // A run over state the caller keeps (the job thread's), whose failures
    // raise `failed` through `sink` (the thread's one-message flag).
    MeasurementEngine(ModuleApi& module, platform::DeviceHandle handle, AcquisitionState& state,
        const std::atomic<bool>* stop, const std::atomic<bool>* failed, MessageSink sink);
    ~MeasurementEngine();
    MeasurementEngine(const MeasurementEngine&) = delete;
    MeasurementEngine& operator=(const MeasurementEngine&) = delete;

    // Sends the ADC parameters of `config`, learns the accepted ADC and frame
    // rates and sizes the block. False (with a message) when no channel is
    // on, the module refuses, or the block cannot be made. Each call starts
    // a new run: an earlier one not finished yet is finished first.
    bool Configure(const RunConfig& config);
    // MakeBuffers, then StopAdcAtStart.
    bool Allocate();
    // Reads one block and computes the values of its channels. False when the
    // run is over: stopped, or a failure was reported.
    bool ReadBlock();
    // StopAndWaitForRequests, then ReleaseBuffers (reporting an event that
    // cannot be closed). Does nothing before Configure or a second time; the
    // destructor of an engine with state of its own calls it when needed.
    void Finish();

    const BlockValues& Values() const { return values_; }
    double AcceptedAdcRateHz() const { return state_->AdcRateHz; }
    double AcceptedKadrRateHz() const { return state_->KadrRateHz; }
    uint32_t SamplesPerChannel() const { return state_->SamplesPerChannel; }
    // N / frame rate: the time one block covers.
    double BlockSeconds() const;
    // The run is over: a stop was asked for or a failure was reported.
    bool Stopped() const;
    bool StopRequested() const { return stop_ && stop_->load(std::memory_order_acquire); }

    // The single steps, for the job thread that runs window steps between them.
    //
    // The read requests with their events, the buffers, the window and, for
    // "fft", the spectrum analyser, for the block Configure sized.
    bool MakeBuffers();
    // Stops an ADC left running by an earlier user of the module.
    bool StopAdcAtStart();
    // Reads one block into the state's AdcBuffer with two requests in
    // flight, the first queued before the ADC starts; ORs the overload bits
    // into OverloadBits. Stops the ADC and cancels what is outstanding.
    void AcquireBlock();
    // Computes the values of every channel of the block in AdcBuffer into
    // DcValue, AcValue, Frequency and Values().
    void MeasureBlock();
    // Stops the ADC, cancels, and waits until no request is in the library's
    // hands (giving up only long after the requests' own time-out; the
    // buffers are then kept alive for good).
    void StopAndWaitForRequests();
    // Closes the events and frees the run's buffers; false when an event
    // could not be closed (the caller reports it).
    bool ReleaseBuffers();

    AcquisitionState& State() { return *state_; }
    // Live check boxes (4 flags) read when each channel's turn comes; null:
    // every channel that is on is measured.
    void SetLiveChannelFlags(const std::atomic<bool>* checked) { liveChecked_ = checked; }
    // Hands `text` (UTF-8) to the sink unless the run has failed already.
    void Report(const char* text);
    void Report(const QString& text);

private:
    friend class BlockReader;
    bool waitForRequest(platform::Overlapped* overlapped);
    bool requestOutstanding(platform::Overlapped* overlapped) const;
    void prepareSumWindow();
    void prepareSpectrum();
    void prepareSecondWorkspace();

    ModuleApi& module_;
    const platform::DeviceHandle handle_;
    std::unique_ptr<AcquisitionState> ownState_;
    AcquisitionState* state_;
    const std::atomic<bool>* stop_;
    std::atomic<bool> ownFailed_ { false };
    const std::atomic<bool>* failed_;
    MessageSink sink_;
    const std::atomic<bool>* liveChecked_ = nullptr;
    BlockValues values_;
    bool finished_ = true;
};

} // namespace acquisition
