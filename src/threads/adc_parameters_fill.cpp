#include "threads/adc_parameters_fill.h"

#include "device/usb_speed.h"
#include "settings/input_ranges.h"

namespace acquisition {

uint16_t ValidIndex(int index, int count)
{
    return static_cast<uint16_t>(index >= 0 && index < count ? index : 0);
}

uint32_t RevisionFlagFor(char revision)
{
    return revision == 'A' ? 0u : 1u;
}

double LinkSpeedParameter(uint8_t usbSpeed)
{
    return usbSpeed == kUsbFullSpeed ? 0.01 : 0.0;
}

uint16_t FillChannelChoices(
    AdcParameters& parameters, const ChannelChoices& choices, std::array<int16_t, kChannelCount>* positions)
{
    parameters.Zero8 = 0;
    parameters.Zero10 = 0;
    parameters.Zero14 = 0;
    parameters.Zero16 = 0;
    parameters.Zero20 = 0;
    parameters.Zero22 = 0;
    parameters.Zero24 = 0;
    parameters.Zero26 = 0;
    uint16_t count = 0;
    for (int c = 0; c < kChannelCount; ++c) {
        const ChannelChoice& choice = choices[static_cast<size_t>(c)];
        if (positions)
            (*positions)[static_cast<size_t>(c)] = choice.checked ? static_cast<int16_t>(count) : int16_t(-1);
        if (choice.checked)
            parameters.ChannelTable[count++] = static_cast<uint16_t>(c);
        parameters.InputRange[c] = ValidIndex(choice.range, settings::kInputRangeCount);
        parameters.InputConnectionMode[c] = ValidIndex(choice.connectionMode, 2);
    }
    parameters.ChannelCount = count;
    return count;
}

} // namespace acquisition
