// A save that the system cuts short: a file-size limit (as a quota or a full
// disk would) stops the write of the new file partway or at its first byte.
// The save must say it failed, and the old file must stay byte for byte with
// nothing left beside it. Each save runs in a child process, because the
// limit holds for the whole process.

#include "settings/ini_file.h"
#include "settings/ini_test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using settings::IniFile;

namespace {

const QByteArray kOldFile = "; my settings\r\n[S]\r\nk=old\r\n";

struct LimitCase {
    rlim_t limit; // bytes a file may have
    bool saved;
};

void PrintTo(const LimitCase& c, std::ostream* out)
{
    *out << c.limit << " bytes";
}

enum ChildResult { Saved = 10, FailedWithReason, FailedSilently };

// In the child: the limit, then a save of a new value of 4000 bytes.
[[noreturn]] void saveUnderLimit(const QString& path, rlim_t limit)
{
    std::signal(SIGXFSZ, SIG_IGN); // a write over the limit fails instead of killing
    rlimit size {};
    getrlimit(RLIMIT_FSIZE, &size);
    size.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &size);
    IniFile file(path);
    file.writeString("S", "k", QString(4000, u'n'));
    if (file.flush())
        _exit(Saved);
    _exit(file.errorText().isEmpty() ? FailedSilently : FailedWithReason);
}

class FailedWriteTest : public ::testing::TestWithParam<LimitCase> {
protected:
    QTemporaryDir dir;
};

TEST_P(FailedWriteTest, ACutWriteFailsAndLeavesTheOldFileByteForByte)
{
    const QString path = dir.filePath("Zentrix.ini");
    writeBytes(path, kOldFile);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        saveUnderLimit(path, GetParam().limit);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child was killed by signal " << WTERMSIG(status);

    const QByteArray after = readBytes(path);
    if (GetParam().saved) {
        EXPECT_EQ(WEXITSTATUS(status), Saved);
        EXPECT_EQ(after, "; my settings\r\n[S]\r\nk=" + QByteArray(4000, 'n') + "\r\n");
    } else {
        EXPECT_EQ(WEXITSTATUS(status), FailedWithReason);
        EXPECT_EQ(after, kOldFile);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Limits, FailedWriteTest,
    ::testing::Values(LimitCase { 0, false }, LimitCase { 1, false }, LimitCase { 2048, false },
        LimitCase { 4000, false }, LimitCase { 1 << 20, true }));

// A first start on a full disk: the new file is not created at all, never
// left empty or cut.
TEST(FailedWrite, ANewFileThatCannotBeWrittenIsNotLeftBehind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Zentrix.ini");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        saveUnderLimit(path, 100);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), FailedWithReason);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty());
}

} // namespace
