// The pieces of tr-a1ctl that need no receiver: its command line, the controls by name, where
// --port leads, the editor's port settings read without Qt, the progress bar's line and the
// monitor's and JSON's texts.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/named_controls.h"
#include "model/protocol.h"
#include "platform/serial/ini_port_settings_store.h"
#include "programs/ctl/json_text.h"
#include "programs/ctl/monitor_log.h"
#include "programs/ctl/port_choice.h"
#include "programs/ctl/progress_bar.h"
#include "programs/ctl_command_line.h"

namespace tra1::testing {
namespace {

using programs::CtlAction;
using programs::CtlCommand;

programs::CtlCommandLine Parse(std::vector<std::string_view> arguments) {
    return programs::ParseCtlCommandLine(arguments);
}

TEST(CtlCommandLineTest, OptionsGoAnywhereAndNegativeNumbersAreArguments) {
    auto line = Parse({"--port", "/dev/ttyUSB0", "set", "volume", "-35.5"});
    ASSERT_EQ(line.action, CtlAction::kRun) << line.error;
    EXPECT_EQ(line.request.command, CtlCommand::kSet);
    EXPECT_EQ(line.request.port, "/dev/ttyUSB0");
    EXPECT_EQ(line.request.arguments, (std::vector<std::string>{"volume", "-35.5"}));

    line = Parse({"restore", "a.tcf", "--verify", "--port=COM3", "--presets"});
    ASSERT_EQ(line.action, CtlAction::kRun) << line.error;
    EXPECT_TRUE(line.request.verify);
    EXPECT_TRUE(line.request.presets);
    EXPECT_EQ(line.request.port, "COM3");
    EXPECT_FALSE(line.request.fast);
    line = Parse({"--fast", "backup", "a.tcf"});
    ASSERT_EQ(line.action, CtlAction::kRun) << line.error;
    EXPECT_TRUE(line.request.fast);
    EXPECT_TRUE(Parse({"restore", "a.tcf", "--fast", "--verify"}).request.fast);

    line = Parse({"diff", "--receiver", "--", "-odd.tcf"});
    ASSERT_EQ(line.action, CtlAction::kRun) << line.error;
    EXPECT_EQ(line.request.arguments, (std::vector<std::string>{"-odd.tcf"}));

    EXPECT_EQ(Parse({"set", "zone2", "mute", "on"}).action, CtlAction::kRun);
    EXPECT_EQ(Parse({"report", "--receiver", "--presets"}).action, CtlAction::kRun);
}

TEST(CtlCommandLineTest, EveryMistakeIsAUsageErrorWithItsReason) {
    const auto error = [](std::vector<std::string_view> arguments) {
        const auto line = Parse(std::move(arguments));
        EXPECT_EQ(line.action, CtlAction::kUsageError);
        return line.error;
    };
    EXPECT_EQ(error({}), "no command given");
    EXPECT_EQ(error({"stat"}), "unknown command 'stat'");
    EXPECT_EQ(error({"status", "--fast"}), "status does not take '--fast'");
    EXPECT_EQ(error({"status", "--quick"}), "unknown option '--quick'");
    EXPECT_EQ(error({"diff", "--receiver", "a.tcf", "--fast"}), "diff does not take '--fast'");
    EXPECT_EQ(error({"status", "--presets"}), "status does not take '--presets'");
    EXPECT_EQ(error({"status", "--json=yes"}), "option '--json' takes no value");
    EXPECT_EQ(error({"status", "--port"}),
              "option '--port' needs a value: COMn, a device path or a URL");
    EXPECT_EQ(error({"set", "volume"}),
              "set: wrong number of arguments; usage: tr-a1ctl set KEY VALUE | set zone2 KEY "
              "VALUE");
    EXPECT_NE(error({"diff", "a.tcf"}).find("wrong number of arguments"), std::string::npos);
    EXPECT_NE(error({"diff", "a.tcf", "b.tcf", "--receiver"}).find("wrong number"),
              std::string::npos);
    EXPECT_NE(error({"report", "a.tcf", "--presets"}).find("--presets goes with --receiver"),
              std::string::npos);
    EXPECT_NE(error({"diff", "a.tcf", "b.tcf", "--presets"}).find("--presets goes with"),
              std::string::npos);
    EXPECT_EQ(error({"restore", "a.tcf", "--json"}), "restore: --json goes with --verify");
}

TEST(CtlCommandLineTest, HelpOfTheProgramAndOfEachCommand) {
    auto line = Parse({"--help"});
    EXPECT_EQ(line.action, CtlAction::kShowHelp);
    EXPECT_EQ(line.helpText, programs::CtlUsage());
    line = Parse({"backup", "--help"});
    EXPECT_EQ(line.action, CtlAction::kShowHelp);
    EXPECT_EQ(line.helpText.rfind(
                  "Usage: tr-a1ctl [--port PORT] backup FILE.tcf [--presets] [--fast]\n", 0),
              0u);
    EXPECT_NE(programs::CtlUsage().find("--fast"), std::string::npos) << "the manual page says it";
    // --help wins over a command line that is otherwise wrong.
    EXPECT_EQ(Parse({"set", "--help"}).action, CtlAction::kShowHelp);
    EXPECT_EQ(Parse({"--version", "status"}).action, CtlAction::kShowVersion);
}

TEST(NamedControlsTest, NamesAndValuesAsTheEditorShowsThem) {
    auto choice = ChooseControl(false, "Input", "dvd");
    ASSERT_TRUE(choice.setting);
    EXPECT_EQ(choice.setting->commandNumber, command::kMainInput);
    EXPECT_EQ(choice.setting->value, 5);

    const auto step = [](std::string_view value) {
        const auto c = ChooseControl(false, "volume", value);
        return c.setting ? c.setting->value : -1;
    };
    EXPECT_EQ(step("-35.5"), 90);
    EXPECT_EQ(step("-35.5 dB"), 90);
    EXPECT_EQ(step("16.5dB"), 194);
    EXPECT_EQ(step("+0.0"), 161);
    EXPECT_EQ(step("-80"), 1);
    EXPECT_EQ(step("mute"), 0);
    EXPECT_EQ(step("-80.5"), -1);
    EXPECT_EQ(step("17"), -1);
    EXPECT_EQ(step("-35.25"), -1);
    EXPECT_EQ(step("loud"), -1);
    EXPECT_EQ(step("nan"), -1);

    choice = ChooseControl(false, "program", "SCI-FI");
    ASSERT_TRUE(choice.setting);
    EXPECT_EQ(choice.setting->commandNumber, command::kProgram);
    choice = ChooseControl(true, "power", "on");
    ASSERT_TRUE(choice.setting);
    EXPECT_EQ(choice.setting->commandNumber, command::kZone2Power);
    EXPECT_FALSE(choice.setting->reportedByte) << "the receiver does not report zone 2 power";

    EXPECT_EQ(ChooseControl(true, "program", "Arena").error,
              "'program' is not a zone 2 control; valid: power, input, volume, mute");
    EXPECT_EQ(ChooseControl(false, "mute", "yes").error, "'yes' is not a mute; valid: on, off");
}

TEST(PortChoiceTest, ComNumbersPathsUrlsAndTheSearch) {
    auto choice = programs::ChoosePort("", nullptr, false);
    EXPECT_EQ(choice.number, 1);
    EXPECT_EQ(choice.name, "COM1");
    choice = programs::ChoosePort("com4", nullptr, false);
    EXPECT_EQ(choice.number, 4);
    EXPECT_EQ(choice.name, "COM4");
    choice = programs::ChoosePort("socket://10.0.0.2:4001", nullptr, false);
    EXPECT_EQ(choice.number, 1);
    EXPECT_EQ(choice.map.Target(1), "socket://10.0.0.2:4001");
    EXPECT_FALSE(choice.map.IsMapped(2)) << "nothing else is tried";
    choice = programs::ChoosePort("Auto", nullptr, false);
    EXPECT_EQ(choice.number, 0);
    EXPECT_EQ(choice.name, "COM1..COM8");
    // COM9 is no COM number of the editor: it is taken as a device name.
    EXPECT_EQ(programs::ChoosePort("COM9", nullptr, false).map.Target(1), "COM9");
}

TEST(IniPortSettingsStoreTest, ReadsThePortsSectionTheEditorWrites) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("tra1-ini-" + std::to_string(::getpid()) + ".conf");
    {
        std::ofstream out(path);
        out << "[General]\nCOM1=/dev/wrong\n\n[ports]\nCOM1=/dev/ttyUSB0\r\n"
               "COM2=\"socket://host:4001\"\nCOM3=\n COM4 = rfc2217://h:1 \n"
               "[other]\nCOM5=/dev/elsewhere\n";
    }
    serial::IniPortSettingsStore store(path.string());
    EXPECT_EQ(store.Load(1), "/dev/ttyUSB0");
    EXPECT_EQ(store.Load(2), "socket://host:4001");
    EXPECT_EQ(store.Load(3), "");
    EXPECT_EQ(store.Load(4), "rfc2217://h:1");
    EXPECT_EQ(store.Load(5), std::nullopt);
    EXPECT_EQ(store.Load(9), std::nullopt);
    EXPECT_FALSE(store.Save(serial::ComPortMap()));
    EXPECT_EQ(serial::IniPortSettingsStore::ValueOf(R"("a \"b\" \\c")"), R"(a "b" \c)");
    std::filesystem::remove(path);
    EXPECT_EQ(serial::IniPortSettingsStore(path.string()).Load(1), std::nullopt);

    // The editor's settings lead COMn for tr-a1ctl too.
    {
        std::ofstream out(path);
        out << "[ports]\nCOM2=/dev/ttyACM0\n";
    }
    const auto choice = programs::ChoosePort("COM2", &store, false);
    EXPECT_EQ(choice.map.Target(2), "/dev/ttyACM0");
    std::filesystem::remove(path);
}

TEST(CtlTextsTest, ProgressBarMonitorLinesAndJson) {
    using programs::ProgressBar;
    EXPECT_EQ(ProgressBar::Duration(0), "0:00");
    EXPECT_EQ(ProgressBar::Duration(61'999), "1:01");
    EXPECT_EQ(ProgressBar::Duration(3'723'000), "1:02:03");
    EXPECT_EQ(ProgressBar::Line("Upload", 0.0, 500),
              "Upload  [------------------------------]   0%  0:00 elapsed");
    EXPECT_EQ(ProgressBar::Line("Upload", 0.5, 30'000),
              "Upload  [###############---------------]  50%  0:30 elapsed, about 0:30 left");
    EXPECT_EQ(ProgressBar::Line("Upload", 1.5, 60'000),
              "Upload  [##############################] 100%  1:00 elapsed");

    std::ostringstream drawn;
    ProgressBar bar(drawn);
    bar.Begin("Download", 0);
    bar.Show(0.1, 50);  // within a tenth of a second: not drawn again
    bar.Show(0.1, 150);
    bar.End();
    const std::string text = drawn.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 4) << "two draws and the clearing";
    EXPECT_EQ(text.back(), '\r');

    EXPECT_EQ(programs::MonitorLog::Visible("\x02"
                                            "00000\x03\x11\x7f"),
              "<STX>00000<ETX><DC1><7F>");
    std::ostringstream out;
    programs::MonitorLog log(out, [] { return std::string("12:00:00.000"); });
    log.Append("Com 1 --> Open\r\n(PC) Command  ");
    log.Append(
        "\x02"
        "00000\x03");
    log.Append("\r\n");
    EXPECT_EQ(out.str(),
              "12:00:00.000  Com 1 --> Open\n12:00:00.000  (PC) Command  <STX>00000<ETX>\n");

    EXPECT_EQ(programs::JsonString("a\"b\\c\n\x01\xE9"), "\"a\\\"b\\\\c\\n\\u0001\\u00e9\"");
}

}  // namespace
}  // namespace tra1::testing
