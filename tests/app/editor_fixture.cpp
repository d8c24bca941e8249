#include "tests/app/editor_fixture.h"

#include "platform/win/button.h"
#include "platform/win/combo_box.h"
#include "platform/win/static.h"
#include "platform/win/user_input.h"
#include "resources/icon_ids.h"

namespace tra1::testing {

namespace id = main_window;

void EditorFixture::RestartEditor() {
    if (window_ && window_->IsWindow()) {
        window_->DestroyWindow();
    }
    loop_.DrainPosted();
    window_.reset();
    auto line = std::make_unique<serial::InMemorySerialPort>(lineClock_, portSwitch_, linePacing_);
    port_ = line.get();
    portSwitch_.SetLine(port_);
    window_ =
        std::make_unique<CReceiverEditorDlg>(loop_, editorImage_, editorProfile_, std::move(line));
    Start();
}

void EditorFixture::TickDisplayLog() {
    // The check box is hidden from the user, so the test ticks it the way the program could.
    Main().CheckDlgButton(id::kDisplayLogCheck, win::BST_CHECKED);
}

std::string EditorFixture::LogText() const {
    return window_->GetDlgItemText(id::kLogEdit);
}

void EditorFixture::ChoosePort(int index) {
    ASSERT_TRUE(win::user::PickComboItem(Main(), id::kPortCombo, index));
}

void EditorFixture::ClickConnect() {
    ASSERT_TRUE(win::user::Click(Main(), id::kConnectButton));
}

void EditorFixture::ConnectTo(int portNumber) {
    ChoosePort(portNumber);
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil(
        [this] { return ConnectionIcon() == res::kIconConnectedAsync && State().echoGuard == 0; },
        10'000));
}

bool EditorFixture::UploadFrom(int port, bool pipelined) {
    ConnectTo(port);
    if (Main().Transfer().Pipelined() != pipelined) {
        EXPECT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuFastTransfer));
    }
    EXPECT_TRUE(win::user::Click(Main(), id::kCurrentSettingRadio));
    EXPECT_TRUE(win::user::Click(Main(), id::kUploadButton));
    const bool ended =
        loop_.AdvanceUntil([this] { return State().uploadInProgress == 0; }, kTransferLimitMs);
    loop_.DrainPosted();
    return ended;
}

int EditorFixture::ConnectionIcon() const {
    const auto* icon = window_->Get<win::Static>(id::kConnectionIcon);
    return icon != nullptr ? icon->GetIcon() : 0;
}

bool EditorFixture::TransferControlsEnabled() const {
    bool all = true;
    for (int control : {id::kDownloadButton, id::kUploadButton, id::kCurrentSettingRadio,
                        id::kPresetSettingRadio}) {
        const win::Control* c = window_->GetDlgItem(control);
        all = all && c != nullptr && c->IsEnabled();
    }
    return all;
}

int EditorFixture::CountInLog(std::string_view text) const {
    const std::string log = LogText();
    int count = 0;
    for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
        ++count;
    }
    return count;
}

int EditorFixture::StatusRequestsWritten() const {
    const std::string& written = port_->Written();
    int count = 0;
    for (auto at = written.find("\x11"
                                "000\x03");
         at != std::string::npos; at = written.find("\x11"
                                                    "000\x03",
                                                    at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace tra1::testing
