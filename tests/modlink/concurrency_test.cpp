// The job thread acquires while the user-interface thread sets the DAC and
// reads the module, as the program does; run under ThreadSanitizer too.
#include "sim_session.h"

#include "platform/events.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

// One block the way the acquisition job reads it: the first request queued
// before the ADC starts, then always one queued before the other is awaited.
bool acquireBlock(ModuleApi* api, platform::DeviceHandle handle, TestRead* (&reads)[2], int requests)
{
    bool ok = reads[0]->submit(api) && api->START_ACQUISITION();
    for (int i = 1; ok && i < requests; ++i) {
        ok = reads[i % 2]->submit(api) && reads[(i - 1) % 2]->waitDone();
        ok = ok && reads[(i - 1) % 2]->status() == platform::kErrorSuccess;
        DataStatus status;
        ok = ok && api->CHECK_DATA_ERRORS(&status);
    }
    ok = ok && reads[(requests - 1) % 2]->waitDone() && reads[(requests - 1) % 2]->status() == 0;
    api->STOP_ACQUISITION();
    platform::CancelIo(handle);
    return ok;
}

} // namespace

TEST(ModlinkThreads, DacAndQueriesWhileTheJobAcquires)
{
    SimSession s(20.0);
    ASSERT_TRUE(s.ok());
    s.control->setLoopback(true);
    AdcParameters p = makeAdcParameters(s.api, { 0, 1, 2, 3 }, 0, 2000.0);
    ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
    platform::DeviceHandle handle = s.handle();

    std::atomic<bool> jobDone { false };
    std::atomic<int> blocksOk { 0 };
    std::thread job([&] {
        TestRead first(50000, 500);
        TestRead second(50000, 500);
        TestRead* reads[2] = { &first, &second };
        for (int block = 0; block < 10; ++block)
            blocksOk += acquireBlock(s.api, handle, reads, 5) ? 1 : 0;
        jobDone = true;
    });

    int16_t code = 0;
    int writes = 0;
    while (!jobDone) {
        code = static_cast<int16_t>((code + 37) % 2000);
        EXPECT_TRUE(s.api->WRITE_DAC_SAMPLE(&code, writes % 2));
        ++writes;
        UserFlashBlock block;
        EXPECT_TRUE(s.api->READ_USER_FLASH(&block));
        EXPECT_NE(s.api->QUERY_DEVICE_HANDLE(), platform::kInvalidDeviceHandle);
        s.control->acquiring(2);
        s.control->outstandingRequests();
        std::this_thread::yield();
    }
    job.join();
    EXPECT_EQ(blocksOk.load(), 10);
    EXPECT_GT(writes, 10);
    int16_t held = 0;
    ASSERT_TRUE(s.control->dacCode(2, (writes - 1) % 2, &held));
    EXPECT_EQ(held, code);
    EXPECT_EQ(s.control->outstandingRequests(), 0);
}

TEST(ModlinkThreads, InterfacesComeAndGoWhileAnotherAcquires)
{
    SimSession s(1000.0);
    ASSERT_TRUE(s.ok());
    AdcParameters p = makeAdcParameters(s.api, { 0, 1 }, 0, 1000.0);
    ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
    std::atomic<bool> stop { false };
    std::thread churn([&] {
        while (!stop) {
            ModuleApi* api = s.library->GetModuleInterface(kModuleName);
            if (!api)
                continue;
            api->OPEN_SLOT(5);
            ModuleDescription d;
            api->READ_MODULE_DESCRIPTION(&d);
            api->RELEASE_INTERFACE();
        }
    });
    TestRead first(20000, 500);
    TestRead second(20000, 500);
    TestRead* reads[2] = { &first, &second };
    for (int block = 0; block < 5; ++block)
        EXPECT_TRUE(acquireBlock(s.api, s.handle(), reads, 4));
    stop = true;
    churn.join();
}
