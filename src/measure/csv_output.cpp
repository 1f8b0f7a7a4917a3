#include "measure/csv_output.h"

#include <QFile>
#include <cerrno>
#include <cstring>

namespace measure {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

CsvOutput::CsvOutput(QString path)
    : path_(std::move(path))
{
}

CsvOutput::~CsvOutput()
{
    if (ownsFile_)
        std::fclose(file_);
}

bool CsvOutput::open()
{
    if (file_)
        return true;
    if (path_.isEmpty()) {
        file_ = stdout;
        return true;
    }
    file_ = std::fopen(QFile::encodeName(path_).constData(), "wb");
    if (!file_) {
        errorText_ = QStringLiteral("Не могу открыть файл результатов '%1': %2!").arg(path_, systemError(errno));
        return false;
    }
    ownsFile_ = true;
    return true;
}

bool CsvOutput::write(const QString& text)
{
    if (!open())
        return false;
    const QByteArray bytes = text.toUtf8();
    errno = 0;
    const bool written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), file_)
            == static_cast<size_t>(bytes.size())
        && std::fflush(file_) == 0;
    if (written)
        return true;
    const int error = errno;
    if (error == EPIPE) {
        errorText_.clear();
    } else {
        const QString where = path_.isEmpty() ? QStringLiteral("стандартный вывод") : path_;
        errorText_ = QStringLiteral("Не могу записать результаты в '%1': %2!").arg(where, systemError(error));
    }
    return false;
}

} // namespace measure
