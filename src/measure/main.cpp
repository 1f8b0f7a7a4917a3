// zentrix-measure: the multimeter of Zentrix without a window. Reads the
// window's settings file, overrides it with the command line, and writes the
// results of every block as CSV until the blocks asked for are done or
// Ctrl+C or SIGTERM stops it.

#include "device/device_library.h"
#include "measure/csv_output.h"
#include "measure/measure_options.h"
#include "measure/measurement_run.h"
#include "measure/run_configuration.h"
#include "measure/settings_source.h"
#include "measure/stop_signals.h"
#include "platform/app_paths.h"
#include "platform/settings_location.h"
#include "settings/ini_file.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

void printOut(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zentrix-measure"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZENTRIX_VERSION));

    const measure::MeasureOptions options = measure::parseOptions(QCoreApplication::arguments().mid(1));
    switch (options.action) {
    case measure::Action::UsageError:
        measure::printError(QStringLiteral("zentrix-measure: ") + options.error);
        measure::printError(QStringLiteral("Справка: zentrix-measure --help"));
        return kUsageError;
    case measure::Action::Help:
        printOut(measure::helpText());
        return 0;
    case measure::Action::Version:
        printOut(QStringLiteral("zentrix-measure %1\n").arg(QCoreApplication::applicationVersion()));
        return 0;
    case measure::Action::List:
    case measure::Action::Measure:
        break;
    }

    // A reader that goes away (zentrix-measure | head) ends the run through
    // a failed write, so the module is still stopped properly.
    std::signal(SIGPIPE, SIG_IGN);
    if (!measure::installStopSignals()) {
        measure::printError(QStringLiteral("zentrix-measure: не могу установить обработчики сигналов"));
        return kFailure;
    }

    const QString programDirectory = platform::executableDirectory();
    measure::CsvOutput output(options.outputPath);
    const std::unique_ptr<DeviceLibrary> library = openModlinkLibrary(programDirectory);
    if (options.action == measure::Action::List)
        return measure::listModules(*library, output, measure::stopRequested());

    const bool named = !options.settingsPath.isEmpty();
    const QString settingsPath = named
        ? options.settingsPath
        : platform::findSettingsFile(programDirectory, platform::userSettingsDirectory());
    const measure::SettingsSource source = measure::loadSettings(settingsPath, named);
    if (!source.warning.isEmpty())
        measure::printError(source.warning);
    if (source.failed)
        return kUsageError;
    measure::RunConfiguration configuration = measure::readRunConfiguration(*source.file);
    measure::applyOverrides(configuration, options);
    return measure::measureBlocks(
        *library, configuration, !options.serial.isEmpty(), options.blocks, output, measure::stopRequested());
}
