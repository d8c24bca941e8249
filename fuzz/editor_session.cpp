#include "fuzz/editor_session.h"

#include <cstdlib>

#include "app/main_window_ids.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/win/resource_registry.h"
#include "platform/win/user_input.h"
#include "resources/program_resources.h"

namespace tra1::fuzz {
namespace {

// The windows are made from the program's resources; a fuzzer adds them once, as the editor
// does at start.
void AddResourcesOnce() {
    static const bool added = [] {
        res::AddProgramResources(win::ResourceRegistry::Instance());
        return true;
    }();
    (void)added;
}

}  // namespace

EditorSession::EditorSession(serial::FarEnd& farEnd) {
    AddResourcesOnce();
    loop_.SetPrompter(&prompter_);
    window_ = std::make_unique<CReceiverEditorDlg>(
        loop_, image_, profile_, std::make_unique<serial::InMemorySerialPort>(lineClock_, farEnd));
    if (!window_->Create()) {
        std::abort();
    }
    window_->Show();
    loop_.DrainPosted();
}

EditorSession::~EditorSession() {
    if (window_->IsWindow()) {
        window_->DestroyWindow();
    }
    loop_.DrainPosted();
}

void EditorSession::Connect(int port) {
    win::user::PickComboItem(*window_, main_window::kPortCombo, port);
    win::user::Click(*window_, main_window::kConnectButton);
}

void EditorSession::Choose(int menuId) {
    win::user::ChooseMenuItem(*window_, menuId);
    loop_.DrainPosted();
}

}  // namespace tra1::fuzz
