// zentrix-measure on the simulated library: the rows against the bench's
// known signals, the failures the window reports, a stop by SIGTERM in the
// middle of a block, and the same numbers as the window.

#include "acquisition_fixture.h"
#include "frames/q4705_adc_channel_frame.h"
#include "frames/value_edit.h"
#include "measure/measurement_run.h"
#include "support/sim_library.h"
#include "tool_process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <atomic>
#include <cctype>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace {

// A case's description as a test name: letters and digits, '_' for the rest.
std::string testName(const char* description)
{
    std::string name = description;
    for (char& ch : name)
        ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
}

// One module in slot 3 as the window's acquisition tests have it, paced 50
// times faster than real time, with signals free of noise.
const char* const kBench = "time_scale = 50\n"
                           "[slot 3]\n"
                           "serial = 7C0FF047\n"
                           "firmware = 2.07.15\n"
                           "[slot 3 channel 1]\n"
                           "dc = 0\namplitude = 1\nfrequency = 1000\nnoise = 0\n"
                           "[slot 3 channel 2]\n"
                           "dc = 1.5\namplitude = 0\nfrequency = 0\nnoise = 0\n"
                           "[slot 3 channel 3]\n"
                           "dc = 0.1\namplitude = 0.2\nfrequency = 250\nnoise = 0\n"
                           "[slot 3 channel 4]\n"
                           "dc = 0\namplitude = 0\nfrequency = 0\nnoise = 0\n";

// Channel 1 measures AC and channel 2 DC on the 3.0 V range, channel 3 AC+DC
// on the 1.0 V range, channel 4 is off; 120 kHz over three channels.
const char* const kSettings = "[Модуль Q47-05]\n"
                              "АЦП. Метод расчёта измеряемых величин=fft\n"
                              "АЦП. Mаксимальное время сбора данных, с=0.25\n"
                              "АЦП. Частота работы, кГц=120\n"
                              "АЦП. Групповое управление каналами=0\n"
                              "АЦП. Управление каналом 1=1\n"
                              "АЦП. Управление каналом 2=1\n"
                              "АЦП. Управление каналом 3=1\n"
                              "АЦП. Управление каналом 4=0\n"
                              "АЦП. Групповое управление входным диапазоном=-1\n"
                              "АЦП. Управление входным диапазоном канала 3=1\n"
                              "АЦП. Групповое управление типом подключения каналов=0\n"
                              "АЦП. Групповое управление типом измеряемого параметра=-1\n"
                              "АЦП. Управление типом измеряемого параметра для канала 1=1\n"
                              "АЦП. Управление типом измеряемого параметра для канала 2=0\n"
                              "АЦП. Управление типом измеряемого параметра для канала 3=2\n";

struct Row {
    QString time;
    int channel = 0;
    QString dc, ac, frequency, overload;
};

std::vector<Row> rowsOf(const QByteArray& csv, QString* header)
{
    std::vector<Row> rows;
    QList<QByteArray> lines = csv.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]);
        if (i == 0) {
            *header = line;
            continue;
        }
        const QStringList f = line.split(u',');
        if (f.size() != 6)
            return {};
        rows.push_back({ f[0], f[1].toInt(), f[2], f[3], f[4], f[5] });
    }
    return rows;
}

double number(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : std::nan("");
}

class MeasureRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        bench.writeBench(kBench);
        bench.writeSettings(kSettings);
    }
    ToolBench bench;
};

// Expected values of a channel: empty fields where the window shows dashes.
struct Expected {
    int channel;
    double dc; // NaN: empty
    double ac;
    double frequencyKHz;
    double tolerance;
};

struct RunCase {
    const char* name;
    QStringList arguments;
    const char* extraSettings;
    const char* header;
    std::vector<Expected> channels;
};

class MeasureRunTable : public MeasureRun, public ::testing::WithParamInterface<RunCase> { };

const double kNone = std::nan("");

void expectField(const QString& field, double expected, double tolerance, const char* what)
{
    if (std::isnan(expected)) {
        EXPECT_TRUE(field.isEmpty()) << what << ": " << field.toStdString();
        return;
    }
    EXPECT_NEAR(number(field), expected, tolerance) << what;
}

TEST_P(MeasureRunTable, RowsCarryTheBenchSignals)
{
    const RunCase& c = GetParam();
    if (*c.extraSettings)
        bench.writeSettings(QByteArray(kSettings) + c.extraSettings);
    const ToolResult result = bench.run(c.arguments);
    ASSERT_TRUE(result.finished);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    QString header;
    const std::vector<Row> rows = rowsOf(result.out, &header);
    EXPECT_EQ(header, QString::fromUtf8(c.header));
    ASSERT_EQ(rows.size(), 2 * c.channels.size()) << result.out.toStdString();
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const Expected& e = c.channels[i % c.channels.size()];
        SCOPED_TRACE(row.channel);
        EXPECT_EQ(row.channel, e.channel);
        EXPECT_EQ(row.time, rows[i - i % c.channels.size()].time);
        expectField(row.dc, e.dc, e.tolerance, "dc");
        expectField(row.ac, e.ac, e.tolerance, "ac");
        expectField(row.frequency, e.frequencyKHz, 0.001, "frequency");
        EXPECT_EQ(row.overload, "0");
    }
    EXPECT_LT(rows.front().time, rows.back().time);
}

