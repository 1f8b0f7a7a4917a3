#pragma once
// The texts a channel's results are shown with, by the window's channel
// frames and by the command-line tool's rows alike.

#include "settings/precision_formats.h"

#include <QString>
#include <cstdint>

namespace entry {

// Each text is empty where the channel's measured parameter shows no such
// value: DC shows the level; AC the AC value and, with the spectral method,
// the frequency; AC+DC the AC value and the level.
struct ChannelValueTexts {
    QString dc;
    QString ac;
    QString frequency;
};

// One channel's results in volts (or ADC codes) and hertz, as texts in the
// precision of its input range: millivolts when `volts`, else codes; the
// frequency in kilohertz. An unknown `parType` is shown as AC.
ChannelValueTexts channelValueTexts(int32_t parType, bool spectral, bool volts, int range,
    const settings::PrecisionFormats& formats, double dc, double ac, double frequencyHz);

} // namespace entry
