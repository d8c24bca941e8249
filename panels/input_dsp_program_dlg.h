#pragma once
// INPUT - DSP PROGRAM: for every input the sound program the receiver plays it with
// (InputProgramMap), and the main input (MainZoneState byte 0). The input list (left) and the
// assignment list (right, a read-out) move their selections together; selecting an input makes
// it the main input. The program selector and the "Straight" check box edit the selected
// input's program byte: bits 0..6 the program, bit 7 the effect-off flag ("STRAIGHT" in the
// list, the program kept for when the flag is cleared again).
//
// After every user action the panel holds its own refreshes (80, whatever the control mode) and
// asks the main window (0x900F) and an open DSP PARAMETER panel (0x900C) to reload. While the
// left mouse button is held in the panel no refresh runs.

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CINPUTDSPPROGRAMDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{
        .refreshMessage = 0x900D,
        .templateId = 149,
        .caption = "INPUT - DSP PROGRAM",
        .menuId = 32780,
        .menuText = "Show INPUT - DSP PROGRAM",
        .buttonId = 1080,
        .buttonLabel = "INPUT - DSP",
        .windowName = "INPUT-DSP",
        .changeMessages = {change_message::kMainInput, change_message::kProgram},
        .holdCount = 80,
        .holdRule = HoldRule::kCounterOnly};

    // Control ids.
    static constexpr int kInputList = 1055;
    static constexpr int kAssignmentList = 1080;
    static constexpr int kProgramSelector = 1147;
    static constexpr int kStraightCheck = 1150;
    static constexpr int kDefaultButton = 1148;

    explicit CINPUTDSPPROGRAMDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

    // True between a left-button press in the panel and its release.
    bool MouseHeld() const { return mouseHeld_; }

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void OnRefreshMessage(win::WParam w, win::LParam l) override;
    void OnCommand(int id, unsigned code) override;
    void OnControlMouse(int id, bool pressed) override;

private:
    int MainInput() const;
    void RebuildInputList();
    void RebuildProgramSelector();
    void RebuildAssignmentList();
    void SyncSelector();
    void NotifyOthers();
    void InputSelected(int otherList, int row);
    void AssignmentEdited(win::WParam item);
    void RestoreDefaults();

    bool mouseHeld_ = false;
};

}  // namespace tra1
