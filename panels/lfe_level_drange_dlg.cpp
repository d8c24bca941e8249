#include "panels/lfe_level_drange_dlg.h"

#include "model/receiver_image.h"
#include "platform/win/slider.h"

namespace tra1 {

namespace {

// One slider per LfeDrange byte, in byte order; the wParam of a change is the byte's position
// within its pair (0 speakers, 1 headphones).
struct SliderRow {
    int id;
    std::size_t byte;
    win::WParam item;
};
constexpr SliderRow kLfeRows[] = {
    {CLFELEVELDRANGEDlg::kLfeSpeakerSlider, lfe_drange::kLfeSpeaker, 0},
    {CLFELEVELDRANGEDlg::kLfeHeadphoneSlider, lfe_drange::kLfeHeadphone, 1},
};
constexpr SliderRow kDrangeRows[] = {
    {CLFELEVELDRANGEDlg::kDrangeSpeakerSlider, lfe_drange::kDrangeSpeaker, 0},
    {CLFELEVELDRANGEDlg::kDrangeHeadphoneSlider, lfe_drange::kDrangeHeadphone, 1},
};

}  // namespace

void CLFELEVELDRANGEDlg::OnInitPanel() {
    for (const auto& row : kLfeRows) {
        if (auto* slider = SliderAt(row.id)) {
            slider->SetRange(0, kLfeMaximum);
        }
    }
    for (const auto& row : kDrangeRows) {
        if (auto* slider = SliderAt(row.id)) {
            slider->SetRange(0, kDrangeMaximum);
        }
    }
    UseReadoutColors({kLfeSpeakerReadout, kLfeHeadphoneReadout});
}

void CLFELEVELDRANGEDlg::Refresh() {
    const auto& bytes = Image().LfeDrange;
    for (const auto& row : kLfeRows) {
        SetInvertedSliderPos(row.id, bytes.at(row.byte));
    }
    for (const auto& row : kDrangeRows) {
        SetSliderPos(row.id, bytes.at(row.byte));
    }
    UpdateReadouts();
}

void CLFELEVELDRANGEDlg::UpdateReadouts() {
    // The read-out follows the slider, not the image: -20 at the bottom, 0 at the top, half dB
    // steps between.
    SetReadout(kLfeSpeakerReadout, -static_cast<float>(SliderPos(kLfeSpeakerSlider)) / 2.0f);
    SetReadout(kLfeHeadphoneReadout, -static_cast<float>(SliderPos(kLfeHeadphoneSlider)) / 2.0f);
}

void CLFELEVELDRANGEDlg::OnNotify(int id, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return;
    }
    auto& bytes = Image().LfeDrange;
    for (const auto& row : kLfeRows) {
        if (row.id == id) {
            // No cache: the image byte is what the release is compared with.
            int current = bytes.at(row.byte);
            if (StoreUserChange(bytes.at(row.byte), current, InvertedSliderValue(id), row.item)) {
                UpdateReadouts();
            }
            return;
        }
    }
    for (const auto& row : kDrangeRows) {
        if (row.id == id) {
            int current = bytes.at(row.byte);
            StoreUserChangeAs(change_message::kDynamicRange, bytes.at(row.byte), current,
                              SliderPos(id), row.item);
            return;
        }
    }
}

void CLFELEVELDRANGEDlg::OnCommand(int id, unsigned code) {
    if (code != win::BN_CLICKED) {
        return;
    }
    // "Default" puts its pair back to the start-up values (LFE 0 dB, D-RANGE "MAX"), each value
    // stored and announced like a release there.
    const ReceiverImage defaults = StartUpImage();
    auto& bytes = Image().LfeDrange;
    if (id == kLfeDefaultButton) {
        for (const auto& row : kLfeRows) {
            const int value = defaults.LfeDrange.at(row.byte);
            SetInvertedSliderPos(row.id, value);
            int current = bytes.at(row.byte);
            StoreUserChange(bytes.at(row.byte), current, value, row.item);
        }
        UpdateReadouts();
    } else if (id == kDrangeDefaultButton) {
        for (const auto& row : kDrangeRows) {
            const int value = defaults.LfeDrange.at(row.byte);
            SetSliderPos(row.id, value);
            int current = bytes.at(row.byte);
            StoreUserChangeAs(change_message::kDynamicRange, bytes.at(row.byte), current, value,
                              row.item);
        }
    }
}

void CLFELEVELDRANGEDlg::ShowThumb(int /*id*/, int /*position*/) {
    UpdateReadouts();  // from the sliders' positions, the moving one's included
}

}  // namespace tra1
