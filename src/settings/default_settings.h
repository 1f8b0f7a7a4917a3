#pragma once
// Writers of the default settings file. Each writes its entries in a fixed
// order (the order in which a fresh file lists them) and flushes; each returns
// false when a write or the flush fails, with the reason in file.errorText().

#include "settings/ini_file.h"

namespace settings {

// The 6 application entries, in "Приложение. Общие" and "Приложение. Обнаружение".
bool WriteDefaultAppSettings(IniFile& file);
// The 36 entries of "Модуль Q47-05".
bool WriteDefaultModuleSettings(IniFile& file);

}  // namespace settings
