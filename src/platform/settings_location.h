#pragma once
// Where the settings file lives. The program keeps Zentrix.ini beside its
// executable. Where that folder cannot be written (an installation made by
// root), each user gets a private copy in the user's configuration folder,
// first filled from the file beside the executable, the installation's
// defaults; Windows does the same for a program in a protected folder.

#include <QString>
#include <functional>

namespace platform {

// Whether the program may create and replace files in `directory`.
using DirectoryWritableCheck = std::function<bool(const QString& directory)>;

// The settings file's name, in whichever folder holds it.
inline constexpr char kSettingsFileName[] = "Zentrix.ini";

// True when `directory` exists and the process may create files in it.
bool isDirectoryWritable(const QString& directory);

// The user's folder for the settings: `$XDG_CONFIG_HOME/zentrix`, by default
// `~/.config/zentrix`.
QString userSettingsDirectory();

// The folder whose Zentrix.ini the program uses: `programDirectory` when
// `writable` says so; otherwise `userDirectory`, created when missing and,
// when it holds no Zentrix.ini yet, given a copy of the one in
// `programDirectory`. Without a copy the program's first start writes the
// defaults there. A user's own file is never replaced.
QString prepareSettingsDirectory(const QString& programDirectory, const QString& userDirectory,
    const DirectoryWritableCheck& writable = isDirectoryWritable);

// The settings file the program uses, found without creating anything: the
// one beside the executable while `writable` says so, else the user's copy,
// or the installation's defaults beside the executable while the user has no
// copy yet.
QString findSettingsFile(const QString& programDirectory, const QString& userDirectory,
    const DirectoryWritableCheck& writable = isDirectoryWritable);

} // namespace platform
