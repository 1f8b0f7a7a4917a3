// ADC, stream, read-request and DAC operations of the module interface.
#include "adc_parameters.h"
#include "module_interface.h"
#include "sim_bus.h"

#include <cstring>

namespace modlink_sim {
namespace {
using Lock = std::unique_lock<std::mutex>;
}

bool SimModuleInterface::WRITE_ADC_PARAMETERS(AdcParameters* parameters)
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::WriteAdcParameters, lock) ? openModule() : nullptr;
    // The stream keeps the parameters it was started with until it is stopped.
    if (!module || !parameters || module->stream().producing())
        return false;
    if (!acceptAdcParameters(parameters, module->highSpeedLink()))
        return false;
    std::memcpy(&module->adcParameters, parameters, sizeof *parameters);
    module->hasAdcParameters = true;
    return true;
}

bool SimModuleInterface::START_ACQUISITION()
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::StartAcquisition, lock) ? openModule() : nullptr;
    // Without its firmware the module's FPGA has no converter to start.
    if (!module || !module->firmwareLoaded || !module->hasAdcParameters)
        return false;
    if (!module->stream().producing()) {
        Clock::time_point now = Clock::now();
        module->startAcquisition(now, bus_.timeScale(), bus_.signalSeconds(now));
        bus_.wake();
    }
    return true;
}

bool SimModuleInterface::STOP_ACQUISITION()
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::StopAcquisition, lock) ? openModule() : nullptr;
    if (!module)
        return false;
    module->stopAcquisition(Clock::now());
    bus_.wake();
    return true;
}

bool SimModuleInterface::CHECK_DATA_ERRORS(DataStatus* status)
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::CheckDataErrors, lock) ? openModule() : nullptr;
    if (!module || !status)
        return false;
    std::memset(status, 0, sizeof *status);
    status->OverloadBits = module->overloadBits;
    module->overloadBits = 0;
    return true;
}

bool SimModuleInterface::SUBMIT_READ_REQUEST(ReadRequest* request)
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::SubmitReadRequest, lock) ? openModule() : nullptr;
    if (!module || !request || !request->Buffer || !request->Overlapped || request->SampleCount == 0)
        return false;
    PendingRead read;
    read.owner = this;
    read.buffer = request->Buffer;
    read.count = request->SampleCount;
    read.overlapped = request->Overlapped;
    read.timeoutMs = request->TimeoutMs;
    if (!module->stream().submit(read, Clock::now()))
        return false;
    request->Overlapped->InternalHigh.store(0, std::memory_order_relaxed);
    request->Overlapped->Internal.store(platform::kStatusPending, std::memory_order_release);
    bus_.wake();
    return true;
}

bool SimModuleInterface::WRITE_DAC_SAMPLE(int16_t* code, uint16_t channel)
{
    Lock lock(bus_.mutex());
    SimModule* module = admitted(Op::WriteDacSample, lock) ? openModule() : nullptr;
    if (!module || !code || channel >= kDacOutputCount || !module->config.hasDac || !module->firmwareLoaded)
        return false;
    module->dacCodes[channel] = *code;
    return true;
}

bool SimModuleInterface::CancelIo()
{
    Lock lock(bus_.mutex());
    if (!admitted(Op::CancelIo, lock))
        return false;
    Clock::time_point now = Clock::now();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (SimModule* module = bus_.module(slot))
            module->stream().cancel(this, now);
    }
    bus_.wake();
    return true;
}

} // namespace modlink_sim
