#include "link/caux_timer_dlg.h"

#include "platform/win/event_loop.h"

namespace tra1 {

CAUXTIMERDlg::CAUXTIMERDlg(win::EventLoop& loop) : Dialog(loop, kTemplateId) {}

CAUXTIMERDlg::~CAUXTIMERDlg() {
    Stop();
}

bool CAUXTIMERDlg::OnInitDialog() {
    owner_ = Parent();
    return true;
}

bool CAUXTIMERDlg::SetTimerId(int id) {
    if (running_ != 0) {
        return false;
    }
    timerId_ = id;
    return true;
}

bool CAUXTIMERDlg::SetPeriod(int ms) {
    if (running_ != 0) {
        return false;
    }
    periodMs_ = ms;
    return true;
}

bool CAUXTIMERDlg::Start() {
    // A negative id or period is as unusable as none at all.
    if (timerId_ <= 0 || periodMs_ <= 0 || running_ != 0) {
        return false;
    }
    if (!SetTimer(static_cast<win::TimerId>(timerId_), static_cast<std::uint32_t>(periodMs_))) {
        return false;
    }
    running_ = timerId_;
    return true;
}

void CAUXTIMERDlg::Stop() {
    if (running_ != 0) {
        KillTimer(static_cast<win::TimerId>(running_));
        running_ = 0;
    }
}

void CAUXTIMERDlg::OnTimer(win::TimerId id) {
    if (running_ != 0 && id == static_cast<win::TimerId>(running_) && owner_) {
        Loop().Send(owner_, kTickMessage, 0, 0);
    }
}

void CAUXTIMERDlg::OnDestroy() {
    Stop();
    owner_ = {};
}

}  // namespace tra1
