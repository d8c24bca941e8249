#pragma once
// TUNER: the current station and five pages of eight presets (TunerPresets), each a band and a
// frequency step. The page selector chooses what the two lists show (the preset names at the
// left, band and frequency at the right); the band switch and the frequency selector edit the
// selected preset.
//
// Entries: page 0 ("Current") is entry 0; page 1..5, row 0..7 is entry 8 x page - 7 + row.
// Steps count down from the top of the band: FM 107.9 MHz - 0.2 x step, AM 1710 kHz - 10 x step.

#include <string>

#include "link/change_message_router.h"
#include "panels/panel_dlg.h"

namespace tra1 {

class CTUNERDlg final : public PanelDlg {
public:
    static constexpr PanelDescriptor kDescriptor{.refreshMessage = 0x9007,
                                                 .templateId = 141,
                                                 .caption = "TUNER",
                                                 .menuId = 32776,
                                                 .menuText = "Show TUNER",
                                                 .buttonId = 1073,
                                                 .buttonLabel = "TUNER",
                                                 .windowName = "Tuner",
                                                 .changeMessages = {change_message::kTuner},
                                                 .holdCount = 80};

    // Control ids.
    static constexpr int kPageCombo = 1069;
    static constexpr int kFrequencyCombo = 1089;
    static constexpr int kBandSwitch = 1135;
    static constexpr int kPresetList = 1192;
    static constexpr int kFrequencyList = 1193;

    static constexpr int kPageCount = 6;  // "Current", "Page A".."Page E"
    static constexpr int kRowsPerPage = 8;

    explicit CTUNERDlg(const PanelContext& context) : PanelDlg(context, kDescriptor) {}

    // The TunerPresets entry of a page and row; -1 when they name none.
    static int EntryFor(int page, int row);
    // The frequency list's text of a preset: "FM : 87.5 MHz", "AM : 530 kHz".
    static std::string LineText(int band, int step);

protected:
    void OnInitPanel() override;
    void Refresh() override;
    void OnNotify(int id, win::LParam code) override;
    void OnCommand(int id, unsigned code) override;

private:
    int SelectedPage() const;
    int SelectedRow() const;
    void FillFrequencySelector(int band);
    void RebuildFrequencyList(int page);
    void ReplaceFrequencyLine(int row, const std::string& text);
    void SelectRow(int row);
    void SyncWithSelectedPreset();
    void StorePreset();

    // The band last shown or set (0 AM, 1 FM); -1 matches none.
    int cachedBand_ = -1;
};

}  // namespace tra1
