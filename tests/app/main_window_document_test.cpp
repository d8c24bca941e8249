// The main window as a desktop user expects it: the title names the file and marks unsaved
// changes, quitting asks before such changes or a running transfer are lost, the status line
// says in words where the link stands and what the last action did, and the labels beside the
// small panel buttons open their panels.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/configuration_file.h"
#include "app/creport_dlg.h"
#include "app/panel_table.h"
#include "app/status_line.h"
#include "app/wait_message_dlg.h"
#include "model/receiver_image.h"
#include "platform/win/menu.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

constexpr std::string_view kProgram = " \u2013 Tolvek Receiver Editor for TR-A1";
constexpr std::string_view kDot = " \u00B7 ";
constexpr std::int64_t kTransferLimitMs = 15 * 60 * 1000;

std::string Title(std::string_view document) {
    return std::string(document) + std::string(kProgram);
}

class MainWindowDocumentTest : public EditorFixture {
protected:
    MainWindowDocumentTest() { portSwitch_.Wire(1, receiver_); }
    ~MainWindowDocumentTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    std::string Status() { return Main().GetDlgItemText(id::kStatusLine); }
    // Quitting as the close box does; true when the window went (a modeless main window hides).
    bool Quit() {
        win::user::CloseBox(Main());
        loop_.DrainPosted();
        return !Main().IsWindowVisible();
    }

    sim::VirtualReceiver receiver_;

private:
    std::filesystem::path folder_ = [] {
        // One folder per process: the test shards and other checkouts' runs use the same
        // temporary folder at once.
        auto path = std::filesystem::temp_directory_path() /
                    ("tra1-document-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
};

TEST_F(MainWindowDocumentTest, TitleNamesTheFileAndMarksUnsavedChanges) {
    Start();
    EXPECT_EQ(Main().GetWindowText(), Title("Untitled"));

    // A change in the main window's own controls.
    ASSERT_TRUE(win::user::Click(Main(), id::kNightModeCheck));
    EXPECT_EQ(Main().GetWindowText(), Title("Untitled*"));
    // Taken back, nothing is unsaved any more.
    ASSERT_TRUE(win::user::Click(Main(), id::kNightModeCheck));
    EXPECT_EQ(Main().GetWindowText(), Title("Untitled"));

    // The user memo, then saved: the file's name, no mark, the result in the status line.
    ASSERT_TRUE(win::user::TypeText(Main(), id::kUserMemoEdit, "rack 2"));
    EXPECT_EQ(Main().GetWindowText(), Title("Untitled*"));
    prompter_.QueueFile(PathOf("living-room"));
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuSave));
    EXPECT_EQ(Main().GetWindowText(), Title("living-room.tcf"));
    EXPECT_EQ(Status(), "Not connected" + std::string(kDot) + "Asynchronous mode" +
                            std::string(kDot) + "Saved living-room.tcf");

    // A panel's change message marks it too.
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), 32778));  // Show DELAY
    EditorImage().AudioDelay.at(0) = 40;
    Main().PostMessage(0xA007, 0, 0);
    loop_.DrainPosted();
    EXPECT_EQ(Main().GetWindowText(), Title("living-room.tcf*"));

    // Opening the saved file asks first (there are changes), then names the file, unmarked.
    prompter_.QueueFile(PathOf("living-room.tcf"));
    prompter_.QueueAnswer(win::Answer::kNo);
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuOpen));
    loop_.DrainPosted();
    EXPECT_EQ(prompter_.BoxTexts(),
              (std::vector<std::string>{"Do you want to save the current configuration?"}));
    EXPECT_EQ(Main().GetWindowText(), Title("living-room.tcf"));
    EXPECT_TRUE(Status().ends_with("Opened living-room.tcf"));
    EXPECT_EQ(EditorImage().UserMemoText(), "rack 2");

    // Without changes, Open asks nothing.
    prompter_.QueueFile(PathOf("living-room.tcf"));
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuOpen));
    EXPECT_EQ(prompter_.Boxes().size(), 1u);
}

