#include "panels/panel_dlg.h"

#include <cstdio>

#include "link/link_state.h"
#include "model/receiver_image.h"
#include "platform/win/event_loop.h"
#include "platform/win/slider.h"

namespace tra1 {

PanelDlg::PanelDlg(const PanelContext& context, const PanelDescriptor& descriptor)
    : Dialog(context.loop, descriptor.templateId), context_(context), descriptor_(descriptor) {}

PanelDlg::~PanelDlg() {
    // An owner that frees a panel whose window still exists is going itself (the main window
    // closing): nobody is left to tell.
    onDestroyed_ = nullptr;
}

win::LResult PanelDlg::HandleMessage(win::Msg msg, win::WParam w, win::LParam l) {
    if (descriptor_.refreshMessage != 0 && msg == descriptor_.refreshMessage) {
        OnRefreshMessage(w, l);
        return 1;
    }
    return Dialog::HandleMessage(msg, w, l);
}

void PanelDlg::OnRefreshMessage(win::WParam /*w*/, win::LParam /*l*/) {
    if (RefreshHeld()) {
        return;
    }
    Refresh();
}

bool PanelDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    if (descriptor_.placement == PanelPlacement::kCenterScreen) {
        CenterWindow();
    }
    OnInitPanel();
    Refresh();
    return true;
}

void PanelDlg::PostNcDestroy() {
    if (onDestroyed_) {
        // Moved out first: the callback may hand this object to DeleteLater.
        auto callback = std::move(onDestroyed_);
        callback();
    }
}

bool PanelDlg::RefreshHeld() {
    if (holdCounter_ <= 0) {
        return false;
    }
    if (descriptor_.holdRule == HoldRule::kRealtimeOnly && !IsRealtime()) {
        return false;
    }
    --holdCounter_;
    return true;
}

win::LResult PanelDlg::NotifyChange(win::Msg message, win::WParam item, win::LParam extra) {
    if (descriptor_.delivery == ChangeDelivery::kSent) {
        return context_.loop.Send(context_.mainWindow, message, item, extra);
    }
    context_.loop.Post(context_.mainWindow, message, item, extra);
    return 1;
}

bool PanelDlg::PostToMainWindow(win::Msg message, win::WParam w, win::LParam l) {
    return context_.loop.Post(context_.mainWindow, message, w, l);
}

void PanelDlg::UseReadoutColors(std::initializer_list<int> ids) {
    for (const int id : ids) {
        if (win::Control* control = GetDlgItem(id)) {
            control->UseReadoutColors();
        }
    }
}

std::string PanelDlg::FormatReadout(float value) {
    // A read-out computed as a negated position is a negative zero at the top of its track;
    // "%g" would print it as "-0", where the report says 0.0 dB.
    if (value == 0.0f) {
        value = 0.0f;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.*g", 6, static_cast<double>(value));
    return text;
}

win::Slider* PanelDlg::SliderAt(int id) const {
    return Get<win::Slider>(id);
}

int PanelDlg::SliderPos(int id) const {
    const win::Slider* slider = SliderAt(id);
    return slider != nullptr ? slider->GetPos() : 0;
}

void PanelDlg::SetSliderPos(int id, int position) {
    if (win::Slider* slider = SliderAt(id)) {
        slider->SetPos(position);
    }
}

void PanelDlg::SetInvertedSliderPos(int id, int value) {
    if (win::Slider* slider = SliderAt(id)) {
        slider->SetPos(Invert(slider->GetRangeMax(), value));
    }
}

int PanelDlg::InvertedSliderValue(int id) const {
    const win::Slider* slider = SliderAt(id);
    return slider != nullptr ? Invert(slider->GetRangeMax(), slider->GetPos()) : 0;
}

bool PanelDlg::IsRealtime() const {
    return context_.link.realtimeMode;
}

ReceiverImage PanelDlg::StartUpImage() const {
    ReceiverImage defaults;
    defaults.ResetToDefaults(Profile());
    return defaults;
}

}  // namespace tra1
