#pragma once
#include <cstdint>

namespace platform {

// The program's coding of the Windows version: 1 Win32s, 2 and 3 Windows 9x,
// 4 to 10 the NT family up to 6.x, 0 for anything else (every other system).
uint32_t WindowsVersionCode();

struct OsVersion {
    enum class Platform { Win32s, Windows9x, WindowsNT, Other } platform = Platform::Other;
    uint32_t major = 0;
    uint32_t minor = 0;
};
uint32_t windowsVersionCodeFor(const OsVersion& version);

} // namespace platform
