#pragma once
// The command line of zentrix-measure: what to do and the values that
// override the settings file for one run. Parsing is a plain function of the
// arguments, so every case is checked without starting the program.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace measure {

enum class Action { Measure, List, Help, Version, UsageError };

struct MeasureOptions {
    Action action = Action::Measure;
    // Set for UsageError: what was wrong, one line.
    QString error;

    QString settingsPath; // empty: the window's Zentrix.ini
    QString serial; // empty: the file's wanted serial, else the first module
    std::vector<int> channels; // 1..4, ascending, each once; empty: the file's choice
    std::optional<double> adcRateKHz;
    std::optional<double> acquisitionSeconds;
    QString method; // "sum", "fft" or empty: the file's method
    std::optional<unsigned long long> blocks; // none: until stopped
    QString outputPath; // empty: standard output
};

// `arguments` without the program name. Options take their value as the
// next argument or after "=" ("--rate 200", "--rate=200"). An unknown option,
// a missing or bad value, an option given twice or a stray argument gives
// Action::UsageError. --help and --version win over everything else that is
// well formed.
MeasureOptions parseOptions(const QStringList& arguments);

// The text --help prints.
QString helpText();

} // namespace measure
