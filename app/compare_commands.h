#pragma once
// File > "Compare with File...", Configuration > "Compare with Receiver..." and Configuration >
// "Verify after Download": each compares the editor's image with another, named as the
// configuration report names the settings, and shows the differences in the compare window.
//
// The receiver's settings are read with the upload (the transfers' rules apply: the Sync
// Option, the wait window, Cancel, a silent receiver or a lost line) into an image of their
// own; the editor's image is put back as it was when the reading ends, however it ends. After a
// Download, when "Verify after Download" is checked, the main window posts kStartVerify and the
// settings are read back the same way and compared with what was sent.

#include <memory>

#include "app/compare_dlg.h"
#include "platform/win/window_handle.h"

namespace tra1 {

class ConfigurationFileCommands;
class EditorSettingsStore;
class ModelProfile;
class ReceiverImage;
class TransferEngine;

namespace win {
class EventLoop;
class Menu;
}  // namespace win

class CompareCommands {
public:
    CompareCommands(win::EventLoop& loop, const ReceiverImage& image, ModelProfile& profile,
                    ConfigurationFileCommands& files, TransferEngine& transfer);
    ~CompareCommands();

    // The main window: the compare window centres over it and message boxes sit on it.
    void SetOwner(win::WindowHandle owner) { owner_ = owner; }
    // Where "Verify after Download" is kept; its stored choice is read at once.
    void SetSettingsStore(EditorSettingsStore* store);

    // The menu commands. False when nothing was compared (cancelled, a failure already told).
    bool CompareWithFile();
    bool CompareWithReceiver();
    // Checks or unchecks "Verify after Download" and keeps the choice.
    void ToggleVerifyAfterDownload();
    bool VerifyAfterDownload() const { return verifyAfterDownload_; }
    // The check mark of the item as the choice is.
    void ShowInMenu(win::Menu& menu) const;

    // A Download completed; true when a read-back is due (the main window posts kStartVerify).
    bool DownloadCompleted() const { return verifyAfterDownload_; }
    // Reads the receiver's settings back to compare them with what the Download sent.
    bool StartVerify();
    // The upload made by CompareWithReceiver or StartVerify read `received`.
    void ReceiverRead(const ReceiverImage& received, bool verify, bool presetSetting);

    // The compare window while it is open.
    CCompareDlg* Window() { return window_.get(); }
    void CloseWindow();

private:
    void Show(CompareResult result);

    win::EventLoop& loop_;
    const ReceiverImage& image_;
    ModelProfile& profile_;
    ConfigurationFileCommands& files_;
    TransferEngine& transfer_;
    EditorSettingsStore* store_ = nullptr;
    win::WindowHandle owner_;
    bool verifyAfterDownload_ = false;
    std::unique_ptr<CCompareDlg> window_;
};

}  // namespace tra1
