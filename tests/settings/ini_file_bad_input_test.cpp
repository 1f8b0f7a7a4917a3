// What stands at the settings file's path is not always a settings file: a
// folder, a named pipe, a device, a file too large or one the user may not
// read. None of them is read, none blocks, none is ever written over. A large
// file of garbage and duplicated names is read and kept byte for byte.

#include "settings/ini_file.h"
#include "settings/ini_test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

using settings::FileReadStatus;
using settings::IniFile;

namespace {

struct UnreadableCase {
    const char* name;
    // Puts the thing at `path`; false when this system or user cannot have it.
    bool (*place)(const QString& path);
    FileReadStatus status;
};

void PrintTo(const UnreadableCase& c, std::ostream* out)
{
    *out << c.name;
}

bool placeFolder(const QString& path)
{
    return QDir().mkpath(path);
}

bool placePipe(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

bool placeDevice(const QString& path)
{
    return QFileInfo::exists("/dev/zero") && QFile::link("/dev/zero", path);
}

bool placeTooLarge(const QString& path)
{
    // Sparse: one byte over the limit costs no disk space.
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(IniFile::kMaxFileSize + 1);
}

bool placeUnreadable(const QString& path)
{
    writeBytes(path, "[S]\r\nk=old\r\n");
    return QFile::setPermissions(path, QFileDevice::WriteOwner) && ::geteuid() != 0; // root reads anyway
}

class UnreadableFileTest : public ::testing::TestWithParam<UnreadableCase> {
protected:
    QTemporaryDir dir;
};

TEST_P(UnreadableFileTest, IsNotReadSaysWhyAndIsNeverWrittenOver)
{
    const UnreadableCase& c = GetParam();
    const QString path = dir.filePath("Zentrix.ini");
    if (!c.place(path))
        GTEST_SKIP() << "cannot be set up here";
    const QFileInfo before(path);

    IniFile file(path);
    EXPECT_FALSE(file.isLoaded());
    EXPECT_EQ(file.loadStatus(), c.status);
    EXPECT_FALSE(file.errorText().isEmpty());
    EXPECT_EQ(file.readInteger("S", "k", 3), 3);
    EXPECT_TRUE(file.writeInteger("S", "k", 1));
    EXPECT_FALSE(file.flush());

    const QFileInfo after(path);
    EXPECT_EQ(after.isDir(), before.isDir());
    EXPECT_EQ(after.isSymLink(), before.isSymLink());
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(after.lastModified(), before.lastModified());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Paths, UnreadableFileTest,
    ::testing::Values(UnreadableCase { "Folder", placeFolder, FileReadStatus::IsDirectory },
        UnreadableCase { "NamedPipe", placePipe, FileReadStatus::NotRegularFile },
        UnreadableCase { "Device", placeDevice, FileReadStatus::NotRegularFile },
        UnreadableCase { "TooLarge", placeTooLarge, FileReadStatus::TooLarge },
        UnreadableCase { "NoPermission", placeUnreadable, FileReadStatus::NoPermission }),
    [](const auto& info) { return std::string(info.param.name); });

// 50 MB: the settings first, then lines of garbage of every byte but a line
// break, a NUL among them, CRLF-terminated as the program writes them.
TEST(IniBadInput, AFiftyMegabyteFileIsReadAndKeptByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Zentrix.ini");
    QByteArray bytes = "[S]\r\nk=1\r\n; garbage follows\r\n";
    std::mt19937 random(4705);
    while (bytes.size() < 50 * 1024 * 1024) {
        const int length = int(random() % 120);
        for (int i = 0; i < length; ++i) {
            char byte = char(random() % 256);
            bytes += byte == '\n' || byte == '\r' ? '\0' : byte;
        }
        bytes += "\r\n";
    }
    writeBytes(path, bytes);

    IniFile file(path);
    ASSERT_TRUE(file.isLoaded());
    EXPECT_EQ(file.readInteger("S", "k", 0), 1);
    ASSERT_TRUE(file.writeInteger("S", "k", 2));
    ASSERT_TRUE(file.flush()) << file.errorText().toStdString();
    QByteArray expected = bytes;
    expected[7] = '2'; // the digit of "[S]\r\nk=1"
    EXPECT_TRUE(readBytes(path) == expected);
}

TEST(IniBadInput, DuplicateSectionsAndKeysUseTheFirstAndNewKeysJoinIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Zentrix.ini");
    writeBytes(path, "[S]\r\nk=1\r\nK=2\r\n; end\r\n[s]\r\nk=3\r\nnew=4\r\n");
    IniFile file(path);
    EXPECT_EQ(file.readInteger("S", "k", 0), 1);
    EXPECT_EQ(file.readInteger("S", "new", 0), 0);
    ASSERT_TRUE(file.writeInteger("s", "NEW", 5));
    ASSERT_TRUE(file.writeInteger("S", "k", 6));
    ASSERT_TRUE(file.flush());
    EXPECT_EQ(readBytes(path), "[S]\r\nk=6\r\nK=2\r\nNEW=5\r\n; end\r\n[s]\r\nk=3\r\nnew=4\r\n");
}

} // namespace
