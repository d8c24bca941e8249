#include "tests/panels/panel_test_support.h"

#include <utility>

namespace tra1::test {

std::vector<Message> MainWindowStub::Take() {
    return std::exchange(received, {});
}

win::LResult MainWindowStub::OnMessage(win::Msg msg, win::WParam w, win::LParam l) {
    received.push_back({msg, w, l});
    if (onMessage) {
        onMessage();
    }
    return reply;
}

bool OpenedPanels::PostRefreshIfOpen(win::Msg refreshMessage) {
    for (const win::WindowHandle handle : opened_) {
        const auto* panel = loop_.FindAs<PanelDlg>(handle);
        if (panel != nullptr && panel->RefreshMessage() == refreshMessage) {
            return loop_.Post(handle, refreshMessage);
        }
    }
    return false;
}

void ChangeCounter::ControlChanged(win::Control& /*control*/, win::ControlChange /*change*/) {
    ++changes;
}

}  // namespace tra1::test
