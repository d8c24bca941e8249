#include "app/compare_commands.h"

#include <utility>

#include "app/configuration_compare.h"
#include "app/configuration_file_commands.h"
#include "app/editor_settings_store.h"
#include "app/main_window_ids.h"
#include "app/transfer_engine.h"
#include "platform/win/event_loop.h"
#include "platform/win/menu.h"
#include "platform/win/prompter.h"

namespace tra1 {

namespace id = main_window;

CompareCommands::CompareCommands(win::EventLoop& loop, const ReceiverImage& image,
                                 ModelProfile& profile, ConfigurationFileCommands& files,
                                 TransferEngine& transfer)
    : loop_(loop), image_(image), profile_(profile), files_(files), transfer_(transfer) {}

CompareCommands::~CompareCommands() {
    CloseWindow();
}

void CompareCommands::SetSettingsStore(EditorSettingsStore* store) {
    store_ = store;
    if (store_ != nullptr) {
        verifyAfterDownload_ = store_->LoadVerifyAfterDownload().value_or(verifyAfterDownload_);
    }
}

bool CompareCommands::CompareWithFile() {
    auto chosen = files_.ReadFileToCompare();
    if (!chosen) {
        return false;
    }
    CompareResult result;
    result.kind = CompareResult::Kind::kFile;
    result.fileName = chosen->path;
    result.differences = CompareImages(image_, chosen->image, profile_);
    Show(std::move(result));
    return true;
}

bool CompareCommands::CompareWithReceiver() {
    return transfer_.StartUpload(UploadUse::kCompare);
}

bool CompareCommands::StartVerify() {
    return transfer_.StartUpload(UploadUse::kVerify);
}

void CompareCommands::ToggleVerifyAfterDownload() {
    verifyAfterDownload_ = !verifyAfterDownload_;
    if (store_ != nullptr && !store_->SaveVerifyAfterDownload(verifyAfterDownload_)) {
        // The choice holds for this run; the user learns why it will not be there next time.
        loop_.GetPrompter().ShowMessageBox(win::MessageBoxRequest{
            "The settings could not be saved; the choice lasts until the editor is closed.",
            id::kMessageTitle, win::Buttons::kOk, win::BoxIcon::kNone, owner_});
    }
}

void CompareCommands::ShowInMenu(win::Menu& menu) const {
    menu.CheckItem(id::kMenuVerifyAfterDownload, verifyAfterDownload_);
}

void CompareCommands::ReceiverRead(const ReceiverImage& received, bool verify, bool presetSetting) {
    CompareResult result;
    result.kind = verify ? CompareResult::Kind::kVerify : CompareResult::Kind::kReceiver;
    result.scope = presetSetting ? TransferScope::kPresetSetting : TransferScope::kCurrentSetting;
    result.differences = CompareImages(image_, received, profile_, result.scope);
    Show(std::move(result));
}

void CompareCommands::Show(CompareResult result) {
    // One compare window at a time: a new compare replaces the one before.
    CloseWindow();
    window_ = std::make_unique<CCompareDlg>(loop_, std::move(result), owner_);
    window_->SetOnDestroyed([this] {
        if (window_ != nullptr) {
            loop_.DeleteLater(std::move(window_));
        }
    });
    // Owned by the main window, as the wait window is: it stays above the main window (a click
    // there does not hide it) and goes with it. Modeless: the main window stays usable.
    if (!window_->Create(owner_)) {
        window_.reset();
        loop_.GetPrompter().ShowMessageBox(
            win::MessageBoxRequest{"Dialog Creating Error\r\nCompare", "", win::Buttons::kOk,
                                   win::BoxIcon::kNone, owner_});
        return;
    }
    window_->Show();
}

void CompareCommands::CloseWindow() {
    if (window_ != nullptr && window_->IsWindow()) {
        window_->DestroyWindow();  // its destroyed callback hands it to DeleteLater
    }
}

}  // namespace tra1
