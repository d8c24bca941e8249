#include "app/receiver_editor_dlg.h"

#include <filesystem>
#include <utility>

#include "app/about_dlg.h"
#include "app/creport_dlg.h"
#include "app/main_window_ids.h"
#include "app/panel_factories.h"
#include "app/port_settings_dlg.h"
#include "app/status_line.h"
#include "app/transfer_time_menu.h"
#include "app/wait_message_dlg.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "model/value_format.h"
#include "panels/panel_context.h"
#include "platform/serial/serial_port.h"
#include "platform/win/combo_box.h"
#include "platform/win/edit.h"
#include "platform/win/event_loop.h"
#include "platform/win/menu.h"
#include "platform/win/prompter.h"
#include "platform/win/resource_registry.h"
#include "platform/win/static.h"
#include "resources/icon_ids.h"

namespace tra1 {

namespace id = main_window;

namespace {
constexpr int kAboutTextId = 101;

}  // namespace

CReceiverEditorDlg::CReceiverEditorDlg(win::EventLoop& loop, ReceiverImage& image,
                                       ModelProfile& profile,
                                       std::unique_ptr<serial::SerialPort> port)
    : Dialog(loop, kTemplateId),
      image_(image),
      profile_(profile),
      link_(*this, image, profile, std::move(port), *this),
      view_(*this, image, profile, link_.State()),
      mode_(*this, link_.State(), panels_),
      zoneControls_(*this, image, link_.State(), link_.Sender(), view_, panels_),
      presets_(*this, image, link_.Sender(), view_, panels_),
      fileCommands_(loop, image, profile, *this),
      transfer_(link_.State(), image, profile, transferHost_) {}

CReceiverEditorDlg::~CReceiverEditorDlg() = default;

bool CReceiverEditorDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    programTitle_ = GetWindowText();
    // The About item at the foot of the system menu.
    win::Menu& systemMenu = GetSystemMenu();
    systemMenu.AppendSeparator();
    const std::string* aboutText = win::ResourceRegistry::Instance().FindString(kAboutTextId);
    systemMenu.AppendCommand(
        win::IDM_ABOUTBOX, aboutText != nullptr ? *aboutText : "&About Tolvek Receiver Editor...");
    SetIcon(res::kIconProgram, true);
    SetIcon(res::kIconProgram, false);

    fileCommands_.SetOwner(Handle());
    compares_.SetOwner(Handle());
    panels_.SetFactory(PanelTable::IndexForRefresh(CREPORTDlg::kRefreshMessage),
                       MakeReportPanelFactory(Loop(), image_, profile_, Handle()));
    InstallPanelFactories(panels_,
                          PanelContext{Loop(), image_, profile_, link_.State(), Handle(), panels_});

    profile_.SetModel(ModelProfile::kTrA1);
    link_.CreateLinkWindows();

    view_.FillItemLists();
    if (auto* ports = Get<win::ComboBox>(id::kPortCombo)) {
        ports->SetCurSel(0);
    }
    InitialiseState();

    // The read-outs and the log draw cyan on black.
    for (int control :
         {id::kMainVolumeReadout, id::kZone2VolumeReadout, id::kProgramReadout, id::kLogEdit}) {
        if (win::Control* readout = GetDlgItem(control)) {
            readout->UseReadoutColors();
        }
    }
    if (auto* icon = Get<win::Static>(id::kConnectionIcon)) {
        icon->SetIcon(res::kIconNotConnected);
    }

    FillMainWindow();
    PostMessage(id::kRefreshMainWindow);

    SetTimer(id::kBlinkTimer, 500);
    link_.StartTimers();  // timers 3 (150 ms) and 7 (1000 ms)
    SetTimer(id::kVolumeRepeatTimer, 50);
    mode_.ShowInMenu();
    if (fileAtStart_) {
        PostMessage(id::kOpenFileAtStart);
    }
    if (win::Menu* menu = GetMenu()) {
        menu->EnableItem(id::kMenuPortSettings, portSettings_.map != nullptr);
        compares_.ShowInMenu(*menu);
    }
    ShowFastTransferInMenu();
    return true;
}

