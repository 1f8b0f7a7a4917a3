#pragma once
// What a module keeps across runs, as its flash does: the user flash and, once
// SAVE_MODULE_DESCRIPTION has written it, the description. One file per
// serial number in a state folder:
//
//   <folder>/<serial>.state, 7668 bytes, little-endian:
//     0     8     "ZXSIMST1"
//     8     4     flags: bit 0 = the description below was saved
//     12    512   user flash
//     524   7140  description (zeros when not saved)
//     7664  4     CRC-32 (IEEE 802.3) of bytes 0..7663
//
// Characters of the serial other than letters, digits, '-', '_' and '.' are
// written as %XX, so a serial never names a path outside the folder. Files are
// replaced in one step (a temporary file renamed over the old one). Problems
// are reported on standard error; none of them throws.

#include "device/records.h"

#include <cstddef>
#include <string>

namespace modlink_sim {

struct FlashState {
    UserFlashBlock userFlash;
    bool descriptionSaved = false;
    ModuleDescription description;
};

constexpr std::size_t kFlashStateFileBytes = 7668;

// The folder the library keeps state in when the bench does not say:
// $XDG_STATE_HOME/zentrix-sim when that is an absolute path, else
// $HOME/.local/state/zentrix-sim; "" when neither can be found.
std::string defaultStateFolder();

// The state file of `serial` (at most 16 characters) in `folder`.
std::string flashStateFile(const std::string& folder, const char* serial);

// Reads the state of `serial` from `folder` into `state`. False when there is
// none; a file that is damaged or unreadable is reported and counts as none.
bool loadFlashState(const std::string& folder, const char* serial, FlashState* state);

// Writes the state of `serial` into `folder`, creating the folder if needed.
// False, after a report, when it cannot be written.
bool saveFlashState(const std::string& folder, const char* serial, const FlashState& state);

// The file's bytes for `state`, and the state from a file's bytes (false for
// bytes that are not an undamaged state file).
std::string encodeFlashState(const FlashState& state);
bool decodeFlashState(const std::string& bytes, FlashState* state);

} // namespace modlink_sim
