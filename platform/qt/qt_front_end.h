#pragma once
// The Qt front end in one object: shows every dialog of the window system as a real window, runs
// the window system's timers and posted messages inside Qt's event loop, and shows message boxes,
// file dialogs and the print dialog with Qt. Construct it after the QApplication and the EventLoop,
// before the first dialog is created:
//
//   QApplication app(argc, argv);
//   res::AddProgramResources(win::ResourceRegistry::Instance());
//   win::SteadyClock clock;
//   win::EventLoop loop(clock);
//   qtui::QtFrontEnd front_end(loop);
//   CReceiverEditorApp editor(loop);   // its DoModal runs in a nested QEventLoop
//   return editor.Run();
//
// No app.exec() is needed: a modal dialog's DoModal runs Qt's loop until the dialog ends.

#include <memory>

#include "platform/qt/qt_dialog_host.h"
#include "platform/qt/qt_loop_pump.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_prompter.h"
#include "platform/win/event_loop.h"

namespace tra1::qtui {

class RememberedPlaces;

class QtFrontEnd {
public:
    explicit QtFrontEnd(win::EventLoop& loop);
    // Uninstalls itself from the loop and closes every window it still shows.
    ~QtFrontEnd();
    QtFrontEnd(const QtFrontEnd&) = delete;
    QtFrontEnd& operator=(const QtFrontEnd&) = delete;

    // Windows and file dialogs open where the user left them on an earlier run. `places` must
    // outlive the front end; null forgets.
    void RememberPlaces(RememberedPlaces* places);

    QtDialogHost& Host() { return *host_; }
    QtPrompter& GetPrompter() { return *prompter_; }
    QtLoopPump& Pump() { return *pump_; }
    QtPrinter& Printer() { return *printer_; }

private:
    win::EventLoop& loop_;
    std::unique_ptr<QtLoopPump> pump_;
    std::unique_ptr<QtDialogHost> host_;
    std::unique_ptr<QtPrompter> prompter_;
    std::unique_ptr<QtPrinter> printer_;
};

// Application-wide look of the front end: the Fusion style (it honours the controls' colour
// roles, so read-outs are cyan on black everywhere). Idempotent.
void ApplyApplicationLook();
// The icon resource that stands for the application: the icon of every window that has none of
// its own. When the icon theme has an icon named after the application's desktop entry
// (QGuiApplication::desktopFileName), that one is shown for this id instead.
void UseApplicationIcon(int iconId);

}  // namespace tra1::qtui
