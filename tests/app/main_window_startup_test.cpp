// The main window as the program starts it: the link windows and timers, the defaults in the
// controls, the menu, the panel table, the control mode, the user memo and the log pane.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/receiver_editor_app.h"
#include "link/caux_timer_dlg.h"
#include "link/crs232c_dlg.h"
#include "platform/win/button.h"
#include "platform/win/combo_box.h"
#include "platform/win/edit.h"
#include "platform/win/list_box.h"
#include "platform/win/resource_registry.h"
#include "platform/win/slider.h"
#include "platform/win/static.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

using StartupTest = EditorFixture;

TEST_F(StartupTest, CreatesTheLinkWindowsAndStartsEveryTimer) {
    Start();
    EXPECT_TRUE(Main().Link().Rs232c().IsWindow());
    EXPECT_TRUE(Main().Link().AuxTimer().IsRunning());
    EXPECT_EQ(Main().Link().AuxTimer().Period(), 10);
    EXPECT_EQ(loop_.TimerPeriod(Main().Handle(), 1), 500u);
    EXPECT_EQ(loop_.TimerPeriod(Main().Handle(), 3), 150u);
    EXPECT_EQ(loop_.TimerPeriod(Main().Handle(), 5), 50u);
    EXPECT_EQ(loop_.TimerPeriod(Main().Handle(), 7), 1000u);
    EXPECT_EQ(EditorProfile().Model(), ModelProfile::kTrA1);
    // The title names the document (none yet) before the program.
    EXPECT_EQ(Main().GetWindowText(), "Untitled \u2013 Tolvek Receiver Editor for TR-A1");
    EXPECT_EQ(Main().GetDlgItemText(id::kStatusLine), "Not connected \u00B7 Asynchronous mode");
    EXPECT_TRUE(prompter_.Boxes().empty());
    // Disconnected, asynchronous, and the first received state counts as an echo.
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_FALSE(State().realtimeMode);
    EXPECT_EQ(State().openPort, 0);
    EXPECT_EQ(State().echoGuard, 1);
}

TEST_F(StartupTest, ReportsLinkWindowsThatCannotBeCreatedAndCarriesOn) {
    loop_.SetCreationFailureHook([](int dialogId) { return dialogId == 162 || dialogId == 163; });
    Start();
    ASSERT_EQ(prompter_.Boxes().size(), 2u);
    EXPECT_EQ(prompter_.Boxes()[0].text, "Dialog Creating Error\r\nRS-232C Port");
    EXPECT_EQ(prompter_.Boxes()[1].text, "Dialog Creating Error\r\nAUX Timer");
    EXPECT_EQ(prompter_.ShownTitle(0), "Tolvek Receiver Editor");
    EXPECT_TRUE(Main().IsWindow());
    // Without its port window nothing is polled: connecting goes no further than the port.
    ChoosePort(2);
    ClickConnect();
    Advance(3000);
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_EQ(prompter_.Boxes().size(), 2u);
}

