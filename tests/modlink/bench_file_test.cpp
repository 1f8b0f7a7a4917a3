// The bench description: its text format and the file the library reads.
#include "bench_parser.h"
#include "sim_session.h"
#include "support/sim_library.h"

#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

using modlink_sim::BenchDescription;
using modlink_sim::parseBenchText;

TEST(ModlinkBenchText, SlotsAndChannelsReplaceTheDefaults)
{
    const char* text = "\xEF\xBB\xBF; a bench of one module\r\n"
                       "[Bus]   ; the whole bus\r\n"
                       "time_scale = 50\t# faster\r\n"
                       "loopback = yes\r\n"
                       "[slot 7]\n"
                       "serial=ABC123\n"
                       "revision = A\n"
                       "options = 0x21\n"
                       "usb_speed = 0\n"
                       "dac = 0\n"
                       "firmware = 1.00.01 beta\n"
                       "\n"
                       "# the user counts channels from 1\n"
                       "[ SLOT  7   channel 4 ]\n"
                       "dc = -0.25\n"
                       "amplitude = 0.5\n"
                       "frequency = 1e3\n"
                       "noise = 0.001\n";
    BenchDescription bench;
    std::string errors;
    ASSERT_TRUE(parseBenchText(text, &bench, &errors)) << errors;
    EXPECT_TRUE(errors.empty());
    EXPECT_DOUBLE_EQ(bench.timeScale, 50.0);
    EXPECT_TRUE(bench.loopback);
    for (int slot = 0; slot < 16; ++slot)
        EXPECT_EQ(bench.modules[slot].present, slot == 7) << slot;
    const auto& module = bench.modules[7];
    EXPECT_STREQ(module.config.serial, "ABC123");
    EXPECT_EQ(module.config.revision, 'A');
    EXPECT_EQ(module.config.options, 0x21);
    EXPECT_EQ(module.config.usbSpeed, 0);
    EXPECT_FALSE(module.config.hasDac);
    EXPECT_STREQ(module.config.firmwareVersion, "1.00.01 beta");
    EXPECT_DOUBLE_EQ(module.inputs[3].dc, -0.25);
    EXPECT_DOUBLE_EQ(module.inputs[3].amplitude, 0.5);
    EXPECT_DOUBLE_EQ(module.inputs[3].frequencyHz, 1000.0);
    EXPECT_DOUBLE_EQ(module.inputs[3].noiseRms, 0.001);
    EXPECT_DOUBLE_EQ(module.inputs[0].amplitude, 1.0) << "other channels keep the default signals";
}

TEST(ModlinkBenchText, ChannelSectionsAloneChangeTheDefaultModules)
{
    BenchDescription bench;
    ASSERT_TRUE(parseBenchText("[slot 5 channel 2]\ndc = 0.75\n", &bench, nullptr));
    EXPECT_TRUE(bench.modules[2].present);
    EXPECT_TRUE(bench.modules[5].present);
    EXPECT_DOUBLE_EQ(bench.modules[5].inputs[1].dc, 0.75);
    EXPECT_DOUBLE_EQ(bench.modules[2].inputs[1].dc, 1.5);
    ASSERT_TRUE(parseBenchText("", &bench, nullptr));
    EXPECT_TRUE(bench.modules[2].present);
}

TEST(ModlinkBenchText, MalformedTextsGiveTheDefaultsAndSayWhere)
{
    const char* cases[] = {
        "[slot 16]\n",
        "[slot -1]\n",
        "[slot 2 channel 0]\n",
        "[slot 2 channel 5]\n",
        "[slot two]\n",
        "[bus\n",
        "[buss]\n",
        "time_scale = 2\n",
        "[bus]\ntime_scale\n",
        "[bus]\ntime_scale = 0\n",
        "[bus]\ntime_scale = nan\n",
        "[bus]\ntime_scale = 1e400\n",
        "[bus]\ntime_scale = 2x\n",
        "[bus]\nloopback = maybe\n",
        "[bus]\nspeed = 1\n",
        "[bus]\n[bus]\n",
        "[bus]\nloopback = 1\nloopback = 0\n",
        "[slot 3]\nserial = \n",
        "[slot 3]\nserial = 12345678901234567\n",
        "[slot 3]\nserial = AB CD\n",
        "[slot 3]\nrevision = BB\n",
        "[slot 3]\nrevision = 2\n",
        "[slot 3]\noptions = 256\n",
        "[slot 3]\noptions = -1\n",
        "[slot 3]\noptions = 0x1G\n",
        "[slot 3]\nusb_speed = 2\n",
        "[slot 3]\ndac = 2\n",
        "[slot 3]\nfirmware = 12345678901234567890123456789012\n",
        "[slot 3]\ncolour = red\n",
        "[slot 3 channel 1]\ndc = 1\n",
        "[slot 2 channel 1]\ndc = 101\n",
        "[slot 2 channel 1]\namplitude = -1\n",
        "[slot 2 channel 1]\nfrequency = -5\n",
        "[slot 2 channel 1]\nnoise = inf\n",
        "[slot 2 channel 1]\nphase = 0\n",
        "[slot 2]\nserial = A\tB\n",
        "[slot 2]\nserial = A ;\n;x\n[slot 2 channel 1]\ndc = ; none\n",
        "[bus]\nstate\n",
        "[bus]\nstate = zentrix-state\n",
        "[bus]\nstate = /dev/null\n",
        "[bus]\nstate = /dev/null/below\n",
        "[bus]\nstate = /tmp/a\tb\n",
    };
    for (const char* text : cases) {
        BenchDescription bench;
        bench.timeScale = 7.0;
        std::string errors;
        EXPECT_FALSE(parseBenchText(text, &bench, &errors)) << text;
        EXPECT_NE(errors.find("line "), std::string::npos) << text;
        EXPECT_DOUBLE_EQ(bench.timeScale, 1.0) << text;
        EXPECT_TRUE(bench.modules[2].present && bench.modules[5].present) << text;
        EXPECT_FALSE(bench.modules[3].present) << text;
    }
    // Arbitrary bytes never crash the parser.
    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise.push_back(static_cast<char>((i * 2654435761u) >> 13));
    BenchDescription bench;
    parseBenchText(noise, &bench, nullptr);
    parseBenchText(std::string("[slot 2]\nserial=\0\n", 17), &bench, nullptr);
}

