#pragma once
// The whole editor headless: the main window on the virtual clock, its serial line leading to
// virtual receivers on chosen COM ports, and message boxes answered by the scripted prompter.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window_ids.h"
#include "app/receiver_editor_dlg.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/serial/far_end.h"
#include "platform/serial/in_memory_serial_port.h"
#include "platform/serial/line_clock.h"
#include "platform/win/event_loop.h"
#include "platform/win/scripted_prompter.h"
#include "platform/win/virtual_clock.h"
#include "resources/icon_ids.h"

#include "sim/virtual_receiver.h"

namespace tra1::testing {

// The far end of the editor's one serial line: whichever device is wired to the COM port that
// is open right now. A port with nothing wired to it stays silent.
class PortSwitch final : public serial::FarEnd {
public:
    void Wire(int port, serial::FarEnd& device) { devices_[port] = &device; }
    void SetLine(const serial::SerialPort* line) { line_ = line; }

    std::vector<serial::LineSegment> Receive(std::string_view bytes) override {
        const int open = line_ != nullptr ? line_->OpenPortNumber() : 0;
        const auto found = devices_.find(open);
        if (found == devices_.end()) {
            return {};
        }
        return found->second->Receive(bytes);
    }

private:
    std::map<int, serial::FarEnd*> devices_;
    const serial::SerialPort* line_ = nullptr;
};

class EditorFixture : public ::testing::Test {
protected:
    // Longer than any transfer takes on the virtual clock, however noisy its line.
    static constexpr std::int64_t kTransferLimitMs = 60 * 60 * 1000;

    EditorFixture() : EditorFixture(std::nullopt) {}
    // With a pacing, the line's far end takes what it hears as the receiver does: frame by frame
    // at line time, one answer after the other, from its small input buffer (sim::kReceiverPacing).
    explicit EditorFixture(std::optional<serial::FarEndPacing> pacing) : linePacing_(pacing) {
        loop_.SetPrompter(&prompter_);
        auto line =
            std::make_unique<serial::InMemorySerialPort>(lineClock_, portSwitch_, linePacing_);
        port_ = line.get();
        portSwitch_.SetLine(port_);
        window_ = std::make_unique<CReceiverEditorDlg>(loop_, editorImage_, editorProfile_,
                                                       std::move(line));
    }
    ~EditorFixture() override {
        if (window_ && window_->IsWindow()) {
            window_->DestroyWindow();
        }
        loop_.DrainPosted();
    }

    // Creates the main window as the program does at start-up and lets the posted messages run.
    void Start() {
        ASSERT_TRUE(window_->Create());
        window_->Show();  // as running it modally does
        loop_.DrainPosted();
    }
    void Advance(std::int64_t ms) { loop_.AdvanceBy(ms); }
    // Closes the main window and starts a fresh one on a new line, as running the program
    // again does (on the same image: the new window fills it with the defaults).
    void RestartEditor();

    CReceiverEditorDlg& Main() { return *window_; }
    LinkState& State() { return window_->Link().State(); }
    ReceiverImage& EditorImage() { return editorImage_; }
    ModelProfile& EditorProfile() { return editorProfile_; }

    // The editor's log pane, with "DisplayLog" ticked.
    void TickDisplayLog();
    std::string LogText() const;

    void ChoosePort(int index);
    void ClickConnect();
    // Connects directly to a port and waits until the receiver has identified itself.
    void ConnectTo(int port);
    // Connects to the receiver on `port`, sets Fast Transfer to `pipelined` and uploads its
    // current settings; true when the Upload ended within kTransferLimitMs.
    bool UploadFrom(int port, bool pipelined);
    int ConnectionIcon() const;
    bool TransferControlsEnabled() const;
    int CountInLog(std::string_view text) const;
    // The status requests the editor has written so far.
    int StatusRequestsWritten() const;

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    win::ScriptedPrompter prompter_;
    serial::FunctionLineClock lineClock_{[this] { return clock_.NowMs(); }};
    PortSwitch portSwitch_;
    std::optional<serial::FarEndPacing> linePacing_;
    serial::InMemorySerialPort* port_ = nullptr;  // owned by the main window's link
    // What the application owns for the whole run.
    ReceiverImage editorImage_;
    ModelProfile editorProfile_;
    std::unique_ptr<CReceiverEditorDlg> window_;
};

}  // namespace tra1::testing
