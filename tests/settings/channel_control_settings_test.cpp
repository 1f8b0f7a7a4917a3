#include "settings/channel_control_settings.h"
#include "settings/ini_test_files.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace settings;

namespace {

class ChannelControlSettingsTest : public ::testing::Test {
protected:
    // A file holding the module section with `lines`.
    IniFile fileWith(const QStringList& lines)
    {
        QByteArray bytes = cp1251(QStringLiteral("[Модуль Q47-05]\r\n"));
        for (const QString& line : lines)
            bytes += cp1251(line + QStringLiteral("\r\n"));
        writeBytes(path(), bytes);
        return IniFile(path());
    }
    QString path() const { return directory.filePath(QStringLiteral("Zentrix.ini")); }

    QTemporaryDir directory;
};

TEST_F(ChannelControlSettingsTest, AMissingSectionGivesEveryChannelOnWithTheGroupDefaults)
{
    const ChannelControlSettings controls = readChannelControlSettings(fileWith({}));
    EXPECT_TRUE(controls.groupEnabled);
    for (int c = 0; c < kAdcChannelCount; ++c) {
        EXPECT_TRUE(controls.enabled[c]);
        EXPECT_EQ(controls.inputRange.channel[c], 0);
        EXPECT_EQ(controls.connectionMode.channel[c], 1);
        EXPECT_EQ(controls.parType.channel[c], 2);
    }
    EXPECT_EQ(controls.inputRange.group, 0);
    EXPECT_EQ(controls.connectionMode.group, 1);
    EXPECT_EQ(controls.parType.group, 2);
}

struct ChoiceCase {
    const char* group;
    std::array<const char*, 4> channels;
    int expectedGroup;
    std::array<int, 4> expectedChannels;
};

class RangeChoiceTest : public ChannelControlSettingsTest, public ::testing::WithParamInterface<ChoiceCase> { };

TEST_P(RangeChoiceTest, ChannelKeysCountOnlyWithoutAGroupValueAndStayInTheList)
{
    const ChoiceCase& row = GetParam();
    QStringList lines { QStringLiteral("АЦП. Групповое управление входным диапазоном=")
        + QString::fromLatin1(row.group) };
    for (int c = 0; c < 4; ++c) {
        lines << QStringLiteral("АЦП. Управление входным диапазоном канала %1=").arg(c + 1)
                + QString::fromLatin1(row.channels[c]);
    }
    const ChannelChoice range = readChannelControlSettings(fileWith(lines)).inputRange;
    EXPECT_EQ(range.group, row.expectedGroup);
    EXPECT_EQ(range.channel, row.expectedChannels);
}

INSTANTIATE_TEST_SUITE_P(Rows, RangeChoiceTest,
    ::testing::Values(ChoiceCase { "1", { "0", "2", "2", "0" }, 1, { 1, 1, 1, 1 } },
        ChoiceCase { "-1", { "0", "1", "2", "1" }, -1, { 0, 1, 2, 1 } },
        ChoiceCase { "3", { "0", "1", "2", "1" }, -1, { 0, 1, 2, 1 } },
        ChoiceCase { "-1", { "9", "-4", "x", "0x2" }, -1, { 2, 0, 0, 2 } }));

TEST_F(ChannelControlSettingsTest, TheChannelSwitchesAreReadOnlyWithTheGroupSwitchOff)
{
    const QStringList channels { QStringLiteral("АЦП. Управление каналом 1=1"),
        QStringLiteral("АЦП. Управление каналом 2=0"), QStringLiteral("АЦП. Управление каналом 3=1"),
        QStringLiteral("АЦП. Управление каналом 4=0") };
    const ChannelControlSettings grouped = readChannelControlSettings(
        fileWith(channels + QStringList { QStringLiteral("АЦП. Групповое управление каналами=1") }));
    EXPECT_EQ(grouped.enabled, (std::array<bool, 4> { true, true, true, true }));
    const ChannelControlSettings single = readChannelControlSettings(
        fileWith(channels + QStringList { QStringLiteral("АЦП. Групповое управление каналами=0") }));
    EXPECT_EQ(single.enabled, (std::array<bool, 4> { true, false, true, false }));
}

TEST_F(ChannelControlSettingsTest, WrittenControlsReadBackUnchanged)
{
    ChannelControlSettings written;
    written.groupEnabled = false;
    written.enabled = { false, true, true, false };
    written.inputRange = { -1, { 2, 1, 0, 2 } };
    written.connectionMode = { 0, { 0, 0, 0, 0 } };
    written.parType = { -1, { 1, 0, 2, 1 } };
    IniFile file(path());
    ASSERT_TRUE(writeChannelControlSettings(file, written));
    ASSERT_TRUE(file.flush());
    const ChannelControlSettings read = readChannelControlSettings(IniFile(path()));
    EXPECT_EQ(read.groupEnabled, written.groupEnabled);
    EXPECT_EQ(read.enabled, written.enabled);
    EXPECT_EQ(read.inputRange.group, -1);
    EXPECT_EQ(read.inputRange.channel, written.inputRange.channel);
    EXPECT_EQ(read.connectionMode.group, 0);
    EXPECT_EQ(read.parType.channel, written.parType.channel);
}

} // namespace
