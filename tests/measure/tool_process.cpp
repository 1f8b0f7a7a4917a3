#include "tool_process.h"

#include "support/sim_access.h"

#include <QFile>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

} // namespace

QString toolPath()
{
    return testProgramDirectory() + QStringLiteral("/zentrix-measure");
}

ToolBench::ToolBench()
{
    writeBench(QByteArray());
}

void ToolBench::writeBench(const QByteArray& text)
{
    writeFile(path(QStringLiteral("bench.ini")), "[bus]\nstate = none\n" + text);
}

void ToolBench::writeSettings(const QByteArray& text)
{
    writeFile(settingsPath(), text);
}

QString ToolBench::settingsPath() const
{
    return path(QStringLiteral("Zentrix.ini"));
}

void ToolBench::setEnvironment(const QString& name, const QString& value)
{
    extraEnvironment_.insert(name, value);
}

QString ToolBench::path(const QString& name) const
{
    return directory_.filePath(name);
}

QStringList ToolBench::withSettings(const QStringList& arguments) const
{
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1String("--settings")))
            return arguments;
    }
    return QStringList { QStringLiteral("--settings"), settingsPath() } + arguments;
}

std::unique_ptr<QProcess> ToolBench::start(const QStringList& arguments) const
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MODLINK_SIM"), path(QStringLiteral("bench.ini")));
    environment.insert(QStringLiteral("HOME"), directory_.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), path(QStringLiteral("state")));
    environment.insert(extraEnvironment_);
    process->setProcessEnvironment(environment);
    process->start(toolPath(), withSettings(arguments));
    return process;
}

ToolResult ToolBench::run(const QStringList& arguments, int timeoutMs) const
{
    std::unique_ptr<QProcess> process = start(arguments);
    ToolResult result;
    result.finished = process->waitForFinished(timeoutMs);
    if (!result.finished) {
        process->kill();
        process->waitForFinished();
    }
    result.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    result.out = process->readAllStandardOutput();
    result.err = process->readAllStandardError();
    return result;
}
