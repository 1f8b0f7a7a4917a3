// The settings file when the system gets in the way: something at its path
// that cannot be read, a save or a first start that the disk cuts short (a
// file-size limit stands in for a full disk or a quota), and a file an
// editor saved as UTF-8.

#include "search_fixture.h"

#include "frames/q4705_adc_channel_frame.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStringEncoder>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Holds the process to files of at most `limit` bytes while it lives. A write
// over the limit then fails with an error, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_ {};
    void (*previousHandler_)(int) = nullptr;
};

const QString kSaveCaption = QStringLiteral("ОШИБКА SaveIniFile()!!!");
const QStringList kSaveMessages { QStringLiteral("Не могу сохранить файл настроек приложения!"),
    QStringLiteral("Не могу сохранить файл настроек модуля!") };

struct UnreadableCase {
    const char* name;
    bool (*place)(const QString& path);
    const char* reason;
};

void PrintTo(const UnreadableCase& c, std::ostream* out)
{
    *out << c.name;
}

class UnreadableSettingsFileTest : public SearchTest, public ::testing::WithParamInterface<UnreadableCase> { };

TEST_P(UnreadableSettingsFileTest, IsNamedWithItsReasonTheSearchGoesOnAndTheFileIsNotWrittenOver)
{
    placeOnly(0, moduleWith("U1"));
    const QString path = settingsPath();
    ASSERT_TRUE(GetParam().place(path));
    const QFileInfo before(path);

    runSearch(true);
    ASSERT_EQ(recorder.messages().size(), 1u) << messageTexts().join('|').toStdString();
    EXPECT_EQ(recorder.messages()[0].text,
        QStringLiteral("Не могу прочитать файл настроек '") + path + QStringLiteral("': ")
            + QString::fromUtf8(GetParam().reason)
            + QStringLiteral("!\nПоиск модуля продолжается без настроек из файла, файл не будет перезаписан."));
    EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("ОШИБКА OpenSettingsFile()!"));
    EXPECT_EQ(recorder.messages()[0].icon, platform::MessageIcon::Information);
    // The module is ready, with the settings every missing key gives.
    EXPECT_EQ(form->ModuleState, 2);
    EXPECT_EQ(form->ComputationModeLabLMDLabel->text(), QStringLiteral("sum"));
    expectControlsGivenBack();

    recorder.clear();
    form->SaveIniFile(path);
    EXPECT_EQ(messageTexts(), kSaveMessages);
    const QFileInfo after(path);
    EXPECT_EQ(after.isDir(), before.isDir());
    EXPECT_EQ(after.isSymLink(), before.isSymLink());
    EXPECT_EQ(after.isFile(), before.isFile());
}

INSTANTIATE_TEST_SUITE_P(Paths, UnreadableSettingsFileTest,
    ::testing::Values(
        UnreadableCase { "Folder", [](const QString& path) { return QDir().mkpath(path); }, "на его месте папка" },
        UnreadableCase { "NamedPipe",
            [](const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0; },
            "это не обычный файл, а канал или устройство" },
        UnreadableCase { "Device", [](const QString& path) { return QFile::link("/dev/zero", path); },
            "это не обычный файл, а канал или устройство" },
        UnreadableCase { "TooLarge",
            [](const QString& path) {
                QFile file(path);
                return file.open(QIODevice::WriteOnly) && file.resize(64 * 1024 * 1024 + 1);
            },
            "он больше 64 МБ" }),
    [](const auto& info) { return std::string(info.param.name); });

using SettingsFileFailuresTest = SearchTest;

