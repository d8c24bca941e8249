#include "platform/qt/qt_dialog_host.h"

#include <QEventLoop>

#include "platform/qt/dialog_widget.h"
#include "platform/qt/qt_loop_pump.h"

namespace tra1::qtui {

QtDialogHost::QtDialogHost(win::EventLoop& loop, QtLoopPump* pump) : loop_(loop), pump_(pump) {}

QtDialogHost::~QtDialogHost() {
    for (auto& [handle, widget] : widgets_) {
        if (widget != nullptr) {
            widget->Detach();
            delete widget.data();
        }
    }
}

DialogWidget* QtDialogHost::WidgetFor(win::WindowHandle handle) const {
    const auto found = widgets_.find(handle);
    return found == widgets_.end() ? nullptr : found->second.data();
}

void QtDialogHost::DialogChanged(win::Dialog& dialog, win::WindowChange change) {
    const win::WindowHandle handle = dialog.Handle();
    if (change == win::WindowChange::kCreated) {
        // Owned dialogs stay above their owner's window (see DialogWidget and RaiseOwnedWindows).
        QWidget* qtParent = WidgetFor(dialog.Parent());
        widgets_[handle] = new DialogWidget(*this, dialog, qtParent);
        return;
    }
    DialogWidget* widget = WidgetFor(handle);
    if (widget == nullptr) {
        return;
    }
    widget->Mirror(change);  // kDestroyed detaches and deletes it later
    if (change == win::WindowChange::kDestroyed) {
        widgets_.erase(handle);
    }
    if (change == win::WindowChange::kHidden || change == win::WindowChange::kDestroyed) {
        EndFinishedModals();
    }
}

void QtDialogHost::RaiseOwnedWindows(win::WindowHandle owner) {
    for (const win::WindowHandle owned : loop_.ChildrenOf(owner)) {
        if (DialogWidget* widget = WidgetFor(owned); widget != nullptr && widget->isVisible()) {
            widget->raise();
            RaiseOwnedWindows(owned);
        }
    }
}

bool QtDialogHost::Finished(win::WindowHandle handle) const {
    const auto* dialog = loop_.FindAs<win::Dialog>(handle);
    return dialog == nullptr || dialog->ModalEnded();
}

bool QtDialogHost::RunModal(win::Dialog& dialog) {
    // An owned dialog's widget was made window-modal when it was created (see DialogWidget).
    const win::WindowHandle handle = dialog.Handle();
    if (Finished(handle)) {
        return true;
    }
    QEventLoop qtLoop;
    modalRuns_.push_back({handle, &qtLoop});
    if (pump_ != nullptr) {
        pump_->Schedule();
    }
    qtLoop.exec();
    std::erase_if(modalRuns_, [&](const ModalRun& run) { return run.qtLoop == &qtLoop; });
    return true;
}

void QtDialogHost::EndFinishedModals() {
    for (const ModalRun& run : modalRuns_) {
        if (Finished(run.handle)) {
            run.qtLoop->quit();
        }
    }
}

}  // namespace tra1::qtui
