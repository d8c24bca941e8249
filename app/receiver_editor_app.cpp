#include "app/receiver_editor_app.h"

#include <utility>

#include "app/receiver_editor_dlg.h"
#include "platform/serial/serial_port.h"
#include "platform/win/event_loop.h"

namespace tra1 {

CReceiverEditorApp::CReceiverEditorApp(win::EventLoop& loop,
                                       std::unique_ptr<serial::SerialPort> port,
                                       PortSettings settings, EditorSettingsStore* store)
    : loop_(loop),
      port_(std::move(port)),
      portSettings_(std::move(settings)),
      settingsStore_(store) {}

CReceiverEditorApp::~CReceiverEditorApp() = default;

int CReceiverEditorApp::Run() {
    mainWindow_ = std::make_unique<CReceiverEditorDlg>(loop_, image_, profile_, std::move(port_));
    if (fileAtStart_) {
        mainWindow_->OpenFileAtStart(*std::exchange(fileAtStart_, std::nullopt));
    }
    mainWindow_->SetPortSettings(portSettings_);
    mainWindow_->SetSettingsStore(settingsStore_);
    mainWindow_->DoModal();
    mainWindow_.reset();
    return 0;
}

}  // namespace tra1
