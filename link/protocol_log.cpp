#include "link/protocol_log.h"

#include "model/protocol.h"
#include "platform/win/button.h"
#include "platform/win/dialog.h"
#include "platform/win/edit.h"

namespace tra1 {
namespace {

// The pane's control of this kind and id while its window exists.
template <typename T>
T* PaneControl(const win::Dialog* pane, int id) {
    return pane != nullptr && pane->IsWindow() ? pane->Get<T>(id) : nullptr;
}

}  // namespace

bool ProtocolLog::LogEnabled() const {
    const auto* check = PaneControl<win::Button>(pane_, kDisplayLogCheckId);
    return check != nullptr && check->GetCheck() != win::BST_UNCHECKED;
}

void ProtocolLog::AppendLog(std::string_view text) {
    auto* edit = PaneControl<win::Edit>(pane_, kLogEditId);
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

void ProtocolLog::LogIfEnabled(std::string_view text) {
    if (LogEnabled()) {
        AppendLog(text);
    }
}

void ProtocolLog::LogLine(std::string_view prefix, std::string_view body) {
    if (!LogEnabled()) {
        return;
    }
    std::string line;
    line.reserve(prefix.size() + body.size() + log_prefix::kLineEnd.size());
    line.append(prefix).append(body).append(log_prefix::kLineEnd);
    AppendLog(line);
}

std::string ProtocolLog::Text() const {
    const auto* edit = PaneControl<win::Edit>(pane_, kLogEditId);
    return edit != nullptr ? edit->GetText() : std::string();
}

}  // namespace tra1
