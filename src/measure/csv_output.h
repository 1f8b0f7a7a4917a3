#pragma once
// Where the rows go: standard output or a file, each block flushed as soon as
// it is written, so a reader (or a crash) sees only whole rows. A file named
// on the command line is created (or emptied) only when the first text is
// written, so a run that fails before measuring leaves an old file as it was.

#include <QString>
#include <cstdio>

namespace measure {

class CsvOutput {
public:
    // Empty `path`: standard output.
    explicit CsvOutput(QString path);
    ~CsvOutput();
    CsvOutput(const CsvOutput&) = delete;
    CsvOutput& operator=(const CsvOutput&) = delete;

    // Writes and flushes `text`. False when it could not be written;
    // errorText() says why, and is empty when the reader has gone away (a
    // closed pipe), which ends a run quietly.
    bool write(const QString& text);
    const QString& errorText() const { return errorText_; }

private:
    bool open();

    QString path_;
    std::FILE* file_ = nullptr;
    bool ownsFile_ = false;
    QString errorText_;
};

} // namespace measure
