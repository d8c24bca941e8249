#include "panels/display_set_dlg.h"

#include <array>
#include <string_view>

#include "model/receiver_image.h"
#include "model/value_format.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"

namespace tra1 {

namespace {

// The sliders by the DisplaySettings byte they show, with their range and the position the
// "Default" button gives them (the start-up values).
struct SliderRow {
    int id;
    std::size_t byte;
    int maximum;
    int defaultPosition;
};
constexpr std::array<SliderRow, 6> kSliders{{
    {CDISPLAYSETDlg::kDimmerSlider, display_layout::kDimmer, 4, 4},
    {CDISPLAYSETDlg::kHPosSlider, display_layout::kOsdShiftH, 10, 5},
    {CDISPLAYSETDlg::kVPosSlider, display_layout::kOsdShiftV, 10, 5},
    {CDISPLAYSETDlg::kGrayBackSlider, display_layout::kGrayBack, 1, 1},
    {CDISPLAYSETDlg::kVideoConversionSlider, display_layout::kVideoConversion, 1, 1},
    {CDISPLAYSETDlg::kComponentOsdSlider, display_layout::kComponentOsd, 1, 1},
}};

constexpr std::array<std::string_view, 5> kWallPapers{"None", "1 (TR-A1)", "2 (Horn)", "3 (Piano)",
                                                      "4 (Gray)"};
constexpr std::array<std::string_view, 2> kOnScreenItems{"OFF", "ON"};

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
        for (const auto item : kWallPapers) {
            combo->AddString(std::string(item));
        }
    }
    if (auto* combo = Get<win::ComboBox>(kOnScreenCombo)) {
        for (const auto item : kOnScreenItems) {
            combo->AddString(std::string(item));
        }
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
        // Only the sliders move: a moved value reaches the image when the user next releases
        // that slider, and a refresh puts them back.
        for (const auto& row : kSliders) {
            SetSliderPos(row.id, row.defaultPosition);
        }
    }
}

}  // namespace tra1
