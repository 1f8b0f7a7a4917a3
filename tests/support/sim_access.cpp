#include "support/sim_access.h"

#include "platform/app_paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

QString testProgramDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

modlink_sim::SimControl* loadSimControl(QString* error)
{
    static QLibrary library(platform::joinPath(testProgramDirectory(), QStringLiteral("Modlink")));
    if (!library.isLoaded() && !library.load()) {
        *error = QStringLiteral("cannot load Modlink: ") + library.errorString();
        return nullptr;
    }
    auto control = reinterpret_cast<ModlinkSimControlFn>(library.resolve("ModlinkSimControl"));
    if (!control) {
        *error = QStringLiteral("Modlink has no ModlinkSimControl");
        return nullptr;
    }
    // Tests never touch the user's own state folder, and each one starts from
    // blank flash: the flash stays in memory unless a test names a folder.
    static const bool inMemory = (control()->setStateFolder(nullptr), true);
    (void)inMemory;
    return control();
}

std::unique_ptr<DeviceLibrary> openSimulatedLibrary()
{
    QString ignored;
    loadSimControl(&ignored);
    return openModlinkLibrary(testProgramDirectory());
}