TEST_F(MainWindowDocumentTest, QuittingAsksBeforeUnsavedChangesAreLost) {
    Start();
    ASSERT_TRUE(win::user::Click(Main(), id::kSpeakerBCheck));

    prompter_.QueueAnswer(win::Answer::kCancel);
    EXPECT_FALSE(Quit());
    EXPECT_EQ(prompter_.BoxTexts(),
              (std::vector<std::string>{"Do you want to save the current configuration?"}));
    EXPECT_EQ(prompter_.Boxes()[0].buttons, win::Buttons::kYesNoCancel);

    // Yes, but the save dialog cancelled: the program stays.
    prompter_.QueueAnswer(win::Answer::kYes);
    prompter_.QueueFile(std::nullopt);
    EXPECT_FALSE(Quit());

    // Yes and saved: it goes, and the file holds the change.
    prompter_.QueueAnswer(win::Answer::kYes);
    prompter_.QueueFile(PathOf("before-quitting.tcf"));
    EXPECT_TRUE(Quit());
    EXPECT_TRUE(std::filesystem::exists(PathOf("before-quitting.tcf")));
}

TEST_F(MainWindowDocumentTest, QuittingWithoutChangesAsksNothingAndNoDiscardsThem) {
    Start();
    EXPECT_TRUE(Quit());
    EXPECT_TRUE(prompter_.Boxes().empty());

    RestartEditor();
    ASSERT_TRUE(win::user::Click(Main(), id::kSpeakerBCheck));
    prompter_.QueueAnswer(win::Answer::kNo);
    EXPECT_TRUE(Quit());
    EXPECT_EQ(prompter_.Boxes().size(), 1u);
}

TEST_F(MainWindowDocumentTest, StatusLineFollowsTheLinkAndQuitAsksBeforeStoppingATransfer) {
    Start();
    ConnectTo(1);
    const std::string identified =
        "COM1" + std::string(kDot) + "TR-A1" + std::string(kDot) + "Asynchronous mode";
    EXPECT_EQ(Status(), identified);
    // The next status report tells the receiver's power.
    loop_.AdvanceBy(1500);
    const std::string connected = identified + std::string(kDot) + "Receiver on";
    EXPECT_EQ(Status(), connected);

    // A whole download: the frames sent and the time taken on the line.
    ASSERT_TRUE(win::user::Click(Main(), id::kDownloadButton));
    ASSERT_TRUE(
        loop_.AdvanceUntil([this] { return State().downloadInProgress == 0; }, kTransferLimitMs));
    loop_.DrainPosted();
    const std::string finished = Status();
    EXPECT_TRUE(finished.starts_with(connected + std::string(kDot) + "Download finished: "))
        << finished;
    EXPECT_TRUE(finished.ends_with(" s")) << finished;
    EXPECT_NE(finished.find(" frames in "), std::string::npos) << finished;
    // A download changes nothing the user would have to save.
    EXPECT_EQ(Main().GetWindowText(), Title("Untitled"));

    // Quitting during a transfer asks first; No keeps it running.
    ASSERT_TRUE(win::user::Click(Main(), id::kUploadButton));
    loop_.AdvanceBy(500);
    ASSERT_TRUE(Main().Transfer().Running());
    // The stop puts the image from before the transfer back: a file opened meanwhile would be
    // lost, so File > Open is greyed and refused.
    EXPECT_FALSE(Main().GetMenu()->IsEnabled(id::kMenuOpen));
    ASSERT_FALSE(win::user::ChooseMenuItem(Main(), id::kMenuOpen));
    Main().SendMessage(win::WM_COMMAND, win::MakeWParam(id::kMenuOpen, 0), 0);  // a shortcut
    EXPECT_TRUE(prompter_.OpenDialogs().empty());
    prompter_.QueueAnswer(win::Answer::kNo);
    EXPECT_FALSE(Quit());
    EXPECT_EQ(prompter_.BoxTexts().back(), "An upload is running.\r\nStop it and quit?");
    EXPECT_TRUE(Main().Transfer().Running());
    // Yes stops it. The stop put back the image the upload started from, which had nothing
    // unsaved: no save question follows.
    prompter_.QueueAnswer(win::Answer::kYes);
    EXPECT_TRUE(Quit());
    EXPECT_EQ(prompter_.BoxTexts().back(), "An upload is running.\r\nStop it and quit?");
    EXPECT_EQ(prompter_.PendingAnswers(), 0u);
    EXPECT_FALSE(Main().Transfer().Running());
    EXPECT_FALSE(Main().WaitMessageOpen());
    EXPECT_TRUE(Main().GetMenu()->IsEnabled(id::kMenuOpen));
    const std::string stopped = Status();
    EXPECT_NE(stopped.find(std::string(kDot) + "Upload stopped after "), std::string::npos)
        << stopped;
    EXPECT_TRUE(stopped.ends_with(" frames")) << stopped;
}

