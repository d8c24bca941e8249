#pragma once
// The front end's view of the window system: told when a dialog is created, shown, hidden,
// moved, focused, retitled or destroyed, so it can build and mirror a real window for it, and
// asked to run modal dialogs inside its own loop. The headless build has none.

#include "platform/win/window.h"

namespace tra1::win {

class Dialog;

class DialogHost {
public:
    virtual ~DialogHost() = default;
    // kCreated comes after the dialog's controls exist and before OnInitDialog, so the front end
    // can attach its control observers and see every later change.
    virtual void DialogChanged(Dialog& dialog, WindowChange change) = 0;
    // Runs `dialog` modally until dialog.ModalEnded() is true or the dialog is gone (the front
    // end's nested loop must keep running the EventLoop). Return false to let the headless modal
    // loop run it instead.
    virtual bool RunModal(Dialog& /*dialog*/) { return false; }
};

}  // namespace tra1::win
