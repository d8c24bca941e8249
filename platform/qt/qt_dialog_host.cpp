#include "platform/qt/qt_dialog_host.h"

#include <QApplication>
#include <QEventLoop>
#include <algorithm>
#include <cstdint>
#include <utility>

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
        // Owned dialogs stay above their owner's window (see DialogWidget and RaiseOrder).
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

std::vector<win::WindowHandle> QtDialogHost::RaiseOrder(win::WindowHandle handle) const {
    std::vector<win::WindowHandle> order;
    AppendWithOwnedWindows(handle, order);
    for (const win::WindowHandle topmost : TopmostWindows()) {
        // Raised again at the end, above what was raised before it.
        std::vector<win::WindowHandle> group;
        AppendWithOwnedWindows(topmost, group);
        std::erase_if(order, [&group](win::WindowHandle h) {
            return std::find(group.begin(), group.end(), h) != group.end();
        });
        order.insert(order.end(), group.begin(), group.end());
    }
    return order;
}

void QtDialogHost::Raise(win::WindowHandle handle) {
    RaiseInOrder(RaiseOrder(handle));
}

void QtDialogHost::RaiseTopmostWindows() {
    std::vector<win::WindowHandle> order;
    for (const win::WindowHandle topmost : TopmostWindows()) {
        AppendWithOwnedWindows(topmost, order);
    }
    if (!order.empty()) {
        RaiseInOrder(order);
    }
}

void QtDialogHost::AppendWithOwnedWindows(win::WindowHandle handle,
                                          std::vector<win::WindowHandle>& order) const {
    const DialogWidget* widget = WidgetFor(handle);
    if (widget == nullptr || !widget->isVisible() ||
        std::find(order.begin(), order.end(), handle) != order.end()) {
        return;
    }
    order.push_back(handle);
    for (const win::WindowHandle owned : loop_.ChildrenOf(handle)) {
        AppendWithOwnedWindows(owned, order);
    }
}

std::vector<win::WindowHandle> QtDialogHost::TopmostWindows() const {
    std::vector<std::pair<std::uint64_t, win::WindowHandle>> found;
    for (const auto& [handle, widget] : widgets_) {
        const win::Dialog* dialog = widget != nullptr ? widget->GetDialog() : nullptr;
        const win::DialogTemplate* source =
            dialog != nullptr ? dialog->GetDialogTemplate() : nullptr;
        if (source != nullptr && (source->style & win::dialog_style::kTopmost) != 0 &&
            widget->isVisible()) {
            found.emplace_back(handle.value, handle);
        }
    }
    std::sort(found.begin(), found.end());
    std::vector<win::WindowHandle> topmost;
    topmost.reserve(found.size());
    for (const auto& entry : found) {
        topmost.push_back(entry.second);
    }
    return topmost;
}

void QtDialogHost::RaiseInOrder(const std::vector<win::WindowHandle>& order) const {
    for (const win::WindowHandle handle : order) {
        if (DialogWidget* widget = WidgetFor(handle)) {
            widget->raise();
        }
    }
    // A modal window blocks every window it was raised above: the user could not reach it.
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal->isWindow()) {
        modal->raise();
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
