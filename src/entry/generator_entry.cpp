#include "entry/generator_entry.h"

#include "entry/number_text.h"
#include "settings/input_ranges.h"

#include <cmath>

namespace entry {

namespace {

constexpr int kFrequencyDecimals = 2;
constexpr int kAmplitudeDecimals = 3;

std::optional<double> numberOrZeroWhenEmpty(const QString& text)
{
    return text.trimmed().isEmpty() ? std::optional<double>(0.0) : textToNumber(text);
}

} // namespace

double generatorAmplitudeLimit(double frequencyKHz)
{
    const double peak = settings::InputRanges[0];
    return frequencyKHz > kGeneratorDcFrequencyKHz ? peak / std::sqrt(2.0) : peak;
}

QString generatorAmplitudeLabel(double frequencyKHz)
{
    return frequencyKHz > kGeneratorDcFrequencyKHz ? QStringLiteral("Напряжение (скз), В")
                                                   : QStringLiteral("Напряжение, В");
}

double limitGeneratorFrequency(double frequencyKHz, int filterCode)
{
    switch (filterCode & 0x3) {
    case 0:
        return frequencyKHz > 1000.001 ? 1000.0 : frequencyKHz;
    case 1:
        return frequencyKHz > 4900.001 ? 4900.0 : frequencyKHz;
    default:
        return frequencyKHz;
    }
}

double limitGeneratorAmplitude(double amplitude, double frequencyKHz)
{
    if (frequencyKHz > kGeneratorDcFrequencyKHz)
        amplitude = std::fabs(amplitude);
    const double limit = generatorAmplitudeLimit(frequencyKHz);
    return std::fabs(amplitude) > limit ? std::copysign(limit, amplitude) : amplitude;
}

GeneratorFrequencyEntry applyGeneratorFrequencyEntry(
    const QString& frequencyText, const QString& amplitudeText, int filterCode)
{
    GeneratorFrequencyEntry entry;
    const std::optional<double> frequency = numberOrZeroWhenEmpty(frequencyText);
    const std::optional<double> amplitude = textToNumber(amplitudeText);
    if (!frequency || !amplitude)
        return entry;
    entry.converted = true;
    // The label and the amplitude limit follow the frequency as typed, before its own limit.
    entry.amplitudeLabel = generatorAmplitudeLabel(*frequency);
    entry.frequencyKHz = limitGeneratorFrequency(*frequency, filterCode);
    entry.frequencyText = formatFixed(entry.frequencyKHz, kFrequencyDecimals);
    if (std::fabs(*amplitude) > generatorAmplitudeLimit(*frequency))
        entry.amplitudeText = formatFixed(limitGeneratorAmplitude(*amplitude, *frequency), kAmplitudeDecimals);
    return entry;
}

GeneratorAmplitudeEntry applyGeneratorAmplitudeEntry(const QString& frequencyText, const QString& amplitudeText)
{
    GeneratorAmplitudeEntry entry;
    const std::optional<double> frequency = textToNumber(frequencyText);
    const std::optional<double> amplitude = numberOrZeroWhenEmpty(amplitudeText);
    if (!frequency || !amplitude)
        return entry;
    entry.converted = true;
    entry.amplitude = limitGeneratorAmplitude(*amplitude, *frequency);
    entry.amplitudeText = formatFixed(entry.amplitude, kAmplitudeDecimals);
    return entry;
}

} // namespace entry
