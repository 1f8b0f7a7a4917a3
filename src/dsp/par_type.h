#pragma once
// The measured parameter of a channel, as the channel's list, the group list
// and the settings file number it.

#include <cstdint>

namespace dsp {

enum ParType : int32_t { kParDc = 0, kParAc = 1, kParAcDc = 2 };

constexpr bool isKnownParType(int32_t parType)
{
    return parType == kParDc || parType == kParAc || parType == kParAcDc;
}

} // namespace dsp
