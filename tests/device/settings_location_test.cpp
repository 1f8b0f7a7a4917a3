#include "platform/settings_location.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace platform;

namespace {

// An installation's defaults as they lie on disk: Windows-1251 text with CRLF
// line ends ("Сохранение настроек=0" in its section).
const QByteArray kInstalledDefaults = "[\xcf\xf0\xe8\xeb\xee\xe6\xe5\xed\xe8\xe5. \xce\xe1\xf9\xe8\xe5]\r\n"
                                      "\xd1\xee\xf5\xf0\xe0\xed\xe5\xed\xe8\xe5 \xed\xe0\xf1\xf2\xf0\xee\xe5\xea=0\r\n";
const QByteArray kUsersOwnSettings = "[x]\r\ny=1\r\n";

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name)
        , wasSet_(qEnvironmentVariableIsSet(name))
        , old_(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (wasSet_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool wasSet_;
    QByteArray old_;
};

const DirectoryWritableCheck kProgramFolderWritable = [](const QString&) { return true; };
const DirectoryWritableCheck kProgramFolderReadOnly = [](const QString&) { return false; };

struct Folders {
    QTemporaryDir root;
    QString program = root.filePath(QStringLiteral("usr/lib/zentrix"));
    QString user = root.filePath(QStringLiteral("home/alice/.config/zentrix"));
    Folders() { QDir().mkpath(program); }
    QString programFile() const { return program + QStringLiteral("/Zentrix.ini"); }
    QString userFile() const { return user + QStringLiteral("/Zentrix.ini"); }
};

} // namespace

TEST(SettingsLocation, AWritableProgramFolderKeepsTheFileBesideTheExecutable)
{
    Folders folders;
    ASSERT_TRUE(writeFile(folders.programFile(), kInstalledDefaults));
    EXPECT_EQ(prepareSettingsDirectory(folders.program, folders.user, kProgramFolderWritable), folders.program);
    EXPECT_FALSE(QFileInfo::exists(folders.user));
    EXPECT_EQ(readFile(folders.programFile()), kInstalledDefaults);
}

TEST(SettingsLocation, AReadOnlyProgramFolderGivesTheUserACopyOfItsDefaults)
{
    Folders folders;
    ASSERT_TRUE(writeFile(folders.programFile(), kInstalledDefaults));
    ASSERT_TRUE(QFile::setPermissions(folders.programFile(), QFileDevice::ReadOwner | QFileDevice::ReadOther));
    EXPECT_EQ(prepareSettingsDirectory(folders.program, folders.user, kProgramFolderReadOnly), folders.user);
    EXPECT_EQ(readFile(folders.userFile()), kInstalledDefaults);
    EXPECT_TRUE(QFileInfo(folders.userFile()).permissions() & QFileDevice::WriteOwner);
    EXPECT_EQ(readFile(folders.programFile()), kInstalledDefaults);
    EXPECT_EQ(QDir(folders.user).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("Zentrix.ini") });
}

TEST(SettingsLocation, TheUsersOwnFileIsNeverReplacedByTheDefaults)
{
    Folders folders;
    ASSERT_TRUE(writeFile(folders.programFile(), kInstalledDefaults));
    ASSERT_TRUE(QDir().mkpath(folders.user));
    ASSERT_TRUE(writeFile(folders.userFile(), kUsersOwnSettings));
    EXPECT_EQ(prepareSettingsDirectory(folders.program, folders.user, kProgramFolderReadOnly), folders.user);
    EXPECT_EQ(readFile(folders.userFile()), kUsersOwnSettings);
}

TEST(SettingsLocation, WithoutInstalledDefaultsTheUserFolderIsLeftForTheFirstStart)
{
    Folders folders;
    EXPECT_EQ(prepareSettingsDirectory(folders.program, folders.user, kProgramFolderReadOnly), folders.user);
    EXPECT_TRUE(QFileInfo(folders.user).isDir());
    EXPECT_FALSE(QFileInfo::exists(folders.userFile()));
}

TEST(SettingsLocation, AUserFolderThatCannotBeMadeIsStillTheOneNamed)
{
    Folders folders;
    ASSERT_TRUE(writeFile(folders.programFile(), kInstalledDefaults));
    const QString blocker = folders.root.filePath(QStringLiteral("home"));
    ASSERT_TRUE(writeFile(blocker, "a file where the home folder would be"));
    EXPECT_EQ(prepareSettingsDirectory(folders.program, folders.user, kProgramFolderReadOnly), folders.user);
    EXPECT_FALSE(QFileInfo::exists(folders.userFile()));
    EXPECT_EQ(readFile(folders.programFile()), kInstalledDefaults);
}

TEST(SettingsLocation, TheUserFolderFollowsTheXdgConfigHome)
{
    QTemporaryDir home;
    ScopedEnvironment homeVariable("HOME", home.path().toLocal8Bit());
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", QByteArray());
        EXPECT_EQ(userSettingsDirectory(), home.path() + QStringLiteral("/.config/zentrix"));
    }
    {
        const QString elsewhere = home.filePath(QStringLiteral("elsewhere"));
        ScopedEnvironment config("XDG_CONFIG_HOME", elsewhere.toLocal8Bit());
        EXPECT_EQ(userSettingsDirectory(), elsewhere + QStringLiteral("/zentrix"));
    }
}

TEST(SettingsLocation, TheWritableCheckSeesTheFoldersPermissions)
{
    QTemporaryDir root;
    EXPECT_TRUE(isDirectoryWritable(root.path()));
    EXPECT_FALSE(isDirectoryWritable(root.filePath(QStringLiteral("missing"))));
    ASSERT_TRUE(writeFile(root.filePath(QStringLiteral("file")), "x"));
    EXPECT_FALSE(isDirectoryWritable(root.filePath(QStringLiteral("file"))));

    if (geteuid() == 0)
        GTEST_SKIP() << "root may write into any folder";
    const QString locked = root.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(locked));
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_FALSE(isDirectoryWritable(locked));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
