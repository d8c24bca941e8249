#pragma once

#include "app/panel_table.h"
#include "platform/win/dialog.h"

namespace tra1::testing {

// A setting panel stand-in that counts its refresh messages and hold resets.
class CountingPanel final : public win::Dialog {
public:
    CountingPanel(win::EventLoop& loop, const PanelDescriptor& info)
        : Dialog(loop, info.templateId), refresh_(info.refreshMessage) {}
    int refreshes = 0;
    int holdResets = 0;

protected:
    win::LResult OnMessage(win::Msg msg, win::WParam w, win::LParam l) override {
        if (msg == refresh_) {
            ++refreshes;
            return 1;
        }
        return Dialog::OnMessage(msg, w, l);
    }

private:
    win::Msg refresh_;
};

}  // namespace tra1::testing