TEST_F(StartupTest, ShowsTheDefaultsOfTheImage) {
    // Whatever the image and the profile held before, start-up sets the model, fills the image
    // with its defaults and only then fills the controls.
    EditorProfile().SetModel(3);
    EditorImage().MainZoneState[main_zone::kMainVolume] = 5;
    EditorImage().SetUserMemoText("left over");
    Start();
    EXPECT_EQ(Main().GetDlgItemText(id::kUserMemoEdit), "");
    const auto* ports = Main().Get<win::ComboBox>(id::kPortCombo);
    ASSERT_NE(ports, nullptr);
    EXPECT_EQ(ports->GetCount(), 9);
    EXPECT_EQ(ports->GetLBText(0), "AUTO");
    EXPECT_EQ(ports->GetLBText(8), "COM8");
    EXPECT_EQ(ports->GetCurSel(), 0);

    // Main volume step 81: the inverted track bar stands at 113.
    const auto* mainVolume = Main().Get<win::Slider>(id::kMainVolumeSlider);
    ASSERT_NE(mainVolume, nullptr);
    EXPECT_EQ(mainVolume->GetRangeMax(), 194);
    EXPECT_EQ(mainVolume->GetPos(), 113);
    EXPECT_EQ(mainVolume->GetPageSize(), 2);  // a page step of the main volume is 1 dB
    EXPECT_EQ(Main().Get<win::Slider>(id::kZone2VolumeSlider)->GetPageSize(), 10);
    EXPECT_EQ(Main().GetDlgItemText(id::kMainVolumeReadout), "-40.0 dB");
    EXPECT_EQ(Main().Get<win::Slider>(id::kZone2VolumeSlider)->GetPos(), 113);
    EXPECT_EQ(Main().GetDlgItemText(id::kZone2VolumeReadout), "-40.0 dB");

    // Main input 5 (DVD) plays program 29.
    EXPECT_EQ(Main().Get<win::ComboBox>(id::kMainInputCombo)->GetCurSel(), 5);
    EXPECT_EQ(Main().Get<win::ComboBox>(id::kMainInputCombo)->GetLBText(5), "DVD");
    EXPECT_EQ(Main().Get<win::ComboBox>(id::kMainInputCombo)->GetCount(), 13);
    EXPECT_EQ(Main().Get<win::ComboBox>(id::kZone2InputCombo)->GetCurSel(), 4);
    EXPECT_EQ(Main().GetDlgItemText(id::kProgramReadout), "Sci-Fi");
    EXPECT_EQ(Main().Get<win::ComboBox>(id::kExEsCombo)->GetCurSel(), 1);
    EXPECT_EQ(Main().Get<win::ComboBox>(id::kModelCombo)->GetCurSel(), 0);
    EXPECT_FALSE(Main().GetDlgItem(id::kModelCombo)->IsEnabled());

    EXPECT_EQ(Main().IsDlgButtonChecked(id::kCurrentSettingRadio), win::BST_CHECKED);
    EXPECT_EQ(Main().IsDlgButtonChecked(id::kPresetSettingRadio), win::BST_UNCHECKED);
    for (int listId : {id::kHomePresetList, id::kMainVolumeList, id::kZone2VolumeList}) {
        const auto* list = Main().Get<win::ListBox>(listId);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->GetCount(), 6);
        EXPECT_EQ(list->GetText(0), "Preset A");
        EXPECT_EQ(list->GetText(5), "Preset F");
        EXPECT_EQ(list->GetCurSel(), 0);
    }
    EXPECT_EQ(Main().GetDlgItemText(id::kMainZoneText), "Main Zone");
    EXPECT_EQ(Main().GetDlgItemText(id::kConnectionText), "Connection");
    EXPECT_EQ(Main().GetDlgItemText(id::kZone2Text), "Zone2");
    EXPECT_EQ(Main().GetDlgItemText(id::kConfigurationText), "Configuration");
    EXPECT_EQ(Main().Get<win::Edit>(id::kUserMemoEdit)->GetLimitText(), 1001);

    for (int readout :
         {id::kMainVolumeReadout, id::kZone2VolumeReadout, id::kProgramReadout, id::kLogEdit}) {
        EXPECT_EQ(Main().GetDlgItem(readout)->TextColor(), win::kCyan) << readout;
        EXPECT_EQ(Main().GetDlgItem(readout)->BackgroundColor(), win::kBlack) << readout;
    }
    EXPECT_FALSE(Main().GetDlgItem(id::kLogEdit)->IsVisible());
    EXPECT_FALSE(Main().GetDlgItem(id::kDisplayLogCheck)->IsVisible());
}

TEST_F(StartupTest, TheProgramReadoutShowsStraightWhenTheEffectIsOff) {
    Start();
    EditorImage().InputProgramMap[5] = 0x9D;
    Main().FillMainWindow();
    EXPECT_EQ(Main().GetDlgItemText(id::kProgramReadout), "STRAIGHT");
    EditorImage().InputProgramMap[5] = 0x1D;
    Main().FillMainWindow();
    EXPECT_EQ(Main().GetDlgItemText(id::kProgramReadout), "Sci-Fi");
}

TEST_F(StartupTest, TheRefreshMessageFollowsTheImage) {
    Start();
    EditorImage().MainZoneState[main_zone::kMainVolume] = 161;
    EditorImage().MainZoneState[main_zone::kMainMute] = 1;
    EditorImage().MultiZoneSetting = {1, 1};
    Main().PostMessage(id::kRefreshMainWindow);
    loop_.DrainPosted();
    EXPECT_EQ(Main().Get<win::Slider>(id::kMainVolumeSlider)->GetPos(), 33);
    EXPECT_EQ(Main().GetDlgItemText(id::kMainVolumeReadout), "0.0dB");
    EXPECT_EQ(Main().IsDlgButtonChecked(id::kMainMuteCheck), win::BST_CHECKED);
    EXPECT_FALSE(Main().GetDlgItem(id::kMainVolumeSlider)->IsEnabled());
    EXPECT_EQ(Main().GetDlgItemText(id::kZone2VolumeReadout), "FIX");
    EXPECT_FALSE(Main().GetDlgItem(id::kZone2VolumeSlider)->IsEnabled());
}