const char* const kVoltHeader = "time,channel,dc_mV,ac_mV,frequency_kHz,overload";

const RunCase kRunCases[] = {
    { "fft", { "--blocks", "2" }, "", kVoltHeader,
        { { 1, kNone, 707.107, 1.0, 0.5 }, { 2, 1500.0, kNone, kNone, 0.5 }, { 3, 100.0, 141.421, kNone, 0.5 } } },
    { "sum", { "--blocks=2", "--method", "sum" }, "", kVoltHeader,
        { { 1, kNone, 707.107, kNone, 0.5 }, { 2, 1500.0, kNone, kNone, 0.5 }, { 3, 100.0, 141.421, kNone, 0.5 } } },
    { "amp", { "--blocks", "2", "--channels", "1" }, "АЦП. Тип амплитуды=amp\n", kVoltHeader,
        { { 1, kNone, 1000.0, 1.0, 0.5 } } },
    // 8000 codes are the full scale: 1.5 V on the 3.0 V range is 4000.
    { "codes", { "--blocks", "2", "--channels", "2,3" }, "АЦП. Вид амплитуды=code\n",
        "time,channel,dc_code,ac_code,frequency_kHz,overload",
        { { 2, 4000.0, kNone, kNone, 1.5 }, { 3, 800.0, 1131.37, kNone, 1.5 } } },
    // The window's rule: the file's serial when it is on the bus, else the first module.
    { "file serial missing", { "--blocks", "2", "--channels", "2" },
        "[Приложение. Обнаружение]\nСерийный номер модуля=12345\n", kVoltHeader, { { 2, 1500.0, kNone, kNone, 0.5 } } },
    { "rate and time", { "--blocks", "2", "--channels", "2", "--rate", "40", "--time", "0.1" }, "", kVoltHeader,
        { { 2, 1500.0, kNone, kNone, 0.5 } } },
};

INSTANTIATE_TEST_SUITE_P(
    Cases, MeasureRunTable, ::testing::ValuesIn(kRunCases), [](const auto& info) { return testName(info.param.name); });

TEST_F(MeasureRun, ListsTheModulesOnTheBus)
{
    bench.writeBench(
        QByteArray(kBench) + "[slot 9]\nserial = 470509001\nrevision = B\nusb_speed = 0\nfirmware = 2.08.01\n");
    const ToolResult result = bench.run({ "--list" });
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
        "slot,serial,revision,firmware,usb_speed\n"
        "3,7C0FF047,B,2.07.15,high\n"
        "9,470509001,B,2.08.01,full\n");
}

// The time of a row is the local time with its offset, whatever the zone.
TEST_F(MeasureRun, TimesCarryTheLocalOffsetFromUtc)
{
    bench.setEnvironment(QStringLiteral("TZ"), QStringLiteral("Asia/Kolkata"));
    const QDateTime before = QDateTime::currentDateTimeUtc();
    const ToolResult result = bench.run({ "--blocks", "1", "--channels", "2" });
    const QDateTime after = QDateTime::currentDateTimeUtc();
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    QString header;
    const std::vector<Row> rows = rowsOf(result.out, &header);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].time.endsWith("+05:30")) << rows[0].time.toStdString();
    const QDateTime time = QDateTime::fromString(rows[0].time, Qt::ISODateWithMs);
    EXPECT_GE(time, before.addMSecs(-1));
    EXPECT_LE(time, after);
}

struct FailureCase {
    const char* name;
    QStringList arguments;
    const char* settings; // replaces the file when given
    const char* message;
};

class MeasureFailures : public MeasureRun, public ::testing::WithParamInterface<FailureCase> { };

// The window's text on standard error, status 1, and no row: an output file
// is not even created.
TEST_P(MeasureFailures, SayWhatTheWindowSaysAndWriteNothing)
{
    const FailureCase& c = GetParam();
    if (c.settings)
        bench.writeSettings(c.settings);
    const QString output = bench.path("out.csv");
    const ToolResult result = bench.run(c.arguments + QStringList { "--output", output });
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errText(), QString::fromUtf8(c.message) + '\n');
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(output));
}

const FailureCase kFailureCases[] = {
    { "unknown serial", { "--serial", "470500000" }, nullptr, "Не могу найти ни одного модуля типа Q47-05!" },
    { "no channels", {},
        "[Модуль Q47-05]\nАЦП. Групповое управление каналами=0\nАЦП. Управление каналом 1=0\n"
        "АЦП. Управление каналом 2=0\nАЦП. Управление каналом 3=0\nАЦП. Управление каналом 4=0\n",
        "Необходимо выбрать не менне одного активного канала!" },
    { "block shorter than a frame", { "--method", "sum", "--rate", "1", "--time", "0.0001" }, nullptr,
        "Не могу начать сбор данных: время сбора данных меньше длительности одного кадра!" },
};

