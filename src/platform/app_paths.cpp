#include "platform/app_paths.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

QString executableDirectory()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString joinPath(const QString& directory, const QString& fileName)
{
    if (directory.isEmpty())
        return fileName;
    const QChar separator = QDir::separator();
    if (directory.endsWith(separator))
        return directory + fileName;
    return directory + separator + fileName;
}

} // namespace platform