TEST_F(StartupTest, TheMenuOffersEveryCommandAndTheTwentyPanelsInOrder) {
    Start();
    win::Menu* menu = Main().GetMenu();
    ASSERT_NE(menu, nullptr);
    for (int command :
         {id::kMenuOpen, id::kMenuSave, id::kMenuConnect, id::kMenuDisconnect, id::kMenuRealtime,
          id::kMenuAsynchronous, id::kMenuUpload, id::kMenuDownload}) {
        EXPECT_NE(menu->FindItem(command), nullptr) << command;
    }
    EXPECT_TRUE(menu->IsChecked(id::kMenuAsynchronous));
    const win::MenuItem* windows = menu->PopupAt(4);
    ASSERT_NE(windows, nullptr);
    EXPECT_EQ(windows->text, "&Window");
    ASSERT_EQ(windows->children.size(), 20u);
    EXPECT_EQ(windows->children.front().text, "Show DSP PARAMETER");
    EXPECT_EQ(windows->children[4].text, "Show TONE CONTROL");
    EXPECT_EQ(windows->children[4].id, 57653);
    EXPECT_EQ(windows->children.back().text, "Show MULTI ZONE SET");
    for (std::size_t i = 0; i < windows->children.size(); ++i) {
        const PanelDescriptor& info = PanelDescriptors().at(WindowMenuOrder().at(i));
        EXPECT_EQ(windows->children[i].id, info.menuId);
        EXPECT_EQ(windows->children[i].text, info.menuText);
    }
    // "Show GRAPHIC EQ" twice: one panel, the second choice only focuses it.
    const std::size_t windowsBefore = loop_.WindowCount();
    EXPECT_TRUE(win::user::ChooseMenuItem(Main(), 32771));
    EXPECT_EQ(loop_.WindowCount(), windowsBefore + 1);
    loop_.SetFocusedWindow(Main().Handle());
    EXPECT_TRUE(win::user::ChooseMenuItem(Main(), 32771));
    EXPECT_EQ(loop_.WindowCount(), windowsBefore + 1);
    const std::size_t eq = PanelTable::IndexForCommand(32771);
    ASSERT_TRUE(Main().Panels().IsOpen(eq));
    EXPECT_TRUE(Main().Panels().Window(eq)->HasFocus());
    EXPECT_TRUE(prompter_.Boxes().empty());

    const win::MenuItem* about = Main().GetSystemMenu().FindItem(win::IDM_ABOUTBOX);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text, "&About Tolvek Receiver Editor...");
}

TEST_F(StartupTest, TheMainWindowAndItsMenuAreRegisteredResources) {
    const auto& registry = win::ResourceRegistry::Instance();
    const win::DialogTemplate* main = registry.FindDialog(102);
    ASSERT_NE(main, nullptr);
    EXPECT_NE(registry.FindMenu(main->menu), nullptr);
    // Every control the main window addresses exists exactly once.
    for (int control :
         {1000, 1002, 1003, 1014, 1015, 1016, 1017, 1055, 1079, 1108, 1116, 1117, 1118,
          1120, 1136, 1137, 1169, 1170, 1171, 1172, 1173, 1174, 1175, 1176, 1177, 1178,
          1179, 1180, 1181, 1182, 1183, 1185, 1186, 1187, 1188, 1189, 1190, 1191, 1192,
          1193, 1194, 1195, 1196, 1197, 1198, 1199, 1200, 1201, 1204, 1205, 1206, 1211,
          1214, 1215, 1216, 1217, 1218, 1221, 1222, 1233, 1234}) {
        int found = 0;
        for (const win::ControlTemplate& c : main->controls) {
            found += c.id == control ? 1 : 0;
        }
        EXPECT_EQ(found, 1) << control;
    }
    for (const PanelDescriptor& info : PanelDescriptors()) {
        EXPECT_NE(main->FindControl(info.buttonId), nullptr) << info.buttonId;
    }
}

// A stand-in panel: a plain dialog that tells the main window when it goes.
class StandInPanel final : public win::Dialog {
public:
    StandInPanel(win::EventLoop& loop, std::function<void()> onClosed)
        : Dialog(loop, 100), onClosed_(std::move(onClosed)) {}
    ~StandInPanel() override {
        if (IsWindow()) {
            DestroyWindow();
        }
    }

protected:
    void OnDestroy() override {
        if (onClosed_) {
            onClosed_();
        }
    }

private:
    std::function<void()> onClosed_;
};