void CReceiverEditorDlg::SetPortSettings(PortSettings settings) {
    portSettings_ = std::move(settings);
    if (win::Menu* menu = IsWindow() ? GetMenu() : nullptr) {
        menu->EnableItem(id::kMenuPortSettings, portSettings_.map != nullptr);
    }
}

void CReceiverEditorDlg::SetSettingsStore(EditorSettingsStore* store) {
    settingsStore_ = store;
    if (settingsStore_ != nullptr) {
        transfer_.SetPipelined(settingsStore_->LoadFastTransfer().value_or(kFastTransferByDefault));
    }
    ShowFastTransferInMenu();
    compares_.SetSettingsStore(store);
    if (win::Menu* menu = IsWindow() ? GetMenu() : nullptr) {
        compares_.ShowInMenu(*menu);
    }
}

void CReceiverEditorDlg::ShowFastTransferInMenu() {
    if (win::Menu* menu = IsWindow() ? GetMenu() : nullptr) {
        menu->CheckItem(id::kMenuFastTransfer, transfer_.Pipelined());
    }
}

void CReceiverEditorDlg::ToggleFastTransfer() {
    // A transfer that runs keeps the way it started; the next one follows the item.
    transfer_.SetPipelined(!transfer_.Pipelined());
    ShowFastTransferInMenu();
    if (settingsStore_ != nullptr && !settingsStore_->SaveFastTransfer(transfer_.Pipelined())) {
        MessageBox(
            "The Fast Transfer setting could not be saved.\r\nIt applies until the program "
            "ends.",
            id::kMessageTitle, win::Buttons::kOk);
    }
}

void CReceiverEditorDlg::ShowPortSettings() {
    if (portSettings_.map == nullptr) {
        return;
    }
    CPORTSETTINGSDlg settings(Loop(), portSettings_);
    if (settings.DoModal(Handle()) < 0) {
        MessageBox("Dialog Creating Error\r\nPort Settings", "", win::Buttons::kOk);
    }
}

void CReceiverEditorDlg::InitialiseState() {
    // The image's defaults, then the main window's own state: asynchronous mode and no
    // configuration name. The link is not part of it: an open port, a search, a reply being
    // waited for and the busy flags go on exactly as before (at start-up the link is in its
    // initial state anyway).
    image_.ResetToDefaults(profile_);
    if (link_.State().realtimeMode) {
        mode_.EnterAsynchronous();
    }
    fileCommands_.SetConfigurationName({});
    document_.MarkClean({});
    PostMessage(id::kRefreshMainWindow);
}

void CReceiverEditorDlg::FillMainWindow() {
    view_.Fill();
    link_.State().echoGuard = true;
}

void CReceiverEditorDlg::RefreshPanels() {
    PostRefreshes(true);
}

void CReceiverEditorDlg::RefreshPanelsKeepingHolds() {
    PostRefreshes(false);
}

void CReceiverEditorDlg::PostRefreshes(bool resetHolds) {
    PostMessage(id::kRefreshMainWindow);
    const auto& descriptors = PanelDescriptors();
    panels_.ForEachOpen([&descriptors, resetHolds](std::size_t index, const OpenPanel& panel) {
        if (resetHolds && panel.resetHoldCounter) {
            panel.resetHoldCounter();
        }
        panel.window->PostMessage(descriptors.at(index).refreshMessage);
    });
}

void CReceiverEditorDlg::ResetPanelHolds() {
    panels_.ResetAllHoldCounters();
}

void CReceiverEditorDlg::ReloadWindows() {
    FillMainWindow();
    RefreshPanels();
}

void CReceiverEditorDlg::ResetToDefaults() {
    InitialiseState();
    FillMainWindow();
    RefreshPanels();
}

void CReceiverEditorDlg::OnCommand(int commandId, unsigned code) {
    if (code == win::STN_CLICKED && OnPanelLabelClicked(commandId)) {
        return;
    }
    if (commandId == id::kUserMemoEdit) {
        if (code == win::EN_CHANGE) {
            OnUserMemoChanged();
        }
        return;
    }
    if (commandId == id::kModelCombo) {
        if (code == win::CBN_SELCHANGE) {
            OnModelSelected();
        }
        return;
    }
    if (zoneControls_.OnCommand(commandId, code) || presets_.OnCommand(commandId, code)) {
        return;
    }
    // Menu items arrive with code 0, buttons with BN_CLICKED (also 0).
    if (code != win::BN_CLICKED) {
        return;
    }
    if (HandleMenuCommand(commandId)) {
        // Disconnecting or changing the control mode ends a transfer; its window goes with it.
        transfer_.CloseIfStopped();
        return;
    }
    const std::size_t panel = PanelTable::IndexForCommand(commandId);
    if (panel < kPanelCount) {
        ShowPanel(panel);
    }
}