INSTANTIATE_TEST_SUITE_P(Cases, MeasureFailures, ::testing::ValuesIn(kFailureCases),
    [](const auto& info) { return testName(info.param.name); });

// The window's message when the device library is not beside the program.
TEST_F(MeasureRun, WithoutTheLibraryBesideItSaysSoAndExits1)
{
    const QString alone = bench.path("alone/zentrix-measure");
    ASSERT_TRUE(QDir().mkpath(bench.path("alone")));
    ASSERT_TRUE(QFile::copy(toolPath(), alone));
    QProcess process;
    process.start(alone, { "--settings", bench.settingsPath(), "--blocks", "1" });
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError())
                    .startsWith("Не могу загрузить библиотеку Modlink.dll!\nТребуется: 3.4\n"));
}

// A sanitizer slows every step several times over.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr qint64 kPromptExitMs = 2000;
#else
constexpr qint64 kPromptExitMs = 200;
#endif

// SIGTERM in the middle of a long block: the run stops at once, drops the
// block and exits 0; what was written stays whole.
TEST_F(MeasureRun, SigtermMidBlockStopsPromptlyAndDropsTheBlock)
{
    bench.writeBench(QByteArray(kBench).replace("time_scale = 50", "time_scale = 1"));
    const QString output = bench.path("out.csv");
    std::unique_ptr<QProcess> process
        = bench.start({ "--channels", "2", "--method", "sum", "--time", "3", "--output", output });
    ASSERT_TRUE(process->waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (QFileInfo(output).size() == 0 && waited.elapsed() < 20000)
        QThread::msleep(10);
    ASSERT_GT(QFileInfo(output).size(), 0) << process->readAllStandardError().toStdString();
    QThread::msleep(300);
    ASSERT_EQ(process->state(), QProcess::Running);
    QElapsedTimer stopping;
    stopping.start();
    process->terminate();
    ASSERT_TRUE(process->waitForFinished(10000));
    EXPECT_LT(stopping.elapsed(), kPromptExitMs);
    EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process->exitCode(), 0);
    EXPECT_TRUE(process->readAllStandardError().isEmpty());
    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "time,channel,dc_mV,ac_mV,frequency_kHz,overload\n");
}

} // namespace

namespace {

// The window's multimeter on the module of the bench, with the settings of
// the file the tool reads.
class WindowAndTool : public AcquisitionTest { };

QString shownText(const TMainForm& form, int channel, int display)
{
    const TQ4705AdcChannelFrame* frame = form.ChannelFrames[static_cast<size_t>(channel)];
    return (display == 1 ? frame->Value1LMDEdit : frame->Value2LMDEdit)->text();
}

TEST_F(WindowAndTool, GiveTheSameNumbersForTheSameBenchAndSettings)
{
    sim->setSignal(kSlot, 0, { 0.0, 1.0, 1000.0, 0.0 });
    sim->setSignal(kSlot, 1, { 1.5, 0.0, 0.0, 0.0 });
    sim->setSignal(kSlot, 2, { 0.1, 0.2, 250.0, 0.0 });
    setChannel(0, true, 0, 0, 1);
    setChannel(1, true, 0, 0, 0);
    setChannel(2, true, 1, 0, 2);
    setChannel(3, false);
    setMeasurement(QStringLiteral("fft"), 0.25, QStringLiteral("rms"), QStringLiteral("volt"), 120000.0);
    pressStart();
    ASSERT_TRUE(waitForValues());
    const QStringList window { shownText(*form, 0, 1), shownText(*form, 0, 2), shownText(*form, 1, 1),
        shownText(*form, 2, 2), shownText(*form, 2, 1) };
    pressStop();

    ToolBench bench;
    bench.writeBench(kBench);
    bench.writeSettings(kSettings);
    const ToolResult result = bench.run({ "--blocks", "1" });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    QString header;
    const std::vector<Row> rows = rowsOf(result.out, &header);
    ASSERT_EQ(rows.size(), 3u) << result.out.toStdString();
    const QStringList tool { rows[0].ac, rows[0].frequency, rows[1].dc, rows[2].dc, rows[2].ac };

    // The steady level and the frequency to the last digit. The AC values
    // come from another stretch of the sine, and differ from block to block
    // in the window too by a few hundredths of a millivolt.
    EXPECT_EQ(tool[1], window[1]);
    EXPECT_EQ(tool[2], window[2]);
    for (int i : { 0, 3, 4 })
        EXPECT_NEAR(number(tool[i]), number(window[i]), 0.1)
            << i << ": " << tool[i].toStdString() << " vs " << window[i].toStdString();
    EXPECT_EQ(tool[0].size(), window[0].size());
}

} // namespace
