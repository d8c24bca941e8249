#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/compare_commands.h"
#include "app/configuration_file_commands.h"
#include "app/control_mode.h"
#include "app/document_state.h"
#include "app/editor_settings_store.h"
#include "app/main_window_services.h"
#include "app/main_zone_controls.h"
#include "app/main_zone_view.h"
#include "app/panel_table.h"
#include "app/port_settings.h"
#include "app/preset_memories.h"
#include "app/receiver_link.h"
#include "app/transfer_engine.h"
#include "app/transfer_window_host.h"
#include "link/change_message_router.h"
#include "platform/win/dialog.h"

namespace tra1 {

class CWaitMessageDlg;
class ModelProfile;
class ReceiverImage;

namespace serial {
class SerialPort;
}

// The main window (dialog 102, "Tolvek Receiver Editor for TR-A1"). It owns everything that
// lives for the whole run and routes the user's commands, the timers and the link's messages to
// the helpers that do the work: the receiver link, the view of the main zone controls, the
// control mode and the panel table.
class CReceiverEditorDlg final : public win::Dialog,
                                 private MainWindowServices,
                                 private ConfigurationHost,
                                 private ChangeMessageHost {
public:
    static constexpr int kTemplateId = 102;

    // `port` is the serial line the link will own (the system's port, or a test line).
    CReceiverEditorDlg(win::EventLoop& loop, ReceiverImage& image, ModelProfile& profile,
                       std::unique_ptr<serial::SerialPort> port);
    ~CReceiverEditorDlg() override;

    // Every control from the image; the next received state counts as an echo.
    void FillMainWindow() override;
    // Posts the main window's refresh message, then resets each open panel's hold counter and
    // posts the panel's refresh message.
    void RefreshPanels() override;
    void RefreshPanelsKeepingHolds() override;
    // Only resets the hold counters of the open panels.
    void ResetPanelHolds() override;

    // A configuration file to load, as File > Open does, once the window is up (the file named
    // on the program's command line). Call before the window is created.
    void OpenFileAtStart(std::string path) { fileAtStart_ = std::move(path); }

    // What Connection > "Port Settings..." works on; before it is given, the item is greyed.
    void SetPortSettings(PortSettings settings);
    // Where Configuration > "Fast Transfer" is kept: the transfers run as it says (or pipelined
    // when it never said). Without a store they run stepwise until the user ticks the item.
    void SetSettingsStore(EditorSettingsStore* store);

    // The current configuration name (empty at start; set by opening a file).
    const std::string& ConfigurationName() const { return fileCommands_.ConfigurationName(); }

    ReceiverLink& Link() { return link_; }
    PanelTable& Panels() { return panels_; }
    ControlMode& Mode() { return mode_; }
    MainZoneControls& ZoneControls() { return zoneControls_; }
    PresetMemories& Presets() { return presets_; }
    bool WaitMessageOpen() const { return waitMessage_ != nullptr; }
    // Opens the wait-message window when a transfer starts; false when it could not be made.
    bool OpenWaitMessage();
    // Posts a progress message (0xA200) to the wait-message window while it is open.
    void PostToWaitMessage(win::WParam w, win::LParam l);
    void CloseWaitMessage();
    TransferEngine& Transfer() { return transfer_; }
    const DocumentState& Document() const { return document_; }

    // Greys the menu items that cannot run while a transfer runs, or gives them back.
    void ShowTransferInMenu();
    // The transfers' start and end, for the status line.
    void TransferStarted(bool download);
    void TransferEnded(bool download, bool finished, int framesSent);

    // Every message, then the title and the status line brought up to date.
    win::LResult HandleMessage(win::Msg msg, win::WParam w, win::LParam l) override;

    static constexpr std::string_view kUntitled = "Untitled";
    static constexpr std::string_view kStopDownloadQuestion =
        "A download is running.\r\nStop it and quit?";
    static constexpr std::string_view kStopUploadQuestion =
        "An upload is running.\r\nStop it and quit?";

    CompareCommands& Compares() { return compares_; }

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, unsigned code) override;
    void OnTimer(win::TimerId id) override;
    void OnNotify(int id, win::LParam code) override { zoneControls_.OnNotify(id, code); }
    void OnScroll(int id, unsigned /*code*/, int position) override {
        zoneControls_.OnScroll(id, position);
    }
    void OnControlMouse(int id, bool pressed) override {
        zoneControls_.OnControlMouse(id, pressed);
    }
    void OnKeyDown(unsigned key) override { zoneControls_.OnKeyDown(key); }
    win::LResult OnMessage(win::Msg msg, win::WParam w, win::LParam l) override;
    void OnSysCommand(unsigned command) override;
    // Enter does not close the main window; the close box and Esc do, once the user has agreed
    // to stop a running transfer and lose no unsaved change.
    void OnOK() override {}
    void OnCancel() override;
    void OnDestroy() override;

private:
    void PostRefreshes(bool resetHolds);
    // MainWindowServices
    void ReloadWindows() override;
    void ReplyGivenUp() override { transfer_.OnReplyGivenUp(); }
    std::string StopTransferForLostLine() override { return transfer_.StopForLostLine(); }
    void UploadStep() override { transfer_.UploadStep(); }
    void DownloadStep() override { transfer_.DownloadStep(); }
    void RealtimeStep() override { transfer_.RealtimeStep(); }
    void ControlModeChanged() override {
        mode_.ShowInMenu();
        transfer_.CloseIfStopped();
    }
    // The status line says so until the next result.
    void ChangeRefused(int function) override;

