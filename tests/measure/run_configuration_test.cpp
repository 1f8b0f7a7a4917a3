// The settings a run takes from the window's file: the values the file holds,
// the defaults where it holds none, the window's choice of file, and a file
// that is only ever read.

#include "measure/run_configuration.h"
#include "measure/settings_source.h"
#include "platform/settings_location.h"
#include "settings/ini_file.h"
#include "settings/ini_test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace measure;

namespace {

class RunConfigurationTest : public ::testing::Test {
protected:
    QString path(const char* name = "Zentrix.ini") const { return directory.filePath(QString::fromUtf8(name)); }
    RunConfiguration configurationOf(const QString& file, bool named = false)
    {
        const SettingsSource source = loadSettings(file, named);
        EXPECT_FALSE(source.failed);
        return readRunConfiguration(*source.file);
    }

    QTemporaryDir directory;
};

// The file as the window saves it, written byte by byte in Windows-1251.
const char* const kSavedFile = "[Приложение. Обнаружение]\r\n"
                               "Серийный номер модуля=470503123\r\n"
                               "Источник загрузки ПЛИС модуля=0\r\n"
                               "[Модуль Q47-05]\r\n"
                               "АЦП. Метод расчёта измеряемых величин=sum\r\n"
                               "АЦП. Тип амплитуды=amp\r\n"
                               "АЦП. Вид амплитуды=code\r\n"
                               "АЦП. Mаксимальное время сбора данных, с=0.25\r\n"
                               "АЦП. Частота работы, кГц=250\r\n"
                               "АЦП. Групповое управление каналами=0\r\n"
                               "АЦП. Управление каналом 1=0\r\n"
                               "АЦП. Управление каналом 2=1\r\n"
                               "АЦП. Управление каналом 3=0\r\n"
                               "АЦП. Управление каналом 4=1\r\n"
                               "АЦП. Групповое управление входным диапазоном=-1\r\n"
                               "АЦП. Управление входным диапазоном канала 2=1\r\n"
                               "АЦП. Управление входным диапазоном канала 4=7\r\n"
                               "АЦП. Групповое управление типом измеряемого параметра=1\r\n"
                               "АЦП. Диапазон  1.0 В. DC precision=4\r\n"
                               "АЦП. Диапазон  0.3 В. FR precision=12\r\n";

TEST_F(RunConfigurationTest, ReadsWhatTheWindowSavedAndLeavesTheFileAsItWas)
{
    const QByteArray bytes = cp1251(QString::fromUtf8(kSavedFile));
    writeBytes(path(), bytes);
    const QDateTime modified = QFileInfo(path()).lastModified();

    const RunConfiguration c = configurationOf(path());
    EXPECT_EQ(c.wantedSerial, "470503123");
    EXPECT_EQ(c.pldSource, 0);
    EXPECT_EQ(c.computationMethod, "sum");
    EXPECT_EQ(c.amplitudeType, "amp");
    EXPECT_EQ(c.amplitudeKind, "code");
    EXPECT_EQ(c.maxAcquisitionTime, 0.25);
    EXPECT_EQ(c.adcRateHz, 250000.0);
    EXPECT_EQ(c.enabled, (std::array<bool, 4> { false, true, false, true }));
    // No group range: each channel's own, 7 taken to the narrowest range.
    EXPECT_EQ(c.inputRange, (std::array<int, 4> { 0, 1, 0, 2 }));
    EXPECT_EQ(c.parType, (std::array<int, 4> { 1, 1, 1, 1 }));
    EXPECT_EQ(c.connectionMode, (std::array<int, 4> { 1, 1, 1, 1 }));
    EXPECT_EQ(c.precisionFormats[settings::dcFormatIndex(1)], "0.0000");
    EXPECT_EQ(c.precisionFormats[settings::dcFormatIndex(0)], "0.00");
    EXPECT_EQ(c.precisionFormats[settings::frFormatIndex(2)], "0.0000000000");

    EXPECT_EQ(readBytes(path()), bytes);
    EXPECT_EQ(QFileInfo(path()).lastModified(), modified);
    EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files), QStringList { "Zentrix.ini" });
}

