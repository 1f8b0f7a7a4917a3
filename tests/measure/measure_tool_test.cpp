// The built zentrix-measure run as a script runs it, on the simulated
// library: exit status, standard error, and the rows against the bench's
// known signals.

#include "tool_process.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

struct UsageCase {
    QStringList arguments;
    const char* message; // part of standard error
};

class ToolUsage : public ::testing::TestWithParam<UsageCase> { };

TEST_P(ToolUsage, ABadOptionOrValueExitsWithStatus2AndSaysWhy)
{
    ToolBench bench;
    const ToolResult result = bench.run(GetParam().arguments);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.errText().contains(QString::fromUtf8(GetParam().message))) << result.err.toStdString();
}

const UsageCase kUsageCases[] = {
    { { "--bogus" }, "Неизвестный параметр '--bogus'" },
    { { "--rate", "1,5" }, "--rate '1,5'" },
    { { "--channels", "0" }, "--channels '0'" },
    { { "--settings", "/nonexistent/Zentrix.ini" }, "/nonexistent/Zentrix.ini" },
};

INSTANTIATE_TEST_SUITE_P(Cases, ToolUsage, ::testing::ValuesIn(kUsageCases));

TEST(Tool, HelpAndVersionGoToStandardOutput)
{
    ToolBench bench;
    const ToolResult help = bench.run({ "--help" });
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(QString::fromUtf8(help.out).startsWith("Использование: zentrix-measure"));
    const ToolResult version = bench.run({ "--version" });
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "zentrix-measure " ZENTRIX_VERSION "\n");
}

} // namespace
