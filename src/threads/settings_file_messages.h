#pragma once
// What the module search says about a settings file that stands at its path
// but cannot be read. The search goes on without it (every setting takes its
// read default) and the file is left alone, so the message names the file
// and the reason, and says both.

#include "settings/regular_file.h"

#include <QString>

namespace module_search {

extern const char* const kUnreadableSettingsFileCaption;

// "Не могу прочитать файл настроек '<path>': <reason>!" and what happens next.
QString unreadableSettingsFileMessage(const QString& path, settings::FileReadStatus status, const QString& systemError);

} // namespace module_search