bool CReceiverEditorDlg::HandleMenuCommand(int commandId) {
    switch (commandId) {
        case id::kMenuConnect:
        case id::kConnectButton:
            link_.GetConnector().Connect();
            break;
        case id::kMenuDisconnect:
        case id::kDisconnectButton:
            link_.GetConnector().Disconnect();
            mode_.ShowInMenu();
            break;
        case id::kMenuRealtime:
            mode_.EnterRealtime();
            break;
        case id::kMenuAsynchronous:
            mode_.EnterAsynchronous();
            break;
        case id::kMenuOpen:
            // A running transfer puts its saved image back when it stops, over whatever a file
            // opened meanwhile would have brought: the item is greyed then, and refused here.
            if (!transfer_.Running()) {
                fileCommands_.Open();
            }
            break;
        case id::kMenuSave:
            // Greyed while an Upload fills the image; sent anyway, Save refuses itself.
            fileCommands_.Save();
            break;
        case id::kMenuUpload:
        case id::kUploadButton:
            transfer_.StartUpload();
            break;
        case id::kMenuDownload:
        case id::kDownloadButton:
            transfer_.StartDownload();
            break;
        case id::kMenuPortSettings:
            ShowPortSettings();
            break;
        case id::kMenuFastTransfer:
            ToggleFastTransfer();
            break;
        case id::kMenuCompareWithFile:
            // Greyed while an Upload fills the image; sent anyway, refused with its message.
            if (!RefusedDuringUpload()) {
                compares_.CompareWithFile();
            }
            break;
        case id::kMenuCompareWithReceiver:
            compares_.CompareWithReceiver();
            break;
        case id::kMenuVerifyAfterDownload:
            compares_.ToggleVerifyAfterDownload();
            if (win::Menu* menu = GetMenu()) {
                compares_.ShowInMenu(*menu);
            }
            break;
        case id::kClearLogButton:
            SetDlgItemText(id::kLogEdit, "");
            break;
        case id::kDebugButton:
            ShowDebugCounter();
            break;
        default:
            return false;
    }
    return true;
}

bool CReceiverEditorDlg::OnPanelLabelClicked(int labelId) {
    const int button = labelId - id::kPanelLabelIdOffset;
    if (id::LabelOf(button) != labelId || PanelTable::IndexForCommand(button) >= kPanelCount) {
        return false;
    }
    // A button the window has greyed (INPUT - DSP and PARAMETER under multi-channel input)
    // cannot be reached through its label either.
    if (const win::Control* control = GetDlgItem(button);
        control != nullptr && control->IsEnabled() && control->IsVisible()) {
        ShowPanel(PanelTable::IndexForCommand(button));
    }
    return true;
}

void CReceiverEditorDlg::OnModelSelected() {
    // The model combo lists this build's one model; a choice the user cancels is put back.
    auto* models = Get<win::ComboBox>(id::kModelCombo);
    if (models == nullptr) {
        return;
    }
    // Another model resets the image to its defaults: under a running transfer that would
    // mix the defaults into what an Upload reads or a Download sends, and the transfer's stop
    // would put the old image back over them. The choice is put back and nothing changes.
    if (transfer_.Running()) {
        models->SetCurSel(profile_.Model() - ModelProfile::kTrA1);
        return;
    }
    const int code = models->GetCurSel() + ModelProfile::kTrA1;
    if (!fileCommands_.SelectModel(code)) {
        models->SetCurSel(profile_.Model() - ModelProfile::kTrA1);
    }
}

