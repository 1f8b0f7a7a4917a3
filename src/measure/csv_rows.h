#pragma once
// The CSV the tool writes: a header, then one row per active channel per
// block with the values as the window's channel frames show them: the same
// precision patterns per range, and an empty field wherever a frame shows
// dashes. Numbers always use "." as the decimal separator.

#include "measure/run_configuration.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>

namespace measure {

// One channel's results of a block, in volts (or codes) and hertz.
struct ChannelValues {
    bool measured = false;
    double dc = 0.0;
    double ac = 0.0;
    double frequencyHz = 0.0;
};

struct BlockValues {
    QDateTime end; // when the block's last read completed
    std::array<ChannelValues, kChannelCount> channels {};
    uint8_t overloadBits = 0; // bit c: channel c + 1 overloaded during the block
};

// "time,channel,dc_mV,ac_mV,frequency_kHz,overload", with dc_code and ac_code
// when the amplitude kind is not "volt". Ends with a line break.
QString csvHeader(const RunConfiguration& configuration);

// ISO 8601 local time with milliseconds and the offset from UTC, always as
// "+hh:mm" or "-hh:mm": "2026-12-10T17:07:48.123+03:00".
QString csvTime(const QDateTime& time);

// The rows of one block, each ending with a line break: channels that were
// measured, in ascending order.
QString csvRows(const RunConfiguration& configuration, const BlockValues& block);

} // namespace measure