TEST(ModlinkBenchFile, TheLibraryReadsTheFileNamedByTheEnvironment)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    std::string path = folder.filePath("bench.ini").toStdString();
    {
        std::ofstream file(path);
        file << "[bus]\ntime_scale = 1000\n[slot 9]\nserial = FILE-9\n[slot 9 channel 1]\ndc = 0.6\namplitude = "
                "0\nnoise = 0\n";
    }
    ASSERT_EQ(setenv("MODLINK_SIM", path.c_str(), 1), 0);
    SimSession s(1000.0, 9);
    EXPECT_TRUE(s.ok());
    ModuleDescription d;
    ASSERT_TRUE(s.control->moduleDescription(9, &d));
    EXPECT_EQ(std::string(d.SerialNumber, 6), "FILE-9");
    EXPECT_FALSE(s.control->moduleDescription(2, &d));

    // A malformed file is reported and the default bench is used.
    {
        std::ofstream file(path);
        file << "[slot 9]\nserial = this serial is far too long\n";
    }
    testing::internal::CaptureStderr();
    s.control->resetToDefaults();
    std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_NE(reported.find("line 2"), std::string::npos) << reported;
    EXPECT_TRUE(s.control->moduleDescription(2, &d));
    EXPECT_FALSE(s.control->moduleDescription(9, &d));

    // So is a file that is not there.
    ASSERT_EQ(setenv("MODLINK_SIM", folder.filePath("missing.ini").toStdString().c_str(), 1), 0);
    testing::internal::CaptureStderr();
    s.control->resetToDefaults();
    reported = testing::internal::GetCapturedStderr();
    EXPECT_NE(reported.find("missing.ini"), std::string::npos) << reported;
    EXPECT_TRUE(s.control->moduleDescription(5, &d));

    unsetenv("MODLINK_SIM");
    s.control->resetToDefaults();
}

TEST(ModlinkBenchFile, OnlyARegularFileOfSaneSizeIsRead)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string pipe = folder.filePath("bench.fifo").toStdString();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string huge = folder.filePath("huge.ini").toStdString();
    {
        // A valid bench padded with comments past 1 MiB.
        std::ofstream file(huge);
        file << "[slot 9]\n";
        for (int i = 0; i < 20000; ++i)
            file << "; a comment line that fills the file with nothing but more of the same\n";
    }
    struct Case {
        std::string path;
        const char* reported;
    };
    const Case cases[] = {
        { pipe, "not a regular file" },
        { "/dev/zero", "not a regular file" },
        { "/dev/urandom", "not a regular file" },
        { folder.path().toStdString(), "not a regular file" },
        { huge, "too large" },
    };
    auto control = simControl();
    ASSERT_NE(control, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ASSERT_EQ(setenv("MODLINK_SIM", c.path.c_str(), 1), 0);
        testing::internal::CaptureStderr();
        control->resetToDefaults();
        std::string reported = testing::internal::GetCapturedStderr();
        EXPECT_NE(reported.find(c.path), std::string::npos) << reported;
        EXPECT_NE(reported.find(c.reported), std::string::npos) << reported;
        ModuleDescription d;
        EXPECT_TRUE(control->moduleDescription(2, &d));
        EXPECT_TRUE(control->moduleDescription(5, &d));
        EXPECT_FALSE(control->moduleDescription(9, &d));
    }
    unsetenv("MODLINK_SIM");
    control->resetToDefaults();
}
