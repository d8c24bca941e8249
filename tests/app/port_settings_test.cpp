// Port settings from the user's side: the dialog behind Connection > "Port Settings...", the
// reason a port would not open in the message and the log, and AUTO skipping numbers that lead
// nowhere.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/port_settings_dlg.h"
#include "platform/serial/com_port_map.h"
#include "platform/serial/port_settings_store.h"
#include "platform/win/combo_box.h"
#include "platform/win/menu.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;
namespace ps = port_settings;

class RecordingStore final : public serial::PortSettingsStore {
public:
    std::optional<std::string> Load(int port) const override { return map.Stored(port); }
    bool Save(const serial::ComPortMap& saved) override {
        ++saves;
        for (int n = 1; n <= 8; ++n) {
            map.SetStored(n, saved.Stored(n));
        }
        return !failing;
    }
    serial::ComPortMap map;
    int saves = 0;
    bool failing = false;
};

const std::vector<serial::SerialDeviceInfo> kDevices{
    {"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A5-if00-port0", "FTDI FT232R USB UART A5"},
    {"/dev/ttyUSB0", "FTDI FT232R USB UART"},
};

class PortSettingsTest : public EditorFixture {
protected:
    void StartWithSettings() {
        Start();
        Main().SetPortSettings(PortSettings{&map_, &store_, [this] {
                                                ++searches_;
                                                return devices_;
                                            }});
    }
    // Opens the dialog from the menu; `user` acts in it once, as a user would, and must end it.
    void UseDialog(const std::function<void(win::Dialog&)>& user) {
        bool acted = false;
        loop_.SetModalDriver([&](win::Dialog& dialog) {
            if (dialog.TemplateId() != ps::kTemplateId || acted) {
                return false;
            }
            acted = true;
            user(dialog);
            return true;
        });
        ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuPortSettings));
        loop_.SetModalDriver({});
        ASSERT_TRUE(acted);
    }
    static win::ComboBox& Row(win::Dialog& dialog, int port) {
        return *dialog.Get<win::ComboBox>(ps::TargetCombo(port));
    }

    serial::ComPortMap map_;
    RecordingStore store_;
    std::vector<serial::SerialDeviceInfo> devices_ = kDevices;
    int searches_ = 0;
};

TEST_F(PortSettingsTest, TheMenuItemIsGreyedUntilThereAreSettingsToEdit) {
    Start();
    EXPECT_FALSE(Main().GetMenu()->IsEnabled(id::kMenuPortSettings));
    Main().SetPortSettings(PortSettings{&map_, nullptr, {}});
    EXPECT_TRUE(Main().GetMenu()->IsEnabled(id::kMenuPortSettings));
}

TEST_F(PortSettingsTest, PickingADeviceTypingAUrlAndClearingANumberAreKept) {
    StartWithSettings();
    map_.SetStored(3, std::string("/dev/ttyACM0"));
    UseDialog([&](win::Dialog& dialog) {
        // Every row offers the devices found; a row shows its setting, or the default.
        EXPECT_EQ(Row(dialog, 1).GetCount(), 2);
        EXPECT_EQ(Row(dialog, 1).GetLBText(0),
                  "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A5-if00-port0  (FTDI FT232R USB "
                  "UART A5)");
        EXPECT_EQ(Row(dialog, 1).GetWindowText(), "/dev/ttyS0");
        EXPECT_EQ(Row(dialog, 3).GetWindowText(), "/dev/ttyACM0");

        // The pick puts the bare path in the field.
        ASSERT_TRUE(win::user::PickComboItem(dialog, ps::TargetCombo(1), 0));
        EXPECT_EQ(Row(dialog, 1).GetWindowText(), kDevices[0].path);
        ASSERT_TRUE(
            win::user::ReplaceEditText(dialog, ps::TargetCombo(2), " rfc2217://10.0.0.7:2217 "));
        ASSERT_TRUE(win::user::ReplaceEditText(dialog, ps::TargetCombo(3), ""));
        // Finding devices again keeps what the rows say.
        devices_.push_back({"/dev/ttyACM1", "Arduino Uno"});
        ASSERT_TRUE(win::user::Click(dialog, ps::kFindDevicesButton));
        EXPECT_EQ(Row(dialog, 1).GetCount(), 3);
        EXPECT_EQ(Row(dialog, 2).GetWindowText(), " rfc2217://10.0.0.7:2217 ");
        ASSERT_TRUE(win::user::Click(dialog, win::IDOK));
    });
    EXPECT_EQ(searches_, 2);
    EXPECT_EQ(map_.Target(1), kDevices[0].path);
    EXPECT_EQ(map_.Target(2), "rfc2217://10.0.0.7:2217");
    EXPECT_FALSE(map_.IsMapped(3));
    EXPECT_EQ(map_.Target(4), "/dev/ttyS3");
    EXPECT_EQ(store_.saves, 1);
    EXPECT_EQ(store_.map.Stored(2), "rfc2217://10.0.0.7:2217");
    EXPECT_EQ(store_.map.Stored(3), "");
    EXPECT_TRUE(prompter_.Boxes().empty());
}