TEST_F(StartupTest, ShowingAPanelTwiceCreatesOneAndReportsCreationFailures) {
    Start();
    int created = 0;
    std::unique_ptr<StandInPanel> panel;
    const std::size_t eq = PanelTable::IndexForCommand(32771);
    ASSERT_EQ(PanelDescriptors().at(eq).windowName, "EQ");
    Main().Panels().SetFactory(eq, [&](std::function<void()> onClosed) {
        ++created;
        panel = std::make_unique<StandInPanel>(loop_, std::move(onClosed));
        return OpenPanel{panel->Create() ? panel.get() : nullptr, {}};
    });
    win::user::ChooseMenuItem(Main(), 32771);
    win::user::Click(Main(), 1068);  // the button beside "GRAPHIC EQ"
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(Main().Panels().IsOpen(eq));
    EXPECT_TRUE(panel->IsWindowVisible());
    EXPECT_TRUE(panel->HasFocus());

    const std::size_t level = PanelTable::IndexForCommand(32775);
    Main().Panels().SetFactory(level, [](std::function<void()>) { return OpenPanel{}; });
    win::user::ChooseMenuItem(Main(), 32775);
    ASSERT_EQ(prompter_.Boxes().size(), 1u);
    EXPECT_EQ(prompter_.Boxes()[0].text, "Dialog Creating Error\r\nLEVEL and BALANCE");
    EXPECT_FALSE(Main().Panels().IsOpen(level));

    // The main window takes every open panel with it when it closes.
    Main().DestroyWindow();
    EXPECT_FALSE(panel->IsWindow());
    EXPECT_FALSE(Main().Panels().IsOpen(eq));
}

TEST_F(StartupTest, RealtimeModeWithThePortClosedChangesNothing) {
    Start();
    win::user::ChooseMenuItem(Main(), id::kMenuRealtime);
    EXPECT_FALSE(State().realtimeMode);
    EXPECT_TRUE(Main().GetMenu()->IsChecked(id::kMenuAsynchronous));
    EXPECT_FALSE(Main().GetMenu()->IsChecked(id::kMenuRealtime));
    EXPECT_TRUE(TransferControlsEnabled());
    EXPECT_TRUE(prompter_.Boxes().empty());
}

TEST_F(StartupTest, TheUserMemoKeepsItsFirstFiveHundredBytesInTheImage) {
    Start();
    const auto zone3Before = EditorImage().Zone3VolumeMemories;
    const auto spareBefore = EditorImage().SpareByte;
    std::string text;
    for (int i = 0; i < 1200; ++i) {
        text += static_cast<char>('a' + i % 26);
    }
    ASSERT_TRUE(win::user::ReplaceEditText(Main(), id::kUserMemoEdit, text));
    EXPECT_EQ(Main().GetDlgItemText(id::kUserMemoEdit).size(), 1001u);
    EXPECT_EQ(EditorImage().UserMemoText(), text.substr(0, 500));
    EXPECT_EQ(EditorImage().Zone3VolumeMemories, zone3Before);
    EXPECT_EQ(EditorImage().SpareByte, spareBefore);

    ASSERT_TRUE(win::user::ReplaceEditText(Main(), id::kUserMemoEdit, "short"));
    EXPECT_EQ(EditorImage().UserMemoText(), "short");
    EXPECT_EQ(EditorImage().UserMemo[5], 0);
    EXPECT_EQ(EditorImage().UserMemo[499], 0);
}

TEST_F(StartupTest, ClearEmptiesTheLogPane) {
    Start();
    Main().SetDlgItemText(id::kLogEdit, "(PC) EX  x\r\n");
    Main().ShowDlgItem(id::kClearLogButton, true);
    ASSERT_TRUE(win::user::Click(Main(), id::kClearLogButton));
    EXPECT_EQ(LogText(), "");
}

TEST_F(StartupTest, TheWaitMessageWindowGoesWhenTheTransferIsCancelled) {
    Start();
    State().uploadInProgress = 7;
    State().awaitedFunction = 265;
    ASSERT_TRUE(Main().OpenWaitMessage());
    EXPECT_TRUE(Main().WaitMessageOpen());
    Main().PostMessage(id::kTransferCancelled);
    loop_.DrainPosted();
    EXPECT_FALSE(Main().WaitMessageOpen());
    EXPECT_EQ(State().uploadInProgress, 0);
    EXPECT_EQ(State().awaitedFunction, LinkState::kNone);

    loop_.SetCreationFailureHook([](int dialogId) { return dialogId == 164; });
    EXPECT_FALSE(Main().OpenWaitMessage());
    EXPECT_EQ(prompter_.Boxes().back().text, "Dialog Creating Error\r\nWait Message");
}

