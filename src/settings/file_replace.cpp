#include "settings/file_replace.h"

#include <QFileInfo>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace settings {

namespace {

QString targetOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    // A chain of links ends at the file; a link to nothing names the file to make.
    const QString file = info.canonicalFilePath();
    return file.isEmpty() ? info.symLinkTarget() : file;
}

#ifdef Q_OS_UNIX

bool fail(const char* step, int errorNumber, QString* error)
{
    *error = QString::fromLatin1(step) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errorNumber));
    return false;
}

// Creates a new file with a unique name beside `target`; the umask applies to
// its permissions as it would to a file created under the target's name.
int createTemporary(const QString& target, QByteArray* name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name
            = QFile::encodeName(target) + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

bool replace(const QString& target, const QByteArray& bytes, QString* error)
{
    QByteArray temporary;
    const int fd = createTemporary(target, &temporary);
    if (fd < 0)
        return fail("create the temporary file", errno, error);

    // The replacement keeps the permissions and owner of the file it replaces.
    struct stat old { };
    if (::stat(QFile::encodeName(target).constData(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
        // Only a privileged user may give the file away; anyone else's
        // replacement stays theirs, as a file they created would be.
        [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
    }

    const char* step = nullptr;
    int reason = 0;
    if (!writeAll(fd, bytes)) {
        step = "write";
        reason = errno;
    } else if (::fsync(fd) != 0 && errno != EINVAL) {
        step = "sync";
        reason = errno;
    }
    if (::close(fd) != 0 && !step) {
        step = "close";
        reason = errno;
    }
    if (step) {
        ::unlink(temporary.constData());
        return fail(step, reason, error);
    }
    if (::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0) {
        const int reason = errno;
        ::unlink(temporary.constData());
        return fail("rename", reason, error);
    }
    // The rename itself reaches the disk with the folder; a failure here
    // changes nothing the user can see, so it is not reported.
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

#else

bool replace(const QString& target, const QByteArray& bytes, QString* error)
{
    QSaveFile file(target);
    // Unbuffered, so that a write error is seen by the write that meets it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

#endif

} // namespace

bool replaceFileContents(const QString& path, const QByteArray& bytes, QString* error)
{
    return replace(targetOf(path), bytes, error);
}

bool canCreateFileBeside(const QString& path)
{
    QTemporaryFile probe(targetOf(path) + QStringLiteral(".XXXXXX"));
    return probe.open();
}

} // namespace settings
