#pragma once
// Reading the settings file from disk without trusting what stands at its
// path. Only a regular file up to a size limit is read: a named pipe would
// block the reader until someone writes into it, and a device such as
// /dev/zero never ends.

#include <QByteArray>
#include <QString>

namespace settings {

enum class FileReadStatus {
    Read,
    Missing,
    IsDirectory,
    NotRegularFile, // a named pipe, a socket, a device
    TooLarge,
    NoPermission,
    ReadError, // an I/O error while opening or reading
};

struct FileReadResult {
    FileReadStatus status = FileReadStatus::Missing;
    QByteArray bytes; // the whole file when status is Read
    QString systemError; // the operating system's reason, when it gave one
};

// Opens without blocking (a pipe with no writer does not hold the caller) and
// reads at most `maxBytes`; a file longer than that is TooLarge and not read.
FileReadResult readRegularFile(const QString& path, qint64 maxBytes);

} // namespace settings
