// main() of the test programs that need a QApplication. It selects the
// offscreen platform itself, so the programs also run at discovery and on a
// machine without a display.
#include "support/offscreen_platform.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    OffscreenPlatform platform;
    if (!platform.ready())
        return 2;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
