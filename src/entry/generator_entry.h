#pragma once
// Enter in the two fields of the outside signal generator: the frequency is
// limited by the module's input filter, the amplitude by the largest input
// range, as a peak value at 0 Hz and as an RMS value above it.

#include <QString>
#include <optional>

namespace entry {

// At or below this frequency (kHz) the generator gives a DC level.
constexpr double kGeneratorDcFrequencyKHz = 0.001;

// 3.0 V, or 3.0 / √2 V (the RMS value of a 3.0 V peak) above 0.001 kHz.
double generatorAmplitudeLimit(double frequencyKHz);
// "Напряжение (скз), В" above 0.001 kHz, else "Напряжение, В".
QString generatorAmplitudeLabel(double frequencyKHz);
// `filterCode` is bits 0-1 of the module's option byte: 0 (1.25 MHz filter)
// limits to 1000 kHz, 1 (5.00 MHz) to 4900 kHz, 2 and 3 do not limit.
double limitGeneratorFrequency(double frequencyKHz, int filterCode);
// Above 0.001 kHz the amplitude loses its sign; then its magnitude is limited.
double limitGeneratorAmplitude(double amplitude, double frequencyKHz);

// Enter in the frequency field.
struct GeneratorFrequencyEntry {
    bool converted = false; // false: "Обнаружена ошибка преобразования строки в число."
    double frequencyKHz = 0.0;
    QString frequencyText; // the limited frequency with "0.00"
    QString amplitudeLabel; // for the amplitude label
    std::optional<QString> amplitudeText; // set only when the amplitude had to be cut
};
// An empty frequency text counts as 0 kHz; the amplitude text must be a number.
GeneratorFrequencyEntry applyGeneratorFrequencyEntry(
    const QString& frequencyText, const QString& amplitudeText, int filterCode);

// Enter in the amplitude field.
struct GeneratorAmplitudeEntry {
    bool converted = false;
    double amplitude = 0.0;
    QString amplitudeText; // always rewritten, with "0.000"
};
// An empty amplitude text counts as 0 V; the frequency text must be a number.
GeneratorAmplitudeEntry applyGeneratorAmplitudeEntry(const QString& frequencyText, const QString& amplitudeText);

} // namespace entry
