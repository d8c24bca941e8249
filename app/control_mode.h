#pragma once

namespace tra1 {

class PanelTable;
struct LinkState;

namespace win {
class Dialog;
}

// The "Control Mode" menu: realtime mode sends every change at once and lets the receiver's
// reports update the image; asynchronous mode (the start-up mode) keeps changes in the image
// until a download. Both switches need an open port, and neither works while a transfer runs
// (the main window greys their menu items then, with the others a transfer keeps waiting).
class ControlMode {
public:
    ControlMode(win::Dialog& window, LinkState& state, PanelTable& panels)
        : window_(window), state_(state), panels_(panels) {}

    // False (and nothing changed) while no port is open or a transfer runs.
    bool EnterRealtime();
    bool EnterAsynchronous();
    // The menu's check mark follows the mode.
    void ShowInMenu();

private:
    void DisableTransferControls();

    win::Dialog& window_;
    LinkState& state_;
    PanelTable& panels_;
};

}  // namespace tra1
