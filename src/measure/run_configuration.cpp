#include "measure/run_configuration.h"

#include "settings/channel_control_settings.h"
#include "settings/ini_file.h"
#include "settings/setting_access.h"

#include <cmath>

namespace measure {

RunConfiguration readRunConfiguration(const settings::IniFile& file)
{
    RunConfiguration configuration;
    configuration.wantedSerial = settings::read(file, settings::ModuleSerialNumberKey);
    configuration.pldSource = static_cast<uint16_t>(settings::read(file, settings::PldLoadSourceKey));

    const settings::ChannelControlSettings controls = settings::readChannelControlSettings(file);
    for (int c = 0; c < kChannelCount; ++c) {
        const auto i = static_cast<size_t>(c);
        configuration.enabled[i] = controls.enabled[i];
        configuration.inputRange[i] = controls.inputRange.channel[i];
        configuration.connectionMode[i] = controls.connectionMode.channel[i];
        configuration.parType[i] = controls.parType.channel[i];
    }

    const double rateHz = settings::read(file, settings::AdcRateKey) * 1000.0;
    // A stored rate too large to be a number of hertz is taken as missing.
    configuration.adcRateHz = std::isfinite(rateHz) ? rateHz : settings::AdcRateKey.readDefault * 1000.0;
    configuration.maxAcquisitionTime = settings::read(file, settings::MaxAcquisitionTimeKey);
    configuration.computationMethod = settings::read(file, settings::ComputationMethodKey);
    configuration.amplitudeType = settings::read(file, settings::AmplitudeTypeKey);
    configuration.amplitudeKind = settings::read(file, settings::AmplitudeKindKey);
    configuration.precisionFormats = settings::buildPrecisionFormats(settings::readPrecisionSettings(file));
    return configuration;
}

void applyOverrides(RunConfiguration& configuration, const MeasureOptions& options)
{
    if (!options.serial.isEmpty())
        configuration.wantedSerial = options.serial;
    if (!options.channels.empty()) {
        configuration.enabled.fill(false);
        for (int channel : options.channels)
            configuration.enabled[static_cast<size_t>(channel - 1)] = true;
    }
    if (options.adcRateKHz)
        configuration.adcRateHz = *options.adcRateKHz * 1000.0;
    if (options.acquisitionSeconds)
        configuration.maxAcquisitionTime = *options.acquisitionSeconds;
    if (!options.method.isEmpty())
        configuration.computationMethod = options.method;
}

} // namespace measure
