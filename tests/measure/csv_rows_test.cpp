// The CSV rows against the texts the window's channel frames show for the
// same values: the precision of each range, an empty field where a frame
// shows dashes, "." as the separator, overload as 0 or 1.

#include "measure/csv_output.h"
#include "measure/csv_rows.h"
#include "settings/ini_test_files.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>

using namespace measure;

namespace {

RunConfiguration configuration(const char* method, const char* kind)
{
    RunConfiguration c;
    c.computationMethod = QString::fromUtf8(method);
    c.amplitudeKind = QString::fromUtf8(kind);
    c.inputRange = { 0, 1, 2, 0 };
    // DC, AC and frequency patterns of the ranges 3.0, 1.0 and 0.3 V.
    c.precisionFormats = { "0.00", "0.000", "0.0000", "0.0", "0.00", "0.", "0.00000", "0.00000", "0.0" };
    return c;
}

struct RowCase {
    const char* method;
    const char* kind;
    int channel; // 1..4
    int parType;
    double dc, ac, frequencyHz;
    const char* fields; // the row after "time,"
};

class CsvRowTable : public ::testing::TestWithParam<RowCase> { };

TEST_P(CsvRowTable, ShowsWhatTheFrameShows)
{
    const RowCase& r = GetParam();
    RunConfiguration c = configuration(r.method, r.kind);
    c.parType.fill(r.parType);
    BlockValues block;
    block.end = QDateTime::currentDateTime();
    auto& values = block.channels[static_cast<size_t>(r.channel - 1)];
    values = { true, r.dc, r.ac, r.frequencyHz };
    block.overloadBits = 0;
    const QString row = csvRows(c, block);
    EXPECT_EQ(row, csvTime(block.end) + ',' + QString::fromUtf8(r.fields) + '\n');
}

const RowCase kRows[] = {
    // DC: the level only.
    { "fft", "volt", 1, 0, 1.234567, 0.7071068, 1000.0, "1,1234.57,,,0" },
    { "sum", "volt", 2, 0, -0.0012344, 0.1, 0.0, "2,-1.234,,,0" },
    // AC: the AC value, and the frequency with "fft" only.
    { "fft", "volt", 1, 1, 1.5, 0.70710678, 1000.04, "1,,707.1,1.00004,0" },
    { "sum", "volt", 1, 1, 1.5, 0.70710678, 1000.04, "1,,707.1,,0" },
    { "fft", "volt", 3, 1, 0.1, 0.14142136, 50.0, "3,,141,0.1,0" },
    // Above 100 kHz and 1000 kHz the frequency takes fewer decimals.
    { "fft", "volt", 2, 1, 0.0, 0.5, 123456.7, "2,,500.00,123.457,0" },
    { "fft", "volt", 2, 1, 0.0, 0.5, 2345678.9, "2,,500.00,2345.68,0" },
    // AC+DC: both values, never a frequency.
    { "fft", "volt", 2, 2, 1.5, 0.0, 1000.0, "2,1500.000,0.00,,0" },
    // A value that rounds to zero shows no minus sign.
    { "sum", "volt", 1, 2, -0.000001, 0.0, 0.0, "1,0.00,0.0,,0" },
    // ADC codes: the value as it is.
    { "sum", "code", 1, 2, 1234.4, 5656.85, 0.0, "1,1234.40,5656.9,,0" },
    { "fft", "code", 3, 1, 0.0, 12.5, 50.0, "3,,13,0.1,0" },
};

INSTANTIATE_TEST_SUITE_P(Cases, CsvRowTable, ::testing::ValuesIn(kRows));

TEST(CsvRows, HeaderNamesTheUnitOfTheAmplitudeKind)
{
    EXPECT_EQ(csvHeader(configuration("fft", "volt")), "time,channel,dc_mV,ac_mV,frequency_kHz,overload\n");
    EXPECT_EQ(csvHeader(configuration("fft", "code")), "time,channel,dc_code,ac_code,frequency_kHz,overload\n");
}

TEST(CsvRows, OneRowPerMeasuredChannelInOrderWithItsOverloadBit)
{
    RunConfiguration c = configuration("sum", "volt");
    c.parType.fill(0);
    BlockValues block;
    block.end = QDateTime::currentDateTime();
    block.channels[3] = { true, 0.001, 0.0, 0.0 };
    block.channels[1] = { true, 0.002, 0.0, 0.0 };
    block.overloadBits = 0b1010;
    const QString time = csvTime(block.end);
    EXPECT_EQ(csvRows(c, block), time + ",2,2.000,,,1\n" + time + ",4,1.00,,,1\n");
    block.overloadBits = 0b0001; // a channel not measured has no row
    EXPECT_EQ(csvRows(c, block), time + ",2,2.000,,,0\n" + time + ",4,1.00,,,0\n");
}

TEST(CsvRows, NumbersKeepTheirPointUnderADecimalCommaLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const bool switched = std::setlocale(LC_ALL, "ru_RU.UTF-8") || std::setlocale(LC_ALL, "de_DE.UTF-8");
    QLocale::setDefault(QLocale(QLocale::Russian));
    RunConfiguration c = configuration("sum", "volt");
    c.parType.fill(0);
    BlockValues block;
    block.end = QDateTime::currentDateTime();
    block.channels[0] = { true, 1.5, 0.0, 0.0 };
    const QString rows = csvRows(c, block);
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_TRUE(rows.endsWith(",1,1500.00,,,0\n")) << rows.toStdString() << (switched ? "" : " (C locale only)");
}

// ISO 8601 with milliseconds and the offset from UTC; the text names the
// same instant.
TEST(CsvRows, TimeIsIso8601WithMillisecondsAndOffset)
{
    const QDateTime instant = QDateTime::fromMSecsSinceEpoch(1796915268123, Qt::UTC);
    const QString text = csvTime(instant);
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.123[+-]\d\d:\d\d$)").match(text).hasMatch())
        << text.toStdString();
    EXPECT_EQ(QDateTime::fromString(text, Qt::ISODateWithMs).toMSecsSinceEpoch(), 1796915268123);
}

TEST(CsvOutput, CreatesTheFileOnlyWithItsFirstTextAndFlushesEachWrite)
{
    QTemporaryDir directory;
    const QString path = directory.filePath("out.csv");
    writeBytes(path, "old results\n");
    {
        CsvOutput output(path);
        EXPECT_EQ(readBytes(path), "old results\n");
        ASSERT_TRUE(output.write(QStringLiteral("a,b\n")));
        EXPECT_EQ(readBytes(path), "a,b\n");
        ASSERT_TRUE(output.write(QStringLiteral("1,2\n")));
        EXPECT_EQ(readBytes(path), "a,b\n1,2\n");
    }
    EXPECT_EQ(readBytes(path), "a,b\n1,2\n");
}

TEST(CsvOutput, AFailedWriteSaysWhy)
{
    CsvOutput full(QStringLiteral("/dev/full"));
    EXPECT_FALSE(full.write(QStringLiteral("a,b\n")));
    EXPECT_TRUE(full.errorText().contains("/dev/full")) << full.errorText().toStdString();
    QTemporaryDir directory;
    CsvOutput nowhere(directory.filePath("missing/out.csv"));
    EXPECT_FALSE(nowhere.write(QStringLiteral("a,b\n")));
    EXPECT_TRUE(nowhere.errorText().contains("missing/out.csv")) << nowhere.errorText().toStdString();
}

} // namespace