TEST_F(PortSettingsTest, AnEntryThatIsNoPathOrUrlKeepsTheDialogOpenAndChangesNothing) {
    StartWithSettings();
    UseDialog([&](win::Dialog& dialog) {
        ASSERT_TRUE(win::user::ReplaceEditText(dialog, ps::TargetCombo(1), "/dev/ttyUSB1"));
        ASSERT_TRUE(win::user::ReplaceEditText(dialog, ps::TargetCombo(5), "socket://box"));
        ASSERT_TRUE(win::user::Click(dialog, win::IDOK));
        EXPECT_TRUE(dialog.IsWindow());
        EXPECT_TRUE(dialog.GetDlgItem(ps::TargetCombo(5))->HasFocus());
        ASSERT_TRUE(win::user::Click(dialog, win::IDCANCEL));
    });
    ASSERT_EQ(prompter_.Boxes().size(), 1u);
    EXPECT_EQ(prompter_.Boxes()[0].text,
              "COM5: \"socket://box\" is neither a device path nor socket://HOST:PORT or "
              "rfc2217://HOST:PORT.");
    EXPECT_EQ(map_.Target(1), "/dev/ttyS0");
    EXPECT_EQ(store_.saves, 0);
}

TEST_F(PortSettingsTest, OverridesForThisRunAreShownAndASaveThatFailsIsTold) {
    StartWithSettings();
    map_.SetCommandLineOverride(2, "socket://127.0.0.1:4001");
    map_.SetCommandLineOverride(6, "");
    store_.failing = true;
    UseDialog([&](win::Dialog& dialog) {
        EXPECT_EQ(dialog.GetDlgItemText(ps::OverrideNote(2)),
                  "This run: socket://127.0.0.1:4001 (--port)");
        EXPECT_EQ(dialog.GetDlgItemText(ps::OverrideNote(6)), "This run: nothing (--port)");
        EXPECT_EQ(dialog.GetDlgItemText(ps::OverrideNote(1)), "");
        ASSERT_TRUE(win::user::ReplaceEditText(dialog, ps::TargetCombo(2), "/dev/ttyUSB3"));
        ASSERT_TRUE(win::user::Click(dialog, win::IDOK));
    });
    // Kept for the next run; this run still follows the override.
    EXPECT_EQ(map_.Stored(2), "/dev/ttyUSB3");
    EXPECT_EQ(map_.Target(2), "socket://127.0.0.1:4001");
    ASSERT_EQ(prompter_.Boxes().size(), 1u);
    EXPECT_EQ(prompter_.Boxes()[0].text,
              "The port settings could not be saved.\r\nThey apply until the program ends.");
}

class PortReasonsTest : public EditorFixture {
protected:
    PortReasonsTest() { portSwitch_.Wire(3, receiver_); }
    sim::VirtualReceiver receiver_;
};

TEST_F(PortReasonsTest, TheReasonIsTheSecondLineOfInvalidComPortAndGoesToTheLog) {
    Start();
    TickDisplayLog();
    port_->SetOpenOutcome(
        4, serial::OpenResult::kRefused,
        serial::OpenError{serial::OpenError::Kind::kPermissionDenied, "/dev/ttyUSB0", "dialout"});
    ChoosePort(4);
    ClickConnect();
    const std::string reason =
        "/dev/ttyUSB0: permission denied. Members of the group 'dialout' may use it: run 'sudo "
        "adduser $USER dialout', then log out and in again.";
    ASSERT_EQ(prompter_.Boxes().size(), 1u);
    EXPECT_EQ(prompter_.Boxes()[0].text, "COM Port : 4\r\nInvalid Com Port.\r\n" + reason);
    EXPECT_EQ(LogText(), "Com 4 --> Invalid\r\n" + reason + "\r\n");
    EXPECT_EQ(State().openPort, 0);
}

TEST_F(PortReasonsTest, AutoSkipsNumbersMappedToNothingAndLogsWhyOthersFail) {
    Start();
    TickDisplayLog();
    port_->SetOpenOutcome(1, serial::OpenResult::kNotMapped,
                          serial::OpenError{serial::OpenError::Kind::kNotMapped, {}, {}});
    port_->SetOpenOutcome(
        2, serial::OpenResult::kRefused,
        serial::OpenError{serial::OpenError::Kind::kConnectionRefused, "10.0.0.7:4001", {}});
    ChoosePort(0);
    ClickConnect();
    EXPECT_EQ(State().searchPort, 3);
    EXPECT_EQ(LogText().substr(0, 100),
              std::string("Com 2 --> Invalid\r\n10.0.0.7:4001: connection refused. Is the serial "
                          "server running on that port?\r\nCom 3 --> Open\r\n")
                  .substr(0, 100));
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return !prompter_.Boxes().empty(); }, 10'000));
    EXPECT_EQ(prompter_.Boxes()[0].text, "Auto Device Finder found TR-A1.\r\nPort : Com 3\r\n\r\n");

    // A number mapped to nothing chosen directly says so.
    port_->SetOpenOutcome(5, serial::OpenResult::kNotMapped,
                          serial::OpenError{serial::OpenError::Kind::kNotMapped, {}, {}});
    ChoosePort(5);
    ClickConnect();
    EXPECT_EQ(prompter_.Boxes().back().text,
              "COM Port : 5\r\nInvalid Com Port.\r\nNot mapped to any device or server "
              "(Connection > Port Settings...).");
}

}  // namespace
}  // namespace tra1::testing
