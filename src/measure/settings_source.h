#pragma once
// How a run reads its settings file, never writing it. By default it is the
// file the window uses (platform::findSettingsFile).

#include <QString>
#include <memory>

namespace settings {
class IniFile;
}

namespace measure {

struct SettingsSource {
    // Never null; only ever read.
    std::unique_ptr<settings::IniFile> file;
    // A message for standard error (the window's text for an unreadable file).
    QString warning;
    // True when the run cannot go on (a file named on the command line is missing).
    bool failed = false;
};

// Loads `path`. A file that stands there but cannot be read gives the
// window's message and an empty object, so every setting takes its read
// default, as in the window's search. A missing file gives the defaults the
// window would write into it at its first search (held in memory only);
// when the command line named it, it is a mistake instead.
SettingsSource loadSettings(const QString& path, bool namedOnCommandLine);

} // namespace measure
