#include "support/sim_library.h"

#include "platform/app_paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <gtest/gtest.h>

QString testProgramDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

modlink_sim::SimControl* simControl()
{
    static QLibrary library(platform::joinPath(testProgramDirectory(), QStringLiteral("Modlink")));
    if (!library.isLoaded() && !library.load()) {
        ADD_FAILURE() << "cannot load Modlink: " << library.errorString().toStdString();
        return nullptr;
    }
    auto control = reinterpret_cast<ModlinkSimControlFn>(library.resolve("ModlinkSimControl"));
    if (!control) {
        ADD_FAILURE() << "Modlink has no ModlinkSimControl";
        return nullptr;
    }
    return control();
}

std::unique_ptr<DeviceLibrary> openSimulatedLibrary()
{
    return openModlinkLibrary(testProgramDirectory());
}
