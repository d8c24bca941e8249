#pragma once

#include <array>
#include <cstddef>
#include <functional>

#include "panels/panel_context.h"
#include "panels/panel_descriptor.h"
#include "panels/panel_list.h"

namespace tra1 {

namespace win {
class Dialog;
}

// Every window the main window opens like a panel: the setting panels and the REPORT window, in
// refresh-message order (the order of a full refresh).
inline constexpr std::size_t kPanelCount = kSettingPanelCount + 1;
const std::array<PanelDescriptor, kPanelCount>& PanelDescriptors();

// The Window menu's "Show ..." items in their menu order, as indices into PanelDescriptors().
inline constexpr std::size_t kWindowMenuItemCount = 20;
const std::array<std::size_t, kWindowMenuItemCount>& WindowMenuOrder();

// An open panel as the main window holds it: the window, and how to clear the panel's hold
// counter (a member operation of every panel).
struct OpenPanel {
    win::Dialog* window = nullptr;
    std::function<void()> resetHoldCounter;
};

// Creates a panel as a top-level window. Returns an empty OpenPanel (null window) when the
// window could not be created. The panel reports its own destruction through `onClosed`.
using PanelFactory = std::function<OpenPanel(std::function<void()> onClosed)>;

// The main window's pointer and open flag per panel, and the factories that create them. Panels
// reach each other through it (PanelDirectory).
class PanelTable final : public PanelDirectory {
public:
    // Index of the panel whose Window menu item or main-window button has this command id;
    // kPanelCount when none has.
    static std::size_t IndexForCommand(int commandId);
    static std::size_t IndexForRefresh(unsigned refreshMessage);

    // Panels are built by their own units; until a factory is registered the panel does not
    // exist and showing it does nothing.
    void SetFactory(std::size_t index, PanelFactory factory);
    bool HasFactory(std::size_t index) const;

    enum class ShowResult { kNotAvailable, kFocused, kCreated, kCreateFailed };
    // Shows the panel: when open, shows it again if it was hidden and focuses it; else creates
    // it. The caller reports kCreateFailed.
    ShowResult Show(std::size_t index);

    bool IsOpen(std::size_t index) const;
    win::Dialog* Window(std::size_t index) const;
    // Clears pointer and open flag; the panel calls this (through onClosed) when destroyed.
    void MarkClosed(std::size_t index);

    // Calls `visit(index, panel)` for every open panel, in refresh-message order.
    void ForEachOpen(const std::function<void(std::size_t, const OpenPanel&)>& visit) const;
    void ResetAllHoldCounters() const;
    // Posts the open panel of `refreshMessage` its refresh message; false when it is not open.
    bool PostRefreshIfOpen(win::Msg refreshMessage) override;
    // Destroys every open panel (the main window closing).
    void DestroyAll();

private:
    struct Slot {
        OpenPanel panel;
        bool open = false;
        PanelFactory factory;
    };
    std::array<Slot, kPanelCount> slots_{};
};

}  // namespace tra1
