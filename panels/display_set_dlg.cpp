#include "panels/display_set_dlg.h"

#include <array>
#include <string_view>

#include "model/receiver_image.h"
#include "model/value_format.h"
#include "model/value_names.h"
#include "panels/name_list_items.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"

namespace tra1 {

namespace {

// The sliders by the DisplaySettings byte they show, with their range and the position the
struct SliderRow {
    int id;
    std::size_t byte;
    int maximum;
};
constexpr std::array<SliderRow, 6> kSliders{{
    {CDISPLAYSETDlg::kDimmerSlider, display_layout::kDimmer, 4},
    {CDISPLAYSETDlg::kHPosSlider, display_layout::kOsdShiftH, 10},
    {CDISPLAYSETDlg::kVPosSlider, display_layout::kOsdShiftV, 10},
    {CDISPLAYSETDlg::kGrayBackSlider, display_layout::kGrayBack, 1},
    {CDISPLAYSETDlg::kVideoConversionSlider, display_layout::kVideoConversion, 1},
    {CDISPLAYSETDlg::kComponentOsdSlider, display_layout::kComponentOsd, 1},
}};

// The read-outs show the byte relative to its centre (dimmer: to its brightest step).
constexpr int kDimmerOffset = 4;
constexpr int kShiftOffset = 5;

}  // namespace

void CDISPLAYSETDlg::OnInitPanel() {
    for (const auto& row : kSliders) {
        if (auto* slider = SliderAt(row.id)) {
            slider->SetRange(0, row.maximum);
        }
    }
    if (auto* combo = Get<win::ComboBox>(kWallPaperCombo)) {
        FillWithNames(*combo, value_names::kWallPaper);
    }
    if (auto* combo = Get<win::ComboBox>(kOnScreenCombo)) {
        FillWithNames(*combo, value_names::kOnScreen);
    }
    UseReadoutColors({kDimmerReadout, kHPosReadout, kVPosReadout});
}

void CDISPLAYSETDlg::Refresh() {
    const auto& bytes = Image().DisplaySettings;
    for (const auto& row : kSliders) {
        SetSliderPos(row.id, bytes.at(row.byte));
        cache_[row.byte] = bytes.at(row.byte);
    }
    // An open list is the user's: the selection waits until it closes.
    if (auto* combo = Get<win::ComboBox>(kWallPaperCombo); combo && !combo->GetDroppedState()) {
        combo->SetCurSel(bytes.at(display_layout::kWallPaper));
        cache_[display_layout::kWallPaper] = bytes.at(display_layout::kWallPaper);
    }
    if (auto* combo = Get<win::ComboBox>(kOnScreenCombo); combo && !combo->GetDroppedState()) {
        combo->SetCurSel(Image().MainZoneState.at(main_zone::kOnScreenDisplay));
    }
    WriteReadouts();
}

void CDISPLAYSETDlg::WriteReadouts() {
    const auto& bytes = Image().DisplaySettings;
    SetReadout(kDimmerReadout, FormatInteger(bytes.at(display_layout::kDimmer) - kDimmerOffset));
    SetReadout(kHPosReadout, FormatInteger(bytes.at(display_layout::kOsdShiftH) - kShiftOffset));
    SetReadout(kVPosReadout, FormatInteger(bytes.at(display_layout::kOsdShiftV) - kShiftOffset));
}

void CDISPLAYSETDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    for (const auto& row : kSliders) {
        if (row.id != id) {
            continue;
        }
        if (StoreUserChange(Image().DisplaySettings.at(row.byte), cache_[row.byte], SliderPos(id),
                            row.byte) &&
            row.byte <= display_layout::kOsdShiftV) {
            WriteReadouts();
        }
        return;
    }
}

void CDISPLAYSETDlg::OnCommand(int id, unsigned code) {
    if (id == kWallPaperCombo && code == win::CBN_SELCHANGE) {
        const auto* combo = Get<win::ComboBox>(kWallPaperCombo);
        const int index = combo != nullptr ? combo->GetCurSel() : win::CB_ERR;
        if (index == win::CB_ERR) {
            return;
        }
        StoreUserChange(Image().DisplaySettings.at(display_layout::kWallPaper),
                        cache_[display_layout::kWallPaper], index, display_layout::kWallPaper);
    } else if (id == kDefaultButton && code == win::BN_CLICKED) {
        // The sliders back to the start-up values, each value stored and announced like a
        // release there (the wallpaper stays as chosen).
        const ReceiverImage defaults = StartUpImage();
        for (const auto& row : kSliders) {
            const int value = defaults.DisplaySettings.at(row.byte);
            SetSliderPos(row.id, value);
            StoreUserChange(Image().DisplaySettings.at(row.byte), cache_[row.byte], value,
                            row.byte);
        }
        WriteReadouts();
    }
}

void CDISPLAYSETDlg::ShowThumb(int id, int position) {
    if (id == kDimmerSlider) {
        SetReadout(kDimmerReadout, FormatInteger(position - kDimmerOffset));
    } else if (id == kHPosSlider) {
        SetReadout(kHPosReadout, FormatInteger(position - kShiftOffset));
    } else if (id == kVPosSlider) {
        SetReadout(kVPosReadout, FormatInteger(position - kShiftOffset));
    }
}

}  // namespace tra1
