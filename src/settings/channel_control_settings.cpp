#include "settings/channel_control_settings.h"

#include "settings/setting_access.h"

#include <algorithm>

namespace settings {

namespace {

ChannelChoice readChoice(const IniFile& file, const IntSetting& groupKey, const IntSetting& channelKey, int itemCount)
{
    ChannelChoice choice;
    const int group = read(file, groupKey);
    choice.group = group >= 0 && group < itemCount ? group : -1;
    for (int c = 0; c < kAdcChannelCount; ++c) {
        choice.channel[c] = choice.group >= 0
            ? choice.group
            : std::clamp(read(file, channelKey, channelKeyName(channelKey.key, c + 1)), 0, itemCount - 1);
    }
    return choice;
}

bool writeChoice(IniFile& file, const IntSetting& groupKey, const IntSetting& channelKey, const ChannelChoice& choice)
{
    if (!write(file, groupKey, choice.group))
        return false;
    for (int c = 0; c < kAdcChannelCount; ++c) {
        if (!write(file, channelKey, choice.channel[c], channelKeyName(channelKey.key, c + 1)))
            return false;
    }
    return true;
}

} // namespace

ChannelControlSettings readChannelControlSettings(const IniFile& file)
{
    ChannelControlSettings controls;
    controls.groupEnabled = read(file, GroupChannelControlKey);
    for (int c = 0; c < kAdcChannelCount; ++c) {
        controls.enabled[c]
            = controls.groupEnabled || read(file, ChannelEnabledKey, channelKeyName(ChannelEnabledKey.key, c + 1));
    }
    controls.inputRange = readChoice(file, GroupInputRangeKey, ChannelInputRangeKey, kInputRangeItemCount);
    controls.connectionMode
        = readChoice(file, GroupConnectionModeKey, ChannelConnectionModeKey, kConnectionModeItemCount);
    controls.parType = readChoice(file, GroupParTypeKey, ChannelParTypeKey, kParTypeItemCount);
    return controls;
}

bool writeChannelControlSettings(IniFile& file, const ChannelControlSettings& controls)
{
    if (!write(file, GroupChannelControlKey, controls.groupEnabled))
        return false;
    for (int c = 0; c < kAdcChannelCount; ++c) {
        if (!write(file, ChannelEnabledKey, controls.enabled[c], channelKeyName(ChannelEnabledKey.key, c + 1)))
            return false;
    }
    return writeChoice(file, GroupInputRangeKey, ChannelInputRangeKey, controls.inputRange)
        && writeChoice(file, GroupConnectionModeKey, ChannelConnectionModeKey, controls.connectionMode)
        && writeChoice(file, GroupParTypeKey, ChannelParTypeKey, controls.parType);
}

} // namespace settings
