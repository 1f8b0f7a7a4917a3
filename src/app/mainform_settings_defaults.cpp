// The default settings file.

#include "mainform.h"

// Until the module search lands no default file is written.
bool TMainForm::CreateDefaultIniFile(const QString& /*path*/) { return false; }
