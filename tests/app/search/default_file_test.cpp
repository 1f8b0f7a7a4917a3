// The default settings file as the window writes it, and the messages of
// its failures.

#include "app/window_fixture.h"
#include "settings/ini_file.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace {

using DefaultFileTest = WindowTest;

// The default file, line by line.
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

QStringList fileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decoder("windows-1251");
    QString text = decoder.decode(file.readAll());
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

const QString kCaption = QStringLiteral("ОШИБКА CreateDefaultIniFile()!");

TEST_F(DefaultFileTest, WritesEveryDefaultInOrderAndKeepsTheFileObject)
{
    const QString path = settingsDirectory.filePath(QStringLiteral("defaults.ini"));
    ASSERT_TRUE(form->CreateDefaultIniFile(path));
    QStringList expected;
    for (const char* line : kDefaultFileLines)
        expected << QString::fromUtf8(line);
    EXPECT_EQ(fileLines(path), expected);
    ASSERT_NE(form->SettingsFile, nullptr);
    EXPECT_EQ(form->SettingsFile->path(), path);
    EXPECT_TRUE(recorder.empty());
}

TEST_F(DefaultFileTest, RewritesAnExistingFileInPlaceAndKeepsItsOtherLines)
{
    const QString path = settingsDirectory.filePath(QStringLiteral("defaults.ini"));
    {
        settings::IniFile file(path);
        ASSERT_TRUE(file.writeString(
            QStringLiteral("Модуль Q47-05"), QStringLiteral("АЦП. Тип амплитуды"), QStringLiteral("amp")));
        ASSERT_TRUE(file.writeString(QStringLiteral("Своё"), QStringLiteral("ключ"), QStringLiteral("значение")));
        ASSERT_TRUE(file.flush());
    }
    ASSERT_TRUE(form->CreateDefaultIniFile(path));
    const QStringList lines = fileLines(path);
    EXPECT_EQ(lines.mid(0, 3),
        (QStringList { QStringLiteral("[Модуль Q47-05]"), QStringLiteral("АЦП. Тип амплитуды=rms"),
            QStringLiteral("АЦП. Метод расчёта измеряемых величин=fft") }));
    EXPECT_TRUE(lines.contains(QStringLiteral("ключ=значение")));
    EXPECT_EQ(lines.size(), 42 + 3 + 2 + 3);
}

struct FailureCase {
    const char* name;
    QString (*path)(const QTemporaryDir&);
    QString (*message)(const QString& path);
};

TEST_F(DefaultFileTest, EachFailureHasItsMessage)
{
    const FailureCase cases[] = {
        { "empty path", [](const QTemporaryDir&) { return QString(); },
            [](const QString&) { return QStringLiteral("Неправильное название файла штатных настроек!"); } },
        { "a folder in the way",
            [](const QTemporaryDir& dir) {
                QDir(dir.path()).mkdir(QStringLiteral("folder.ini"));
                return dir.filePath(QStringLiteral("folder.ini"));
            },
            [](const QString& path) {
                return QStringLiteral("Не могу создать файл штатных настроек '") + path + QStringLiteral("'!");
            } },
        { "no such folder",
            [](const QTemporaryDir& dir) { return dir.filePath(QStringLiteral("missing/Zentrix.ini")); },
            [](const QString&) { return QStringLiteral("Не могу создать файл обычных настроек для приложения!"); } },
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.clear();
        const QString path = c.path(settingsDirectory);
        EXPECT_FALSE(form->CreateDefaultIniFile(path));
        ASSERT_EQ(recorder.messages().size(), 1u);
        EXPECT_EQ(recorder.messages()[0].text, c.message(path));
        EXPECT_EQ(recorder.messages()[0].caption, kCaption);
        EXPECT_EQ(recorder.messages()[0].icon, platform::MessageIcon::Information);
    }
}

} // namespace
