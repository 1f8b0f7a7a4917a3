#include "platform/windows_version.h"

namespace platform {

uint32_t windowsVersionCodeFor(const OsVersion& v)
{
    switch (v.platform) {
    case OsVersion::Platform::Win32s:
        return 1;
    case OsVersion::Platform::Windows9x:
        return (v.major < 4 || (v.major == 4 && v.minor == 0)) ? 2 : 3;
    case OsVersion::Platform::WindowsNT:
        if (v.major <= 4)
            return 4;
        if (v.major == 5)
            return v.minor == 0 ? 5 : v.minor == 1 ? 6 : v.minor == 2 ? 7 : 0;
        if (v.major == 6)
            return v.minor == 0 ? 8 : v.minor == 1 ? 9 : 10;
        return 0;
    case OsVersion::Platform::Other:
        return 0;
    }
    return 0;
}

uint32_t WindowsVersionCode()
{
    // The version query exists only on Windows; everywhere else the code is 0.
    return windowsVersionCodeFor(OsVersion {});
}

} // namespace platform
