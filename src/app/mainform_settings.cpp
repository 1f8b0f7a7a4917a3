// The settings file as the window uses it: saving on request and at close,
// the defaults, and the settings-file object the window keeps.
//
// These are the call sites of the window; their work comes with the settings
// file.

#include "mainform.h"

void TMainForm::SaveIniFile(const QString& /*path*/) { }

void TMainForm::ReleaseSettingsFile() { }

void TMainForm::SaveDefaultSettingsClick() { }

void TMainForm::SaveCurrentSettingsClick() { }

bool TMainForm::ReadIniFile(settings::IniFile* file) { return file != nullptr; }
