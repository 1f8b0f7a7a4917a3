#include "entry/generator_entry.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace entry;

namespace {

const QString kRmsLabel = QStringLiteral("Напряжение (скз), В");
const QString kPeakLabel = QStringLiteral("Напряжение, В");

TEST(GeneratorFrequency, TheInputFilterLimitsTheFrequency)
{
    const struct {
        const char* typed;
        int filterCode;
        const char* shown;
    } cases[] = {
        { "5000", 0, "1000.00" },
        { "5000", 1, "4900.00" },
        { "5000", 2, "5000.00" },
        { "5000", 3, "5000.00" },
        { "5000", 4 + 1, "4900.00" }, // only bits 0-1 count
        { "1000.001", 0, "1000.00" },
        { "1000.002", 0, "1000.00" },
        { "4900.5", 1, "4900.00" },
        { "12.345", 0, "12.35" },
        { "", 0, "0.00" },
    };
    for (const auto& c : cases) {
        const GeneratorFrequencyEntry entry
            = applyGeneratorFrequencyEntry(QString::fromUtf8(c.typed), "1", c.filterCode);
        ASSERT_TRUE(entry.converted) << c.typed;
        EXPECT_EQ(entry.frequencyText.toStdString(), c.shown) << c.typed << " code " << c.filterCode;
    }
    EXPECT_EQ(applyGeneratorFrequencyEntry("1000.002", "1", 0).frequencyKHz, 1000.0);
}

TEST(GeneratorFrequency, TheFrequencySetsTheLabelAndCutsTooLargeAmplitudes)
{
    const struct {
        const char* frequency;
        const char* amplitude;
        QString label;
        const char* amplitudeShown; // nullptr: the amplitude field stays as typed
    } cases[] = {
        { "0", "5", kPeakLabel, "3.000" },
        { "0", "-5", kPeakLabel, "-3.000" },
        { "1", "5", kRmsLabel, "2.121" },
        { "1", "-5", kRmsLabel, "2.121" },
        { "1", "-1", kRmsLabel, nullptr },
        { "0.001", "2.5", kPeakLabel, nullptr },
        { "", "2", kPeakLabel, nullptr },
    };
    for (const auto& c : cases) {
        const GeneratorFrequencyEntry entry
            = applyGeneratorFrequencyEntry(QString::fromUtf8(c.frequency), QString::fromUtf8(c.amplitude), 0);
        ASSERT_TRUE(entry.converted) << c.frequency << " / " << c.amplitude;
        EXPECT_EQ(entry.amplitudeLabel, c.label) << c.frequency;
        EXPECT_EQ(entry.amplitudeText.has_value(), c.amplitudeShown != nullptr) << c.frequency << " / " << c.amplitude;
        if (c.amplitudeShown && entry.amplitudeText) {
            EXPECT_EQ(entry.amplitudeText->toStdString(), c.amplitudeShown);
        }
    }
}

TEST(GeneratorFrequency, TextsThatAreNoNumbersAreReported)
{
    EXPECT_FALSE(applyGeneratorFrequencyEntry("", "", 0).converted);
    EXPECT_FALSE(applyGeneratorFrequencyEntry("1.2.3", "1", 0).converted);
    EXPECT_FALSE(applyGeneratorFrequencyEntry("-", "1", 0).converted);
}

TEST(GeneratorAmplitude, TheAmplitudeIsLimitedAndAlwaysRewritten)
{
    const struct {
        const char* frequency;
        const char* amplitude;
        const char* shown;
    } cases[] = {
        { "0", "5", "3.000" },
        { "1", "5", "2.121" },
        { "0", "-5", "-3.000" },
        { "1", "-5", "2.121" },
        { "1", "-1", "1.000" },
        { "0", "-1", "-1.000" },
        { "0", "", "0.000" },
        { "0", "2.1234", "2.123" },
    };
    for (const auto& c : cases) {
        const GeneratorAmplitudeEntry entry
            = applyGeneratorAmplitudeEntry(QString::fromUtf8(c.frequency), QString::fromUtf8(c.amplitude));
        ASSERT_TRUE(entry.converted) << c.frequency << " / " << c.amplitude;
        EXPECT_EQ(entry.amplitudeText.toStdString(), c.shown) << c.frequency << " / " << c.amplitude;
    }
    EXPECT_DOUBLE_EQ(applyGeneratorAmplitudeEntry("1", "5").amplitude, 3.0 / std::sqrt(2.0));
    EXPECT_FALSE(applyGeneratorAmplitudeEntry("", "1").converted);
    EXPECT_FALSE(applyGeneratorAmplitudeEntry("0", "1,5").converted);
}

} // namespace