// Without a file the window's first search writes the defaults and reads
// them back; the tool takes the same values and writes nothing.
TEST_F(RunConfigurationTest, AMissingFileGivesTheDefaultFilesValuesAndStaysMissing)
{
    const RunConfiguration c = configurationOf(path());
    EXPECT_EQ(c.computationMethod, "fft");
    EXPECT_EQ(c.amplitudeType, "rms");
    EXPECT_EQ(c.amplitudeKind, "volt");
    EXPECT_EQ(c.adcRateHz, 1000000.0);
    EXPECT_EQ(c.maxAcquisitionTime, 0.5);
    EXPECT_EQ(c.wantedSerial, "");
    EXPECT_EQ(c.enabled, (std::array<bool, 4> { true, true, true, true }));
    EXPECT_EQ(c.parType, (std::array<int, 4> { 2, 2, 2, 2 }));
    EXPECT_EQ(c.precisionFormats[settings::acFormatIndex(0)], "0.00");
    EXPECT_EQ(c.precisionFormats[settings::frFormatIndex(0)], "0.00000");
    EXPECT_FALSE(QFileInfo::exists(path()));
}

TEST_F(RunConfigurationTest, AFileNamedOnTheCommandLineMustExist)
{
    const SettingsSource source = loadSettings(path("other.ini"), true);
    EXPECT_TRUE(source.failed);
    EXPECT_TRUE(source.warning.contains(path("other.ini")));
    EXPECT_FALSE(QFileInfo::exists(path("other.ini")));
}

// As in the window's search: the window's message, then every setting with
// its read default ("sum", not the default file's "fft").
TEST_F(RunConfigurationTest, AnUnreadableFileIsReportedAndGivesTheReadDefaults)
{
    ASSERT_TRUE(QDir(directory.path()).mkdir("Zentrix.ini"));
    const SettingsSource source = loadSettings(path(), false);
    EXPECT_FALSE(source.failed);
    EXPECT_EQ(source.warning,
        QStringLiteral("Не могу прочитать файл настроек '") + path()
            + QStringLiteral("': на его месте папка!\nПоиск модуля продолжается без настроек из файла, файл не будет "
                             "перезаписан."));
    const RunConfiguration c = readRunConfiguration(*source.file);
    EXPECT_EQ(c.computationMethod, "sum");
    EXPECT_EQ(c.adcRateHz, 1000000.0);
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(RunConfigurationTest, TheCommandLineOverridesTheFile)
{
    writeBytes(path(), cp1251(QString::fromUtf8(kSavedFile)));
    RunConfiguration c = configurationOf(path());
    MeasureOptions options;
    options.serial = QStringLiteral("470500001");
    options.channels = { 1, 3 };
    options.adcRateKHz = 100.0;
    options.acquisitionSeconds = 2.0;
    options.method = QStringLiteral("fft");
    applyOverrides(c, options);
    EXPECT_EQ(c.wantedSerial, "470500001");
    EXPECT_EQ(c.enabled, (std::array<bool, 4> { true, false, true, false }));
    EXPECT_EQ(c.adcRateHz, 100000.0);
    EXPECT_EQ(c.maxAcquisitionTime, 2.0);
    EXPECT_EQ(c.computationMethod, "fft");
    // What the command line leaves alone stays the file's.
    EXPECT_EQ(c.inputRange, (std::array<int, 4> { 0, 1, 0, 2 }));
    EXPECT_EQ(c.amplitudeKind, "code");
}

// The window's file: beside the program while the user may write there,
// else the user's own copy once the window has made it, else the
// installation's defaults beside the program. Nothing is created.
TEST_F(RunConfigurationTest, FindsTheFileTheWindowUses)
{
    const QString program = directory.filePath("program");
    const QString user = directory.filePath("user");
    ASSERT_TRUE(QDir().mkpath(program));
    const auto writable = [](const QString&) { return true; };
    const auto readOnly = [](const QString&) { return false; };
    EXPECT_EQ(platform::findSettingsFile(program, user, writable), program + "/Zentrix.ini");
    EXPECT_EQ(platform::findSettingsFile(program, user, readOnly), program + "/Zentrix.ini");
    EXPECT_FALSE(QFileInfo::exists(user));
    ASSERT_TRUE(QDir().mkpath(user));
    writeBytes(user + "/Zentrix.ini", "[x]\r\n");
    EXPECT_EQ(platform::findSettingsFile(program, user, readOnly), user + "/Zentrix.ini");
    EXPECT_EQ(platform::findSettingsFile(program, user, writable), program + "/Zentrix.ini");
}

} // namespace
