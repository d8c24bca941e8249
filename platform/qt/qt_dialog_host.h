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
    // The windows to raise, bottom to top, when `handle`'s window comes to the front (it was
    // shown or took the focus): the window itself; its visible owned windows above it, theirs
    // above them (an owned window stays above its owner); then the visible windows that stay
    // above the program's others (dialog_style::kTopmost: the wait window of a transfer), each
    // with its owned windows. A window manager keeps owned windows above their owner on its own
    // for the user's clicks, but not the program's own stacking; without one (a bare X server)
    // nothing else would.
    std::vector<win::WindowHandle> RaiseOrder(win::WindowHandle handle) const;
    // Raises the windows of RaiseOrder in turn, and last the modal window the user has to
    // answer (a message box, a file dialog), which nothing may hide.
    void Raise(win::WindowHandle handle);
    // The window manager brought one of the program's windows to the front (the user clicked
    // it): the windows that stay above the others go above it again.
    void RaiseTopmostWindows();
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
    // `handle`'s visible window and its visible owned windows, bottom to top, added to `order`.
    void AppendWithOwnedWindows(win::WindowHandle handle,
                                std::vector<win::WindowHandle>& order) const;
    // The visible windows that stay above the program's others, in the order they were made.
    std::vector<win::WindowHandle> TopmostWindows() const;
    void RaiseInOrder(const std::vector<win::WindowHandle>& order) const;

    win::EventLoop& loop_;
    QtLoopPump* pump_;
    std::unordered_map<win::WindowHandle, QPointer<DialogWidget>> widgets_;
    std::vector<ModalRun> modalRuns_;
    RememberedPlaces* places_ = nullptr;
};

}  // namespace tra1::qtui
