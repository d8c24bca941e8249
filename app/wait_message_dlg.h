#pragma once
// The wait-message window (dialog 164): shown while a whole configuration travels between the
// receiver and the PC. The main window feeds it progress messages; it posts back when the user
// gives up.
//
//   auto wait = std::make_unique<CWaitMessageDlg>(loop, main.Handle());
//   wait->SetOnDestroyed([&] { wait_open = false; loop.DeleteLater(std::move(wait)); });
//   if (!wait->Open()) { /* "Dialog Creating Error\r\nWait Message" */ }
//   ...
//   loop.Post(wait_handle, CWaitMessageDlg::kProgressMessage, 0 /* uploading */, progress);
//
// The destroyed callback runs from PostNcDestroy, possibly inside this window's own handler (the
// window closes itself at the end of the bar), so the owner must free the object through
// EventLoop::DeleteLater, never directly from the callback.

#include <functional>

#include "platform/win/dialog.h"
#include "platform/win/event_loop.h"

namespace tra1 {

class CWaitMessageDlg final : public win::Dialog {
public:
    static constexpr int kTemplateId = 164;
    static constexpr int kLabel = 1210;
    static constexpr int kProgress = 1208;
    static constexpr int kCancelButton = 1078;

    // Owner to window: wParam 1 downloading / 0 uploading, lParam the progress 0..kProgressEnd.
    static constexpr win::Msg kProgressMessage = 0xA200;
    // Window to owner: the user cancelled the transfer (Cancel button or close box).
    static constexpr win::Msg kCancelMessage = 0xA201;
    static constexpr int kProgressEnd = 3000;

    static constexpr const char* kDownloadingText = "Downloading Configuration. Please Wait";
    static constexpr const char* kUploadingText = "Uploading Configuration. Please Wait";

    // `owner` is the window that receives kCancelMessage (the main window).
    CWaitMessageDlg(win::EventLoop& loop, win::WindowHandle owner);

    // Creates the window owned by the owner, centres it over the owner and shows it. False when
    // the window could not be created (the caller reports it).
    bool Open();

    // Runs once the window is gone, so the owner can clear its open flag and pointer.
    void SetOnDestroyed(std::function<void()> callback) { onDestroyed_ = std::move(callback); }

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, unsigned code) override;
    // Esc and the close box cancel the transfer; Enter does nothing (there is no OK here).
    void OnOK() override {}
    void OnCancel() override;
    win::LResult OnMessage(win::Msg msg, win::WParam w, win::LParam l) override;
    void PostNcDestroy() override;

private:
    void OnProgress(bool downloading, win::LParam progress);

    win::WindowHandle owner_;
    std::function<void()> onDestroyed_;
};

}  // namespace tra1
