// The default settings file: every key with its default value, written into
// the file at `path`, application entries first. Used when the module search
// finds no settings file and by the menu item "Сохранение штатных настроек".
// Nothing on screen or in memory changes but the window's file object.

#include "mainform.h"

#include "platform/message_seam.h"
#include "settings/default_settings.h"
#include "settings/ini_file.h"

#include <new>

namespace {

const char* const kCaption = "ОШИБКА CreateDefaultIniFile()!";
const char* const kEmptyPath = "Неправильное название файла штатных настроек!";
const char* const kCannotCreateBefore = "Не могу создать файл штатных настроек '"; // + path + "'!"
const char* const kCannotCreateAfter = "'!";
const char* const kCannotWriteApp = "Не могу создать файл обычных настроек для приложения!";
const char* const kCannotWriteModule = "Не могу создать файл обычных настроек для модуля!";

bool fail(const QString& text)
{
    platform::showMessage(text, QString::fromUtf8(kCaption), platform::MessageIcon::Information);
    return false;
}

} // namespace

bool TMainForm::CreateDefaultIniFile(const QString& path)
{
    SettingsFile.reset();
    if (path.isEmpty())
        return fail(QString::fromUtf8(kEmptyPath));

    // A file that exists but cannot be read is not overwritten.
    try {
        auto file = std::make_unique<settings::IniFile>(path);
        if (file->isLoaded())
            SettingsFile = std::move(file);
    } catch (const std::bad_alloc&) {
    }
    if (!SettingsFile)
        return fail(QString::fromUtf8(kCannotCreateBefore) + path + QString::fromUtf8(kCannotCreateAfter));

    if (!settings::WriteDefaultAppSettings(*SettingsFile))
        return fail(QString::fromUtf8(kCannotWriteApp));
    if (!settings::WriteDefaultModuleSettings(*SettingsFile))
        return fail(QString::fromUtf8(kCannotWriteModule));
    // Both parts reach the disk in one replacement of the whole file. When it
    // fails the file is as it was (or still missing): the application part,
    // the first one, was not written.
    if (!SettingsFile->flush())
        return fail(QString::fromUtf8(kCannotWriteApp));
    return true;
}
