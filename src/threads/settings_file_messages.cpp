#include "threads/settings_file_messages.h"

#include "settings/ini_file.h"

namespace module_search {

const char* const kUnreadableSettingsFileCaption = "ОШИБКА OpenSettingsFile()!";

namespace {

QString reasonText(settings::FileReadStatus status, const QString& systemError)
{
    switch (status) {
    case settings::FileReadStatus::IsDirectory:
        return QStringLiteral("на его месте папка");
    case settings::FileReadStatus::NotRegularFile:
        return QStringLiteral("это не обычный файл, а канал или устройство");
    case settings::FileReadStatus::TooLarge:
        return QStringLiteral("он больше %1 МБ").arg(settings::IniFile::kMaxFileSize / (1024 * 1024));
    case settings::FileReadStatus::NoPermission:
        return QStringLiteral("нет прав на его чтение");
    default:
        return systemError.isEmpty() ? QStringLiteral("ошибка чтения")
                                     : QStringLiteral("ошибка чтения (") + systemError + u')';
    }
}

} // namespace

QString unreadableSettingsFileMessage(const QString& path, settings::FileReadStatus status, const QString& systemError)
{
    return QStringLiteral("Не могу прочитать файл настроек '") + path + QStringLiteral("': ")
        + reasonText(status, systemError)
        + QStringLiteral("!\nПоиск модуля продолжается без настроек из файла, файл не будет перезаписан.");
}

} // namespace module_search
