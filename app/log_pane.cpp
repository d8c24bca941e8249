#include "app/log_pane.h"

#include "platform/win/button.h"
#include "platform/win/dialog.h"
#include "platform/win/edit.h"

namespace tra1 {
namespace {

// The window's control of this kind and id while the window exists.
template <typename T>
T* PaneControl(const win::Dialog* window, int id) {
    return window != nullptr && window->IsWindow() ? window->Get<T>(id) : nullptr;
}

}  // namespace

bool LogPane::Enabled() const {
    const auto* check = PaneControl<win::Button>(window_, kDisplayLogCheckId);
    return check != nullptr && check->GetCheck() != win::BST_UNCHECKED;
}

void LogPane::Append(std::string_view text) {
    auto* edit = PaneControl<win::Edit>(window_, kLogEditId);
    if (edit == nullptr) {
        return;
    }
    if (edit->GetText().size() > kTrimLength) {
        // Select the oldest 30000 characters and replace them with nothing.
        edit->SetSel(0, static_cast<int>(kTrimLength));
        edit->ReplaceSel("");
    }
    edit->AppendText(std::string(text));
}

std::string LogPane::Text() const {
    const auto* edit = PaneControl<win::Edit>(window_, kLogEditId);
    return edit != nullptr ? edit->GetText() : std::string();
}

}  // namespace tra1
