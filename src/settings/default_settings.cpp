#include "settings/default_settings.h"

#include "settings/input_ranges.h"
#include "settings/setting_access.h"

namespace settings {

namespace {

constexpr int kChannelCount = 4;
constexpr int kDacChannelCount = 2;

template <typename Setting> bool writeDefault(IniFile& file, const Setting& setting, const QString& name = QString())
{
    return write(file, setting, setting.defaultValue, name);
}

template <typename Setting> bool writeDefaultPerChannel(IniFile& file, const Setting& setting)
{
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        if (!writeDefault(file, setting, channelKeyName(setting.key, channel)))
            return false;
    }
    return true;
}

} // namespace

bool WriteDefaultAppSettings(IniFile& file)
{
    return writeDefault(file, AutoSaveSettingsKey) && writeDefault(file, MainPanelTopKey)
        && writeDefault(file, MainPanelLeftKey) && writeDefault(file, CoeffsLoadSourceKey)
        && writeDefault(file, ModuleSerialNumberKey) && writeDefault(file, PldLoadSourceKey);
}

bool WriteDefaultModuleSettings(IniFile& file)
{
    bool ok = writeDefault(file, ComputationMethodKey) && writeDefault(file, AmplitudeTypeKey)
        && writeDefault(file, AmplitudeKindKey) && writeDefault(file, MaxAcquisitionTimeKey)
        && writeDefault(file, AdcRateKey) && writeDefault(file, GroupChannelControlKey)
        && writeDefaultPerChannel(file, ChannelEnabledKey) && writeDefault(file, GroupInputRangeKey)
        && writeDefaultPerChannel(file, ChannelInputRangeKey) && writeDefault(file, GroupConnectionModeKey)
        && writeDefaultPerChannel(file, ChannelConnectionModeKey) && writeDefault(file, GroupParTypeKey)
        && writeDefaultPerChannel(file, ChannelParTypeKey);
    for (int range = 0; ok && range < kInputRangeCount; ++range) {
        ok = writeDefault(file, DcPrecisionKey, precisionKeyName(DcPrecisionKey, range))
            && writeDefault(file, AcPrecisionKey, precisionKeyName(AcPrecisionKey, range))
            && writeDefault(file, FrPrecisionKey, precisionKeyName(FrPrecisionKey, range));
    }
    for (int dac = 1; ok && dac <= kDacChannelCount; ++dac)
        ok = writeDefault(file, DacAmplitudeKey, dacAmplitudeKeyName(dac));
    return ok;
}

} // namespace settings
