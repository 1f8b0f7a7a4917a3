// Where the simulated module is as strict as the hardware: no acquisition or
// DAC before the firmware, flash that outlives the program, and a stream
// buffer that overruns when no read is queued.
#include "sim_session.h"

#include "platform/events.h"
#include "support/sim_library.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>

using modlink_sim::ChannelSignal;
using modlink_sim::ModuleConfig;

namespace {

const int kSlot = 3;
const int16_t kUntouched = 0x5A5A; // what TestRead fills its buffer with

ModuleConfig configWithSerial(const char* serial)
{
    ModuleConfig config;
    std::strncpy(config.serial, serial, 16);
    return config;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

UserFlashBlock patternBlock(int seed)
{
    UserFlashBlock block;
    for (int i = 0; i < 512; ++i)
        block.Bytes[i] = static_cast<uint8_t>(i * 7 + seed);
    return block;
}

bool isBlank(const UserFlashBlock& block)
{
    for (uint8_t byte : block.Bytes) {
        if (byte != 0xFF)
            return false;
    }
    return true;
}

// Writes the user flash and a description with a changed ADC coefficient, as
// the coefficient page does, on the module open on `api`.
void writeFlashAndDescription(ModuleApi* api, const UserFlashBlock& block, ModuleDescription* saved)
{
    ASSERT_TRUE(api->USER_FLASH_WRITE_ACCESS(1));
    UserFlashBlock copy = block;
    ASSERT_TRUE(api->WRITE_USER_FLASH(&copy));
    ASSERT_TRUE(api->USER_FLASH_WRITE_ACCESS(0));
    ASSERT_TRUE(api->READ_MODULE_DESCRIPTION(saved));
    saved->AdcScaleCoefs[5] = 1.0123;
    saved->AdcOffsetCoefs[5] = -4.5;
    ASSERT_TRUE(api->SAVE_MODULE_DESCRIPTION(saved));
}

} // namespace

TEST(ModlinkStrict, FirmwareGatesTheConverterAndTheDac)
{
    SimSession s(1.0);
    ASSERT_TRUE(s.ok());
    struct Case {
        const char* name;
        bool load;
        const char* firmware;
        bool works;
    };
    const Case cases[] = {
        { "no firmware", false, nullptr, false },
        { "a file that does not fit", true, "q4705.pld", false },
        { "the library's own firmware", true, nullptr, true },
        { "the file for the module", true, "Q4705mi.pld", true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(s.control->setModule(kSlot, ModuleConfig()));
        ASSERT_TRUE(s.api->OPEN_SLOT(kSlot));
        if (c.load) {
            EXPECT_EQ(s.api->LOAD_MODULE(c.firmware), c.works);
        }
        AdcParameters p = makeAdcParameters(s.api, { 0 }, 0, 100.0);
        ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
        TestRead read(1000, 100);
        ASSERT_TRUE(read.submit(s.api));
        EXPECT_EQ(s.api->START_ACQUISITION(), c.works);
        int16_t code = 400;
        EXPECT_EQ(s.api->WRITE_DAC_SAMPLE(&code, 0), c.works);
        int16_t held = -1;
        ASSERT_TRUE(s.control->dacCode(kSlot, 0, &held));
        EXPECT_EQ(held, c.works ? 400 : 0);

        // Without a stream the read gets nothing and ends at its time-out.
        ASSERT_TRUE(read.waitDone());
        EXPECT_EQ(read.status(), c.works ? platform::kErrorSuccess : platform::kErrorSemTimeout);
        EXPECT_EQ(read.bytes(), c.works ? 2000u : 0u);
        EXPECT_EQ(read.buffer[0] == kUntouched, !c.works);
        EXPECT_TRUE(s.api->STOP_ACQUISITION());
    }

    // The firmware stays loaded while the slot is closed and opened again.
    ASSERT_TRUE(s.api->CLOSE_SLOT());
    ASSERT_TRUE(s.api->OPEN_SLOT(kSlot));
    int16_t code = 1;
    EXPECT_TRUE(s.api->WRITE_DAC_SAMPLE(&code, 1));
}

TEST(ModlinkStrict, FlashAndSavedDescriptionOutliveTheProgram)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QString folder = temporary.filePath(QStringLiteral("state/of/the/bench"));
    const QString blocker = temporary.filePath(QStringLiteral("a-file"));
    {
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString stateFile = folder + QStringLiteral("/SN%2F..%20x.state");

    struct Case {
        const char* name;
        QString writeFolder; // "" = in memory
        // Done to the state file between the two runs.
        enum { Keep, Truncate, FlipAFlashByte } between;
        bool kept; // the second run finds the first run's flash
        const char* reported; // on standard error, or null
    };
    const Case cases[] = {
        { "a state folder", folder, Case::Keep, true, nullptr },
        { "in memory", QString(), Case::Keep, false, nullptr },
        { "a truncated file", folder, Case::Truncate, false, "damaged" },
        { "a changed byte", folder, Case::FlipAFlashByte, false, "damaged" },
        { "a folder that cannot be made", blocker + QStringLiteral("/state"), Case::Keep, false, "kept in memory" },
    };
    SimSession s(1.0);
    ASSERT_TRUE(s.ok());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder).removeRecursively();
        const QByteArray path = QFile::encodeName(c.writeFolder);
        s.control->setStateFolder(c.writeFolder.isEmpty() ? nullptr : path.constData());
        // A serial that would climb out of the folder if used as a file name.
        ASSERT_TRUE(s.control->setModule(kSlot, configWithSerial("SN/.. x")));
        ASSERT_TRUE(s.api->OPEN_SLOT(kSlot));
        ModuleDescription factory;
        ASSERT_TRUE(s.api->READ_MODULE_DESCRIPTION(&factory));

        const UserFlashBlock written = patternBlock(3);
        ModuleDescription saved;
        testing::internal::CaptureStderr();
        writeFlashAndDescription(s.api, written, &saved);
        std::string reported = testing::internal::GetCapturedStderr();
        UserFlashBlock sameRun;
        ASSERT_TRUE(s.api->READ_USER_FLASH(&sameRun));
        EXPECT_TRUE(sameBytes(&sameRun, &written, sizeof written)) << "the run itself always keeps what it wrote";

        if (c.writeFolder == folder) {
            const QByteArray bytes = readFile(stateFile);
            ASSERT_EQ(bytes.size(), 7668);
            EXPECT_EQ(bytes.left(8), QByteArray("ZXSIMST1"));
            EXPECT_EQ(bytes.mid(8, 4), QByteArray("\x01\0\0\0", 4));
            EXPECT_TRUE(sameBytes(bytes.constData() + 12, written.Bytes, 512));
            EXPECT_TRUE(sameBytes(bytes.constData() + 524, &saved, sizeof saved));
            // Nothing but the state file, and no temporary left behind.
            EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                QStringList { QStringLiteral("SN%2F..%20x.state") });
            QFile file(stateFile);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            if (c.between == Case::Truncate) {
                ASSERT_TRUE(file.resize(7000));
            }
            if (c.between == Case::FlipAFlashByte) {
                ASSERT_TRUE(file.seek(12 + 100));
                ASSERT_EQ(file.write("\x00", 1), 1);
            }
        } else {
            EXPECT_FALSE(QFile::exists(stateFile));
        }
        if (!c.reported || std::string(c.reported) == "damaged") {
            EXPECT_TRUE(reported.empty()) << reported;
        } else {
            EXPECT_NE(reported.find(c.reported), std::string::npos) << reported;
        }

