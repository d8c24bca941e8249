// tr-a1ctl as a process against tr-a1-sim on a pseudo-terminal, on the real clock: every
// command as a script runs it, with its exit status, its output and the files it leaves, and
// the failures a user meets (no receiver, another model, a file that cannot be written, a
// receiver that falls silent half way through a backup, Ctrl-C).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/ctl/ctl_process.h"

namespace tra1::testing {
namespace {

namespace fs = std::filesystem;

// Generous limits: the work itself takes a fraction of them.
constexpr int kQuickMs = 60'000;
constexpr int kTransferMs = 10 * 60'000;

class CtlProgramTest : public ::testing::Test {
protected:
    CtlProgramTest() {
        std::string pattern = (fs::temp_directory_path() / "tra1-ctl-program.XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            scratch_ = pattern;
        }
    }
    ~CtlProgramTest() override {
        std::error_code error;
        fs::remove_all(scratch_, error);
    }

    // tr-a1ctl ARGUMENTS, run to its end: its exit status; Out() and Err() of `process`.
    static std::vector<std::string> Ctl(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), TRA1_CTL_PROGRAM);
        return arguments;
    }
    std::string Path(const std::string& name) const { return (scratch_ / name).string(); }

    fs::path scratch_;
};

std::vector<char> FileChars(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(CtlProgramTest, HelpVersionAndUsageErrors) {
    CtlProcess help(Ctl({"--help"}));
    EXPECT_EQ(help.Finish(kQuickMs), 0);
    EXPECT_EQ(help.Out().rfind("Usage: tr-a1ctl [--port PORT] COMMAND", 0), 0u) << help.Out();
    for (const char* command :
         {"status", "set", "backup", "restore", "diff", "report", "monitor"}) {
        EXPECT_NE(help.Out().find(std::string("  ") + command + " "), std::string::npos) << command;
        CtlProcess commandHelp(Ctl({command, "--help"}));
        EXPECT_EQ(commandHelp.Finish(kQuickMs), 0) << command;
        EXPECT_EQ(
            commandHelp.Out().rfind(std::string("Usage: tr-a1ctl [--port PORT] ") + command, 0), 0u)
            << commandHelp.Out();
    }
    CtlProcess version(Ctl({"--version"}));
    EXPECT_EQ(version.Finish(kQuickMs), 0);
    EXPECT_EQ(version.Out().rfind("tr-a1ctl ", 0), 0u);

    CtlProcess wrong(Ctl({"backup"}));
    EXPECT_EQ(wrong.Finish(kQuickMs), 2);
    EXPECT_EQ(wrong.Err(),
              "tr-a1ctl: backup: wrong number of arguments; usage: tr-a1ctl backup FILE.tcf "
              "[--presets] [--fast]\nTry 'tr-a1ctl --help' for more information.\n");
    EXPECT_EQ(wrong.Out(), "");
}

TEST_F(CtlProgramTest, StatusAndSetOnTheVirtualReceiver) {
    SimOnTerminal sim;
    ASSERT_FALSE(sim.Device().empty());
    CtlProcess set(Ctl({"--port", sim.Device(), "set", "input", "CD"}));
    EXPECT_EQ(set.Finish(kQuickMs), 0) << set.Err();
    CtlProcess volume(Ctl({"set", "volume", "-35.5", "--port", sim.Device()}));
    EXPECT_EQ(volume.Finish(kQuickMs), 0) << volume.Err();
    CtlProcess status(Ctl({"--port", sim.Device(), "status"}));
    EXPECT_EQ(status.Finish(kQuickMs), 0) << status.Err();
    EXPECT_NE(status.Out().find("Input:   CD\n"), std::string::npos) << status.Out();
    EXPECT_NE(status.Out().find("Volume:  -35.5 dB\n"), std::string::npos) << status.Out();
    CtlProcess json(Ctl({"--port", sim.Device(), "status", "--json"}));
    EXPECT_EQ(json.Finish(kQuickMs), 0) << json.Err();
    EXPECT_EQ(json.Out().rfind("{\"model\": \"TR-A1\", \"power\": \"on\", \"input\": \"CD\"", 0),
              0u)
        << json.Out();
    CtlProcess bad(Ctl({"--port", sim.Device(), "set", "mute", "maybe"}));
    EXPECT_EQ(bad.Finish(kQuickMs), 2);
    EXPECT_EQ(bad.Err(), "tr-a1ctl: set: 'maybe' is not a mute; valid: on, off\n");
}

TEST_F(CtlProgramTest, BackupReportDiffAndRestoreWithVerifyOfTheVirtualReceiver) {
    SimOnTerminal sim;
    ASSERT_FALSE(sim.Device().empty());
    const std::string file = Path("receiver.tcf");
    CtlProcess backup(Ctl({"--port", sim.Device(), "backup", file}));
    ASSERT_EQ(backup.Finish(kTransferMs), 0) << backup.Err();
    EXPECT_EQ(backup.Err(), "") << "no progress bar when standard error is not a terminal";
    const auto bytes = FileChars(file);
    ASSERT_EQ(bytes.size(), 5395u);
    EXPECT_EQ(bytes[0], 8) << "the TR-A1's model byte";

    CtlProcess report(Ctl({"report", file}));
    EXPECT_EQ(report.Finish(kQuickMs), 0) << report.Err();
    EXPECT_NE(report.Out().find("Model Name : TR-A1\n"), std::string::npos);
    EXPECT_NE(report.Out().find("    DSP Parameters\n"), std::string::npos);

    CtlProcess same(Ctl({"diff", file, file}));
    EXPECT_EQ(same.Finish(kQuickMs), 0) << same.Err();
    EXPECT_EQ(same.Out(), "");

    // Written back and read again: the receiver holds what the file says.
    CtlProcess restore(Ctl({"--port", sim.Device(), "restore", file, "--verify"}));
    EXPECT_EQ(restore.Finish(kTransferMs), 0) << restore.Out() << restore.Err();
    EXPECT_EQ(restore.Out(), "");
    EXPECT_EQ(restore.Err(), "");
}

TEST_F(CtlProgramTest, NoReceiverAnotherModelAndAPortThatIsNotThere) {
    {
        SimOnTerminal silent({"--silent"});
        CtlProcess status(Ctl({"--port", silent.Device(), "status"}));
        EXPECT_EQ(status.Finish(kQuickMs), 3);
        EXPECT_EQ(status.Err(), "tr-a1ctl: no answer from a receiver on " + silent.Device() +
                                    "; check the cable and that the receiver is plugged in\n");
        EXPECT_EQ(status.Out(), "");
    }
    {
        SimOnTerminal other({"--model", "7"});
        CtlProcess status(Ctl({"--port", other.Device(), "status"}));
        EXPECT_EQ(status.Finish(kQuickMs), 3);
        EXPECT_EQ(status.Err(), "tr-a1ctl: the receiver on " + other.Device() +
                                    " is a TR-B2, not a TR-A1; only the TR-A1 is supported\n");
    }
    CtlProcess missing(Ctl({"--port", Path("no-such-device"), "status"}));
    EXPECT_EQ(missing.Finish(kQuickMs), 3);
    EXPECT_EQ(missing.Err().rfind("tr-a1ctl: cannot open " + Path("no-such-device") + ": ", 0), 0u)
        << missing.Err();
}

TEST_F(CtlProgramTest, AFileThatCannotBeWrittenFailsBeforeTheReceiverIsAsked) {
    SimOnTerminal sim;
    fs::create_directory(Path("locked"));
    fs::permissions(Path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    const std::string target =
        ::geteuid() == 0 ? Path("no-such-folder/receiver.tcf") : Path("locked/receiver.tcf");
    CtlProcess backup(Ctl({"--port", sim.Device(), "backup", target}));
    EXPECT_EQ(backup.Finish(kQuickMs), 4);
    EXPECT_EQ(backup.Err().rfind("tr-a1ctl: cannot write " + target + ": ", 0), 0u) << backup.Err();
    EXPECT_FALSE(fs::exists(target));
    fs::permissions(Path("locked"), fs::perms::owner_all);

    CtlProcess restore(Ctl({"--port", sim.Device(), "restore", Path("missing.tcf")}));
    EXPECT_EQ(restore.Finish(kQuickMs), 4);
    EXPECT_EQ(restore.Err(), "tr-a1ctl: cannot read " + Path("missing.tcf") + ": no such file\n");
}

TEST_F(CtlProgramTest, AReceiverFallingSilentMidBackupLeavesNoFile) {
    SimOnTerminal sim({"--silent-after", "150"});
    const std::string file = Path("half.tcf");
    CtlProcess backup(Ctl({"--port", sim.Device(), "backup", file}));
    EXPECT_EQ(backup.Finish(kTransferMs), 3);
    EXPECT_EQ(backup.Err(),
              "tr-a1ctl: the receiver on " + sim.Device() +
                  " stopped answering; the Upload was stopped; no file was written\n");
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(fs::is_empty(scratch_)) << "no temporary file left behind";
}

TEST_F(CtlProgramTest, CtrlCDuringABackupOnATerminalCancelsItCleanly) {
    SimOnTerminal sim;
    const std::string file = Path("cancelled.tcf");
    CtlProcess backup(Ctl({"--port", sim.Device(), "backup", file}), true);
    // The progress bar shows on the terminal, then the user presses Ctrl-C.
    ASSERT_TRUE(backup.WaitForText("% ", true, kTransferMs)) << backup.Err();
    ASSERT_TRUE(backup.WaitForText("elapsed, about ", true, kTransferMs)) << backup.Err();
    EXPECT_NE(backup.Err().find("Upload    ["), std::string::npos) << backup.Err();
    backup.Signal(SIGINT);
    EXPECT_EQ(backup.Finish(kQuickMs), 130);
    EXPECT_NE(backup.Err().find("tr-a1ctl: interrupted: the Upload was cancelled; no file was "
                                "written"),
              std::string::npos)
        << backup.Err();
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(fs::is_empty(scratch_));
}

TEST_F(CtlProgramTest, MonitorShowsTheFramesUntilCtrlC) {
    SimOnTerminal sim;
    CtlProcess monitor(Ctl({"--port", sim.Device(), "monitor"}));
    ASSERT_TRUE(monitor.WaitForText("(TR-X)   R3109", false, kQuickMs)) << monitor.Out();
    monitor.Signal(SIGINT);
    EXPECT_EQ(monitor.Finish(kQuickMs), 0) << monitor.Err();
    EXPECT_NE(monitor.Out().find("  (PC)--> <DC1>000<ETX>\n"), std::string::npos) << monitor.Out();
    // Every line starts with the time of day: "14:03:27.512  ".
    const std::string& out = monitor.Out();
    for (std::size_t start = 0; start < out.size();) {
        const std::size_t end = out.find('\n', start);
        const std::string line = out.substr(start, end - start);
        EXPECT_EQ(line.size() > 14 ? line.substr(2, 1) + line.substr(5, 1) + line.substr(8, 1) +
                                         line.substr(12, 2)
                                   : line,
                  "::.  ")
            << line;
        start = end == std::string::npos ? out.size() : end + 1;
    }
}

}  // namespace
}  // namespace tra1::testing
