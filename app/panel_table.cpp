#include "app/panel_table.h"

#include <algorithm>
#include <utility>

#include "app/creport_dlg.h"
#include "platform/win/dialog.h"

namespace tra1 {

const std::array<PanelDescriptor, kPanelCount>& PanelDescriptors() {
    static const std::array<PanelDescriptor, kPanelCount> descriptors = [] {
        std::array<PanelDescriptor, kPanelCount> all{};
        std::size_t next = 0;
        for (const PanelEntry& entry : SettingPanels()) {
            all.at(next++) = *entry.descriptor;
        }
        all.at(next) = CREPORTDlg::kDescriptor;
        std::ranges::sort(all, {}, &PanelDescriptor::refreshMessage);
        return all;
    }();
    return descriptors;
}

const std::array<std::size_t, kWindowMenuItemCount>& WindowMenuOrder() {
    // DSP PARAMETER, INPUT - DSP PROGRAM, GRAPHIC EQ, CINEMA EQ, TONE CONTROL, LFE LEVEL /
    // D-RANGE, THX SET, DELAY, SPEAKER / SUBWOOFER SET, SPEAKER LEVEL, SPEAKER DISTANCE, VIDEO
    // PROCESSOR, INPUT MODE SET, DISPLAY SET, RENAME, INPUT TRIM, I/O ASSIGN, TUNER, DC TRIGGER,
    // MULTI ZONE SET.
    static const std::array<std::size_t, kWindowMenuItemCount> order{
        12, 13, 1, 19, 16, 3, 17, 4, 0, 2, 20, 18, 9, 10, 5, 21, 6, 7, 11, 14};
    return order;
}

std::size_t PanelTable::IndexForCommand(int commandId) {
    const auto& descriptors = PanelDescriptors();
    for (std::size_t i = 0; i < descriptors.size(); ++i) {
        if (descriptors[i].buttonId == commandId ||
            (descriptors[i].menuId != 0 && descriptors[i].menuId == commandId)) {
            return i;
        }
    }
    return kPanelCount;
}

std::size_t PanelTable::IndexForRefresh(unsigned refreshMessage) {
    const auto& descriptors = PanelDescriptors();
    for (std::size_t i = 0; i < descriptors.size(); ++i) {
        if (descriptors[i].refreshMessage == refreshMessage) {
            return i;
        }
    }
    return kPanelCount;
}

void PanelTable::SetFactory(std::size_t index, PanelFactory factory) {
    if (index < slots_.size()) {
        slots_[index].factory = std::move(factory);
    }
}

bool PanelTable::HasFactory(std::size_t index) const {
    return index < slots_.size() && static_cast<bool>(slots_[index].factory);
}

PanelTable::ShowResult PanelTable::Show(std::size_t index) {
    if (index >= slots_.size()) {
        return ShowResult::kNotAvailable;
    }
    Slot& slot = slots_[index];
    if (slot.open && slot.panel.window != nullptr) {
        // An open panel may be hidden (the main window hides the two DSP panels while
        // multi-channel input is on): asking for it brings it back before it takes the focus.
        slot.panel.window->Show(true);
        slot.panel.window->SetFocus();
        return ShowResult::kFocused;
    }
    if (!slot.factory) {
        return ShowResult::kNotAvailable;
    }
    OpenPanel created = slot.factory([this, index] { MarkClosed(index); });
    if (created.window == nullptr) {
        return ShowResult::kCreateFailed;
    }
    slot.panel = std::move(created);
    slot.open = true;
    slot.panel.window->Show(true);
    return ShowResult::kCreated;
}

bool PanelTable::IsOpen(std::size_t index) const {
    return index < slots_.size() && slots_[index].open;
}

win::Dialog* PanelTable::Window(std::size_t index) const {
    return index < slots_.size() ? slots_[index].panel.window : nullptr;
}

void PanelTable::MarkClosed(std::size_t index) {
    if (index < slots_.size()) {
        slots_[index].panel = OpenPanel{};
        slots_[index].open = false;
    }
}

void PanelTable::ForEachOpen(
    const std::function<void(std::size_t, const OpenPanel&)>& visit) const {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i].panel.window != nullptr) {
            visit(i, slots_[i].panel);
        }
    }
}

void PanelTable::ResetAllHoldCounters() const {
    ForEachOpen([](std::size_t, const OpenPanel& panel) {
        if (panel.resetHoldCounter) {
            panel.resetHoldCounter();
        }
    });
}

bool PanelTable::PostRefreshIfOpen(win::Msg refreshMessage) {
    const std::size_t index = IndexForRefresh(refreshMessage);
    win::Dialog* window = Window(index);
    return window != nullptr && window->PostMessage(refreshMessage);
}

void PanelTable::DestroyAll() {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (win::Dialog* window = slots_[i].panel.window) {
            window->DestroyWindow();
        }
        MarkClosed(i);
    }
}

}  // namespace tra1
