#pragma once
// Writers of the default settings file. Each writes its entries in a fixed
// order (the order in which a fresh file lists them) into the file object;
// each returns false when a write fails, with the reason in file.errorText().
// Nothing reaches the disk before the caller flushes both parts at once, so
// the file is never left with the new application part beside the old
// module part.

#include "settings/ini_file.h"

namespace settings {

// The 6 application entries, in "Приложение. Общие" and "Приложение. Обнаружение".
bool WriteDefaultAppSettings(IniFile& file);
// The 36 entries of "Модуль Q47-05".
bool WriteDefaultModuleSettings(IniFile& file);

} // namespace settings
