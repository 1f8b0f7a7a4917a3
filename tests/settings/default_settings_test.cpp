#include "settings/default_settings.h"
#include "settings/ini_test_files.h"
#include "settings/setting_access.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace settings;

namespace {

// The default file as a fresh start writes it, line by line.
const char* const kDefaultFileLines[] = { "[Приложение. Общие]", "Сохранение настроек=0", "Top    основной панели=-1",
    "Left   основной панели=-1", "Источник загрузки корректировочных коэфф.=0", "", "[Приложение. Обнаружение]",
    "Серийный номер модуля=", "Источник загрузки ПЛИС модуля=1", "", "[Модуль Q47-05]",
    "АЦП. Метод расчёта измеряемых величин=fft", "АЦП. Тип амплитуды=rms", "АЦП. Вид амплитуды=volt",
    "АЦП. Mаксимальное время сбора данных, с=0.5", "АЦП. Частота работы, кГц=1000",
    "АЦП. Групповое управление каналами=1", "АЦП. Управление каналом 1=1", "АЦП. Управление каналом 2=1",
    "АЦП. Управление каналом 3=1", "АЦП. Управление каналом 4=1", "АЦП. Групповое управление входным диапазоном=0",
    "АЦП. Управление входным диапазоном канала 1=0", "АЦП. Управление входным диапазоном канала 2=0",
    "АЦП. Управление входным диапазоном канала 3=0", "АЦП. Управление входным диапазоном канала 4=0",
    "АЦП. Групповое управление типом подключения каналов=1", "АЦП. Управление типом подключения канала 1=1",
    "АЦП. Управление типом подключения канала 2=1", "АЦП. Управление типом подключения канала 3=1",
    "АЦП. Управление типом подключения канала 4=1", "АЦП. Групповое управление типом измеряемого параметра=2",
    "АЦП. Управление типом измеряемого параметра для канала 1=2",
    "АЦП. Управление типом измеряемого параметра для канала 2=2",
    "АЦП. Управление типом измеряемого параметра для канала 3=2",
    "АЦП. Управление типом измеряемого параметра для канала 4=2", "АЦП. Диапазон  3.0 В. DC precision=2",
    "АЦП. Диапазон  3.0 В. AC precision=2", "АЦП. Диапазон  3.0 В. FR precision=5",
    "АЦП. Диапазон  1.0 В. DC precision=2", "АЦП. Диапазон  1.0 В. AC precision=2",
    "АЦП. Диапазон  1.0 В. FR precision=5", "АЦП. Диапазон  0.3 В. DC precision=2",
    "АЦП. Диапазон  0.3 В. AC precision=2", "АЦП. Диапазон  0.3 В. FR precision=5",
    "ЦАП. Амплитуда постоянного сигнала для канала 1, В=1", "ЦАП. Амплитуда постоянного сигнала для канала 2, В=1" };

QByteArray expectedDefaultFile()
{
    QString text;
    for (const char* line : kDefaultFileLines)
        text += QString::fromUtf8(line) + "\r\n";
    return cp1251(text);
}

class DefaultSettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("Zentrix.ini");
};

TEST_F(DefaultSettingsTest, TheDefaultFileListsEveryEntryInOrderInWindows1251)
{
    IniFile file(path);
    ASSERT_TRUE(WriteDefaultAppSettings(file)) << file.errorText().toStdString();
    ASSERT_TRUE(WriteDefaultModuleSettings(file)) << file.errorText().toStdString();
    ASSERT_TRUE(file.flush()) << file.errorText().toStdString();
    EXPECT_EQ(readBytes(path), expectedDefaultFile());
}

// Both parts reach the disk in one replacement, so a save cut off midway never
// leaves the new application part beside the old module part.
TEST_F(DefaultSettingsTest, NothingReachesTheDiskBeforeTheOneFlushOfBothParts)
{
    writeBytes(path, "; old\r\n");
    IniFile file(path);
    ASSERT_TRUE(WriteDefaultAppSettings(file));
    EXPECT_EQ(readBytes(path), "; old\r\n");
    ASSERT_TRUE(WriteDefaultModuleSettings(file));
    EXPECT_EQ(readBytes(path), "; old\r\n");
    ASSERT_TRUE(file.flush());
    EXPECT_EQ(readBytes(path).count('='), 42);
}

