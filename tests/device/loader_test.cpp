#include "device/device_library.h"
#include "support/sim_library.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kLibraryFile = QStringLiteral("libModlink.so");

QString notModlinkMessage(const QTemporaryDir& directory)
{
    return QStringLiteral("Файл '%1' не является библиотекой Modlink!").arg(directory.filePath(kLibraryFile));
}

// Puts a copy of `source` (a file beside the test program) into `directory`
// as the device library.
bool placeLibrary(const QTemporaryDir& directory, const QString& source)
{
    QFile::remove(directory.filePath(kLibraryFile));
    return QFile::copy(QDir(testProgramDirectory()).filePath(source), directory.filePath(kLibraryFile));
}

} // namespace

TEST(ModlinkLoader, MissingLibraryIsAnErrorNotACrash)
{
    QTemporaryDir empty;
    auto library = openModlinkLibrary(empty.path());
    EXPECT_FALSE(library->load());
    EXPECT_FALSE(library->errorText().isEmpty());
    EXPECT_EQ(library->GetLibraryVersion(), 0u);
    EXPECT_EQ(library->GetModuleInterface(kModuleName), nullptr);
}

TEST(ModlinkLoader, LibraryBesideTheProgramResolvesBothFunctions)
{
    auto library = openSimulatedLibrary();
    ASSERT_TRUE(library->load()) << library->errorText().toStdString();
    EXPECT_EQ(library->GetLibraryVersion(), kRequiredLibraryVersion);
    EXPECT_EQ(library->GetModuleInterface("q4706"), nullptr);
}

// Each failed load tries again: a library put in place later is found by the
// same object, and a file in its place that is not the library is named.
TEST(ModlinkLoader, ALibraryPutInPlaceAfterAFailureIsFound)
{
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    auto library = openModlinkLibrary(directory.path());
    EXPECT_FALSE(library->load());

    QFile text(directory.filePath(kLibraryFile));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("[bus]\nloopback = 1\n");
    text.close();
    EXPECT_FALSE(library->load());
    EXPECT_EQ(library->errorText(), notModlinkMessage(directory));

    ASSERT_TRUE(placeLibrary(directory, QStringLiteral("libzx_not_modlink.so")));
    EXPECT_FALSE(library->load());
    EXPECT_EQ(library->errorText(), notModlinkMessage(directory));
    EXPECT_EQ(library->GetLibraryVersion(), 0u);

    ASSERT_TRUE(placeLibrary(directory, kLibraryFile));
    ASSERT_TRUE(library->load()) << library->errorText().toStdString();
    EXPECT_EQ(library->GetLibraryVersion(), kRequiredLibraryVersion);
    EXPECT_TRUE(library->errorText().isEmpty());
}
