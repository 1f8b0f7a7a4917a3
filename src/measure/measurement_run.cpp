#include "measure/measurement_run.h"

#include "device/device_library.h"
#include "device/module_api.h"
#include "measure/csv_rows.h"
#include "threads/measurement_engine.h"
#include "threads/module_opening.h"

#include <QDateTime>
#include <cstdio>

namespace measure {

namespace {

constexpr int kFailure = 1;

// The module as the window's search chooses it: the serial named on the
// command line and nothing else; the settings' serial when it is on the bus,
// else the first module.
module_search::OpenedModule openChosenModule(DeviceLibrary& library, const RunConfiguration& configuration,
    bool serialFromCommandLine, const std::atomic<bool>& stop)
{
    module_search::OpenedModule opened
        = module_search::OpenModule(library, configuration.wantedSerial, configuration.pldSource, &stop);
    const bool wantedMissing = !opened.ready && opened.position < 0 && opened.scan.count > 0
        && module_search::scanFailure(opened.scan).isEmpty();
    if (wantedMissing && !serialFromCommandLine && !configuration.wantedSerial.isEmpty()) {
        if (opened.module)
            opened.module->RELEASE_INTERFACE();
        opened = module_search::OpenModule(library, QString(), configuration.pldSource, &stop);
    }
    return opened;
}

void releaseModule(const module_search::OpenedModule& opened)
{
    if (!opened.module)
        return;
    opened.module->CLOSE_SLOT();
    opened.module->RELEASE_INTERFACE();
}

acquisition::RunConfig engineConfig(const RunConfiguration& configuration, const module_search::OpenedModule& opened)
{
    acquisition::RunConfig config;
    for (size_t c = 0; c < config.channels.size(); ++c) {
        config.channels[c] = { configuration.enabled[c], configuration.inputRange[c], configuration.connectionMode[c],
            configuration.parType[c] };
    }
    config.adcRateHz = configuration.adcRateHz;
    config.maxAcquisitionTime = configuration.maxAcquisitionTime;
    config.method = configuration.computationMethod;
    config.amplitudeType = configuration.amplitudeType;
    config.amplitudeKind = configuration.amplitudeKind;
    config.baseParameters = acquisition::BaseParametersFor(opened.description.Revision, opened.factoryCoeffs);
    config.usbSpeed = opened.usbSpeed;
    return config;
}

// One block: read, note when its last sample came, compute. False when the
// run is over (stopped, or a failure reported); a block cut short by a stop
// is dropped.
bool readBlock(acquisition::MeasurementEngine& engine, QDateTime* end)
{
    if (engine.Stopped())
        return false;
    engine.AcquireBlock();
    *end = QDateTime::currentDateTime();
    if (engine.Stopped())
        return false;
    engine.MeasureBlock();
    return !engine.Stopped();
}

QString usbSpeedText(uint8_t speed)
{
    switch (speed) {
    case kUsbFullSpeed:
        return QStringLiteral("full");
    case kUsbHighSpeed:
        return QStringLiteral("high");
    default:
        return QString();
    }
}

} // namespace

void printError(const QString& text)
{
    std::fputs((text + u'\n').toUtf8().constData(), stderr);
}

int listModules(DeviceLibrary& library, CsvOutput& output, const std::atomic<bool>& stop)
{
    QString failure;
    ModuleApi* module = module_search::LoadModuleInterface(&library, &failure);
    if (!module) {
        printError(failure);
        return kFailure;
    }
    const module_search::SlotScan scan = module_search::ScanSlots(*module, &stop, true);
    module->CLOSE_SLOT();
    module->RELEASE_INTERFACE();
    failure = module_search::scanFailure(scan);
    if (!failure.isEmpty() && !stop.load()) {
        printError(failure);
        return kFailure;
    }
    QString text = QStringLiteral("slot,serial,revision,firmware,usb_speed\n");
    for (int j = 0; j < scan.count; ++j) {
        const auto entry = static_cast<size_t>(j);
        text += QString::number(scan.slotNumbers[entry]) + u',' + module_search::serialText(scan, j) + u','
            + QString(QLatin1Char(scan.revisions[entry])) + u',' + scan.firmwareVersions[entry] + u','
            + usbSpeedText(scan.usbSpeeds[entry]) + u'\n';
    }
    if (!output.write(text)) {
        if (!output.errorText().isEmpty())
            printError(output.errorText());
        return output.errorText().isEmpty() ? 0 : kFailure;
    }
    return 0;
}

int measureBlocks(DeviceLibrary& library, const RunConfiguration& configuration, bool serialFromCommandLine,
    std::optional<unsigned long long> blocks, CsvOutput& output, const std::atomic<bool>& stop)
{
    const module_search::OpenedModule opened = openChosenModule(library, configuration, serialFromCommandLine, stop);
    if (!opened.ready) {
        releaseModule(opened);
        // A stop during the search ends the run as quietly as one later.
        if (stop.load())
            return 0;
        printError(opened.failure);
        return kFailure;
    }

    bool failed = false;
    int status = 0;
    {
        acquisition::MeasurementEngine engine(
            *opened.module, opened.module->QUERY_DEVICE_HANDLE(), &stop, [&failed](const QString& text) {
                printError(text);
                failed = true;
            });
        if (engine.Configure(engineConfig(configuration, opened)) && engine.Allocate()
            && output.write(csvHeader(configuration))) {
            BlockValues block;
            for (unsigned long long done = 0; !blocks || done < *blocks; ++done) {
                if (!readBlock(engine, &block.end))
                    break;
                const acquisition::BlockValues& values = engine.Values();
                for (size_t c = 0; c < block.channels.size(); ++c)
                    block.channels[c] = { values.measured[c], values.dc[c], values.ac[c], values.frequency[c] };
                block.overloadBits = values.overloadBits;
                if (!output.write(csvRows(configuration, block)))
                    break;
            }
        }
        engine.Finish();
    }
    releaseModule(opened);
    if (!output.errorText().isEmpty()) {
        printError(output.errorText());
        status = kFailure;
    }
    return failed ? kFailure : status;
}

} // namespace measure