TEST_F(DefaultSettingsTest, DefaultsWrittenOverAnOldFileReplaceItsValuesAndKeepItsOtherLines)
{
    writeBytes(path, cp1251(QStringLiteral("; мой файл\r\n[Модуль Q47-05]\r\nАЦП. Частота работы, кГц=250\r\n")));
    IniFile file(path);
    ASSERT_TRUE(WriteDefaultAppSettings(file));
    ASSERT_TRUE(WriteDefaultModuleSettings(file));
    ASSERT_TRUE(file.flush());
    IniFile reread(path);
    EXPECT_EQ(read(reread, AdcRateKey), 1000.0);
    EXPECT_EQ(read(reread, ComputationMethodKey), "fft");
    EXPECT_TRUE(readBytes(path).startsWith(cp1251(QStringLiteral("; мой файл\r\n[Модуль Q47-05]\r\n"))));
}

TEST_F(DefaultSettingsTest, AFreshDefaultFileReadsBackAsAFirstStartExpects)
{
    IniFile writer(path);
    ASSERT_TRUE(WriteDefaultAppSettings(writer));
    ASSERT_TRUE(WriteDefaultModuleSettings(writer));
    ASSERT_TRUE(writer.flush());
    const IniFile file(path);
    EXPECT_EQ(read(file, ComputationMethodKey), "fft");
    EXPECT_EQ(read(file, AdcRateKey), 1000.0);
    EXPECT_EQ(read(file, CoeffsLoadSourceKey), 0);
    for (int channel = 1; channel <= 4; ++channel) {
        EXPECT_TRUE(read(file, ChannelEnabledKey, channelKeyName(ChannelEnabledKey.key, channel)));
        EXPECT_EQ(read(file, ChannelInputRangeKey, channelKeyName(ChannelInputRangeKey.key, channel)), 0);
        EXPECT_EQ(read(file, ChannelConnectionModeKey, channelKeyName(ChannelConnectionModeKey.key, channel)), 1);
        EXPECT_EQ(read(file, ChannelParTypeKey, channelKeyName(ChannelParTypeKey.key, channel)), 2);
    }
    EXPECT_EQ(read(file, DacAmplitudeKey, dacAmplitudeKeyName(2)), 1.0);
    EXPECT_EQ(read(file, MaxAcquisitionTimeKey), 0.5);
}

TEST_F(DefaultSettingsTest, MissingKeysTakeTheirReadDefaults)
{
    const IniFile empty(path);
    EXPECT_EQ(read(empty, ComputationMethodKey), "sum");
    EXPECT_EQ(read(empty, CoeffsLoadSourceKey), 1);
    EXPECT_EQ(read(empty, MainPanelTopKey), -1);
    EXPECT_EQ(read(empty, PldLoadSourceKey), 1);
    EXPECT_EQ(read(empty, ModuleSerialNumberKey), "");
    EXPECT_FALSE(read(empty, AutoSaveSettingsKey));
    EXPECT_TRUE(read(empty, GroupChannelControlKey));
    EXPECT_EQ(read(empty, AdcRateKey), 1000.0);
    EXPECT_EQ(read(empty, DacAmplitudeKey, dacAmplitudeKeyName(1)), 1.0);
}

TEST_F(DefaultSettingsTest, AFailedFlushIsReported)
{
    // The file fits the name limit, the temporary name it is replaced through does not.
    const QString blocked = dir.filePath(QString(250, u'z') + ".ini");
    writeBytes(blocked, "; old\r\n");
    IniFile file(blocked);
    EXPECT_TRUE(WriteDefaultAppSettings(file));
    EXPECT_TRUE(WriteDefaultModuleSettings(file));
    EXPECT_FALSE(file.flush());
    EXPECT_FALSE(file.errorText().isEmpty());
    EXPECT_EQ(readBytes(blocked), "; old\r\n");
}

} // namespace
