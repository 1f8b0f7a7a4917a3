#include "platform/events.h"
#include "platform/fault_points.h"
#include "platform/overlapped.h"
#include "platform/screen.h"
#include "platform/windows_version.h"

#include <gtest/gtest.h>
#include <thread>

using namespace platform;

TEST(Events, AutoResetEventReleasesOneWaitThenResets)
{
    EventHandle event = CreateEventA(false, false);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), kWaitTimeout);
    std::thread signaller([event] { SetEvent(event); });
    EXPECT_EQ(WaitForSingleObject(event, 5000), kWaitObject0);
    signaller.join();
    EXPECT_EQ(WaitForSingleObject(event, 0), kWaitTimeout);
    EXPECT_TRUE(CloseHandle(event));
    EXPECT_FALSE(CloseHandle(nullptr));
}

TEST(Events, InjectedFailuresHitExactlyTheArmedCall)
{
    armFault(FaultPoint::CreateEvent, 1);
    EventHandle first = CreateEventA(false, false);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(CreateEventA(false, false), nullptr);
    EventHandle third = CreateEventA(false, false);
    EXPECT_NE(third, nullptr);
    armFault(FaultPoint::CloseHandle);
    EXPECT_FALSE(CloseHandle(first));
    EXPECT_TRUE(CloseHandle(first));
    EXPECT_TRUE(CloseHandle(third));
    disarmAllFaults();
}

namespace {
class FakeDevice final : public IoDevice {
public:
    bool cancelled = false;
    bool CancelIo() override { return cancelled = true; }
};
} // namespace

TEST(Overlapped, NonWaitingResultReportsIncompleteThenTheStatus)
{
    FakeDevice device;
    Overlapped* ov = AllocateOverlapped();
    ASSERT_NE(ov, nullptr);
    ov->Internal.store(kStatusPending);
    uint32_t bytes = 0;
    EXPECT_FALSE(GetOverlappedResult(handleOf(&device), ov, &bytes, false));
    EXPECT_EQ(GetLastError(), kErrorIoIncomplete);

    ov->InternalHigh.store(64);
    ov->Internal.store(kErrorSuccess);
    EXPECT_TRUE(GetOverlappedResult(handleOf(&device), ov, &bytes, false));
    EXPECT_EQ(bytes, 64u);

    ov->Internal.store(kErrorOperationAborted);
    EXPECT_FALSE(GetOverlappedResult(handleOf(&device), ov, &bytes, false));
    EXPECT_EQ(GetLastError(), kErrorOperationAborted);

    EXPECT_FALSE(GetOverlappedResult(kInvalidDeviceHandle, ov, &bytes, false));
    FreeOverlapped(ov);
}

TEST(Overlapped, CancelIoReachesTheDeviceBehindTheHandle)
{
    FakeDevice device;
    EXPECT_TRUE(CancelIo(handleOf(&device)));
    EXPECT_TRUE(device.cancelled);
    EXPECT_FALSE(CancelIo(kInvalidDeviceHandle));
    EXPECT_EQ(GetLastError(), kErrorInvalidHandle);
}

TEST(Screen, SizeLimitsAreInclusive)
{
    EXPECT_TRUE(isScreenLargeEnough({ 1280, 768 }));
    EXPECT_FALSE(isScreenLargeEnough({ 1279, 1024 }));
    EXPECT_FALSE(isScreenLargeEnough({ 1920, 767 }));
}

TEST(WindowsVersion, CodesByPlatformAndVersion)
{
    using P = OsVersion::Platform;
    struct Case {
        OsVersion v;
        uint32_t code;
    };
    const Case cases[] = {
        { { P::Win32s, 3, 1 }, 1 },
        { { P::Windows9x, 4, 0 }, 2 },
        { { P::Windows9x, 4, 10 }, 3 },
        { { P::WindowsNT, 4, 0 }, 4 },
        { { P::WindowsNT, 5, 0 }, 5 },
        { { P::WindowsNT, 5, 1 }, 6 },
        { { P::WindowsNT, 5, 2 }, 7 },
        { { P::WindowsNT, 6, 0 }, 8 },
        { { P::WindowsNT, 6, 1 }, 9 },
        { { P::WindowsNT, 6, 3 }, 10 },
        { { P::WindowsNT, 10, 0 }, 0 },
        { { P::Other, 0, 0 }, 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(windowsVersionCodeFor(c.v), c.code) << c.v.major << "." << c.v.minor;
    EXPECT_EQ(WindowsVersionCode(), 0u);
}
