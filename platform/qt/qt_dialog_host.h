#pragma once
// The window system's DialogHost for Qt: builds a DialogWidget when a dialog is created, mirrors
// its window changes, removes it when the dialog goes, and runs modal dialogs in a nested
// QEventLoop (the loop pump keeps timers and posted messages running inside it).

#include <QPointer>
#include <unordered_map>
#include <vector>

#include "platform/win/dialog_host.h"
#include "platform/win/event_loop.h"

class QEventLoop;

namespace tra1::qtui {

class DialogWidget;
class QtLoopPump;
class RememberedPlaces;

class QtDialogHost final : public win::DialogHost {
public:
    // `pump` (may be null) is re-armed before a modal loop starts.
    QtDialogHost(win::EventLoop& loop, QtLoopPump* pump);
    ~QtDialogHost() override;
    QtDialogHost(const QtDialogHost&) = delete;
    QtDialogHost& operator=(const QtDialogHost&) = delete;

    void DialogChanged(win::Dialog& dialog, win::WindowChange change) override;
    bool RunModal(win::Dialog& dialog) override;

    // The real window of a dialog, or nullptr.
    DialogWidget* WidgetFor(win::WindowHandle handle) const;
    // An owned window stays above its owner: after the owner's window was raised (it took the
    // focus, or it was shown), its visible owned windows are raised above it, theirs above them.
    // The window manager does the same on its own for the user's clicks; without one (a bare X
    // server) nothing else would.
    void RaiseOwnedWindows(win::WindowHandle owner);
    // Ends the nested loops of modal dialogs that have ended or gone. Called after every user
    // gesture and every batch of window-system work.
    void EndFinishedModals();

    win::EventLoop& Loop() const { return loop_; }

    // Where windows reopen across runs; null (the default): where their dialogs place them.
    void SetRememberedPlaces(RememberedPlaces* places) { places_ = places; }
    RememberedPlaces* GetRememberedPlaces() const { return places_; }

private:
    struct ModalRun {
        win::WindowHandle handle;
        QEventLoop* qtLoop;
    };
    bool Finished(win::WindowHandle handle) const;

    win::EventLoop& loop_;
    QtLoopPump* pump_;
    std::unordered_map<win::WindowHandle, QPointer<DialogWidget>> widgets_;
    std::vector<ModalRun> modalRuns_;
    RememberedPlaces* places_ = nullptr;
};

}  // namespace tra1::qtui
