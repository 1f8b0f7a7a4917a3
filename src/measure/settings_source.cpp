#include "measure/settings_source.h"

#include "settings/default_settings.h"
#include "settings/ini_file.h"
#include "threads/settings_file_messages.h"

#include <QFileInfo>

namespace measure {

SettingsSource loadSettings(const QString& path, bool namedOnCommandLine)
{
    SettingsSource source;
    const bool missing = !QFileInfo::exists(path);
    source.file = std::make_unique<settings::IniFile>(path);
    if (missing) {
        if (namedOnCommandLine) {
            source.warning = QStringLiteral("Нет файла настроек '%1'!").arg(path);
            source.failed = true;
            return source;
        }
        // The object is never flushed: the defaults stay in memory.
        settings::WriteDefaultAppSettings(*source.file);
        settings::WriteDefaultModuleSettings(*source.file);
        return source;
    }
    if (!source.file->isLoaded()) {
        source.warning = module_search::unreadableSettingsFileMessage(
            path, source.file->loadStatus(), source.file->loadSystemError());
    }
    return source;
}

} // namespace measure
