#pragma once
// Replacing a file's contents in one step: the new bytes go to a temporary
// file beside the target, which is written, synced and closed with every
// result checked, and only then renamed over the target. A failure at any
// point, a full disk or a size limit included, leaves the old file as it was
// and removes the temporary file; a process killed midway leaves the old file
// or the new one, never a mixture.

#include <QByteArray>
#include <QString>

namespace settings {

// A symbolic link is followed: the file it names is replaced, the link stays.
// On failure returns false with the reason in `error`.
bool replaceFileContents(const QString& path, const QByteArray& bytes, QString* error);

// True when a new file can be made beside `path`: its folder exists and takes
// new files. Leaves nothing behind.
bool canCreateFileBeside(const QString& path);

} // namespace settings
