#include "programs/editor_command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>

#include "programs/program_version.h"

namespace tra1::programs {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

EditorCommandLine Parse(std::initializer_list<std::string_view> arguments) {
    const std::vector<std::string_view> list(arguments);
    return ParseEditorCommandLine(list);
}

TEST(EditorCommandLine, RunsWithOrWithoutOneConfigurationFile) {
    const auto bare = Parse({});
    EXPECT_EQ(bare.action, CommandLineAction::kRun);
    EXPECT_FALSE(bare.options.configurationFile);

    const auto withFile = Parse({"/home/me/Living room.tcf"});
    EXPECT_EQ(withFile.action, CommandLineAction::kRun);
    EXPECT_EQ(withFile.options.configurationFile, "/home/me/Living room.tcf");

    // After "--" a name that looks like an option is a file; a lone "-" is a file name too.
    EXPECT_EQ(Parse({"--", "--help.tcf"}).options.configurationFile, "--help.tcf");
    EXPECT_EQ(Parse({"-"}).options.configurationFile, "-");
}

TEST(EditorCommandLine, HelpAndVersionWinWhereTheyStand) {
    EXPECT_EQ(Parse({"--help"}).action, CommandLineAction::kShowHelp);
    EXPECT_EQ(Parse({"-h"}).action, CommandLineAction::kShowHelp);
    EXPECT_EQ(Parse({"--version"}).action, CommandLineAction::kShowVersion);
    // Nothing after them is looked at, not even a second file or an unknown option.
    EXPECT_EQ(Parse({"a.tcf", "--version", "b.tcf", "--bogus"}).action,
              CommandLineAction::kShowVersion);
    // But an error before them ends the parse first.
    EXPECT_EQ(Parse({"--bogus", "--help"}).action, CommandLineAction::kUsageError);
}

TEST(EditorCommandLine, UsageErrorsNameWhatWasWrong) {
    const auto unknown = Parse({"--bogus=1"});
    EXPECT_EQ(unknown.action, CommandLineAction::kUsageError);
    EXPECT_EQ(unknown.error, "unknown option '--bogus'");
    EXPECT_EQ(Parse({"-x"}).error, "unknown option '-x'");
    EXPECT_EQ(Parse({"--help=yes"}).error, "option '--help' takes no value");
    EXPECT_EQ(Parse({"a.tcf", "b.tcf"}).error,
              "only one configuration file can be opened, got 'a.tcf' and 'b.tcf'");
    EXPECT_EQ(Parse({""}).error, "the configuration file name is empty");
    // A failed parse runs nothing with half its options.
    EXPECT_FALSE(Parse({"a.tcf", "--bogus"}).options.configurationFile);
}

TEST(EditorCommandLine, FinishingWithoutRunningPrintsAndGivesTheExitStatus) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(FinishWithoutRunning(Parse({"x.tcf"}), out, err), std::nullopt);
    EXPECT_TRUE(out.str().empty() && err.str().empty());

    EXPECT_EQ(FinishWithoutRunning(Parse({"--version"}), out, err), 0);
    EXPECT_EQ(out.str(), "tr-a1-editor " + std::string(ProgramVersion()) + "\n");
    EXPECT_TRUE(err.str().empty());

    out.str("");
    EXPECT_EQ(FinishWithoutRunning(Parse({"--help"}), out, err), 0);
    EXPECT_EQ(out.str(), EditorUsage());
    EXPECT_TRUE(err.str().empty());

    out.str("");
    EXPECT_EQ(FinishWithoutRunning(Parse({"--bogus"}), out, err), kUsageExitStatus);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(err.str(), "tr-a1-editor: unknown option '--bogus' (see tr-a1-editor --help)\n");
}

TEST(EditorCommandLine, UsageListsEveryOptionInColumns) {
    const std::string usage = EditorUsage();
    EXPECT_THAT(usage, StartsWith("Usage: tr-a1-editor [OPTION]... [FILE.tcf]\n"));
    EXPECT_THAT(usage, HasSubstr("\n  -h, --help              show this text and exit\n"));
    EXPECT_THAT(usage, HasSubstr("\n      --version           show the version and exit\n"));
    // A help of several lines keeps its column.
    EXPECT_THAT(usage, HasSubstr("\n      --port=COMn=TARGET  lead COMn (n = 1..8) to TARGET in "
                                 "this run: a device path,\n                          socket://"));
}

TEST(EditorCommandLine, PortsAreLedWhereTheCommandLineSaysInOrder) {
    const auto run = Parse({"--port", "COM1=/dev/ttyUSB0", "--port=com2=rfc2217://rack:2217",
                            "a.tcf", "--port", "COM1=socket://127.0.0.1:4001", "--port=COM3="});
    ASSERT_EQ(run.action, CommandLineAction::kRun);
    using Port = std::pair<int, std::string>;
    EXPECT_EQ(run.options.ports, (std::vector<Port>{{1, "/dev/ttyUSB0"},
                                                    {2, "rfc2217://rack:2217"},
                                                    {1, "socket://127.0.0.1:4001"},
                                                    {3, ""}}));
    EXPECT_EQ(run.options.configurationFile, "a.tcf");

    EXPECT_EQ(Parse({"--port", "COM9=/dev/ttyUSB0"}).error,
              "bad port 'COM9=/dev/ttyUSB0': use COMn=DEVICE, COMn=socket://HOST:PORT or "
              "COMn=rfc2217://HOST:PORT with n = 1..8");
    EXPECT_EQ(Parse({"--port", "COM1=ttyUSB0"}).action, CommandLineAction::kUsageError);
    EXPECT_EQ(Parse({"--port"}).error, "option '--port' needs a value: COMn=TARGET");
}

TEST(ProgramVersion, IsDottedNumbers) {
    EXPECT_THAT(std::string(ProgramVersion()), ::testing::MatchesRegex("[0-9]+(\\.[0-9]+)+"));
    EXPECT_EQ(VersionLine("tr-a1-sim"), "tr-a1-sim " + std::string(ProgramVersion()) + "\n");
}

}  // namespace
}  // namespace tra1::programs