TEST_F(StartupTest, TheSystemMenuOpensTheAboutBox) {
    Start();
    int aboutShown = 0;
    loop_.SetModalDriver([&aboutShown](win::Dialog& dialog) {
        if (dialog.TemplateId() != 100) {
            return false;
        }
        ++aboutShown;
        return win::user::PressEnter(dialog);
    });
    ASSERT_TRUE(win::user::ChooseSystemMenuItem(Main(), win::IDM_ABOUTBOX));
    EXPECT_EQ(aboutShown, 1);
    EXPECT_TRUE(Main().IsWindowEnabled());
}

// A configuration file on disk for the command line to name: the defaults with input 0 renamed,
// removed again at the end of the test.
class StartupFile {
public:
    StartupFile(const std::string& name, std::string_view inputName) {
        path_ = std::filesystem::temp_directory_path() / name;
        ReceiverImage image;
        ModelProfile profile;
        profile.SetModel(ModelProfile::kTrA1);
        image.ResetToDefaults(profile);
        image.SetInputName(0, inputName);
        std::vector<std::uint8_t> bytes{ModelProfile::kTrA1};
        const auto blocks = image.ToBytes();
        bytes.insert(bytes.end(), blocks.begin(), blocks.end());
        std::ofstream out(path_, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    ~StartupFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    std::string Path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

TEST_F(StartupTest, AFileNamedAtStartLoadsOnceTheWindowIsUpWithoutAskingAnything) {
    const StartupFile file("tra1-startup-test.Living.tcf", "TURNTBL");
    Main().OpenFileAtStart(file.Path());
    Start();
    EXPECT_EQ(EditorImage().InputName(0), "TURNTBL");
    EXPECT_EQ(Main().ConfigurationName(), "tra1-startup-test");
    EXPECT_TRUE(prompter_.Boxes().empty());  // nothing to save yet, no question
    EXPECT_TRUE(prompter_.OpenDialogs().empty());
    auto* inputs = Main().Get<win::ComboBox>(id::kMainInputCombo);
    ASSERT_NE(inputs, nullptr);
    EXPECT_EQ(inputs->GetLBText(0), "TURNTBL");
}

TEST_F(StartupTest, AFileNamedAtStartThatCannotBeLoadedIsReportedAndTheEditorRuns) {
    Main().OpenFileAtStart("/nonexistent-folder/absent.tcf");
    Start();
    ASSERT_EQ(prompter_.BoxTexts(), (std::vector<std::string>{"Cannot open the file."}));
    EXPECT_EQ(prompter_.Boxes()[0].title, "Tolvek Receiver Editor Message");
    EXPECT_TRUE(Main().IsWindow());
    EXPECT_NE(EditorImage().InputName(0), "TURNTBL");
}

TEST(EditorApplication, RunsTheMainWindowUntilItClosesAndEndsWithStatusZero) {
    win::VirtualClock clock;
    win::EventLoop loop(clock);
    win::ScriptedPrompter prompter;
    loop.SetPrompter(&prompter);
    PortSwitch nothing;
    serial::FunctionLineClock lineClock([&clock] { return clock.NowMs(); });
    CReceiverEditorApp app(loop, std::make_unique<serial::InMemorySerialPort>(lineClock, nothing));
    bool sawMainWindow = false;
    loop.SetModalDriver([&](win::Dialog& dialog) {
        sawMainWindow = dialog.TemplateId() == 102 && app.MainWindow() == &dialog;
        return win::user::CloseBox(dialog);
    });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(sawMainWindow);
    EXPECT_EQ(app.MainWindow(), nullptr);
}

TEST(EditorApplication, HandsTheFileNamedAtStartToTheMainWindow) {
    win::VirtualClock clock;
    win::EventLoop loop(clock);
    win::ScriptedPrompter prompter;
    loop.SetPrompter(&prompter);
    PortSwitch nothing;
    serial::FunctionLineClock lineClock([&clock] { return clock.NowMs(); });
    CReceiverEditorApp app(loop, std::make_unique<serial::InMemorySerialPort>(lineClock, nothing));
    // Not a .tcf name: the load stops at the extension check, as File > Open's does.
    const StartupFile notTcf("tra1-startup-test.txt", "TURNTBL");
    app.OpenFileAtStart(notTcf.Path());
    std::vector<std::string> boxesWhileRunning;
    loop.SetModalDriver([&](win::Dialog& dialog) {
        boxesWhileRunning = prompter.BoxTexts();
        return win::user::CloseBox(dialog);
    });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(boxesWhileRunning, (std::vector<std::string>{"The file extention must be '.tcf'."}));
    EXPECT_NE(app.Image().InputName(0), "TURNTBL");
}

}  // namespace
}  // namespace tra1::testing
