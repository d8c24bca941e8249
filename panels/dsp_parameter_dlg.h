#pragma once
// DSP PARAMETER: the sound-field parameters of the program that the main input plays with. The
// user picks the program (stored into the main input's InputProgramMap entry, its effect-off bit
// kept), a source type (panel state only: it chooses which of the alternative slots of the
// surround parameters the rows show), a parameter row, and steps its value with UP and DOWN.
// The buttons repeat while held: one step at the press, then after four ticks of timer 5
// (50 ms) one step per tick until the mouse is released or a key pressed.
//
// Values are listed as texts beside the parameter names; every stored value is announced with
// 0xA106 (program, slot). The panel never holds its refreshes.

#include <array>

#include "link/change_message_router.h"
#include "model/model_profile.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CDSPPARAMETERDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{
        .refreshMessage = 0x900C,
        .templateId = 150,
        .caption = "DSP PARAMETER",
        .menuId = 32782,
        .menuText = "Show DSP PARAMETER",
        .buttonId = 1081,
        .buttonLabel = "PARAMETER",
        .windowName = "DSP Parameter",
        .changeMessages = {change_message::kDspParameter, change_message::kProgram},
        .holdCount = 0,
        .holdRule = HoldRule::kCounterOnly};

    // Control ids.
    static constexpr int kProgramCombo = 1147;
    static constexpr int kSourceTypeList = 1153;
    static constexpr int kParameterList = 1152;
    static constexpr int kValueList = 1154;
    static constexpr int kUpButton = 1155;
    static constexpr int kDownButton = 1156;
    static constexpr int kDefaultButton = 1148;
    static constexpr int kDialogLiftSlider = 1226;  // hidden

    static constexpr win::TimerId kRepeatTimer = 5;
    static constexpr std::uint32_t kRepeatPeriodMs = 50;
    // Ticks a held button waits before it repeats.
    static constexpr int kRepeatDelayTicks = 4;
    // The pause after each parameter that "Default" announces.
    static constexpr std::int64_t kDefaultPauseMs = 20;

    explicit CDSPPARAMETERDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

    // The record slot that Value row `row` shows; -1 for a row that does not exist.
    int RowSlotAt(int row) const;

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void OnCommand(int id, unsigned code) override;
    void OnControlMouse(int id, bool pressed) override;
    void OnKeyDown(unsigned key) override;
    void OnTimer(win::TimerId id) override;

private:
    // The program index that the main input's map entry names; -1 when the main input has no
    // entry.
    int MainProgram() const;
    int SelectedProgram() const;
    int SelectedSourceType() const;
    void StoreSelectedProgram();
    void RebuildParameterList();
    void RebuildValueList();
    void ProgramSelected();
    void Step(int direction);
    void RestoreDefaults();

    std::array<int, ModelProfile::kParametersPerProgram> rowSlots_{};
    int rowCount_ = 0;
    int upCounter_ = 0;
    int downCounter_ = 0;
};

}  // namespace tra1