TEST_F(SettingsFileFailuresTest, ASaveTheDiskCutsShortSaysSoAndLeavesTheOldFileByteForByte)
{
    placeOnly(0, moduleWith("S1"));
    runSearch(true);
    ASSERT_TRUE(recorder.empty()) << messageTexts().join('|').toStdString();
    const QString path = settingsPath();
    const QByteArray before = fileBytes(path);
    form->ChannelFrames[1]->ChannelNumberLMDCheckBox->click(); // something new to save

    {
        const FileSizeLimit limit(before.size() / 2);
        form->SaveIniFile(path);
    }
    EXPECT_EQ(messageTexts(), kSaveMessages);
    for (const platform::MessageRequest& message : recorder.messages())
        EXPECT_EQ(message.caption, kSaveCaption);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(QDir(settingsDirectory.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // Without the limit the same save goes through.
    recorder.clear();
    form->SaveIniFile(path);
    EXPECT_TRUE(recorder.empty());
    EXPECT_NE(fileBytes(path), before);
}

// The defaults the window fell back on must never land in the user's file,
// not even after the file has been put right: only a search that reads it
// gives the window values to save.
TEST_F(SettingsFileFailuresTest, ASaveAfterAnUnreadableFileWasPutRightWritesNothingUntilTheNextSearch)
{
    placeOnly(0, moduleWith("S4"));
    const QString path = settingsPath();
    ASSERT_TRUE(QDir().mkpath(path));
    runSearch(true);
    ASSERT_EQ(recorder.messages().size(), 1u);

    ASSERT_TRUE(QDir().rmdir(path));
    const QByteArray userFile("[\xC0\xCF\xCF]\r\nkeep=1\r\n");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(userFile);
    file.close();

    recorder.clear();
    form->SaveIniFile(path);
    EXPECT_EQ(messageTexts(), kSaveMessages);
    EXPECT_EQ(fileBytes(path), userFile);

    recorder.clear();
    runSearch();
    form->SaveIniFile(path);
    EXPECT_TRUE(recorder.empty()) << messageTexts().join('|').toStdString();
    EXPECT_TRUE(fileBytes(path).startsWith(userFile));
}

TEST_F(SettingsFileFailuresTest, AFirstStartOnAFullDiskLeavesNoFileBehind)
{
    placeOnly(0, moduleWith("S2"));
    {
        const FileSizeLimit limit(100);
        runSearch(true);
    }
    ASSERT_FALSE(recorder.empty());
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("Не могу создать файл обычных настроек для приложения!"));
    EXPECT_FALSE(QFileInfo::exists(settingsPath()));
    EXPECT_TRUE(QDir(settingsDirectory.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(SettingsFileFailuresTest, AUtf8FileIsAppliedAndSavedBackAsUtf8WithItsMark)
{
    placeOnly(0, moduleWith("S3"));
    const QByteArray bom("\xEF\xBB\xBF");
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bom
        + QStringLiteral("[Модуль Q47-05]\nАЦП. Метод расчёта измеряемых величин=fft\n"
                         "АЦП. Групповое управление каналами=0\nАЦП. Управление каналом 2=0\n")
              .toUtf8());
    file.close();

    runSearch(true);
    EXPECT_TRUE(recorder.empty()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(form->ComputationModeLabLMDLabel->text(), QStringLiteral("fft"));
    EXPECT_FALSE(form->ChannelFrames[1]->ChannelNumberLMDCheckBox->isChecked());
    EXPECT_TRUE(form->ChannelFrames[0]->ChannelNumberLMDCheckBox->isChecked());

    form->SaveIniFile(settingsPath());
    EXPECT_TRUE(recorder.empty());
    const QByteArray saved = fileBytes(settingsPath());
    EXPECT_TRUE(saved.startsWith(bom + "[\xD0\x9C\xD0\xBE\xD0\xB4")); // "[Мод" in UTF-8
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(saved);
    EXPECT_FALSE(utf8.hasError());
    EXPECT_TRUE(text.contains(QStringLiteral("[Приложение. Общие]\r\nСохранение настроек=0\r\n")));
    // Not one byte of the Windows-1251 spelling.
    QStringEncoder cp1251("windows-1251");
    EXPECT_FALSE(saved.contains(QByteArray(cp1251.encode(QStringLiteral("Сохранение")))));
}

} // namespace
