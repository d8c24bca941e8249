#pragma once
// The window of a compare (dialog 171): File > "Compare with File...", Configuration > "Compare
// with Receiver..." and the check that Configuration > "Verify after Download" makes after a
// Download. It lists every setting that differs, named as the configuration report names it,
// with this image's value and the other's, sortable by a click on a column's header, and says
// how many differ or that none does. Like the REPORT window it shows the moment it was made.
//
//   compare_ = std::make_unique<CCompareDlg>(loop, std::move(result), main.Handle());
//   compare_->SetOnDestroyed([&] { loop.DeleteLater(std::move(compare_)); });
//   if (!compare_->Create(main.Handle())) { /* "Dialog Creating Error\r\nCompare" */ }
//   compare_->Show();

#include <functional>
#include <string>
#include <vector>

#include "app/configuration_compare.h"
#include "platform/win/dialog.h"
#include "platform/win/event_loop.h"

namespace tra1 {

// What one compare found.
struct CompareResult {
    enum class Kind {
        kFile,      // this image against a configuration file
        kReceiver,  // this image against what the receiver holds
        kVerify,    // what a Download sent against what the receiver holds afterwards
    };
    Kind kind = Kind::kFile;
    std::string fileName;  // kFile: the file compared with
    // kReceiver, kVerify: the transfer's scope, which decides what the line carries.
    TransferScope scope = TransferScope::kCurrentSetting;
    std::vector<SettingDifference> differences;
};

class CCompareDlg final : public win::Dialog {
public:
    static constexpr std::string_view kFileCaption = "Compare with File";
    static constexpr std::string_view kReceiverCaption = "Compare with Receiver";
    static constexpr std::string_view kVerifyCaption = "Verify after Download";
    static constexpr std::string_view kNoDifferencesText = "No differences.";
    static constexpr std::string_view kVerifiedText =
        "Verified: the receiver holds every setting that was downloaded.";

    CCompareDlg(win::EventLoop& loop, CompareResult result, win::WindowHandle mainWindow);

    // Runs once the window is gone, so that the owner can free the object.
    void SetOnDestroyed(std::function<void()> callback) { onDestroyed_ = std::move(callback); }

    const CompareResult& Result() const { return result_; }

    // The window's texts for a result.
    static std::string_view Caption(CompareResult::Kind kind);
    static std::string WhatText(const CompareResult& result);
    static std::string CountText(const CompareResult& result);
    static std::vector<std::string> ColumnTitles(CompareResult::Kind kind);

protected:
    bool OnInitDialog() override;
    // Enter does not close the window; Esc, Close and the close box do.
    void OnOK() override {}
    void OnCancel() override { DestroyWindow(); }
    void PostNcDestroy() override;

private:
    CompareResult result_;
    win::WindowHandle mainWindow_;
    std::function<void()> onDestroyed_;
};

}  // namespace tra1
