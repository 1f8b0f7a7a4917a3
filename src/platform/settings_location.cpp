#include "platform/settings_location.h"

#include "platform/app_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

namespace platform {

namespace {

void reportSettingsProblem(const char* what, const QString& path)
{
    std::fprintf(stderr, "Zentrix: %s %s\n", what, qPrintable(QDir::toNativeSeparators(path)));
}

// Copies the installation's defaults into the user's folder. The copy goes
// through a temporary file in that folder (QFile::copy), so a failed copy
// leaves no half file that the program would take for the user's settings.
void copyDefaults(const QString& defaultsPath, const QString& userPath)
{
    if (!QFile::copy(defaultsPath, userPath)) {
        reportSettingsProblem("cannot copy the default settings to", userPath);
        return;
    }
    // The copy keeps the installed file's read-only mode; the user's copy is
    // the user's to save into.
    QFile::setPermissions(userPath, QFile::permissions(userPath) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace

bool isDirectoryWritable(const QString& directory)
{
    const QFileInfo info(directory);
    return info.isDir() && info.isWritable() && info.isExecutable();
}

QString userSettingsDirectory()
{
    return QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/zentrix"));
}

QString prepareSettingsDirectory(
    const QString& programDirectory, const QString& userDirectory, const DirectoryWritableCheck& writable)
{
    if (writable(programDirectory))
        return programDirectory;

    if (!QDir().mkpath(userDirectory)) {
        // The search then reports that it cannot create the settings file.
        reportSettingsProblem("cannot create the settings folder", userDirectory);
        return userDirectory;
    }
    const QString userPath = joinPath(userDirectory, kSettingsFileName);
    const QString defaultsPath = joinPath(programDirectory, kSettingsFileName);
    if (!QFileInfo::exists(userPath) && QFileInfo(defaultsPath).isFile())
        copyDefaults(defaultsPath, userPath);
    return userDirectory;
}

QString findSettingsFile(
    const QString& programDirectory, const QString& userDirectory, const DirectoryWritableCheck& writable)
{
    const QString besideProgram = joinPath(programDirectory, kSettingsFileName);
    if (writable(programDirectory))
        return besideProgram;
    const QString usersOwn = joinPath(userDirectory, kSettingsFileName);
    return QFileInfo::exists(usersOwn) ? usersOwn : besideProgram;
}

} // namespace platform
