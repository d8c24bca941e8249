#include "app/creport_dlg.h"

#include <algorithm>
#include <memory>

#include "app/configuration_report.h"
#include "platform/win/edit.h"

namespace tra1 {

CREPORTDlg::CREPORTDlg(win::EventLoop& loop, const ReceiverImage& image, ModelProfile& profile,
                       win::WindowHandle mainWindow)
    : Dialog(loop, kTemplateId), image_(image), profile_(profile), main_window_(mainWindow) {}

bool CREPORTDlg::OnInitDialog() {
    CenterWindow(main_window_);
    if (auto* edit = Get<win::Edit>(kReportEdit)) {
        edit->SetLimitText(kTextLimit);
    }
    ConfigurationReport(image_, profile_).Build([this](const std::string& section) {
        AppendSection(section);
    });
    return true;
}

void CREPORTDlg::AppendSection(const std::string& section) {
    if (auto* edit = Get<win::Edit>(kReportEdit)) {
        AppendWithinLimit(*edit, section, kTextLimit);
    }
}

std::string CREPORTDlg::ReportText() const {
    return GetDlgItemText(kReportEdit);
}

win::LResult CREPORTDlg::OnMessage(win::Msg msg, win::WParam /*w*/, win::LParam /*l*/) {
    // The report is a snapshot of the moment the window opened: a refresh changes nothing.
    if (msg == kRefreshMessage) {
        return 1;
    }
    return 0;
}

void CREPORTDlg::PostNcDestroy() {
    if (on_destroyed_) {
        // Moved out first: the callback may hand this object to DeleteLater.
        auto callback = std::move(on_destroyed_);
        callback();
    }
}

void AppendWithinLimit(win::Edit& edit, const std::string& text, int limit) {
    const int length = edit.GetTextLength();
    const auto room = static_cast<std::size_t>(std::max(0, limit - length));
    if (room == 0 || text.empty()) {
        return;
    }
    // Replace-selection at the end, as the edit control appends.
    edit.SetSel(length, length);
    edit.ReplaceSel(text.size() <= room ? text : text.substr(0, room));
}

PanelFactory MakeReportPanelFactory(win::EventLoop& loop, const ReceiverImage& image,
                                    ModelProfile& profile, win::WindowHandle mainWindow) {
    // The factory owns the window it made until the window closes; the window's callback only
    // looks at that slot weakly, so the two do not keep each other alive.
    auto slot = std::make_shared<std::unique_ptr<CREPORTDlg>>();
    return [&loop, &image, &profile, mainWindow, slot](std::function<void()> onClosed) {
        auto dialog = std::make_unique<CREPORTDlg>(loop, image, profile, mainWindow);
        CREPORTDlg* window = dialog.get();
        window->SetOnDestroyed(
            [&loop, weak = std::weak_ptr(slot), window, onClosed = std::move(onClosed)] {
                if (onClosed) {
                    onClosed();
                }
                if (auto owner = weak.lock(); owner && owner->get() == window) {
                    loop.DeleteLater(std::move(*owner));
                }
            });
        if (!window->Create()) {
            return OpenPanel{};
        }
        *slot = std::move(dialog);
        return OpenPanel{window, {}};
    };
}

}  // namespace tra1
