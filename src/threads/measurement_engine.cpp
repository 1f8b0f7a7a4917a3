#include "threads/measurement_engine.h"

#include "device/module_api.h"
#include "dsp/block_step.h"
#include "settings/input_ranges.h"
#include "threads/acquisition_job.h"
#include "threads/acquisition_messages.h"
#include "threads/acquisition_sizing.h"

#include <string>

namespace acquisition {

namespace {

const char* blockProblemMessage(BlockProblem problem)
{
    switch (problem) {
    case BlockProblem::EmptyRequest:
        return kRequestTooSmall;
    case BlockProblem::EmptyBlock:
        return kBlockTooShort;
    case BlockProblem::TooLarge:
        return kCannotAllocateAdcBuffer;
    case BlockProblem::None:
        break;
    }
    return nullptr;
}

} // namespace

AdcParameters BaseParametersFor(char revision, const coeffs::CorrectionCoeffs& coeffs)
{
    AdcParameters parameters {};
    parameters.RevisionFlag = RevisionFlagFor(revision);
    for (int r = 0; r < coeffs::kAdcRangeCount; ++r) {
        for (int c = 0; c < coeffs::kAdcChannelCount; ++c) {
            parameters.AdcOffsetCoefs[r][c] = coeffs.AdcRaw[r][c].Offset;
            parameters.AdcScaleCoefs[r][c] = coeffs.AdcRaw[r][c].Scale;
        }
    }
    return parameters;
}

bool SendRunParameters(AcquisitionState& state, ModuleApi* module, const ChannelChoices& choices, double adcRateHz,
    const AdcParameters& base, uint8_t usbSpeed, const MessageSink& report)
{
    state.AdcParameters = base;
    std::fill(std::begin(state.OverloadBits), std::end(state.OverloadBits), uint8_t(0));
    const uint16_t n = FillChannelChoices(state.AdcParameters, choices, &state.ChannelPosition);
    state.ActiveChannelCount = n;
    if (n == 0) {
        report(QString::fromUtf8(kNoActiveChannel));
        return false;
    }
    state.AdcParameters.AdcRate = adcRateHz * 0.001;
    state.AdcParameters.LinkSpeedParameter = LinkSpeedParameter(usbSpeed);
    state.AdcRateHz = adcRateHz;
    if (!module || !module->WRITE_ADC_PARAMETERS(&state.AdcParameters)) {
        report(QString::fromUtf8(kCannotWriteAdcParameters));
        return false;
    }
    state.AdcRateHz = state.AdcParameters.AdcRate * 1000.0;
    state.KadrRateHz = state.AdcParameters.KadrRate * 1000.0;

    const Method method = MethodFor(state.ComputationMethod.toStdString());
    if (method == Method::Sum)
        state.ComputationMethod = QStringLiteral("sum");
    const BlockSize size = SizeBlock(method, state.MaxAcquisitionTime, state.KadrRateHz, n);
    if (const char* problem = blockProblemMessage(CheckBlock(size))) {
        report(QString::fromUtf8(problem));
        return false;
    }
    state.RequestSamples = size.requestSamples;
    state.SamplesPerChannel = static_cast<uint32_t>(size.samplesPerChannel);
    state.BlockSamples = static_cast<uint32_t>(size.blockSamples);
    return true;
}

MeasurementEngine::MeasurementEngine(
    ModuleApi& module, platform::DeviceHandle handle, const std::atomic<bool>* stop, MessageSink sink)
    : module_(module)
    , handle_(handle)
    , ownState_(std::make_unique<AcquisitionState>())
    , state_(ownState_.get())
    , stop_(stop)
    , failed_(&ownFailed_)
    , sink_(std::move(sink))
{
}

MeasurementEngine::MeasurementEngine(ModuleApi& module, platform::DeviceHandle handle, AcquisitionState& state,
    const std::atomic<bool>* stop, const std::atomic<bool>* failed, MessageSink sink)
    : module_(module)
    , handle_(handle)
    , state_(&state)
    , stop_(stop)
    , failed_(failed ? failed : &ownFailed_)
    , sink_(std::move(sink))
{
}

MeasurementEngine::~MeasurementEngine()
{
    // A run of its own is never left with requests in the library's hands.
    if (ownState_)
        Finish();
}

void MeasurementEngine::Report(const char* text)
{
    Report(QString::fromUtf8(text));
}

void MeasurementEngine::Report(const QString& text)
{
    if (failed_->load(std::memory_order_acquire))
        return;
    if (failed_ == &ownFailed_)
        ownFailed_.store(true, std::memory_order_release);
    if (sink_)
        sink_(text);
}

bool MeasurementEngine::Stopped() const
{
    return StopRequested() || failed_->load(std::memory_order_acquire);
}

double MeasurementEngine::BlockSeconds() const
{
    BlockSize size;
    size.samplesPerChannel = state_->SamplesPerChannel;
    return acquisition::BlockSeconds(size, state_->KadrRateHz);
}

bool MeasurementEngine::Configure(const RunConfig& config)
{
    // A new run: what the last one holds is given back first, and its
    // failure no longer counts.
    Finish();
    ownFailed_.store(false, std::memory_order_release);
    finished_ = false;
    AcquisitionState& state = *state_;
    ChannelChoices choices;
    for (size_t c = 0; c < config.channels.size(); ++c) {
        const ChannelSetup& channel = config.channels[c];
        choices[c] = { channel.on, channel.range, channel.connectionMode };
        state.ParType[c] = channel.parameter;
        state.InputRangeIndex[c] = ValidIndex(channel.range, settings::kInputRangeCount);
    }
    state.ComputationMethod = config.method;
    state.AmplitudeType = config.amplitudeType;
    state.AmplitudeKind = config.amplitudeKind;
    state.MaxAcquisitionTime = config.maxAcquisitionTime;
    return SendRunParameters(state, &module_, choices, config.adcRateHz, config.baseParameters, config.usbSpeed,
        [this](const QString& text) { Report(text); });
}

bool MeasurementEngine::Allocate()
{
    return MakeBuffers() && !Stopped() && StopAdcAtStart();
}

bool MeasurementEngine::StopAdcAtStart()
{
    if (module_.STOP_ACQUISITION())
        return true;
    Report(kCannotStopAtStart);
    return false;
}

bool MeasurementEngine::ReadBlock()
{
    if (Stopped())
        return false;
    AcquireBlock();
    if (Stopped())
        return false;
    MeasureBlock();
    return !Stopped();
}

void MeasurementEngine::Finish()
{
    if (finished_)
        return;
    finished_ = true;
    StopAndWaitForRequests();
    if (!ReleaseBuffers())
        Report(kCannotCloseEvent);
    state_->BuffersToFree.reset();
}

void MeasurementEngine::MeasureBlock()
{
    AcquisitionState& state = *state_;
    state.DcValue.fill(0.0);
    state.AcValue.fill(0.0);
    state.Frequency.fill(0.0);
    values_ = BlockValues {};
    values_.overloadBits = state.OverloadBits[0];

    const std::string amplitudeType = state.AmplitudeType.toStdString();
    dsp::InterleavedBlock block;
    block.codes = state.AdcBuffer.get();
    block.channelCount = state.ActiveChannelCount;
    block.samplesPerChannel = state.SamplesPerChannel;
    block.scale = CodeScales(state);

    dsp::BlockMeasurement measurement;
    measurement.fft = state.SpectrumAnalyser != nullptr;
    measurement.window = state.Window.get();
    measurement.windowSum = state.WindowSum;
    measurement.windowPowerGain = state.WindowPowerGain;
    measurement.kadrRateHz = state.KadrRateHz;
    measurement.amplitudeType = amplitudeType;
    measurement.position = state.ChannelPosition;
    measurement.parType = state.ParType;
    // The window's check boxes are read live; a channel switched on after
    // the run started has no place in the block and is skipped.
    measurement.checked = liveChecked_;
    measurement.abortFlag = stop_;

    const dsp::ChannelWorkspace first { state.SpectrumAnalyser.get(), state.AdcDataPerChannel.get(),
        state.FftAdcDataPerChannel.get() };
    const AcquisitionState::Workspace& extra = state.SecondWorkspace;
    const dsp::ChannelWorkspace second { extra.Analyser.get(), extra.Samples.get(), extra.Spectrum.get() };
    const dsp::BlockResults results = dsp::MeasureBlock(block, measurement, first, extra.Analyser ? &second : nullptr);
    for (size_t c = 0; c < results.channels.size(); ++c) {
        if (!results.measured[c])
            continue;
        const dsp::ChannelResult& result = results.channels[c];
        state.DcValue[c] = result.DcValue;
        state.AcValue[c] = result.AcValue;
        state.Frequency[c] = result.Frequency;
        // A parameter outside DC, AC and AC+DC computes nothing.
        const int32_t parameter = state.ParType[c];
        values_.measured[c]
            = result.status == dsp::ChannelStatus::Ok && parameter >= dsp::kParDc && parameter <= dsp::kParAcDc;
        values_.dc[c] = result.DcValue;
        values_.ac[c] = result.AcValue;
        values_.frequency[c] = result.Frequency;
        if (result.status == dsp::ChannelStatus::NoSignal)
            Report(dsp::kNoSignalMessage);
        if (result.status != dsp::ChannelStatus::Ok || Stopped())
            break;
    }
}

} // namespace acquisition