        // The next run: the module starts again from the same folder.
        testing::internal::CaptureStderr();
        s.control->setStateFolder(c.writeFolder.isEmpty() ? nullptr : path.constData());
        reported = testing::internal::GetCapturedStderr();
        if (c.reported && std::string(c.reported) == "damaged") {
            EXPECT_NE(reported.find("SN%2F..%20x.state"), std::string::npos) << reported;
            EXPECT_NE(reported.find("damaged"), std::string::npos) << reported;
        } else {
            EXPECT_TRUE(reported.empty()) << reported;
        }
        ASSERT_TRUE(s.api->OPEN_SLOT(kSlot));
        UserFlashBlock nextRun;
        ModuleDescription description;
        ASSERT_TRUE(s.api->READ_USER_FLASH(&nextRun));
        ASSERT_TRUE(s.api->READ_MODULE_DESCRIPTION(&description));
        if (c.kept) {
            EXPECT_TRUE(sameBytes(&nextRun, &written, sizeof written));
            EXPECT_TRUE(sameBytes(&description, &saved, sizeof saved));
        } else {
            EXPECT_TRUE(isBlank(nextRun));
            EXPECT_TRUE(sameBytes(&description, &factory, sizeof factory));
        }
        // Each module keeps its own: another serial starts blank.
        ASSERT_TRUE(s.control->setModule(kSlot + 1, configWithSerial("OTHER-1")));
        ASSERT_TRUE(s.control->userFlash(kSlot + 1, &nextRun));
        EXPECT_TRUE(isBlank(nextRun));
    }
    s.control->setStateFolder(nullptr);
}

