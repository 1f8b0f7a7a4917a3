#pragma once
// The two things the tool does with a module: list the modules on the bus,
// and measure block after block, writing the rows, until the blocks asked for
// are done or a stop is requested. Each returns the process's exit status:
// 0 done or stopped, 1 a failure (its message is on standard error).

#include "measure/csv_output.h"
#include "measure/run_configuration.h"

#include <QString>
#include <atomic>
#include <optional>

class DeviceLibrary;

namespace measure {

// Prints slot, serial, revision, firmware version and USB speed of every
// module, as CSV.
int listModules(DeviceLibrary& library, CsvOutput& output, const std::atomic<bool>& stop);

// Opens the module as the window's search chooses it (`serialFromCommandLine`:
// the configuration's serial must be on the bus), configures it, and writes
// the header and the rows of `blocks` blocks (none: until `stop`).
int measureBlocks(DeviceLibrary& library, const RunConfiguration& configuration, bool serialFromCommandLine,
    std::optional<unsigned long long> blocks, CsvOutput& output, const std::atomic<bool>& stop);

// Writes `text` and a line break to standard error, in UTF-8.
void printError(const QString& text);

} // namespace measure
