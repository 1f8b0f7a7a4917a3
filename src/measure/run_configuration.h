#pragma once
// What one run measures and how, as the window would after a module search:
// read from the settings file with the window's keys, defaults and rules,
// then overridden by the command line.

#include "measure/measure_options.h"
#include "settings/precision_formats.h"
#include "threads/module_search_rules.h"

#include <QString>
#include <array>
#include <cstdint>

namespace settings {
class IniFile;
}

namespace measure {

constexpr int kChannelCount = 4;

struct RunConfiguration {
    // Detection.
    QString wantedSerial; // empty: the first module
    uint16_t pldSource = module_search::kPldFromLibrary;

    // The channels as their frames would show them.
    std::array<bool, kChannelCount> enabled {};
    std::array<int, kChannelCount> inputRange {}; // 0..2
    std::array<int, kChannelCount> connectionMode {}; // 0..1
    std::array<int, kChannelCount> parType {}; // 0 DC, 1 AC, 2 AC+DC

    double adcRateHz = 0.0;
    double maxAcquisitionTime = 0.0; // seconds
    QString computationMethod; // "fft" or anything else for "sum"
    QString amplitudeType; // "rms" or "amp"
    QString amplitudeKind; // "volt", anything else for ADC codes
    settings::PrecisionFormats precisionFormats;
};

// The configuration a module search would apply from `file`. A file that
// could not be read (an empty object) gives the read defaults, as the window.
RunConfiguration readRunConfiguration(const settings::IniFile& file);

// The command line's choices over the file's.
void applyOverrides(RunConfiguration& configuration, const MeasureOptions& options);

} // namespace measure