TEST(ModlinkStrict, TheBenchFileChoosesTheStateFolder)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const std::string benchPath = temporary.filePath(QStringLiteral("bench.ini")).toStdString();
    const std::string named = temporary.filePath(QStringLiteral("named")).toStdString();
    const std::string stateHome = temporary.filePath(QStringLiteral("xdg")).toStdString();
    ASSERT_EQ(setenv("XDG_STATE_HOME", stateHome.c_str(), 1), 0);
    ASSERT_EQ(setenv("MODLINK_SIM", benchPath.c_str(), 1), 0);

    struct Case {
        const char* name;
        std::string stateLine;
        std::string expectedFile; // "" = none anywhere
    };
    const Case cases[] = {
        { "a named folder", "state = " + named + "\n", named + "/BENCH-1.state" },
        { "the default folder", "", stateHome + "/zentrix-sim/BENCH-1.state" },
        { "none", "state = None\n", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            QFile bench(QString::fromStdString(benchPath));
            ASSERT_TRUE(bench.open(QIODevice::WriteOnly));
            bench.write(("[bus]\n" + c.stateLine + "[slot 3]\nserial = BENCH-1\n").c_str());
        }
        QDir(QString::fromStdString(named)).removeRecursively();
        QDir(QString::fromStdString(stateHome)).removeRecursively();
        SimSession s(1.0, kSlot);
        ASSERT_TRUE(s.ok());
        s.control->useBenchStateFolder();
        ASSERT_TRUE(s.api->OPEN_SLOT(kSlot));
        ModuleDescription saved;
        writeFlashAndDescription(s.api, patternBlock(9), &saved);
        EXPECT_EQ(QFile::exists(QString::fromStdString(named + "/BENCH-1.state")), c.expectedFile.rfind(named, 0) == 0);
        EXPECT_EQ(QFile::exists(QString::fromStdString(stateHome + "/zentrix-sim/BENCH-1.state")),
            c.expectedFile.rfind(stateHome, 0) == 0);
        if (!c.expectedFile.empty()) {
            EXPECT_TRUE(sameBytes(
                readFile(QString::fromStdString(c.expectedFile)).constData() + 12, patternBlock(9).Bytes, 512));
        }
    }
    unsetenv("MODLINK_SIM");
    unsetenv("XDG_STATE_HOME");
    simControl()->setStateFolder(nullptr);
    simControl()->resetToDefaults();
}

TEST(ModlinkStrict, TheStreamOverrunsWhenNoReadIsQueuedForHalfASecond)
{
    SimSession s(1.0);
    ASSERT_TRUE(s.ok());
    // A steady sine: samples across two reads continue it exactly unless data was lost.
    const double rate = 100000.0;
    const double frequency = 321.0;
    ASSERT_TRUE(s.control->setSignal(s.slot, 0, ChannelSignal { 0.0, 2.0, frequency, 0.0 }));
    const double twoCos = 2.0 * std::cos(2.0 * std::acos(-1.0) * frequency / rate);

    struct Case {
        const char* name;
        int lateByMs; // how long after the first read the second is queued; -1 = before
        bool overruns;
    };
    const Case cases[] = {
        { "a read always queued", -1, false },
        { "a read queued late but within the buffer", 200, false },
        { "a read queued after the buffer ran over", 800, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AdcParameters p = makeAdcParameters(s.api, { 0 }, 0, rate / 1000.0);
        ASSERT_TRUE(s.api->WRITE_ADC_PARAMETERS(&p));
        // 0.1 s of data each, as the program asks.
        TestRead first(10000, 500);
        TestRead second(10000, 500);
        TestRead third(10000, 500);
        ASSERT_TRUE(first.submit(s.api));
        ASSERT_TRUE(s.api->START_ACQUISITION());
        if (c.lateByMs < 0) {
            ASSERT_TRUE(second.submit(s.api));
        }
        ASSERT_TRUE(first.waitDone());
        ASSERT_EQ(first.status(), platform::kErrorSuccess);
        if (c.lateByMs >= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(c.lateByMs));
            ASSERT_TRUE(second.submit(s.api));
        }
        ASSERT_TRUE(second.waitDone());
        ASSERT_TRUE(third.submit(s.api));
        ASSERT_TRUE(third.waitDone());
        if (c.overruns) {
            for (TestRead* read : { &second, &third }) {
                EXPECT_EQ(read->status(), platform::kErrorIoDevice);
                EXPECT_EQ(read->bytes(), 0u);
                EXPECT_EQ(read->buffer[0], kUntouched);
                uint32_t bytes = 1;
                EXPECT_FALSE(platform::GetOverlappedResult(s.handle(), &read->overlapped, &bytes, false));
                EXPECT_EQ(platform::GetLastError(), platform::kErrorIoDevice);
            }
        } else {
            ASSERT_EQ(second.status(), platform::kErrorSuccess);
            ASSERT_EQ(third.status(), platform::kErrorSuccess);
            std::vector<int16_t> stream(first.buffer);
            stream.insert(stream.end(), second.buffer.begin(), second.buffer.end());
            stream.insert(stream.end(), third.buffer.begin(), third.buffer.end());
            for (size_t i = 2; i < stream.size(); ++i)
                ASSERT_NEAR(stream[i], twoCos * stream[i - 1] - stream[i - 2], 3.0) << i;
        }
        EXPECT_TRUE(s.api->STOP_ACQUISITION());
        EXPECT_EQ(s.control->outstandingRequests(), 0);

        // A new start clears the overrun.
        TestRead afterRestart(1000, 500);
        ASSERT_TRUE(afterRestart.submit(s.api));
        ASSERT_TRUE(s.api->START_ACQUISITION());
        ASSERT_TRUE(afterRestart.waitDone());
        EXPECT_EQ(afterRestart.status(), platform::kErrorSuccess);
        EXPECT_TRUE(s.api->STOP_ACQUISITION());
    }
}
