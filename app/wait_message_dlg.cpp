#include "app/wait_message_dlg.h"

#include "platform/win/button.h"
#include "platform/win/progress_bar.h"
#include "platform/win/static.h"

namespace tra1 {

CWaitMessageDlg::CWaitMessageDlg(win::EventLoop& loop, win::WindowHandle owner)
    : Dialog(loop, kTemplateId), owner_(owner) {}

bool CWaitMessageDlg::Open() {
    if (!Create(owner_)) {
        return false;
    }
    CenterWindow(owner_);
    Show(true);
    return true;
}

bool CWaitMessageDlg::OnInitDialog() {
    if (auto* bar = Get<win::ProgressBar>(kProgress)) {
        bar->SetRange(0, kProgressEnd);
        bar->SetStep(1);
        bar->SetPos(0);
        bar->UseReadoutColors();
    }
    return true;
}

void CWaitMessageDlg::OnCommand(int id, unsigned code) {
    if (id == kCancelButton && code == win::BN_CLICKED) {
        OnCancel();
    }
}

void CWaitMessageDlg::OnCancel() {
    // The owner stops the transfer and closes this window itself.
    Loop().Post(owner_, kCancelMessage, 0, 0);
}

win::LResult CWaitMessageDlg::OnMessage(win::Msg msg, win::WParam w, win::LParam l) {
    if (msg == kProgressMessage) {
        OnProgress(w == 1, l);
    }
    return 0;
}

void CWaitMessageDlg::OnProgress(bool downloading, win::LParam progress) {
    SetDlgItemText(kLabel, downloading ? kDownloadingText : kUploadingText);
    auto* bar = Get<win::ProgressBar>(kProgress);
    if (progress > 0 && progress < kProgressEnd) {
        if (bar != nullptr) {
            bar->StepIt();
        }
    } else if (progress == kProgressEnd) {
        if (bar != nullptr) {
            bar->SetPos(kProgressEnd);
        }
        DestroyWindow();
    }
}

void CWaitMessageDlg::PostNcDestroy() {
    if (onDestroyed_) {
        // Moved out first: the callback may hand this object to DeleteLater.
        auto callback = std::move(onDestroyed_);
        callback();
    }
}

}  // namespace tra1
