// tr-a1ctl's commands against the virtual receiver on the virtual clock: what each prints, what
// it leaves in the receiver and in the files, and how each failure ends (its one error line,
// its exit status, no partial file, the receiver not touched where the command never got to it).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/configuration_file.h"
#include "app/configuration_report.h"
#include "link/send_window.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/receiver_image.h"
#include "platform/serial/far_end.h"
#include "programs/ctl_command_line.h"
#include "sim/receiver_pacing.h"
#include "tests/ctl/ctl_fixture.h"

namespace tra1::testing {
namespace {

namespace mz = main_zone;
namespace ctl_exit = programs::ctl_exit;

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A configuration file of the TR-A1 with `change` made to its default image.
std::vector<std::uint8_t> ConfigurationBytes(const std::function<void(ReceiverImage&)>& change,
                                             int modelCode = ModelProfile::kTrA1) {
    ModelProfile profile;
    profile.SetModel(ModelProfile::kTrA1);
    ReceiverImage image;
    image.ResetToDefaults(profile);
    change(image);
    std::vector<std::uint8_t> bytes{ConfigurationFile::ModelByte(modelCode)};
    const auto blocks = image.ToBytes();
    bytes.insert(bytes.end(), blocks.begin(), blocks.end());
    return bytes;
}

long LineCount(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

ReceiverImage ImageOfFile(const std::string& path) {
    const auto bytes = FileBytes(path);
    ModelProfile profile;
    profile.SetModel(ModelProfile::kTrA1);
    ReceiverImage image;
    image.ResetToDefaults(profile);
    if (!bytes.empty()) {
        image.FromBytes(std::span(bytes).subspan(1));
    }
    return image;
}

using CtlStatusAndSetTest = CtlFixture;

TEST_F(CtlStatusAndSetTest, StatusPrintsTheReceiversStateAsLinesOrJson) {
    auto& zone = receiver_.Image().MainZoneState;
    zone.at(mz::kMainInput) = 1;    // CD
    zone.at(mz::kMainVolume) = 90;  // -35.5 dB
    zone.at(mz::kMainMute) = 1;
    zone.at(mz::kZone2Input) = 2;   // TUNER
    zone.at(mz::kZone2Volume) = 0;  // MUTE
    ASSERT_EQ(Run({"status"}), ctl_exit::kDone) << Err();
    const std::string text = Out();
    EXPECT_NE(text.find("Model:   TR-A1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Power:   on\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Input:   CD\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Volume:  -35.5 dB\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Mute:    on\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Zone 2:  TUNER, MUTE, mute off\n"), std::string::npos) << text;
    EXPECT_EQ(Err(), "");

    ASSERT_EQ(Run({"status", "--json"}), ctl_exit::kDone) << Err();
    EXPECT_NE(Out().find("\"input\": \"CD\", \"volume_db\": -35.5, \"mute\": true"),
              std::string::npos)
        << Out();
    EXPECT_NE(Out().find("\"zone2\": {\"input\": \"TUNER\", \"volume_db\": null, \"mute\": false}"),
              std::string::npos)
        << Out();

    receiver_.SetPower(false);
    ASSERT_EQ(Run({"--port", "COM2", "status"}), ctl_exit::kDone) << Err();
    EXPECT_EQ(Out(), "Model:   TR-A1\nPower:   off (standby)\n");
}

TEST_F(CtlStatusAndSetTest, SetChangesTheReceiverAndRefusesWhatItDoesNotHave) {
    ASSERT_EQ(Run({"set", "input", "dvd"}), ctl_exit::kDone) << Err();
    EXPECT_EQ(receiver_.Image().MainZoneState.at(mz::kMainInput), 5);
    ASSERT_EQ(Run({"set", "volume", "-35.5"}), ctl_exit::kDone) << Err();
    EXPECT_EQ(receiver_.Image().MainZoneState.at(mz::kMainVolume), 90);
    ASSERT_EQ(Run({"set", "mute", "on"}), ctl_exit::kDone) << Err();
    EXPECT_EQ(receiver_.Image().MainZoneState.at(mz::kMainMute), 1);
    ASSERT_EQ(Run({"set", "zone2", "input", "CD"}), ctl_exit::kDone) << Err();
    EXPECT_EQ(receiver_.Image().MainZoneState.at(mz::kZone2Input), 1);
    ASSERT_EQ(Run({"set", "zone2", "volume", "-20dB"}), ctl_exit::kDone) << Err();
    EXPECT_EQ(receiver_.Image().MainZoneState.at(mz::kZone2Volume), 121);
    ASSERT_EQ(Run({"set", "power", "off"}), ctl_exit::kDone) << Err();
    EXPECT_FALSE(receiver_.PoweredOn());

    const int heard = receiver_.FramesHeard();
    EXPECT_EQ(Run({"set", "input", "LASERDISC"}), ctl_exit::kUsage);
    EXPECT_NE(Err().find("'LASERDISC' is not a input; valid: PHONO, CD, TUNER"), std::string::npos)
        << Err();
    EXPECT_EQ(Run({"set", "volume", "-35.25"}), ctl_exit::kUsage);
    EXPECT_NE(Err().find("valid: MUTE or -80.0 .. 16.5 (dB) in steps of 0.5"), std::string::npos);
    EXPECT_EQ(Run({"set", "program", "Hall"}), ctl_exit::kUsage);
    EXPECT_NE(Err().find("Sci-Fi"), std::string::npos);
    EXPECT_EQ(Run({"set", "treble", "3"}), ctl_exit::kUsage);
    EXPECT_NE(Err().find("valid: power, input, volume, mute, program"), std::string::npos);
    EXPECT_EQ(Run({"set", "zone3", "mute", "on"}), ctl_exit::kUsage);
    EXPECT_EQ(receiver_.FramesHeard(), heard) << "nothing reached the receiver";
    EXPECT_EQ(LineCount(Err()), 1) << "one line";
}

using CtlConnectionTest = CtlFixture;

TEST_F(CtlConnectionTest, EachWayOfNotReachingATrA1IsOneLineAndExitStatus3) {
    receiver_.Faults().silent = true;
    EXPECT_EQ(Run({"status"}), ctl_exit::kReceiver);
    EXPECT_EQ(Err(),
              "tr-a1ctl: no answer from a receiver on COM1; check the cable and that the receiver "
              "is plugged in\n");
    EXPECT_EQ(Out(), "");

    receiver_.Faults().silent = false;
    receiver_.SetModel(7);
    EXPECT_EQ(Run({"status"}), ctl_exit::kReceiver);
    EXPECT_EQ(Err(),
              "tr-a1ctl: the receiver on COM1 is a TR-B2, not a TR-A1; only the TR-A1 is "
              "supported\n");

    receiver_.SetModel(ModelProfile::kTrA1);
    prepareLine_ = [](serial::InMemorySerialPort& line) {
        line.SetOpenOutcome(3, serial::OpenResult::kRefused);
    };
    EXPECT_EQ(Run({"--port", "com3", "status"}), ctl_exit::kReceiver);
    EXPECT_EQ(Err().rfind("tr-a1ctl: cannot open COM3: ", 0), 0u) << Err();
    EXPECT_EQ(LineCount(Err()), 1);

    // The search finds the receiver on the first port that opens.
    ASSERT_EQ(Run({"--port", "AUTO", "status"}), ctl_exit::kDone) << Err();
    EXPECT_NE(Out().find("Model:   TR-A1"), std::string::npos);
}

using CtlBackupTest = CtlFixture;

TEST_F(CtlBackupTest, BackupWritesWhatTheReceiverHoldsAndRestoreWritesItBack) {
    receiver_.Image().SpeakerLevels.at(0) = 52;
    receiver_.Image().EqSettings.at(3) = 20;
    receiver_.Image().SetInputName(2, "MY TUNER");
    const std::string file = Path("receiver.tcf");
    ASSERT_EQ(Run({"backup", file}), ctl_exit::kDone) << Err();
    EXPECT_EQ(Out(), "");
    EXPECT_EQ(Err(), "");
    const auto bytes = FileBytes(file);
    ASSERT_EQ(bytes.size(), ConfigurationFile::kFileSize);
    EXPECT_EQ(bytes[0], ModelProfile::kTrA1);
    const ReceiverImage saved = ImageOfFile(file);
    EXPECT_EQ(saved.SpeakerLevels.at(0), 52);
    EXPECT_EQ(saved.EqSettings.at(3), 20);
    EXPECT_EQ(saved.InputName(2).rfind("MY TUNER", 0), 0u);

    // Changed on the receiver, then restored from the file.
    receiver_.Image().SpeakerLevels.at(0) = 40;
    receiver_.Image().EqSettings.at(3) = 12;
    ASSERT_EQ(Run({"restore", file}), ctl_exit::kDone) << Err();
    EXPECT_EQ(receiver_.Image().SpeakerLevels.at(0), 52);
    EXPECT_EQ(receiver_.Image().EqSettings.at(3), 20);
    EXPECT_TRUE(receiver_.PoweredOn());
}

// On a line paced as the receiver takes it, --fast sends back to back: the same file and the
// same restored receiver as step by step, sooner, and never more than the receiver's buffer.
TEST_F(CtlBackupTest, FastBackupAndRestoreGiveWhatStepwiseOnesGiveSooner) {
    linePacing_ = sim::kReceiverPacing;
    serial::InMemorySerialPort* line = nullptr;
    std::size_t bytesLost = 0;
    prepareLine_ = [&line](serial::InMemorySerialPort& made) { line = &made; };
    interruptWhen_ = [&] {
        bytesLost = std::max(bytesLost, line != nullptr ? line->BytesLostByFarEnd() : 0);
        return false;
    };
    const auto timedRun = [&](std::vector<std::string> arguments) {
        const std::int64_t startMs = clock_.NowMs();
        EXPECT_EQ(Run(std::move(arguments)), ctl_exit::kDone) << Err();
        line = nullptr;
        return clock_.NowMs() - startMs;
    };
    receiver_.Image().SpeakerLevels.at(0) = 52;
    receiver_.Image().EqSettings.at(3) = 20;
    receiver_.Image().SetInputName(2, "MY TUNER");

    const std::int64_t stepwiseMs = timedRun({"backup", Path("stepwise.tcf")});
    const std::int64_t fastMs = timedRun({"backup", Path("fast.tcf"), "--fast"});
    const auto stepwise = FileBytes(Path("stepwise.tcf"));
    ASSERT_EQ(stepwise.size(), ConfigurationFile::kFileSize);
    EXPECT_EQ(FileBytes(Path("fast.tcf")), stepwise);
    EXPECT_EQ(ImageOfFile(Path("fast.tcf")).SpeakerLevels.at(0), 52);
    EXPECT_LT(fastMs, stepwiseMs);

    const ReceiverImage held = receiver_.Image();
    receiver_.Image().SpeakerLevels.at(0) = 40;
    receiver_.Image().EqSettings.at(3) = 12;
    const std::int64_t restoreStepwiseMs = timedRun({"restore", Path("stepwise.tcf")});
    const ReceiverImage restoredStepwise = receiver_.Image();
    receiver_.Image().SpeakerLevels.at(0) = 40;
    receiver_.Image().EqSettings.at(3) = 12;
    const std::int64_t restoreFastMs = timedRun({"restore", "--fast", Path("fast.tcf")});
    EXPECT_EQ(receiver_.Image().ToBytes(), restoredStepwise.ToBytes());
    EXPECT_EQ(receiver_.Image().SpeakerLevels.at(0), held.SpeakerLevels.at(0));
    EXPECT_EQ(receiver_.Image().EqSettings.at(3), 20);
    EXPECT_LT(restoreFastMs, restoreStepwiseMs);
    EXPECT_EQ(bytesLost, 0u) << "the receiver's input buffer was overrun";
}

TEST_F(CtlBackupTest, AFileThatCannotBeWrittenIsKnownBeforeTheReceiverIsAsked) {
    EXPECT_EQ(Run({"backup", Path("no-such-folder/receiver.tcf")}), ctl_exit::kFile);
    EXPECT_EQ(
        Err().rfind("tr-a1ctl: cannot write " + Path("no-such-folder/receiver.tcf") + ": ", 0), 0u)
        << Err();
    std::filesystem::create_directory(Path("folder.tcf"));
    EXPECT_EQ(Run({"backup", Path("folder.tcf")}), ctl_exit::kFile);
    EXPECT_EQ(receiver_.FramesHeard(), 0);
}

TEST_F(CtlBackupTest, AReceiverFallingSilentMidBackupLeavesTheOldFileAsItWas) {
    const std::string file = Path("old.tcf");
    const auto old =
        ConfigurationBytes([](ReceiverImage& image) { image.SpeakerLevels.at(1) = 33; });
    WriteBytes(file, old);
    receiver_.Faults().silentAfterFrames = 200;
    EXPECT_EQ(Run({"backup", file}), ctl_exit::kReceiver);
    EXPECT_EQ(Err(),
              "tr-a1ctl: the receiver on COM1 stopped answering; the Upload was stopped; no file "
              "was written\n");
    EXPECT_EQ(FileBytes(file), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("")),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file left";
}

// Passes the receiver's answers on and, while `spoil` is set, damages the checksum of every
// extended reply: the receiver answers each write, the line spoils each answer.
class ChecksumSpoilingLine final : public serial::FarEnd {
public:
    explicit ChecksumSpoilingLine(serial::FarEnd& receiver) : receiver_(receiver) {}
    std::vector<serial::LineSegment> Receive(std::string_view bytes) override {
        std::vector<serial::LineSegment> segments = receiver_.Receive(bytes);
        for (serial::LineSegment& segment : segments) {
            const auto etx = segment.bytes.rfind(control_byte::kEtx);
            if (spoil && segment.bytes.find(control_byte::kDc4) != std::string::npos &&
                etx != std::string::npos && etx > 0) {
                char& digit = segment.bytes[etx - 1];
                digit = digit == '0' ? '1' : '0';
            }
        }
        return segments;
    }

    bool spoil = false;

private:
    serial::FarEnd& receiver_;
};

TEST_F(CtlBackupTest, ALineTooNoisyToCarryASettingIsSaidSoNotTakenForSilence) {
    const std::string file = Path("changed.tcf");
    WriteBytes(file, ConfigurationBytes([](ReceiverImage& image) {
                   for (std::size_t i = 0; i < eq_layout::kGraphicEqEnd; ++i) {
                       image.EqSettings.at(i) = static_cast<std::uint8_t>(i % 25);
                   }
               }));
    ChecksumSpoilingLine line(receiver_);
    farEnd_ = &line;
    // Once the download has written for a while (and checksums have matched), every answer to a
    // write arrives damaged.
    interruptWhen_ = [&] {
        line.spoil = line.spoil || receiver_.FramesHeard() > 120;
        return false;
    };
    EXPECT_EQ(Run({"restore", file}), ctl_exit::kReceiver);
    EXPECT_EQ(Err(),
              "tr-a1ctl: COM1: The line to the receiver is too noisy: a setting went out " +
                  std::to_string(SendWindow::kMaxWriteSends) +
                  " times without a sound answer; the Download was stopped; the receiver may now "
                  "hold only part of the new settings\n");
}

TEST_F(CtlBackupTest, ABackupWhoseAnswersTheLineSpoilsForAWhileCarriesOn) {
    receiver_.Image().SpeakerLevels.at(0) = 52;
    ChecksumSpoilingLine line(receiver_);
    farEnd_ = &line;
    // Half way through, every extended answer arrives damaged for longer than five waits: the
    // receiver answers all the while, so the backup asks again instead of stopping.
    std::int64_t spoiledSinceMs = -1;
    interruptWhen_ = [&] {
        if (spoiledSinceMs < 0 && receiver_.FramesHeard() > 200) {
            spoiledSinceMs = clock_.NowMs();
        }
        line.spoil = spoiledSinceMs >= 0 && clock_.NowMs() < spoiledSinceMs + 20'000;
        return false;
    };
    const std::string file = Path("spoilt.tcf");
    ASSERT_EQ(Run({"backup", file}), ctl_exit::kDone) << Err();
    EXPECT_GE(spoiledSinceMs, 0);
    EXPECT_EQ(ImageOfFile(file).SpeakerLevels.at(0), 52);
}

TEST_F(CtlBackupTest, CtrlCCancelsABackupWritesNothingAndPutsTheReceiverBack) {
    receiver_.Image().MainZoneState.at(mz::kMainInput) = 1;  // CD
    interruptWhen_ = [this] { return receiver_.FramesHeard() > 60; };
    EXPECT_EQ(Run({"backup", Path("cancelled.tcf")}), ctl_exit::kInterrupted);
    EXPECT_EQ(Err(), "tr-a1ctl: interrupted: the Upload was cancelled; no file was written\n");
    EXPECT_FALSE(std::filesystem::exists(Path("cancelled.tcf")));
    EXPECT_EQ(receiver_.Image().MainZoneState.at(mz::kMainInput), 1) << "back on its own input";
}

TEST_F(CtlBackupTest, ALostLineStopsTheBackupWithItsMessage) {
    serial::InMemorySerialPort* line = nullptr;
    prepareLine_ = [&line](serial::InMemorySerialPort& made) { line = &made; };
    interruptWhen_ = [&] {
        if (line != nullptr && receiver_.FramesHeard() > 40) {
            line->HangUpFarEnd();
            line = nullptr;
        }
        return false;
    };
    EXPECT_EQ(Run({"backup", Path("lost.tcf")}), ctl_exit::kReceiver);
    EXPECT_EQ(Err(),
              "tr-a1ctl: connection to COM1 lost; the Upload was stopped; no file was written\n");
    EXPECT_FALSE(std::filesystem::exists(Path("lost.tcf")));
}

using CtlFileTest = CtlFixture;

TEST_F(CtlFileTest, RestoreTakesOnlyAWholeTrA1FileAndTouchesNothingOtherwise) {
    const std::string shortFile = Path("short.tcf");
    auto bytes = ConfigurationBytes([](ReceiverImage&) {});
    bytes.pop_back();
    WriteBytes(shortFile, bytes);
    EXPECT_EQ(Run({"restore", shortFile}), ctl_exit::kFile);
    EXPECT_EQ(Err(), "tr-a1ctl: " + shortFile +
                         " is not a configuration file: it is shorter than 5395 bytes\n");

    const std::string otherModel = Path("b2.tcf");
    WriteBytes(otherModel, ConfigurationBytes([](ReceiverImage&) {}, 7));
    EXPECT_EQ(Run({"restore", otherModel}), ctl_exit::kFile);
    EXPECT_EQ(Err(), "tr-a1ctl: " + otherModel +
                         " holds a configuration of the TR-B2; only TR-A1 configurations can be "
                         "restored\n");

    EXPECT_EQ(Run({"restore", Path("missing.tcf")}), ctl_exit::kFile);
    EXPECT_EQ(Err(), "tr-a1ctl: cannot read " + Path("missing.tcf") + ": no such file\n");
    EXPECT_EQ(receiver_.FramesHeard(), 0);
}

TEST_F(CtlFileTest, ReportPrintsTheFilesReportWithUnixLineEnds) {
    const std::string file = Path("memo.tcf");
    const auto change = [](ReceiverImage& image) {
        image.SpeakerLevels.at(0) = 39;
        image.UserMemo.at(0) = 'H';
        image.UserMemo.at(1) = 'i';
    };
    WriteBytes(file, ConfigurationBytes(change));
    ASSERT_EQ(Run({"report", file}), ctl_exit::kDone) << Err();
    ModelProfile profile;
    profile.SetModel(ModelProfile::kTrA1);
    ReceiverImage image;
    image.ResetToDefaults(profile);
    change(image);
    std::string expected = ConfigurationReport(image, profile).Text();
    for (auto at = expected.find("\r\n"); at != std::string::npos; at = expected.find("\r\n", at)) {
        expected.erase(at, 1);
    }
    EXPECT_EQ(Out(), expected);
    EXPECT_EQ(Out().find('\r'), std::string::npos);
    EXPECT_EQ(Run({"report", Path("none.tcf")}), ctl_exit::kFile);
}

TEST_F(CtlFileTest, ReportOfTheReceiverReadsItFirst) {
    receiver_.Image().SpeakerLevels.at(1) = 30;  // FRONT L -5.0 dB
    ASSERT_EQ(Run({"report", "--receiver"}), ctl_exit::kDone) << Err();
    EXPECT_NE(Out().find("FRONT L\t\t\t: -5.0 dB\n"), std::string::npos);
}

using CtlCompareTest = CtlFixture;

TEST_F(CtlCompareTest, DiffOfTwoFilesNamesEachSettingWithBothValues) {
    const std::string a = Path("a.tcf");
    const std::string b = Path("b.tcf");
    WriteBytes(a, ConfigurationBytes([](ReceiverImage&) {}));
    WriteBytes(b, ConfigurationBytes([](ReceiverImage& image) {
                   image.SpeakerLevels.at(1) = 35;  // FRONT L
               }));
    EXPECT_EQ(Run({"diff", a, b}), ctl_exit::kDifferences) << Err();
    EXPECT_EQ(Out(), "Speaker Level / FRONT L: 0.0 dB -> -2.5 dB\n");
    EXPECT_EQ(Err(), "");
    EXPECT_EQ(Run({"diff", b, a, "--json"}), ctl_exit::kDifferences);
    EXPECT_EQ(Out(),
              "[\n  {\"setting\": \"Speaker Level / FRONT L\", \"section\": \"Speaker Level\", "
              "\"label\": \"FRONT L\", \"this\": \"-2.5 dB\", \"other\": \"0.0 dB\"}\n]\n");
    EXPECT_EQ(Run({"diff", a, a}), ctl_exit::kDone);
    EXPECT_EQ(Out(), "");
    EXPECT_EQ(Run({"diff", a, a, "--json"}), ctl_exit::kDone);
    EXPECT_EQ(Out(), "[]\n");
    EXPECT_EQ(Run({"diff", a, Path("missing.tcf")}), ctl_exit::kFile);
    EXPECT_EQ(receiver_.FramesHeard(), 0) << "two files need no receiver";
}

TEST_F(CtlCompareTest, DiffWithTheReceiverReadsItAndComparesWhatTheLineCarries) {
    const std::string file = Path("saved.tcf");
    ASSERT_EQ(Run({"backup", file}), ctl_exit::kDone) << Err();
    EXPECT_EQ(Run({"diff", file, "--receiver"}), ctl_exit::kDone) << Out() << Err();
    EXPECT_EQ(Out(), "");
    receiver_.Image().SpeakerLevels.at(1) = 44;  // FRONT L +2.0 dB
    EXPECT_EQ(Run({"diff", file, "--receiver"}), ctl_exit::kDifferences) << Err();
    EXPECT_EQ(Out(), "Speaker Level / FRONT L: 0.0 dB -> 2.0 dB\n");
}

TEST_F(CtlCompareTest, RestoreVerifyReadsBackAndListsWhatTheReceiverDidNotKeep) {
    const std::string file = Path("wanted.tcf");
    WriteBytes(file, ConfigurationBytes([](ReceiverImage& image) {
                   image.SpeakerLevels.at(1) = 35;
                   image.EqSettings.at(3) = 20;
               }));
    ASSERT_EQ(Run({"restore", file, "--verify"}), ctl_exit::kDone) << Out() << Err();
    EXPECT_EQ(Out(), "");
    EXPECT_EQ(receiver_.Image().SpeakerLevels.at(1), 35);

    // Between the Download's restart of the receiver and the read-back, someone turns FRONT L
    // up on the receiver itself.
    bool changed = false;
    interruptWhen_ = [&] {
        if (!changed && receiver_.LastCommandNumber() == command::kPower) {
            receiver_.Image().SpeakerLevels.at(1) = 44;
            changed = true;
        }
        return false;
    };
    EXPECT_EQ(Run({"restore", file, "--verify"}), ctl_exit::kDifferences);
    EXPECT_TRUE(changed);
    EXPECT_EQ(Out(), "Speaker Level / FRONT L: -2.5 dB -> 2.0 dB\n");
    EXPECT_EQ(Err(), "tr-a1ctl: verify: the receiver differs from the file in 1 setting\n");
}

// With the presets, a restore makes preset A the current settings and leaves the receiver on
// it: the file's own current settings (here CD's program and the volume, unlike preset A's) never
// go out, and the read-back must not list them as differences. A receiver that really differs
// afterwards is still found.
TEST_F(CtlCompareTest, RestoreWithThePresetsVerifiesWhatWasSent) {
    const std::string file = Path("presets.tcf");
    WriteBytes(file, ConfigurationBytes([](ReceiverImage& image) {
                   for (int entry = 0; entry < 6; ++entry) {
                       image.StoreHomePreset(entry);
                       image.MainVolumeMemories.at(static_cast<std::size_t>(entry)) =
                           static_cast<std::uint8_t>(70 + 5 * entry);
                   }
                   image.MainZoneState.at(mz::kMainInput) = input_index::kCd;
                   image.SetInputProgramByte(input_index::kCd, 7);
                   image.MainZoneState.at(mz::kCurrentProgram) = 7;
                   image.MainZoneState.at(mz::kMainVolume) = 120;
               }));
    ASSERT_EQ(Run({"restore", file, "--presets", "--verify"}), ctl_exit::kDone) << Out() << Err();
    EXPECT_EQ(Out(), "");
    EXPECT_EQ(receiver_.Image().MainZoneState.at(mz::kMainVolume), 70);

    bool changed = false;
    interruptWhen_ = [&] {
        if (!changed && receiver_.LastCommandNumber() == command::kPower) {
            receiver_.Image().InputTrims.at(input_index::kCd) = 20;  // kept in no preset
            changed = true;
        }
        return false;
    };
    EXPECT_EQ(Run({"restore", file, "--presets", "--verify"}), ctl_exit::kDifferences);
    EXPECT_TRUE(changed);
    EXPECT_EQ(Out(), "Input Trim / CD: 0.0 -> 8.0\n");
}

using CtlMonitorTest = CtlFixture;

TEST_F(CtlMonitorTest, MonitorShowsTheFramesBothWaysUntilInterrupted) {
    interruptWhen_ = [this] { return receiver_.FramesHeard() >= 5; };
    EXPECT_EQ(Run({"monitor"}), ctl_exit::kDone) << Err();
    const std::string text = Out();
    EXPECT_NE(text.find("  (PC) Command  <STX>00000<ETX>\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  (PC)--> <DC1>000<ETX>\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  (TR-X)   R3109"), std::string::npos) << text;
    EXPECT_EQ(text.rfind("t+", 0), 0u) << "every line starts with its time stamp";
}

}  // namespace
}  // namespace tra1::testing
