#pragma once
// The group and per-channel controls of the four ADC channels as the settings
// file holds them: the on/off state, the input range, the connection mode and
// the measured parameter of every channel, and the group values above them.

#include "settings/ini_file.h"

#include <array>

namespace settings {

constexpr int kAdcChannelCount = 4;
// Items of the range, connection-mode and measured-parameter lists.
constexpr int kInputRangeItemCount = 3;
constexpr int kConnectionModeItemCount = 2;
constexpr int kParTypeItemCount = 3;

// One list of the controls: the group box's index (-1 when the channels
// differ) and each channel's index.
struct ChannelChoice {
    int group = -1;
    std::array<int, kAdcChannelCount> channel {};
};

struct ChannelControlSettings {
    bool groupEnabled = true; // "Все каналы" checked
    std::array<bool, kAdcChannelCount> enabled {};
    ChannelChoice inputRange;
    ChannelChoice connectionMode;
    ChannelChoice parType;
};

// Reads the controls as a module search applies them. A group index outside
// its list leaves the group without a value (-1); only then are the channels'
// own keys read, and a channel index outside its list is taken to the nearest
// end of the list, so every channel always has a valid choice. With the group
// check box on, every channel is on and the channels' enable keys are not read.
ChannelControlSettings readChannelControlSettings(const IniFile& file);

// Writes every group and channel key, in the order of the default file; the
// indices as they are (-1 for a list without selection). False when a write fails.
bool writeChannelControlSettings(IniFile& file, const ChannelControlSettings& controls);

} // namespace settings
