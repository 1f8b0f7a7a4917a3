#pragma once
// Filling the channel part of an ADC parameter record from the choices of the
// four channel frames. Shared by the window (SetAdcPars) and the acquisition
// job (SetupAcquisition), which must describe the channels the same way.

#include "device/records.h"

#include <array>
#include <cstdint>

namespace acquisition {

constexpr int kChannelCount = 4;

// What one channel frame shows: its check box and its combo-box indices
// (-1 = nothing selected).
struct ChannelChoice {
    bool checked = false;
    int range = -1;
    int connectionMode = -1;
};
using ChannelChoices = std::array<ChannelChoice, kChannelCount>;

// A combo-box index as the record may carry it: an index outside 0..count-1
// (no selection) becomes 0, the first item. For the range that is the widest
// one, so an unselected range never indexes past the range table.
uint16_t ValidIndex(int index, int count);

// RevisionFlag: 0 for a revision 'A' module, else 1.
uint32_t RevisionFlagFor(char revision);
// 0.01 when the module's link runs at full speed (UsbSpeed 0), else 0.0.
double LinkSpeedParameter(uint8_t usbSpeed);

// Clears the fields written as zero, then: ChannelTable[k] = the k-th checked
// channel, InputRange and InputConnectionMode of every channel, ChannelCount.
// Entries of ChannelTable past the count are left as they are. `positions`
// (if given) receives each channel's place inside a frame, -1 when off.
// Returns the number of checked channels.
uint16_t FillChannelChoices(
    AdcParameters& parameters, const ChannelChoices& choices, std::array<int16_t, kChannelCount>* positions = nullptr);

} // namespace acquisition
