#include "settings/regular_file.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace settings {

namespace {

FileReadResult failure(FileReadStatus status, const QString& systemError = QString())
{
    FileReadResult result;
    result.status = status;
    result.systemError = systemError;
    return result;
}

#ifdef Q_OS_UNIX

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

class Descriptor {
public:
    explicit Descriptor(int fd)
        : fd_(fd)
    {
    }
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

FileReadStatus statusOfOpenError(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileReadStatus::Missing;
    case EACCES:
    case EPERM:
        return FileReadStatus::NoPermission;
    case EISDIR:
        return FileReadStatus::IsDirectory;
    case ENXIO:
    case ENODEV:
        return FileReadStatus::NotRegularFile;
    default:
        return FileReadStatus::ReadError;
    }
}

FileReadResult readFile(const QString& path, qint64 maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    const Descriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        const int error = errno;
        return failure(statusOfOpenError(error), errnoText(error));
    }
    struct stat info { };
    if (::fstat(fd.get(), &info) != 0)
        return failure(FileReadStatus::ReadError, errnoText(errno));
    if (S_ISDIR(info.st_mode))
        return failure(FileReadStatus::IsDirectory);
    if (!S_ISREG(info.st_mode))
        return failure(FileReadStatus::NotRegularFile);
    if (info.st_size > maxBytes)
        return failure(FileReadStatus::TooLarge);

    // The file may grow while it is read: one byte more than the limit tells.
    FileReadResult result;
    result.bytes.resize(qsizetype(info.st_size) + 1);
    qsizetype filled = 0;
    for (;;) {
        if (filled == result.bytes.size()) {
            if (filled > maxBytes)
                return failure(FileReadStatus::TooLarge);
            result.bytes.resize(std::min<qsizetype>(filled * 2 + 4096, maxBytes + 1));
        }
        const ssize_t got = ::read(fd.get(), result.bytes.data() + filled, size_t(result.bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return failure(FileReadStatus::ReadError, errnoText(errno));
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > maxBytes)
        return failure(FileReadStatus::TooLarge);
    result.bytes.truncate(filled);
    result.status = FileReadStatus::Read;
    return result;
}

#else

} // namespace
} // namespace settings
#include <QFileInfo>
namespace settings {
namespace {

FileReadResult readFile(const QString& path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failure(FileReadStatus::Missing);
    if (info.isDir())
        return failure(FileReadStatus::IsDirectory);
    if (!info.isFile())
        return failure(FileReadStatus::NotRegularFile);
    if (info.size() > maxBytes)
        return failure(FileReadStatus::TooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return failure(
            file.error() == QFileDevice::PermissionsError ? FileReadStatus::NoPermission : FileReadStatus::ReadError,
            file.errorString());
    }
    FileReadResult result;
    result.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return failure(FileReadStatus::ReadError, file.errorString());
    if (result.bytes.size() > maxBytes)
        return failure(FileReadStatus::TooLarge);
    result.status = FileReadStatus::Read;
    return result;
}

#endif

} // namespace

FileReadResult readRegularFile(const QString& path, qint64 maxBytes)
{
    return readFile(path, maxBytes);
}

} // namespace settings
