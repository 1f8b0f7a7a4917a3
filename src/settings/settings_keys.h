#pragma once
// Every section and key of the settings file, with the value the default file
// holds and the value a read takes when the key is missing or unreadable.
// Keys that depend on a channel or a range hold the fixed part of the name;
// the builders below give the full name.

namespace settings {

extern const char* const SectionAppGeneral; // "Приложение. Общие"
extern const char* const SectionAppDetection; // "Приложение. Обнаружение"
extern const char* const SectionModule; // "Модуль Q47-05"

struct BoolSetting {
    const char* section;
    const char* key;
    bool defaultValue;
    bool readDefault;
};
struct IntSetting {
    const char* section;
    const char* key;
    int defaultValue;
    int readDefault;
};
struct FloatSetting {
    const char* section;
    const char* key;
    double defaultValue;
    double readDefault;
};
struct TextSetting {
    const char* section;
    const char* key;
    const char* defaultValue;
    const char* readDefault;
};

// Application, general.
extern const BoolSetting AutoSaveSettingsKey;
extern const IntSetting MainPanelTopKey;
extern const IntSetting MainPanelLeftKey;
extern const IntSetting CoeffsLoadSourceKey;
// Application, module detection.
extern const TextSetting ModuleSerialNumberKey;
extern const IntSetting PldLoadSourceKey;
// The module.
extern const TextSetting ComputationMethodKey;
extern const TextSetting AmplitudeTypeKey;
extern const TextSetting AmplitudeKindKey;
extern const FloatSetting MaxAcquisitionTimeKey;
extern const FloatSetting AdcRateKey; // kHz
extern const BoolSetting GroupChannelControlKey;
extern const BoolSetting ChannelEnabledKey; // per channel
extern const IntSetting GroupInputRangeKey;
extern const IntSetting ChannelInputRangeKey; // per channel
extern const IntSetting GroupConnectionModeKey;
extern const IntSetting ChannelConnectionModeKey; // per channel
extern const IntSetting GroupParTypeKey;
extern const IntSetting ChannelParTypeKey; // per channel
extern const IntSetting DcPrecisionKey; // per range
extern const IntSetting AcPrecisionKey; // per range
extern const IntSetting FrPrecisionKey; // per range
extern const FloatSetting DacAmplitudeKey; // per DAC channel, volts

} // namespace settings
