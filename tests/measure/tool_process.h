#pragma once
// Runs the built zentrix-measure as a child process, as a script would: its
// own bench description for the simulated library (flash kept in memory), a
// settings file, and the home folders pointed into a temporary folder, so a
// run never touches the user's files.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

struct ToolResult {
    bool finished = false; // within the time allowed
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QString errText() const { return QString::fromUtf8(err); }
};

class ToolBench {
public:
    ToolBench();

    // The bench description the child's library reads ("[bus] state = none"
    // is added); empty text gives the default modules.
    void writeBench(const QByteArray& text);
    // The settings file, as UTF-8 text (the program reads UTF-8 files too).
    void writeSettings(const QByteArray& text);
    QString settingsPath() const;
    // An environment variable of the child's, beside the ones above.
    void setEnvironment(const QString& name, const QString& value);
    QString path(const QString& name) const;

    // "--settings <file>" is added unless `arguments` name one.
    ToolResult run(const QStringList& arguments, int timeoutMs = 30000) const;
    std::unique_ptr<QProcess> start(const QStringList& arguments) const;

private:
    QStringList withSettings(const QStringList& arguments) const;
    QTemporaryDir directory_;
    QProcessEnvironment extraEnvironment_;
};

// The program under test, beside the test program.
QString toolPath();