void CReceiverEditorDlg::ShowPanel(std::size_t index) {
    // The report's button is greyed during an Upload; sent anyway, the Upload's message.
    if (PanelDescriptors().at(index).refreshMessage == CREPORTDlg::kRefreshMessage &&
        RefusedDuringUpload()) {
        return;
    }
    if (panels_.Show(index) == PanelTable::ShowResult::kCreateFailed) {
        MessageBox(
            "Dialog Creating Error\r\n" + std::string(PanelDescriptors().at(index).windowName), "",
            win::Buttons::kOk);
    }
}

void CReceiverEditorDlg::OnUserMemoChanged() {
    // The edit takes up to 1001 characters; the image keeps the first 500 bytes of them.
    std::string text = GetDlgItemText(id::kUserMemoEdit);
    if (text.size() > static_cast<std::size_t>(id::kUserMemoLimit)) {
        text.resize(id::kUserMemoLimit);
    }
    image_.SetUserMemoText(text);
}

void CReceiverEditorDlg::ShowDebugCounter() {
    SetDlgItemText(id::kDebugEdit, FormatInteger(link_.State().waitingCounter));
}

void CReceiverEditorDlg::OnTimer(win::TimerId timerId) {
    if (timerId == id::kBlinkTimer) {
        link_.OnBlinkTimer();
        return;
    }
    if (timerId == id::kVolumeRepeatTimer) {
        zoneControls_.OnRepeatTimer();
        return;
    }
    link_.OnTimer(timerId);
}

win::LResult CReceiverEditorDlg::OnMessage(win::Msg msg, win::WParam w, win::LParam l) {
    switch (msg) {
        case id::kReceivedBatch:
            link_.OnReceivedBatch();
            // The identification may have disconnected (its Cancel): a transfer that ended
            // with the link closes its window and puts the image back.
            ControlModeChanged();
            return 0;
        case id::kAuxTick:
            link_.OnAuxTick();
            return 0;
        case id::kStepNow:
            link_.OnStepNow();
            return 0;
        case id::kRefreshMainWindow:
            view_.Refresh();
            zoneControls_.AfterRefresh();
            return 1;
        case id::kTransferCancelled:
            OnTransferCancelled();
            return 0;
        case id::kStartVerify:
            // The Download's wait window has done its part; the read-back opens its own.
            CloseWaitMessage();
            compares_.StartVerify();
            return 0;
        case id::kOpenFileAtStart:
            if (fileAtStart_) {
                fileCommands_.Load(*std::exchange(fileAtStart_, std::nullopt));
            }
            return 0;
        default:
            if (const auto handled = router_.Handle(msg, w, l)) {
                if (msg == change_message::kInputRename) {
                    view_.ShowInputNames();  // the lists name the input anew at once
                }
                return *handled;
            }
            return Dialog::OnMessage(msg, w, l);
    }
}

void CReceiverEditorDlg::OnSysCommand(unsigned command) {
    if ((command & 0xFFF0u) == win::IDM_ABOUTBOX) {
        CAboutDlg about(Loop());
        about.DoModal(Handle());
        return;
    }
    Dialog::OnSysCommand(command);
}

bool CReceiverEditorDlg::OpenWaitMessage() {
    if (waitMessage_ != nullptr) {
        return true;
    }
    auto wait = std::make_unique<CWaitMessageDlg>(Loop(), Handle());
    CWaitMessageDlg* raw = wait.get();
    raw->SetOnDestroyed([this] {
        if (waitMessage_ != nullptr) {
            Loop().DeleteLater(std::move(waitMessage_));
        }
    });
    waitMessage_ = std::move(wait);
    if (!raw->Open()) {
        waitMessage_.reset();
        MessageBox("Dialog Creating Error\r\nWait Message", "", win::Buttons::kOk);
        return false;
    }
    return true;
}

void CReceiverEditorDlg::CloseWaitMessage() {
    if (waitMessage_ != nullptr && waitMessage_->IsWindow()) {
        waitMessage_->DestroyWindow();  // its destroyed callback hands it to DeleteLater
    }
}

void CReceiverEditorDlg::PostToWaitMessage(win::WParam w, win::LParam l) {
    if (waitMessage_ != nullptr && waitMessage_->IsWindow()) {
        waitMessage_->PostMessage(CWaitMessageDlg::kProgressMessage, w, l);
    }
}

void CReceiverEditorDlg::OnTransferCancelled() {
    transfer_.Cancel();
}