    // ConfigurationHost: the whole start-up initialisation again, before a file is loaded.
    void ResetToDefaults() override;
    bool HasUnsavedChanges() const override { return document_.Changed(); }
    // While an Upload (or a compare's reading) fills the image, with the running transfer's
    // message.
    bool SaveRefused() override { return RefusedDuringUpload(); }
    void ConfigurationSaved(const std::string& path) override;
    void ConfigurationLoaded(const std::string& path) override;

    // ChangeMessageHost: what the panels' change messages show on the main window.
    void ShowProgram() override { view_.ShowProgram(); }
    void ShowZone2Controls() override {
        view_.ShowVolumes(false);
        view_.ApplyEnableRules();
    }

    void InitialiseState();
    void OnModelSelected();
    bool HandleMenuCommand(int id);
    void ShowPanel(std::size_t index);
    void OnUserMemoChanged();
    void OnTransferCancelled();
    void ShowDebugCounter();
    void ShowPortSettings();
    // A click on the label beside a panel button: the button's command, if it can be clicked.
    bool OnPanelLabelClicked(int labelId);
    // Quitting: false when the user chose to keep the transfer running or the changes unsaved.
    bool ConfirmQuit();
    // An Upload, or the reading of a compare, is filling the image.
    bool UploadRunning() const;
    // The commands that read the whole image (Save, Compare with File, Show Report) refuse
    // themselves then, with the Upload's own message "Uploading Configuration.": true when so.
    bool RefusedDuringUpload();
    // The title (file name, "*" for unsaved changes), the status line and File > Open (greyed
    // while a transfer runs), where they changed.
    void ShowDocumentState();
    std::string StatusLineText() const;
    void ToggleFastTransfer();
    void ShowFastTransferInMenu();

    ReceiverImage& image_;
    ModelProfile& profile_;
    PanelTable panels_;
    ReceiverLink link_;
    MainZoneView view_;
    ControlMode mode_;
    MainZoneControls zoneControls_;
    PresetMemories presets_;
    ConfigurationFileCommands fileCommands_;
    DocumentState document_{image_};
    // The caption of the template, which the title ends with.
    std::string programTitle_;
    // The last result the status line reports ("Saved TR-A1.tcf").
    std::string lastResult_;
    std::int64_t transferStartMs_ = 0;
    std::optional<std::string> fileAtStart_;
    std::unique_ptr<CWaitMessageDlg> waitMessage_;
    PortSettings portSettings_;
    EditorSettingsStore* settingsStore_ = nullptr;
    TransferWindowHost transferHost_{*this};
    TransferEngine transfer_;
    CompareCommands compares_{Loop(), image_, profile_, fileCommands_, transfer_};
    // The panels' change messages.
    ChangeMessageRouter router_{image_, profile_, link_.State(), link_.Sender(), *this};
};

}  // namespace tra1
