#include "device/device_library.h"
#include "support/sim_library.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

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
