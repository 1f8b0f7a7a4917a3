#include "settings/ini_test_files.h"
#include "settings/precision_formats.h"
#include "settings/setting_access.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace settings;

namespace {

TEST(Precision, ReadValuesAreCutToTheirLow16BitsAndClampedToTen)
{
    const struct {
        int read;
        uint16_t decimals;
    } cases[] = { { 0, 0 }, { 2, 2 }, { 10, 10 }, { 11, 10 }, { -1, 10 }, { 65538, 2 }, { 65536 + 11, 10 },
        { -65536, 0 }, { 2147483647, 10 } };
    for (const auto& c : cases)
        EXPECT_EQ(clampPrecision(c.read), c.decimals) << c.read;
}

TEST(Precision, PatternsHaveOneZeroPerDecimal)
{
    EXPECT_EQ(precisionPattern(0), "0.");
    EXPECT_EQ(precisionPattern(2), "0.00");
    EXPECT_EQ(precisionPattern(10), "0.0000000000");
}

TEST(Precision, TheNinePatternsComeFromTheFileByRangeAndKind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Zentrix.ini");
    writeBytes(path,
        cp1251(QStringLiteral("[Модуль Q47-05]\r\n"
                              "АЦП. Диапазон  3.0 В. DC precision=0\r\n"
                              "АЦП. Диапазон  1.0 В. AC precision=11\r\n"
                              "АЦП. Диапазон  0.3 В. FR precision=-1\r\n"
                              "АЦП. Диапазон  0.3 В. DC precision=65538\r\n"
                              "АЦП. Диапазон  1.0 В. FR precision=many\r\n")));
    const PrecisionFormats formats = buildPrecisionFormats(readPrecisionSettings(IniFile(path)));
    const PrecisionFormats expected
        = { "0.", "0.00", "0.00", "0.00", "0.0000000000", "0.00", "0.00000", "0.00000", "0.0000000000" };
    EXPECT_EQ(formats, expected);
    EXPECT_EQ(formats[dcFormatIndex(2)], "0.00");
    EXPECT_EQ(formats[acFormatIndex(1)], "0.0000000000");
    EXPECT_EQ(formats[frFormatIndex(2)], "0.0000000000");
}

TEST(Precision, KeyNamesCarryTheRangeWithWidthFour)
{
    EXPECT_EQ(precisionKeyName(DcPrecisionKey, 0), QStringLiteral("АЦП. Диапазон  3.0 В. DC precision"));
    EXPECT_EQ(precisionKeyName(AcPrecisionKey, 1), QStringLiteral("АЦП. Диапазон  1.0 В. AC precision"));
    EXPECT_EQ(precisionKeyName(FrPrecisionKey, 2), QStringLiteral("АЦП. Диапазон  0.3 В. FR precision"));
}

} // namespace
