#pragma once
#include <QString>

namespace platform {

// Directory that holds the running executable (and the device library).
QString executableDirectory();
// `directory` and `fileName` joined with the platform's path separator.
QString joinPath(const QString& directory, const QString& fileName);

} // namespace platform
