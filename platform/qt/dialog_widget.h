#pragma once
// The real window of one win::Dialog: a top-level QWidget whose client area holds one widget per
// control, placed by the template's dialog units scaled by the dialog's font, and a menu bar
// when the dialog has a menu.
//
// The window system stays the master: closing the window, Enter and Esc become the close-box and
// key gestures, and the dialog decides what happens (it may refuse to close). Items a dialog adds
// to its system menu (the About item) appear in a "&Help" menu at the end of its menu bar and in
// the context menu of its client area (right click).

#include <QMenuBar>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/qt/dialog_units.h"
#include "platform/win/dialog.h"
#include "platform/win/window.h"

class QVBoxLayout;

namespace tra1::qtui {

class ControlBinding;
class QtDialogHost;

class DialogWidget final : public QWidget {
public:
    DialogWidget(QtDialogHost& host, win::Dialog& dialog, QWidget* qtParent);
    ~DialogWidget() override;

    // The dialog, or nullptr once its window has gone.
    win::Dialog* GetDialog() const { return dialog_; }
    win::WindowHandle Handle() const { return handle_; }
    const DialogUnits& Units() const { return units_; }
    QWidget* Client() const { return client_; }
    // The widget of a control, or nullptr.
    QWidget* ControlWidget(int id) const;
    QMenuBar* MenuBar() const { return menuBar_; }

    // Mirrors a change of the dialog window.
    void Mirror(win::WindowChange change);
    // The dialog's window is being destroyed: forget it and go (deleted later, since a gesture
    // of this very widget may be on the stack).
    void Detach();

    // Runs a gesture on the dialog if it still exists. False otherwise or when refused.
    bool RunGesture(const std::function<bool(win::Dialog&)>& gesture);
    // Called after every gesture: lets modal loops whose dialog has ended return.
    void GestureFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildControls();
    // Joins each horizontal slider's end labels to it, so that they grey with it.
    void AttachSwitchLabels();
    void RebuildMenus();
    void UpdateMenus();
    void ApplyPlacement();
    // The place the user left this window in on an earlier run, if it is one that is remembered
    // and a place was kept. False: the dialog's own placement applies.
    bool RestoreRememberedPlace();
    void RememberPlace();
    void ApplyEnabled();
    std::vector<win::MenuItem> SystemMenuExtras() const;
    void ChooseSystemCommand(int id);

    QtDialogHost& host_;
    win::Dialog* dialog_;
    win::WindowHandle handle_;
    DialogUnits units_;
    QVBoxLayout* layout_;
    QWidget* client_;
    QPointer<QMenuBar> menuBar_;
    std::vector<std::unique_ptr<ControlBinding>> bindings_;
    bool placed_ = false;
};

}  // namespace tra1::qtui
