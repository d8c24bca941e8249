#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/editor_settings_store.h"
#include "app/port_settings.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"

namespace tra1 {

class CReceiverEditorDlg;

namespace serial {
class SerialPort;
}
namespace win {
class EventLoop;
}

// The application: owns the receiver image and the model profile for the whole run and runs the
// main window modally on the given loop; when it closes, the program ends. The serial line comes
// from outside so that the program uses the system's ports and tests use a line to the virtual
// receiver.
class CReceiverEditorApp {
public:
    // `settings` is what Connection > "Port Settings..." works on (nothing: the item is greyed).
    // `store` keeps the editor's own choices (Fast Transfer); null: they last for the run.
    CReceiverEditorApp(win::EventLoop& loop, std::unique_ptr<serial::SerialPort> port,
                       PortSettings settings = {}, EditorSettingsStore* store = nullptr);
    ~CReceiverEditorApp();

    // A configuration file for the main window to open once it is up (the command line's).
    void OpenFileAtStart(std::string path) { fileAtStart_ = std::move(path); }

    // Runs the main window until it closes; the program's exit status (0).
    int Run();

    // The main window while it exists (null before Run and after it); tests drive it through
    // this, the front end through its own windows.
    CReceiverEditorDlg* MainWindow() { return mainWindow_.get(); }
    // The image the program edits; it outlives the main window.
    const ReceiverImage& Image() const { return image_; }

private:
    win::EventLoop& loop_;
    std::unique_ptr<serial::SerialPort> port_;
    PortSettings portSettings_;
    EditorSettingsStore* settingsStore_ = nullptr;
    ReceiverImage image_;
    ModelProfile profile_;
    std::unique_ptr<CReceiverEditorDlg> mainWindow_;
    std::optional<std::string> fileAtStart_;
};

}  // namespace tra1
