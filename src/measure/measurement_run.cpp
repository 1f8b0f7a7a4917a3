#include "measure/measurement_run.h"

#include "device/device_library.h"

#include <cstdio>

namespace measure {

void printError(const QString& text)
{
    std::fputs((text + u'\n').toUtf8().constData(), stderr);
}

// The module is reached through the window-free measurement engine; until it
// is linked here the tool can only say so.
int listModules(DeviceLibrary&, CsvOutput&)
{
    printError(QStringLiteral("zentrix-measure: работа с модулем ещё не подключена"));
    return 1;
}

int measureBlocks(
    DeviceLibrary&, const RunConfiguration&, std::optional<unsigned long long>, CsvOutput&, const std::atomic<bool>&)
{
    printError(QStringLiteral("zentrix-measure: работа с модулем ещё не подключена"));
    return 1;
}

} // namespace measure