TEST_F(MainWindowDocumentTest, NoSaveWritesAnImageHalfReadFromTheReceiver) {
    // The receiver holds settings the editor does not: a whole upload brings them.
    receiver_.Image().InputTrims.at(4) = 0x13;
    receiver_.Image().SetInputName(3, "MY CDR");
    Start();
    ConnectTo(1);
    loop_.AdvanceBy(1500);
    ASSERT_TRUE(win::user::Click(Main(), id::kNightModeCheck));  // a change of the user's own
    const win::Menu* menu = Main().GetMenu();
    ASSERT_NE(menu, nullptr);
    const auto fileHolds = [this](const std::string& name) {
        std::ifstream in(PathOf(name), std::ios::binary);
        std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        return bytes.size() == ConfigurationFile::kFileSize
                   ? std::vector<std::uint8_t>(bytes.begin() + 1, bytes.end())
                   : std::vector<std::uint8_t>{};
    };
    // Runs an upload until the input names have come (the input trims come last): the image
    // then holds part of the receiver's settings and part of what it held before.
    const auto uploadHalfway = [&](std::string_view name, std::uint8_t trimBefore) {
        ASSERT_TRUE(win::user::Click(Main(), id::kUploadButton));
        ASSERT_TRUE(loop_.AdvanceUntil([&] { return EditorImage().InputName(3).starts_with(name); },
                                       kTransferLimitMs));
        ASSERT_TRUE(Main().Transfer().Running());
        ASSERT_EQ(EditorImage().InputTrims.at(4), trimBefore);
    };

    const std::vector<std::uint8_t> edited = EditorImage().ToBytes();
    const std::uint8_t trim = EditorImage().InputTrims.at(4);
    ASSERT_NE(trim, 0x13);
    uploadHalfway("MY CDR", trim);
    EXPECT_FALSE(menu->IsEnabled(id::kMenuSave));
    EXPECT_FALSE(win::user::ChooseMenuItem(Main(), id::kMenuSave));
    // Sent anyway (a shortcut): the upload's own message, no file asked for, none written.
    prompter_.Clear();
    Main().SendMessage(win::WM_COMMAND, win::MakeWParam(id::kMenuSave, 0), 0);
    loop_.DrainPosted();
    EXPECT_EQ(prompter_.BoxTexts(), std::vector<std::string>{"Uploading Configuration."});
    EXPECT_TRUE(prompter_.SaveDialogs().empty());
    EXPECT_TRUE(Main().Transfer().Running());
    // Compare with File would list differences from the half-read image: greyed, and refused
    // the same way when sent anyway, before any file is asked for.
    EXPECT_FALSE(menu->IsEnabled(id::kMenuCompareWithFile));
    EXPECT_FALSE(win::user::ChooseMenuItem(Main(), id::kMenuCompareWithFile));
    prompter_.Clear();
    Main().SendMessage(win::WM_COMMAND, win::MakeWParam(id::kMenuCompareWithFile, 0), 0);
    loop_.DrainPosted();
    EXPECT_EQ(prompter_.BoxTexts(), std::vector<std::string>{"Uploading Configuration."});
    EXPECT_TRUE(prompter_.OpenDialogs().empty());
    EXPECT_EQ(Main().Compares().Window(), nullptr);
    EXPECT_TRUE(Main().Transfer().Running());
    // The report, written once from the image as its window opens, waits for the end too.
    const std::size_t report = PanelTable::IndexForRefresh(CREPORTDlg::kRefreshMessage);
    const int reportButton = CREPORTDlg::kDescriptor.buttonId;
    EXPECT_FALSE(Main().GetDlgItem(reportButton)->IsEnabled());
    EXPECT_FALSE(Main().GetDlgItem(id::LabelOf(reportButton))->IsEnabled());
    EXPECT_FALSE(win::user::Click(Main(), reportButton));
    Main().SendMessage(win::WM_COMMAND, win::MakeWParam(reportButton, win::BN_CLICKED), 0);
    loop_.DrainPosted();
    EXPECT_FALSE(Main().Panels().IsOpen(report));
    EXPECT_EQ(prompter_.BoxTexts().size(), 2u);
    EXPECT_EQ(prompter_.BoxTexts().back(), "Uploading Configuration.");
    // Cancelled, the image is the user's again, and that is what Save writes.
    Main().PostMessage(CWaitMessageDlg::kCancelMessage);
    loop_.DrainPosted();
    EXPECT_TRUE(menu->IsEnabled(id::kMenuSave));
    EXPECT_TRUE(menu->IsEnabled(id::kMenuCompareWithFile));
    EXPECT_TRUE(Main().GetDlgItem(reportButton)->IsEnabled());
    prompter_.QueueFile(PathOf("cancelled.tcf"));
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuSave));
    EXPECT_EQ(fileHolds("cancelled.tcf"), edited);

    // A whole upload gives Save back, and the file holds everything read.
    ASSERT_TRUE(win::user::Click(Main(), id::kUploadButton));
    loop_.AdvanceBy(1'000);
    EXPECT_FALSE(menu->IsEnabled(id::kMenuSave));
    ASSERT_TRUE(
        loop_.AdvanceUntil([this] { return !Main().Transfer().Running(); }, kTransferLimitMs));
    loop_.DrainPosted();
    EXPECT_TRUE(menu->IsEnabled(id::kMenuSave));
    prompter_.QueueFile(PathOf("uploaded.tcf"));
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuSave));
    const std::vector<std::uint8_t> uploaded = fileHolds("uploaded.tcf");
    EXPECT_EQ(uploaded, EditorImage().ToBytes());
    ReceiverImage read;
    read.FromBytes(uploaded);
    EXPECT_EQ(read.InputTrims.at(4), 0x13);
    EXPECT_EQ(read.InputName(3).find("MY CDR"), 0u);
    ASSERT_TRUE(win::user::Click(Main(), reportButton));
    EXPECT_TRUE(Main().Panels().IsOpen(report));

    // A download leaves the image alone: Save stays and writes it.
    ASSERT_TRUE(win::user::Click(Main(), id::kNightModeCheck));
    ASSERT_TRUE(win::user::Click(Main(), id::kDownloadButton));
    loop_.AdvanceBy(1'000);
    ASSERT_TRUE(Main().Transfer().Running());
    EXPECT_TRUE(menu->IsEnabled(id::kMenuSave));
    prompter_.QueueFile(PathOf("downloading.tcf"));
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuSave));
    EXPECT_EQ(fileHolds("downloading.tcf"), EditorImage().ToBytes());
    // So does Compare with File, against the image the Download sends.
    EXPECT_TRUE(menu->IsEnabled(id::kMenuCompareWithFile));
    prompter_.QueueFile(PathOf("uploaded.tcf"));
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuCompareWithFile));
    ASSERT_NE(Main().Compares().Window(), nullptr);
    EXPECT_EQ(Main().Compares().Window()->Result().differences.size(), 1u);  // the night mode
    EXPECT_TRUE(Main().Transfer().Running());
    Main().PostMessage(CWaitMessageDlg::kCancelMessage);
    loop_.DrainPosted();

    // Quitting halfway through an upload: stopped, the save question is about the image from
    // before it, and Yes writes that one.
    ASSERT_TRUE(win::user::Click(Main(), id::kNightModeCheck));
    const std::vector<std::uint8_t> beforeQuit = EditorImage().ToBytes();
    receiver_.Image().SetInputName(3, "OTHER");
    receiver_.Image().InputTrims.at(4) = 0x14;
    uploadHalfway("OTHER", 0x13);
    prompter_.Clear();
    prompter_.QueueAnswer(win::Answer::kYes);
    prompter_.QueueAnswer(win::Answer::kYes);
    prompter_.QueueFile(PathOf("quitting.tcf"));
    EXPECT_TRUE(Quit());
    EXPECT_EQ(prompter_.BoxTexts(),
              (std::vector<std::string>{"An upload is running.\r\nStop it and quit?",
                                        "Do you want to save the current configuration?"}));
    EXPECT_FALSE(Main().Transfer().Running());
    EXPECT_EQ(fileHolds("quitting.tcf"), beforeQuit);
}