void CReceiverEditorDlg::OnCancel() {
    if (ConfirmQuit()) {
        Dialog::OnCancel();
    }
}

bool CReceiverEditorDlg::ConfirmQuit() {
    if (transfer_.Running()) {
        const bool upload = UploadRunning();
        if (MessageBox(std::string(upload ? kStopUploadQuestion : kStopDownloadQuestion),
                       id::kMessageTitle, win::Buttons::kYesNo) != win::Answer::kYes) {
            return false;
        }
        // A stopped upload puts back the image it started from: that is the configuration the
        // save question is about, never one half read from the receiver. A download leaves the
        // image alone and runs on until the user has answered.
        if (upload) {
            transfer_.Cancel();
        }
    }
    if (!fileCommands_.SaveChangesFirst(ConfigurationFileCommands::kSaveQuestion)) {
        return false;
    }
    if (transfer_.Running()) {
        transfer_.Cancel();
    }
    return true;
}

bool CReceiverEditorDlg::UploadRunning() const {
    return link_.State().uploadInProgress != 0;
}

bool CReceiverEditorDlg::RefusedDuringUpload() {
    if (!UploadRunning()) {
        return false;
    }
    MessageBox(std::string(TransferEngine::kUploadingText), "", win::Buttons::kOk);
    return true;
}

void CReceiverEditorDlg::ConfigurationSaved(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    document_.MarkClean(name);
    lastResult_ = "Saved " + name;
}

void CReceiverEditorDlg::ConfigurationLoaded(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    document_.MarkClean(name);
    lastResult_ = "Opened " + name;
}

void CReceiverEditorDlg::ChangeRefused(int function) {
    lastResult_ = "Change refused by the receiver (function " + std::to_string(function) + ")";
}

void CReceiverEditorDlg::TransferStarted(bool /*download*/) {
    transferStartMs_ = Loop().NowMs();
    lastResult_.clear();
}

void CReceiverEditorDlg::TransferEnded(bool download, bool finished, int framesSent) {
    lastResult_ =
        TransferResultText(download, finished, framesSent, Loop().NowMs() - transferStartMs_,
                           download ? 0 : link_.State().uploadValuesNotRead);
}

win::LResult CReceiverEditorDlg::HandleMessage(win::Msg msg, win::WParam w, win::LParam l) {
    const win::LResult result = Dialog::HandleMessage(msg, w, l);
    if (IsWindow() && msg != win::WM_DESTROY) {
        ShowDocumentState();
    }
    return result;
}

std::string CReceiverEditorDlg::StatusLineText() const {
    const LinkState& state = link_.State();
    StatusFacts facts;
    facts.connection = link_.GetConnector().Connection();
    facts.openPort = state.openPort;
    facts.model = profile_.ModelName();
    facts.realtime = state.realtimeMode;
    facts.powerReported = state.powerReported;
    facts.standby = image_.MainZoneState.at(main_zone::kPower) == 0;
    facts.lastResult = lastResult_;
    return StatusText(facts);
}

void CReceiverEditorDlg::ShowDocumentState() {
    if (programTitle_.empty()) {
        return;  // before the window has initialised
    }
    std::string title = document_.Title(programTitle_, kUntitled);
    if (title != GetWindowText()) {
        SetWindowText(std::move(title));
    }
    std::string status = StatusLineText();
    if (status != GetDlgItemText(id::kStatusLine)) {
        SetDlgItemText(id::kStatusLine, std::move(status));
    }
    ShowTransferInMenu();
}

void CReceiverEditorDlg::ShowTransferInMenu() {
    const bool upload = UploadRunning();
    if (win::Menu* menu = GetMenu()) {
        tra1::ShowTransferInMenu(*menu, transfer_.Running(), upload);
    }
    // The report is written once, from the image as it is when its window opens: opened during
    // an Upload it would show, save and print a configuration half read from the receiver.
    constexpr int kReportButton = CREPORTDlg::kDescriptor.buttonId;
    EnableDlgItem(kReportButton, !upload);
    EnableDlgItem(id::LabelOf(kReportButton), !upload);
}

void CReceiverEditorDlg::OnDestroy() {
    panels_.DestroyAll();
    compares_.CloseWindow();
    CloseWaitMessage();
    Dialog::OnDestroy();
}

}  // namespace tra1
