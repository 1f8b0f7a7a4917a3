#include "platform/decimal_separator.h"

#include <gtest/gtest.h>

namespace {

class DecimalSeparatorTest : public ::testing::Test {
protected:
    void TearDown() override { platform::setDecimalSeparator('.'); }
};

TEST_F(DecimalSeparatorTest, ReadsNumbersWithTheCurrentSeparatorOnly)
{
    EXPECT_DOUBLE_EQ(platform::StrToFloat(QStringLiteral(" 12.5 ")), 12.5);
    EXPECT_DOUBLE_EQ(platform::StrToFloat(QStringLiteral("-0.25")), -0.25);
    platform::setDecimalSeparator(',');
    EXPECT_DOUBLE_EQ(platform::StrToFloat(QStringLiteral("12,5")), 12.5);
    EXPECT_THROW(platform::StrToFloat(QStringLiteral("12.5")), platform::ConversionError);
}

TEST_F(DecimalSeparatorTest, RejectsTextThatIsNoNumber)
{
    for (const char* text : { "", "  ", "abc", "1.2.3", "12.5x", "--1" })
        EXPECT_THROW(platform::StrToFloat(QString::fromLatin1(text)), platform::ConversionError) << text;
    EXPECT_EQ(platform::StrToInt(QStringLiteral(" 42 ")), 42);
    EXPECT_THROW(platform::StrToInt(QStringLiteral("4.2")), platform::ConversionError);
}

} // namespace
