#pragma once
// The bench file: a small INI text describing the simulated bus.
//
//   [bus]                 time_scale, loopback, state
//   [slot N]              serial, revision, options, usb_speed, dac, firmware
//   [slot N channel C]    dc, amplitude, frequency, noise   (volts, hertz)
//
// N is 0..15, C is 1..4 as the user counts channels. When the file names any
// slot, the bus holds exactly the slots it names; otherwise the default
// modules stay and the file only changes their signals or the bus. Keys left
// out keep their defaults. ';' or '#' starts a comment at the beginning of a
// line or after a blank. `state` is "none" or the absolute path of a folder;
// a path that exists but is not a folder is a problem.

#include "bench_description.h"

#include <string>
#include <string_view>

namespace modlink_sim {

// Parses `text` into `out`. On any problem returns false, appends one line per
// problem (with its line number) to `errors` when it is not null, and leaves
// the default bench in `out`.
bool parseBenchText(std::string_view text, BenchDescription* out, std::string* errors);

} // namespace modlink_sim
