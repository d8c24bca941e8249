#include "app/compare_dlg.h"

#include <utility>

#include "platform/win/list_view.h"
#include "resources/compare_ids.h"

namespace tra1 {

namespace ids = compare_window;

namespace {

std::string_view ScopeName(TransferScope scope) {
    return scope == TransferScope::kPresetSetting ? "Preset Setting" : "Current Setting";
}

}  // namespace

CCompareDlg::CCompareDlg(win::EventLoop& loop, CompareResult result, win::WindowHandle mainWindow)
    : Dialog(loop, ids::kTemplateId), result_(std::move(result)), mainWindow_(mainWindow) {}

std::string_view CCompareDlg::Caption(CompareResult::Kind kind) {
    switch (kind) {
        case CompareResult::Kind::kFile:
            return kFileCaption;
        case CompareResult::Kind::kReceiver:
            return kReceiverCaption;
        case CompareResult::Kind::kVerify:
            return kVerifyCaption;
    }
    return kFileCaption;
}

std::string CCompareDlg::WhatText(const CompareResult& result) {
    switch (result.kind) {
        case CompareResult::Kind::kFile:
            return "This image against the file " + result.fileName;
        case CompareResult::Kind::kReceiver:
            return "This image against the receiver, read with " +
                   std::string(ScopeName(result.scope)) +
                   "; settings the line does not carry are left out.";
        case CompareResult::Kind::kVerify:
            return "What the Download sent against what the receiver holds now, read back with " +
                   std::string(ScopeName(result.scope)) +
                   "; settings the line does not carry are left out.";
    }
    return {};
}

std::string CCompareDlg::CountText(const CompareResult& result) {
    const std::size_t count = result.differences.size();
    if (count == 0) {
        return std::string(result.kind == CompareResult::Kind::kVerify ? kVerifiedText
                                                                       : kNoDifferencesText);
    }
    std::string text = std::to_string(count) + (count == 1 ? " difference" : " differences");
    if (result.kind == CompareResult::Kind::kVerify) {
        text = "Not verified: " + text + " between what was sent and what the receiver holds.";
    }
    return text;
}

std::vector<std::string> CCompareDlg::ColumnTitles(CompareResult::Kind kind) {
    switch (kind) {
        case CompareResult::Kind::kFile:
            return {"Setting", "This image", "The file"};
        case CompareResult::Kind::kReceiver:
            return {"Setting", "This image", "The receiver"};
        case CompareResult::Kind::kVerify:
            return {"Setting", "Sent", "Read back"};
    }
    return {};
}

bool CCompareDlg::OnInitDialog() {
    CenterWindow(mainWindow_);
    SetWindowText(std::string(Caption(result_.kind)));
    SetDlgItemText(ids::kWhatText, WhatText(result_));
    SetDlgItemText(ids::kCountText, CountText(result_));
    if (auto* list = Get<win::ListView>(ids::kDifferenceList)) {
        list->SetColumns(ColumnTitles(result_.kind));
        std::vector<win::ListView::Row> rows;
        rows.reserve(result_.differences.size());
        for (const SettingDifference& d : result_.differences) {
            rows.push_back({d.Name(), SettingDifference::Shown(d.thisValue, d.inThis),
                            SettingDifference::Shown(d.otherValue, d.inOther)});
        }
        list->SetRows(std::move(rows));
    }
    return true;
}

void CCompareDlg::PostNcDestroy() {
    if (onDestroyed_) {
        // Moved out first: the callback may hand this object to DeleteLater.
        auto callback = std::move(onDestroyed_);
        callback();
    }
}

}  // namespace tra1