TEST_F(MainWindowDocumentTest, TheLabelBesideAPanelButtonOpensThePanel) {
    Start();
    const std::size_t delay = PanelTable::IndexForCommand(1075);  // "Audio Delay"
    ASSERT_LT(delay, kPanelCount);
    ASSERT_TRUE(win::user::ClickLabel(Main(), id::LabelOf(1075)));
    EXPECT_TRUE(Main().Panels().IsOpen(delay));

    // A greyed button's label is greyed too and opens nothing.
    ASSERT_TRUE(win::user::Click(Main(), id::kMultiChannelCheck));
    const std::size_t parameter = PanelTable::IndexForCommand(id::kParameterButton);
    EXPECT_FALSE(Main().GetDlgItem(id::LabelOf(id::kParameterButton))->IsEnabled());
    EXPECT_FALSE(win::user::ClickLabel(Main(), id::LabelOf(id::kParameterButton)));
    EXPECT_FALSE(Main().Panels().IsOpen(parameter));
    // A label that reports no clicks (an ordinary one) gives no command.
    EXPECT_FALSE(win::user::ClickLabel(Main(), -1));
}

TEST(StatusLineText, SaysWhatIsKnownInWords) {
    StatusFacts facts;
    EXPECT_EQ(StatusText(facts), "Not connected \u00B7 Asynchronous mode");
    facts.connection = ConnectionState::kSearching;
    facts.openPort = 4;
    facts.realtime = true;
    EXPECT_EQ(StatusText(facts), "Searching COM4 \u00B7 Realtime mode");
    // A receiver that stopped answering, or one of another model, is said so; its power is not.
    facts.powerReported = true;
    facts.connection = ConnectionState::kNoReply;
    EXPECT_EQ(StatusText(facts), "COM4 \u00B7 No answer \u00B7 Realtime mode");
    facts.connection = ConnectionState::kUnsupported;
    EXPECT_EQ(StatusText(facts), "COM4 \u00B7 Receiver not supported \u00B7 Realtime mode");
    // A port chosen by number, before the receiver's first answer.
    facts.connection = ConnectionState::kClosed;
    EXPECT_EQ(StatusText(facts), "COM4 \u00B7 Realtime mode");
    facts.connection = ConnectionState::kRealtime;
    facts.model = "TR-A1";
    facts.powerReported = true;
    facts.standby = true;
    facts.lastResult = "Saved a.tcf";
    EXPECT_EQ(
        StatusText(facts),
        "COM4 \u00B7 TR-A1 \u00B7 Realtime mode \u00B7 Receiver in standby \u00B7 Saved a.tcf");
    EXPECT_EQ(TransferResultText(true, true, 778, 21'540),
              "Download finished: 778 frames in 21.5 s");
    EXPECT_EQ(TransferResultText(false, false, 1, 300), "Upload stopped after 1 frame");
    EXPECT_EQ(TransferResultText(false, true, 725, 18'200, 2),
              "Upload finished: 725 frames in 18.2 s; 2 requests refused by the receiver, their "
              "values kept as before (see the log)");
}

}  // namespace
}  // namespace tra1::testing
