#include "entry/number_text.h"

#include <gtest/gtest.h>
#include <limits>

using namespace entry;

namespace {

TEST(TextToNumber, AcceptsDecimalNumbersWithAPointAndAnExponent)
{
    const struct {
        const char* text;
        double value;
    } cases[] = { { "1e3", 1000.0 }, { "-2.5", -2.5 }, { " 7 ", 7.0 }, { "+1", 1.0 }, { ".5", 0.5 }, { "5.", 5.0 },
        { "1E-3", 0.001 }, { "-0", -0.0 }, { "0.000", 0.0 }, { "12.3456789", 12.3456789 } };
    for (const auto& c : cases) {
        const std::optional<double> value = textToNumber(QString::fromUtf8(c.text));
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_EQ(*value, c.value) << c.text;
    }
}

TEST(TextToNumber, RejectsEverythingElse)
{
    const char* const rejected[] = { "", " ", "-", "+", ".", "-.", ",", "1,5", "1.2.3", "1e", "e3", "abc", "1 2", "inf",
        "nan", "0x10", "1e400", "--1", "1-", "1.0 В", "１" };
    for (const char* text : rejected)
        EXPECT_FALSE(textToNumber(QString::fromUtf8(text)).has_value()) << text;
}

TEST(FormatFixed, RoundsHalfAwayFromZeroOnTheDecimalValue)
{
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        { 2.675, 2, "2.68" },
        { 1.005, 2, "1.01" },
        { 0.125, 2, "0.13" },
        { -2.675, 2, "-2.68" },
        { 2.5, 0, "3" },
        { -2.5, 0, "-3" },
        { 0.5, 0, "1" },
        { 0.49, 0, "0" },
        { 9.9996, 3, "10.000" },
        { 999.9995, 3, "1000.000" },
        { 123.4, 2, "123.40" },
        { 1000 * 0.12345, 2, "123.45" },
        { 12.3456789, 5, "12.34568" },
        { 0.0001, 10, "0.0001000000" },
        { 1.0, 10, "1.0000000000" },
        { 1e20, 2, "100000000000000000000.00" },
        { 1e-20, 3, "0.000" },
        { 0.05, 1, "0.1" },
        { 0.0, 0, "0" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFixed(c.value, c.decimals).toStdString(), c.text) << c.value;
}

TEST(FormatFixed, AValueThatRoundsToZeroShowsNoMinusSign)
{
    EXPECT_EQ(formatFixed(-0.004, 2), "0.00");
    EXPECT_EQ(formatFixed(-0.0, 3), "0.000");
    EXPECT_EQ(formatFixed(-0.4, 0), "0");
    EXPECT_EQ(formatFixed(-0.005, 2), "-0.01");
}

TEST(FormatFixed, NonFiniteValuesHaveTheirOwnTexts)
{
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::quiet_NaN(), 2), "NAN");
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::infinity(), 2), "INF");
    EXPECT_EQ(formatFixed(-std::numeric_limits<double>::infinity(), 2), "-INF");
}

TEST(FormatByPattern, ThePatternGivesTheDecimals)
{
    EXPECT_EQ(formatByPattern(2.5, "0."), "3");
    EXPECT_EQ(formatByPattern(1.0 / 3.0, "0.000000"), "0.333333");
    EXPECT_EQ(formatByPattern(0.3, "0.000"), "0.300");
    EXPECT_EQ(formatByPattern(1.6, "0.0000"), "1.6000");
}

TEST(FrequencyPattern, HighFrequenciesUseFewerDecimalsOnlyWhenThatIsShorter)
{
    const struct {
        double kHz;
        const char* rangePattern;
        const char* text;
    } cases[] = {
        { 12.3456789, "0.00000", "12.34568" },
        { 250.0, "0.00000", "250.000" },
        { 1500.0, "0.00000", "1500.00" },
        { 1500.0, "0.0", "1500.0" },
        { 1500.0, "0.00", "1500.00" },
        { 1500.0, "0.000", "1500.00" },
        { 1500.0, "0.", "1500" },
        { 250.0, "0.000", "250.000" },
        { 250.0, "0.0000", "250.000" },
        { 250.0, "0.00", "250.00" },
        { 1000.0, "0.00000", "1000.000" },
        { 100.0, "0.00000", "100.00000" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatByPattern(c.kHz, frequencyPattern(c.kHz, c.rangePattern)).toStdString(), c.text)
            << c.kHz << " kHz with " << c.rangePattern;
    }
}

} // namespace
