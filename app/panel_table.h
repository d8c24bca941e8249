#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string_view>

namespace tra1 {

namespace win {
class Dialog;
}

// What the main window knows about one setting panel: how it is opened (menu item, button),
// which refresh message reloads it, how long a change holds its refreshes, and the name that
// completes its creation error text.
struct PanelInfo {
    unsigned refreshMessage;       // 0x9000..0x9016
    int dialogId;                  // template of the panel
    std::string_view caption;      // window caption
    int menuId;                    // Window menu item; 0 when the panel has none
    std::string_view menuText;     // empty when the panel has no menu item
    int buttonId;                  // the small button beside the label on the main window
    std::string_view buttonLabel;  // the static text beside that button
    std::string_view windowName;   // completes "Dialog Creating Error\r\n"
    int holdCount;                 // refreshes held after a user change (0: never held)
};

// The fixed table of every panel, in refresh-message order (the order of a full refresh).
inline constexpr std::size_t kPanelCount = 22;
const std::array<PanelInfo, kPanelCount>& PanelInfos();

// The Window menu's "Show ..." items in their menu order, as indices into PanelInfos().
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

// The main window's pointer and open flag per panel, and the factories that create them.
class PanelTable {
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
