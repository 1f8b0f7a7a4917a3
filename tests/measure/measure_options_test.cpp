#include "measure/measure_options.h"

#include <gtest/gtest.h>

using measure::Action;
using measure::MeasureOptions;
using measure::parseOptions;

namespace {

struct OptionCase {
    QStringList arguments;
    Action action;
    // Checks the parsed values of a well-formed case.
    std::function<void(const MeasureOptions&)> check;
};

class OptionTable : public ::testing::TestWithParam<OptionCase> { };

TEST_P(OptionTable, GivesTheActionAndValues)
{
    const OptionCase& c = GetParam();
    const MeasureOptions options = parseOptions(c.arguments);
    EXPECT_EQ(options.action, c.action) << c.arguments.join(u' ').toStdString() << ": " << options.error.toStdString();
    if (c.action == Action::UsageError)
        EXPECT_FALSE(options.error.isEmpty());
    else if (c.check)
        c.check(options);
}

const OptionCase kCases[] = {
    { {}, Action::Measure,
        [](const MeasureOptions& o) {
            EXPECT_TRUE(o.settingsPath.isEmpty());
            EXPECT_TRUE(o.channels.empty());
            EXPECT_FALSE(o.adcRateKHz || o.acquisitionSeconds || o.blocks);
            EXPECT_TRUE(o.method.isEmpty() && o.serial.isEmpty() && o.outputPath.isEmpty());
        } },
    { { "--settings", "/tmp/a.ini", "--serial=470503123", "--output", "out.csv" }, Action::Measure,
        [](const MeasureOptions& o) {
            EXPECT_EQ(o.settingsPath, "/tmp/a.ini");
            EXPECT_EQ(o.serial, "470503123");
            EXPECT_EQ(o.outputPath, "out.csv");
        } },
    { { "--channels", "3,1,3" }, Action::Measure,
        [](const MeasureOptions& o) {
            EXPECT_EQ(o.channels, (std::vector<int> { 1, 3 }));
        } },
    { { "--channels= 4 , 2" }, Action::Measure,
        [](const MeasureOptions& o) {
            EXPECT_EQ(o.channels, (std::vector<int> { 2, 4 }));
        } },
    { { "--rate", "250.5", "--time=.25" }, Action::Measure,
        [](const MeasureOptions& o) {
            EXPECT_EQ(o.adcRateKHz, 250.5);
            EXPECT_EQ(o.acquisitionSeconds, 0.25);
        } },
    { { "--rate", "1e3" }, Action::Measure, [](const MeasureOptions& o) { EXPECT_EQ(o.adcRateKHz, 1000.0); } },
    { { "--method", "fft", "--blocks", "10" }, Action::Measure,
        [](const MeasureOptions& o) {
            EXPECT_EQ(o.method, "fft");
            EXPECT_EQ(o.blocks, 10u);
        } },
    { { "--method=sum", "--blocks=18446744073709551615" }, Action::Measure,
        [](const MeasureOptions& o) {
            EXPECT_EQ(o.method, "sum");
            EXPECT_EQ(o.blocks, 18446744073709551615ull);
        } },
    { { "--list" }, Action::List, nullptr },
    { { "--list", "--serial", "x" }, Action::List, nullptr },
    { { "--help" }, Action::Help, nullptr },
    { { "-h", "--list" }, Action::Help, nullptr },
    { { "--version", "--blocks", "3" }, Action::Version, nullptr },
    // Usage errors.
    { { "--bogus" }, Action::UsageError, nullptr },
    { { "-x" }, Action::UsageError, nullptr },
    { { "stray" }, Action::UsageError, nullptr },
    { { "--rate" }, Action::UsageError, nullptr },
    { { "--rate", "1,5" }, Action::UsageError, nullptr },
    { { "--rate", "0" }, Action::UsageError, nullptr },
    { { "--rate", "-100" }, Action::UsageError, nullptr },
    { { "--rate", "nan" }, Action::UsageError, nullptr },
    { { "--rate", "1e308" }, Action::UsageError, nullptr },
    { { "--time", "" }, Action::UsageError, nullptr },
    { { "--time", "abc" }, Action::UsageError, nullptr },
    { { "--channels", "" }, Action::UsageError, nullptr },
    { { "--channels", "0" }, Action::UsageError, nullptr },
    { { "--channels", "5" }, Action::UsageError, nullptr },
    { { "--channels", "1,,2" }, Action::UsageError, nullptr },
    { { "--channels", "12" }, Action::UsageError, nullptr },
    { { "--method", "FFT" }, Action::UsageError, nullptr },
    { { "--blocks", "0" }, Action::UsageError, nullptr },
    { { "--blocks", "-1" }, Action::UsageError, nullptr },
    { { "--blocks", "+3" }, Action::UsageError, nullptr },
    { { "--blocks", "2.5" }, Action::UsageError, nullptr },
    { { "--blocks", "18446744073709551616" }, Action::UsageError, nullptr },
    { { "--serial=" }, Action::UsageError, nullptr },
    { { "--output", "" }, Action::UsageError, nullptr },
    { { "--list=1" }, Action::UsageError, nullptr },
    { { "--rate", "100", "--rate", "200" }, Action::UsageError, nullptr },
    // A bad option is reported even beside --help.
    { { "--help", "--bogus" }, Action::UsageError, nullptr },
};

INSTANTIATE_TEST_SUITE_P(Cases, OptionTable, ::testing::ValuesIn(kCases));

} // namespace
