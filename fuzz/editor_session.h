#pragma once
// The whole editor headless on the virtual clock, for the fuzz targets that drive it: the main
// window as the program creates it, its serial line leading to a far end of the target's choice,
// and message boxes answered by a scripted prompter.

#include <cstdint>
#include <memory>

#include "app/receiver_editor_dlg.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/serial/far_end.h"
#include "platform/serial/in_memory_serial_port.h"
#include "platform/serial/line_clock.h"
#include "platform/win/event_loop.h"
#include "platform/win/scripted_prompter.h"
#include "platform/win/virtual_clock.h"

namespace tra1::fuzz {

class EditorSession {
public:
    explicit EditorSession(serial::FarEnd& farEnd);
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    CReceiverEditorDlg& Main() { return *window_; }
    ReceiverImage& Image() { return image_; }
    ModelProfile& Profile() { return profile_; }
    win::EventLoop& Loop() { return loop_; }
    win::ScriptedPrompter& Prompter() { return prompter_; }
    void Advance(std::int64_t ms) { loop_.AdvanceBy(ms); }
    // Picks COM `port` in the port combo box and clicks Connect.
    void Connect(int port);
    // Chooses a menu item the way the user does.
    void Choose(int menuId);

private:
    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    win::ScriptedPrompter prompter_;
    serial::FunctionLineClock lineClock_{[this] { return clock_.NowMs(); }};
    ReceiverImage image_;
    ModelProfile profile_;
    std::unique_ptr<CReceiverEditorDlg> window_;
};

}  // namespace tra1::fuzz
